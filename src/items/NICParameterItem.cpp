#include "items/NICParameterItem.h"

#include "core/Exception.h"
#include "items/Params.h"
#include "registry/RegKey.h"

void NICParameterItem::readNICParameters(const xml::Element& params) {
    inheritRequested_ = false;
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"select") {
            select_ = param.getText();
        } else if (name == L"interfaces") {
            interfaces_ = static_cast<const xml::Element*>(&param);
        } else if (name == L"inherit") {
            inheritRequested_ = true;
        }
    });
    if (inheritRequested_ && inheritee_ == nullptr)
        throw ConfigException(L"<inherit> outside <interfaces> in item " + getId());
}

bool NICParameterItem::hasOwnValue(const std::wstring& keyPath, const std::wstring& valueName) {
    try {
        return RegKey(keyPath, RegKey::READ).hasValue(valueName);
    } catch (const RegKeyException&) {
        return false;
    }
}
