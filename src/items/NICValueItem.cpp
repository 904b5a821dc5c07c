#include "items/NICValueItem.h"

#include "items/PropertyChangeEvent.h"
#include "items/ValueItem.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void NICValueItem::InheriteeListener::propertyChanged(const PropertyChangeEvent& event) {
    if (event.getPropertyName() == PropertyChangeEvent::CURRENT_VALUE) item_.updateFromInheritee();
}

Item* NICValueItem::createInterfaceCopy(const std::wstring& interfaceKeyPath) {
    auto* copy = new NICValueItem(*this);
    copy->setKeyPath(interfaceKeyPath);
    copy->setInheritee(this);
    if (getInterfacesElement() != nullptr) {
        copy->configure(*getInterfacesElement());
    } else {
        copy->load();
    }
    return copy;
}

void NICValueItem::readParameters(const xml::Element& params) {
    readNICParameters(params);
    RegValueItem::readParameters(params);
    // After the base, which reads the default's delete attribute: with an
    // inherited default, a deletion would hand the interface back to the
    // system-wide value instead of holding the chosen one.
    if (inheritRequested()) enableInheritance();
}

void NICValueItem::enableInheritance() {
    if (canInherit()) return;
    setCanInherit();
    setDefaultDeletes(false);
    getInheritee()->addPropertyChangeListener(new InheriteeListener(*this));
}

void NICValueItem::updateFromInheritee() {
    const int32_t value = dynamic_cast<const ValueItem&>(*getInheritee()).getCurrentValue();
    setDefaultValue(value);
    if (isInherited()) setCurrentValue(value);
}

void NICValueItem::load() {
    if (canInherit()) {
        const bool inherited = !hasOwnValue(getKeyPath(), getValueName());
        setStoredInherited(inherited);
        setCurrentInherited(inherited);
        updateFromInheritee();
    }
    RegValueItem::load();
}

void NICValueItem::commit() {
    RegValueItem::commit();
    setStoredInherited(false);
}

void NICValueItem::deleteOwnValue() {
    RegKey::deleteValueIfKeyExists(getKeyPath(), getValueName());
    setStoredInherited(true);
}

// The view puts the value it shows into the item.
void NICValueItem::setInherited(bool inherited) { setCurrentInherited(inherited); }

void NICValueItem::setToDefault() {
    if (canInherit()) setInherited(true);
    RegValueItem::setToDefault();
}

// The value kept from the last load or apply is no longer what an inheriting
// copy holds: the system-wide value may have moved since.
void NICValueItem::revert() {
    if (!canInherit()) return RegValueItem::revert();
    setInherited(isStoredInherited());
    if (isStoredInherited()) {
        setCurrentValue(getDefaultValue());
    } else {
        RegValueItem::revert();
    }
}

void NICValueItem::apply() {
    if (!canInherit()) {
        RegValueItem::apply();
    } else if (isInherited()) {
        if (isStoredInherited()) return;
        deleteOwnValue();
        markApplied();
    } else if (isStoredInherited()) {
        // The value equals the system-wide one until the user changes it, yet
        // the interface must now hold it of its own.
        commit();
        markApplied();
    } else {
        RegValueItem::apply();
    }
}

void NICValueItem::storeTo(RegistryStorage& storage) {
    if (canInherit() && isInherited()) {
        storage.getKey(getKeyPath()).deleteValue(getValueName());
    } else {
        RegValueItem::storeTo(storage);
    }
}
