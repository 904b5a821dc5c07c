#pragma once

#include <cstdint>

#include "items/Customizer.h"

namespace awt {
class Component;
}
namespace xml {
class Element;
}
class ItemGroup;
class PropertyChangeListener;
class RegistryStorage;
class SaveTarget;

// One tunable setting. Shared as a virtual base, so that an item reached
// through any of its kind interfaces is one object with one identity.
class Item : public virtual Customizer {
public:
    virtual ItemGroup* getItemGroup() const = 0;
    virtual void setItemGroup(ItemGroup* group) = 0;
    virtual uint32_t getAffectTarget() const = 0;
    virtual void setAffectTarget(uint32_t target) = 0;
    virtual int32_t getPostChanged() const = 0;
    virtual void setPostChanged(int32_t postChanged) = 0;
    // Reads the item's parameters and then its current value from the system.
    virtual void configure(const xml::Element& params) = 0;
    virtual void addPropertyChangeListener(PropertyChangeListener* listener) = 0;
    virtual void removePropertyChangeListener(PropertyChangeListener* listener) = 0;
    // A new view that edits this item; the caller owns it.
    virtual awt::Component* createView() = 0;
    virtual bool isApplied() const = 0;
    virtual void setToDefault() = 0;
    virtual void apply() = 0;
    virtual void revert() = 0;
    virtual void store(SaveTarget& target) = 0;
    // Records in the storage the registry as it stands wherever apply()
    // would change it now, so that importing the storage's file undoes that
    // apply; records nothing when apply() would change nothing.
    virtual void storePriorState(RegistryStorage& storage) = 0;
};
