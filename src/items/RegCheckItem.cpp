#include "items/RegCheckItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/ByteText.h"
#include "items/ListText.h"
#include "items/Params.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void RegCheckItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"true") {
            trueText_ = param.getText();
        } else if (name == L"false") {
            falseText_ = param.getText();
        }
    });
    AbstractRegCheckItem::readParameters(params);
}

void RegCheckItem::deriveDefault() {
    if (getDefaultText() == trueText_) {
        initDefaultState(true);
    } else if (getDefaultText() == falseText_) {
        initDefaultState(false);
    } else {
        throw ConfigException(L"default no match: " + getDefaultText());
    }
}

bool RegCheckItem::stateOf(const std::wstring& data) const {
    // True first: when both data are equal the item reads as checked.
    if (data == trueText_) return true;
    if (data == falseText_) return false;
    return getDefaultState();
}

bool RegCheckItem::readState(RegKey& key) {
    switch (getType()) {
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ:
            return stateOf(settingText(getType(), key.getString(getValueName())));
        case REG_DWORD: {
            // Parsed before reading, so that a faulty definition fails even when
            // the value is missing.
            const int32_t trueNumber = parseInt(trueText_);
            const int32_t falseNumber = parseInt(falseText_);
            const int32_t number = static_cast<int32_t>(key.getDWORD(getValueName()));
            if (number == trueNumber) return true;
            if (number == falseNumber) return false;
            return getDefaultState();
        }
        case REG_BINARY:
            return stateOf(bytesToText(key.getBytes(getValueName())));
        default:
            throw ConfigException(L"RegType");
    }
}

bool RegCheckItem::deletesOnWrite(bool state) const {
    return state == getDefaultState() && isDefaultDeletes();
}

void RegCheckItem::writeState(RegKey& key, bool state) {
    if (deletesOnWrite(state)) {
        key.deleteValue(getValueName());
        return;
    }
    const std::wstring& text = state ? trueText_ : falseText_;
    switch (getType()) {
        case REG_BINARY: {
            const std::vector<uint8_t> bytes = textToBytes(text);
            key.setBytes(getValueName(), bytes.data(), static_cast<DWORD>(bytes.size()));
            break;
        }
        case REG_DWORD:
            key.setDWORD(getValueName(), static_cast<DWORD>(parseInt(text)));
            break;
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ:
            key.setString(getValueName(), getType(), registryText(getType(), text));
            break;
        default:
            throw ConfigException(L"RegType");
    }
}

void RegCheckItem::storeTo(RegistryStorage& storage) {
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    const bool state = getCurrentState();
    if (deletesOnWrite(state)) {
        entry.deleteValue(getValueName());
        return;
    }
    const std::wstring& text = state ? trueText_ : falseText_;
    switch (getType()) {
        case REG_BINARY: {
            const std::vector<uint8_t> bytes = textToBytes(text);
            entry.setBytes(getValueName(), bytes.data(), bytes.size());
            break;
        }
        case REG_DWORD:
            entry.setDWORD(getValueName(), static_cast<uint32_t>(parseInt(text)));
            break;
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ:
            entry.setString(getValueName(), getType(), registryText(getType(), text));
            break;
        default:
            throw ConfigException(L"RegType");
    }
}
