#include "items/RegMultiStringCheckItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/ListText.h"
#include "items/Params.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

namespace {
// The list of a missing value: one NUL.
const std::wstring EMPTY_LIST(1, L'\0');
}  // namespace

void RegMultiStringCheckItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"pattern") pattern_ = param.getText();
    });
    // Without a pattern checking would add U+FFFF to the list, and an empty
    // one would end the list early for every reader.
    if (pattern_ == NULL_STRING || pattern_.empty())
        throw ConfigException(L"no <pattern> of item " + getId());
    AbstractRegCheckItem::readParameters(params);
}

void RegMultiStringCheckItem::deriveDefault() { initDefaultState(parseBoolean(getDefaultText())); }

bool RegMultiStringCheckItem::readState(RegKey& key) {
    return findMultiString(key.getString(getValueName()), pattern_) != std::wstring::npos;
}

void RegMultiStringCheckItem::writeState(RegKey& key, bool state) {
    const std::wstring text = key.getString(getValueName(), EMPTY_LIST);
    key.setString(getValueName(), REG_MULTI_SZ,
                  registryText(REG_MULTI_SZ, withMultiString(text, pattern_, state)));
}

void RegMultiStringCheckItem::storeTo(RegistryStorage& storage) {
    RegistryStorage::Key& entry = storage.getKey(getKeyPath());
    std::wstring text = entry.getValueString(getValueName());
    if (text == NULL_STRING)
        text = RegKey(getKeyPath(), RegKey::READ).getString(getValueName(), EMPTY_LIST);
    entry.setMultiSZ(getValueName(),
                     registryText(REG_MULTI_SZ, withMultiString(text, pattern_, getCurrentState())));
}
