#include "items/RegValueItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/ListText.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

int32_t RegValueItem::readValue(RegKey& key) {
    switch (getType()) {
        case REG_DWORD:
            return static_cast<int32_t>(
                key.getDWORD(getValueName(), static_cast<DWORD>(getDefaultValue())));
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ: {
            // Text that is no number shows as the default rather than failing the
            // whole catalogue.
            const std::wstring text = settingText(getType(), key.getString(getValueName(), L""));
            if (text.empty()) return getDefaultValue();
            try {
                return parseInt(text);
            } catch (const NumberFormatException&) {
                return getDefaultValue();
            }
        }
        default:
            throw ConfigException(L"RegType");
    }
}

bool RegValueItem::deletesOnWrite(int32_t value) const {
    return value == getDefaultValue() && isDefaultDeletes();
}

void RegValueItem::writeValue(RegKey& key, int32_t value) {
    if (deletesOnWrite(value)) {
        key.deleteValue(getValueName());
        return;
    }
    switch (getType()) {
        case REG_DWORD:
            key.setDWORD(getValueName(), static_cast<DWORD>(value));
            break;
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ:
            key.setString(getValueName(), getType(), registryText(getType(), toString(value)));
            break;
        default:
            throw ConfigException(L"RegType");
    }
}

void RegValueItem::storeTo(RegistryStorage& storage) {
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    const int32_t value = getCurrentValue();
    if (deletesOnWrite(value)) {
        entry.deleteValue(getValueName());
        return;
    }
    switch (getType()) {
        case REG_DWORD:
            entry.setDWORD(getValueName(), static_cast<uint32_t>(value));
            break;
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ:
            entry.setString(getValueName(), getType(), registryText(getType(), toString(value)));
            break;
        default:
            throw ConfigException(L"RegType");
    }
}
