#pragma once

#include <string>

#include "items/NICParameterItem.h"
#include "items/PropertyChangeEvent.h"
#include "items/PropertyChangeListener.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorage.h"
#include "registry/RegistryStorageKey.h"

// What a check or number setting of the registry needs to exist once
// system-wide and once per interface. An inheriting interface copy holds no
// value of its own and follows the system-wide item. Self supplies how its
// kind of value is copied: updateFromInheritee, takeDefault and
// setInherited.
template <typename RegItem, typename Self>
class NICInheritingItem : public RegItem, public NICParameterItem {
public:
    class InheriteeListener : public PropertyChangeListener {
    public:
        explicit InheriteeListener(Self& item) : item_(item) {}
        void propertyChanged(const PropertyChangeEvent& event) override {
            if (event.getPropertyName() == PropertyChangeEvent::CURRENT_VALUE) {
                item_.updateFromInheritee();
            }
        }

    private:
        Self& item_;
    };

    void setToDefault() override {
        if (canInherit()) self().setInherited(true);
        RegItem::setToDefault();
    }

    // The value kept from the last load or apply is no longer what an
    // inheriting copy holds: the system-wide value may have moved since.
    void revert() override {
        if (!canInherit()) return RegItem::revert();
        self().setInherited(isStoredInherited());
        if (isStoredInherited()) {
            self().takeDefault();
        } else {
            RegItem::revert();
        }
    }

    // An interface that takes a value of its own must write it even while
    // it equals the system-wide one it inherited.
    bool isChanged() const override {
        if (!canInherit()) return RegItem::isChanged();
        if (isInherited() || isStoredInherited()) return isInherited() != isStoredInherited();
        return RegItem::isChanged();
    }

    void apply() override {
        if (!isChanged()) return;
        if (canInherit() && isInherited()) {
            deleteOwnValue();
        } else {
            commit();
        }
        this->markApplied();
    }

protected:
    NICInheritingItem() = default;
    NICInheritingItem(const NICInheritingItem&) = default;

    // The copy bound to an interface key, configured from <interfaces>.
    Item* setUpCopy(Self* copy, const std::wstring& interfaceKeyPath) {
        copy->setKeyPath(interfaceKeyPath);
        copy->setInheritee(this);
        if (getInterfacesElement() != nullptr) {
            copy->configure(*getInterfacesElement());
        } else {
            copy->load();
        }
        return copy;
    }

    virtual void enableInheritance() {
        if (canInherit()) return;
        setCanInherit();
        this->setDefaultDeletes(false);
        getInheritee()->addPropertyChangeListener(new InheriteeListener(self()));
    }

    // Leaves the interface to the system-wide value.
    virtual void deleteOwnValue() {
        RegKey::deleteValueIfKeyExists(this->getKeyPath(), this->getValueName());
        setStoredInherited(true);
    }

    void readParameters(const xml::Element& params) override {
        readNICParameters(params);
        RegItem::readParameters(params);
        // After the base, which reads the default's delete attribute: with
        // an inherited default, a deletion would hand the interface back to
        // the system-wide value instead of holding the chosen one.
        if (inheritRequested()) enableInheritance();
    }

    void load() override {
        if (canInherit()) {
            const bool inherited = !hasOwnValue(this->getKeyPath(), this->getValueName());
            setStoredInherited(inherited);
            setCurrentInherited(inherited);
            self().updateFromInheritee();
        }
        RegItem::load();
    }

    void commit() override {
        RegItem::commit();
        setStoredInherited(false);
    }

    void storeTo(RegistryStorage& storage) override {
        if (canInherit() && isInherited()) {
            storage.getKey(this->getKeyPath()).deleteValue(this->getValueName());
        } else {
            RegItem::storeTo(storage);
        }
    }

private:
    Self& self() { return static_cast<Self&>(*this); }
};
