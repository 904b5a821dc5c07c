#include "items/AbstractRegItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/Params.h"
#include "items/SaveTarget.h"
#include "registry/PriorState.h"
#include "registry/RegKey.h"

void AbstractRegItem::configure(const xml::Element& params) {
    readParameters(params);
    deriveDefault();
    load();
}

void AbstractRegItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"key") {
            keyPath_ = param.getText();
        } else if (name == L"value") {
            valueName_ = param.getText();
        } else if (name == L"type") {
            type_ = typeFromString(param.getText());
        } else if (name == L"default") {
            defaultText_ = param.getText();
            defaultMeaningText_ = param.getAttribute(L"mean");
            defaultDeletes_ = param.getAttribute(L"delete") != NULL_STRING;
        }
    });
}

DWORD AbstractRegItem::typeFromString(const std::wstring& text) {
    if (text == L"REG_SZ") return REG_SZ;
    if (text == L"REG_EXPAND_SZ") return REG_EXPAND_SZ;
    if (text == L"REG_MULTI_SZ") return REG_MULTI_SZ;
    if (text == L"REG_DWORD") return REG_DWORD;
    if (text == L"REG_BINARY") return REG_BINARY;
    throw IllegalArgumentException(L"typeString:" + text);
}

void AbstractRegItem::store(SaveTarget& target) { storeTo(target.getStorage()); }

void AbstractRegItem::storePriorState(RegistryStorage& storage) {
    if (!isChanged()) return;
    checkKeyPath();
    storePriorValue(storage, keyPath_, valueName_);
}

const std::wstring& AbstractRegItem::getShortHelp() const {
    if (shortHelp_.empty()) {
        // Without a value parameter the item works on the key's unnamed
        // value, which has no name to show.
        const std::wstring& name = valueName_ == NULL_STRING ? std::wstring() : valueName_;
        shortHelp_ = joinPath(keyPath_, name);
    }
    return shortHelp_;
}

void AbstractRegItem::checkKeyPath() const {
    if (keyPath_ == NULL_STRING) throw ConfigException(L"no set key name");
}

bool AbstractRegItem::readFromKey(const std::function<void(RegKey&)>& read) {
    checkKeyPath();
    try {
        RegKey key(keyPath_, RegKey::READ);
        read(key);
        return true;
    } catch (const RegKeyException&) {
        return false;
    }
}

void AbstractRegItem::writeToKey(const std::function<void(RegKey&)>& write) {
    checkKeyPath();
    RegKey key(keyPath_, RegKey::CHANGE);
    write(key);
}
