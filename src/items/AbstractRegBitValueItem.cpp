#include "items/AbstractRegBitValueItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/PropertyChangeEvent.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void AbstractRegBitValueItem::setCurrentValue(uint32_t value) {
    if (value == currentValue_) return;
    currentValue_ = value;
    firePropertyChange(PropertyChangeEvent::CURRENT_VALUE);
}

void AbstractRegBitValueItem::apply() {
    if (!isChanged()) return;
    commit();
    markApplied();
}

void AbstractRegBitValueItem::deriveDefault() {
    defaultValue_ = static_cast<uint32_t>(parseInt(getDefaultText()));
}

void AbstractRegBitValueItem::load() {
    if (!readFromKey([this](RegKey& key) { storedValue_ = readValue(key); }))
        storedValue_ = defaultValue_;
    currentValue_ = storedValue_;
}

void AbstractRegBitValueItem::commit() {
    writeToKey([this](RegKey& key) { writeValue(key, currentValue_); });
    storedValue_ = currentValue_;
}

uint32_t AbstractRegBitValueItem::readValue(RegKey& key) {
    return key.getDWORD(getValueName(), defaultValue_);
}

bool AbstractRegBitValueItem::deletesOnWrite(uint32_t value) const {
    return value == defaultValue_ && isDefaultDeletes();
}

void AbstractRegBitValueItem::writeValue(RegKey& key, uint32_t value) {
    if (deletesOnWrite(value)) {
        key.deleteValue(getValueName());
    } else {
        key.setDWORD(getValueName(), value);
    }
}

void AbstractRegBitValueItem::storeTo(RegistryStorage& storage) {
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    if (deletesOnWrite(currentValue_)) {
        entry.deleteValue(getValueName());
    } else {
        entry.setDWORD(getValueName(), currentValue_);
    }
}
