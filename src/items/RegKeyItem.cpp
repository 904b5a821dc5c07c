#include "items/RegKeyItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "registry/PriorState.h"
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

void RegKeyItem::storePriorState(RegistryStorage& storage) {
    if (!isChanged()) return;
    checkKeyPath();
    storePriorTree(storage, getKeyPath());
}

void RegKeyItem::commit() {
    if (getCurrentState()) {
        createKey();
    } else {
        deleteKey();
    }
    takeCurrentAsStored();
}

// Opened as itself: through a link the value would go into the key it
// points to.
void RegKeyItem::createKey() {
    RegKey key(getKeyPath(), RegKey::CHANGE, REG_OPTION_OPEN_LINK);
    if (key.isLink()) throw RegKeyException(L"registry link can't be changed: " + getKeyPath());
    if (getValueName() != NULL_STRING) key.setString(NULL_STRING, REG_SZ, getValueName());
}

void RegKeyItem::deleteKey() { RegKey::deleteKeyIfParentExists(getKeyPath()); }

// A ticked item records its value whether or not the key exists here, so
// that the file makes on another machine the key that applying makes here.
void RegKeyItem::storeTo(RegistryStorage& storage) {
    if (!getCurrentState()) {
        storage.deleteKey(getKeyPath());
        return;
    }
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    if (getValueName() != NULL_STRING) entry.setSZ(NULL_STRING, getValueName());
}
