#include "items/RegDeleteSubKeysItem.h"

#include <vector>

#include "core/Exception.h"
#include "core/PathRules.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/Params.h"
#include "items/ViewFactory.h"
#include "registry/PriorState.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void RegDeleteSubKeysItem::readParameters(const xml::Element& params) {
    std::wstring backup = NULL_STRING;
    forEachParam(params, [&](const std::wstring& name, const xml::Node& param) {
        if (name == L"save") {
            forEachParam(param, [this](const std::wstring& child, const xml::Node& key) {
                if (child == L"key") keptNames_.insert(toLowerCase(key.getText()));
            });
        } else if (name == L"backup") {
            backup = param.getText();
        }
    });
    if (backup == NULL_STRING || backup.empty())
        throw ConfigException(L"no <backup> of item " + getId());
    // A backup is imported again with our rights, so it lives beside the
    // program or, elevated, where only administrators write, never in the
    // current directory; a share or a device could hand back anything.
    const PathAnchor anchor = anchorOf(backup);
    if (anchor == PathAnchor::Network || anchor == PathAnchor::CurrentDrive)
        throw ConfigException(L"<backup> of item " + getId() + L" names no local file: " + backup);
    // One name for the existence test, the write and the import, fixed now.
    if (!endsWithIgnoreCase(backup, L".reg")) backup += L".reg";
    const bool elevated = isElevated();
    if (anchor == PathAnchor::Relative) {
        backupFolder_ = backupFolder(elevated);
        backupPath_ = fullPathOf(joinPath(pathOf(backupFolder_), backup));
    } else {
        backupPath_ = fullPathOf(backup);
        backupFolder_ = {parentPathOf(backupPath_), {}, elevated, false};
    }
    AbstractRegCheckItem::readParameters(params);
}

void RegDeleteSubKeysItem::configure(const xml::Element& params) {
    AbstractRegCheckItem::configure(params);
    if (getStoredState() && GetFileAttributesW(backupPath_.c_str()) == INVALID_FILE_ATTRIBUTES)
        noBackup_ = true;
}

bool RegDeleteSubKeysItem::isKept(const std::wstring& name) const {
    return keptNames_.count(toLowerCase(name)) != 0;
}

bool RegDeleteSubKeysItem::readState(RegKey& key) {
    for (const std::wstring& name : key.getSubKeyNames())
        if (!isKept(name)) return false;
    return true;
}

void RegDeleteSubKeysItem::load() {
    checkKeyPath();
    try {
        keyMissing_ = !RegKey::exists(getKeyPath());
        if (keyMissing_) {
            loadState(true);
            return;
        }
        RegKey key(getKeyPath(), RegKey::READ);
        loadState(readState(key));
    } catch (const RegKeyException& e) {
        throw RegKeyException(L"key of item " + getId() + L" cannot be read: " + e.getMessage());
    }
}

awt::Component* RegDeleteSubKeysItem::createView() {
    if (noBackup_) return ViewFactory::installed().createFrozenCheckItemView(*this);
    return AbstractRegCheckItem::createView();
}

void RegDeleteSubKeysItem::storePriorState(RegistryStorage& storage) {
    if (!isChanged()) return;
    checkKeyPath();
    storePriorTree(storage, getKeyPath());
}

void RegDeleteSubKeysItem::commit() {
    if (getCurrentState()) {
        clean();
    } else {
        restore();
    }
    takeCurrentAsStored();
}

// Every key is opened as itself: through a link, a key elsewhere would be
// cleaned, one that the backup does not hold.
void RegDeleteSubKeysItem::clean() {
    {
        RegistryStorage backup(joinPath(makeKeptFolder(backupFolder_), fileNameOf(backupPath_)));
        backup.getKey(getKeyPath()).loadTree();
        backup.save();
    }
    RegKey key(getKeyPath(), RegKey::READ, REG_OPTION_OPEN_LINK);
    if (key.isLink()) throw RegKeyException(L"registry link can't be changed: " + getKeyPath());
    std::vector<std::wstring> doomed;
    for (const std::wstring& name : key.getSubKeyNames())
        if (!isKept(name)) doomed.push_back(name);
    // All or nothing: a sub-key that cannot be deleted alone must stop the
    // clean before any other is gone, so that the item stays restorable.
    for (const std::wstring& name : doomed) {
        const std::wstring path = joinPath(getKeyPath(), name);
        const RegKey sub(path, RegKey::READ, REG_OPTION_OPEN_LINK);
        if (sub.isLink()) throw RegKeyException(L"registry link can't be deleted: " + path);
        if (!sub.getSubKeyNames().empty()) throw RegKeyException(L"delete sub key: " + name);
    }
    for (const std::wstring& name : doomed) key.deleteSubKey(name);
}

// The registry editor reports nothing, so the key itself must show that the
// sub-keys are back.
void RegDeleteSubKeysItem::restore() {
    RegistryStorage::importBackup(backupPath_, getKeyPath(), makeKeptFolder(backupFolder_));
    bool clean = true;
    try {
        RegKey key(getKeyPath(), RegKey::READ);
        clean = readState(key);
    } catch (const RegKeyException&) {
    }
    if (clean)
        throw IOException(L"the backup brought no sub key back: " + backupPath_ + L" to " +
                          getKeyPath());
}

void RegDeleteSubKeysItem::storeTo(RegistryStorage& storage) {
    if (keyMissing_ || !getCurrentState()) return;
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    entry.markDeleteFirst();
    entry.loadValues();
    for (const std::wstring& name : RegKey(getKeyPath(), RegKey::READ).getSubKeyNames())
        if (isKept(name)) storage.getKey(joinPath(getKeyPath(), name)).loadTree();
}
