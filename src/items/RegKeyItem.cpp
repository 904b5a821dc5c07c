#include "items/RegKeyItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void RegKeyItem::readParameters(const xml::Element& params) {
    AbstractRegCheckItem::readParameters(params);
    if (getType() != REG_SZ) throw ConfigException(L"support only REG_SZ");
}

void RegKeyItem::deriveDefault() { initDefaultState(parseBoolean(getDefaultText())); }

void RegKeyItem::load() {
    checkKeyPath();
    try {
        const RegKey probe(getKeyPath(), RegKey::READ);
        loadState(true);
    } catch (const RegKeyException&) {
        loadState(false);
    }
}

void RegKeyItem::commit() {
    if (getCurrentState()) {
        createKey();
    } else {
        deleteKey();
    }
    takeCurrentAsStored();
}

void RegKeyItem::createKey() {
    RegKey key(getKeyPath(), RegKey::CHANGE);
    if (getValueName() != NULL_STRING) key.setString(NULL_STRING, REG_SZ, getValueName());
}

void RegKeyItem::deleteKey() { RegKey::deleteKeyIfParentExists(getKeyPath()); }

// Applying sets the unnamed value only when it creates the key, so a file
// sets it only where the key is still to be made: importing it must not
// overwrite a value that the key already had.
void RegKeyItem::storeTo(RegistryStorage& storage) {
    if (!getCurrentState()) {
        storage.deleteKey(getKeyPath());
        return;
    }
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    if (!getStoredState() && getValueName() != NULL_STRING)
        entry.setSZ(NULL_STRING, getValueName());
}
