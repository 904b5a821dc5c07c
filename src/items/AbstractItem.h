#pragma once

#include <string>
#include <vector>

#include "items/AbstractCustomizer.h"
#include "items/Item.h"
#include "items/Targets.h"

// The properties every item shares and its listeners.
class AbstractItem : public AbstractCustomizer, public virtual Item {
public:
    ItemGroup* getItemGroup() const override { return itemGroup_; }
    void setItemGroup(ItemGroup* group) override { itemGroup_ = group; }
    uint32_t getAffectTarget() const override { return affectTarget_; }
    void setAffectTarget(uint32_t target) override { affectTarget_ = target; }
    int32_t getPostChanged() const override { return postChanged_; }
    void setPostChanged(int32_t postChanged) override { postChanged_ = postChanged; }
    // A listener added twice is told twice.
    void addPropertyChangeListener(PropertyChangeListener* listener) override;
    // Removes one registration of the listener, the earliest.
    void removePropertyChangeListener(PropertyChangeListener* listener) override;
    bool isApplied() const override { return applied_; }

protected:
    AbstractItem() = default;
    // A copy is a new item: those listening to the original have not asked
    // to hear of it.
    AbstractItem(const AbstractItem& other)
        : AbstractCustomizer(other),
          itemGroup_(other.itemGroup_),
          affectTarget_(other.affectTarget_),
          postChanged_(other.postChanged_),
          applied_(other.applied_) {}
    AbstractItem& operator=(const AbstractItem&) = delete;

    // Once applied, an item counts for the log-off or restart question until
    // the program ends, also when it is reverted afterwards.
    virtual void markApplied() { applied_ = true; }
    void firePropertyChange(const std::wstring& propertyName);

private:
    ItemGroup* itemGroup_ = nullptr;
    uint32_t affectTarget_ = AffectTarget::ALL;
    int32_t postChanged_ = PostChanged::NOTHING;
    std::vector<PropertyChangeListener*> listeners_;
    bool applied_ = false;
};
