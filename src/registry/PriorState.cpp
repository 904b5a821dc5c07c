#include "registry/PriorState.h"

#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

namespace {

// The path less any backslashes at its end, which name no key of their own.
std::wstring trimmed(const std::wstring& path) {
    const size_t end = path.find_last_not_of(L'\\');
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

// The highest key on the path of a missing key that is missing too; a root
// key is never missing.
std::wstring highestMissing(const std::wstring& missingPath) {
    std::wstring missing = trimmed(missingPath);
    for (;;) {
        const size_t separator = missing.rfind(L'\\');
        if (separator == std::wstring::npos) return missing;
        const std::wstring parent = trimmed(missing.substr(0, separator));
        if (parent.find(L'\\') == std::wstring::npos || RegKey::exists(parent)) return missing;
        missing = parent;
    }
}

}  // namespace

void storePriorValue(RegistryStorage& storage, const std::wstring& keyPath,
                     const std::wstring& valueName) {
    if (RegKey::exists(keyPath)) {
        storage.getKey(keyPath).loadValue(valueName);
    } else {
        storage.deleteKey(highestMissing(keyPath));
    }
}

void storePriorTree(RegistryStorage& storage, const std::wstring& keyPath) {
    if (RegKey::exists(keyPath)) {
        RegistryStorage::Key& key = storage.getKey(keyPath);
        key.markDeleteFirst();
        key.loadTree();
    } else {
        storage.deleteKey(highestMissing(keyPath));
    }
}
