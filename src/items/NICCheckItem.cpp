#include "items/NICCheckItem.h"

#include "items/CheckItem.h"
#include "items/PropertyChangeEvent.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void NICCheckItem::InheriteeListener::propertyChanged(const PropertyChangeEvent& event) {
    if (event.getPropertyName() == PropertyChangeEvent::CURRENT_VALUE) item_.updateFromInheritee();
}

Item* NICCheckItem::createInterfaceCopy(const std::wstring& interfaceKeyPath) {
    auto* copy = new NICCheckItem(*this);
    copy->setKeyPath(interfaceKeyPath);
    copy->setInheritee(this);
    if (getInterfacesElement() != nullptr) {
        copy->configure(*getInterfacesElement());
    } else {
        copy->load();
    }
    return copy;
}

void NICCheckItem::readParameters(const xml::Element& params) {
    readNICParameters(params);
    RegCheckItem::readParameters(params);
    // After the base, which reads the default's delete attribute: with an
    // inherited default, a deletion would hand the interface back to the
    // system-wide value instead of holding the chosen one.
    if (inheritRequested()) enableInheritance();
}

void NICCheckItem::enableInheritance() {
    if (canInherit()) return;
    setCanInherit();
    setDefaultDeletes(false);
    getInheritee()->addPropertyChangeListener(new InheriteeListener(*this));
}

void NICCheckItem::updateFromInheritee() {
    const bool state = dynamic_cast<const CheckItem&>(*getInheritee()).getCurrentState();
    setDefaultState(state);
    if (isInherited()) setCurrentState(state);
}

void NICCheckItem::load() {
    if (canInherit()) {
        const bool inherited = !hasOwnValue(getKeyPath(), getValueName());
        setStoredInherited(inherited);
        setCurrentInherited(inherited);
        updateFromInheritee();
    }
    RegCheckItem::load();
}

void NICCheckItem::commit() {
    RegCheckItem::commit();
    setStoredInherited(false);
}

void NICCheckItem::deleteOwnValue() {
    RegKey::deleteValueIfKeyExists(getKeyPath(), getValueName());
    setStoredInherited(true);
}

void NICCheckItem::setInherited(bool inherited) {
    if (inherited == isInherited()) return;
    setCurrentInherited(inherited);
    if (inherited) updateFromInheritee();
}

void NICCheckItem::setToDefault() {
    if (canInherit()) setInherited(true);
    RegCheckItem::setToDefault();
}

// The value kept from the last load or apply is no longer what an inheriting
// copy holds: the system-wide value may have moved since.
void NICCheckItem::revert() {
    if (!canInherit()) return RegCheckItem::revert();
    setInherited(isStoredInherited());
    if (isStoredInherited()) {
        setCurrentState(getDefaultState());
    } else {
        RegCheckItem::revert();
    }
}

void NICCheckItem::apply() {
    if (!canInherit()) {
        RegCheckItem::apply();
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
        RegCheckItem::apply();
    }
}

void NICCheckItem::storeTo(RegistryStorage& storage) {
    if (canInherit() && isInherited()) {
        storage.getKey(getKeyPath()).deleteValue(getValueName());
    } else {
        RegCheckItem::storeTo(storage);
    }
}
