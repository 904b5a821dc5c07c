#include "items/RegMultiListValueItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/ListText.h"
#include "items/Params.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

void RegMultiListValueItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"index") index_ = parseInt(param.getText());
    });
    RegMultiValueItem::readParameters(params);
}

int32_t RegMultiListValueItem::valueIn(const std::wstring& entryValueText) const {
    const std::vector<std::wstring> elements = listElements(entryValueText);
    if (index_ < 0 || static_cast<size_t>(index_) >= elements.size()) return getDefaultValue();
    return RegMultiValueItem::valueIn(elements[index_]);
}

std::wstring RegMultiListValueItem::placeValue(const std::wstring& text, int32_t value) const {
    try {
        return withListElement(text, getEntryName(), index_, toString(value));
    } catch (const IllegalArgumentException&) {
        return withListElement(getCorrection(), getEntryName(), index_, toString(value));
    }
}

void RegMultiListValueItem::storeTo(RegistryStorage& storage) {
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    std::wstring text = entry.getValueString(getValueName());
    if (text == NULL_STRING) text = RegKey(getKeyPath(), RegKey::READ).getString(getValueName());
    entry.setString(getValueName(), getType(),
                    registryText(getType(), placeValue(settingText(getType(), text),
                                                       getCurrentValue())));
}
