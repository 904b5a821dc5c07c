#include "items/RegMultiValueItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/ListText.h"
#include "items/Params.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void RegMultiValueItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"name") {
            entryName_ = param.getText();
        } else if (name == L"correction") {
            correction_ = param.getText();
        }
    });
    AbstractRegValueItem::readParameters(params);
}

std::wstring RegMultiValueItem::readText(const RegKey& key) const {
    const std::wstring text = key.getString(getValueName(), NULL_STRING);
    return text == NULL_STRING ? text : settingText(getType(), text);
}

int32_t RegMultiValueItem::readValue(RegKey& key) {
    const std::wstring text = readText(key);
    if (text == NULL_STRING) return getDefaultValue();
    const std::wstring valueText = entryValue(text, entryName_);
    return valueText == NULL_STRING ? getDefaultValue() : valueIn(valueText);
}

int32_t RegMultiValueItem::valueIn(const std::wstring& entryValueText) const {
    try {
        return parseInt(entryValueText);
    } catch (const NumberFormatException&) {
        return getDefaultValue();
    }
}

std::wstring RegMultiValueItem::placeValue(const std::wstring& text, int32_t value) const {
    std::wstring base = text == NULL_STRING ? correction_ : text;
    if (base == NULL_STRING) base.clear();
    return withEntryValue(base, entryName_, toString(value));
}

void RegMultiValueItem::writeValue(RegKey& key, int32_t value) {
    key.setString(getValueName(), getType(),
                  registryText(getType(), placeValue(readText(key), value)));
}

void RegMultiValueItem::storeTo(RegistryStorage& storage) {
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    std::wstring text = entry.getValueString(getValueName());
    text = text == NULL_STRING ? readText(RegKey(getKeyPath(), RegKey::READ))
                               : settingText(getType(), text);
    entry.setString(getValueName(), getType(),
                    registryText(getType(), placeValue(text, getCurrentValue())));
}
