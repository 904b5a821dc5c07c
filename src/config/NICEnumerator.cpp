#include "config/NICEnumerator.h"

#include <windows.h>

#include <algorithm>

#include "config/ItemGroup.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/NICParameterItem.h"
#include "items/Params.h"
#include "registry/RegKey.h"

const std::wstring NICEnumerator::GLOBAL_ID = L"\x0001global";

namespace {

std::wstring childText(const xml::Node& parent, const wchar_t* childName) {
    std::wstring text = NULL_STRING;
    forEachParam(parent, [&](const std::wstring& name, const xml::Node& child) {
        if (name == childName) text = child.getText();
    });
    return text;
}

// The id names the interface's key and becomes a selector key. One that is
// empty, or names a key further down, would bind the adapter's copies to a
// key that is not its interface's; a control character could pass for the
// system-wide id.
bool usableId(const std::wstring& id) {
    return !id.empty() && std::none_of(id.begin(), id.end(), [](wchar_t c) {
        return c < L' ' || c == L'\\' || c == 0x7F;
    });
}

}  // namespace

void NICEnumerator::configure(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"label") {
            label_ = param.getText();
        } else if (name == L"key") {
            adapterKey_ = param.getText();
        } else if (name == L"classidValue") {
            idValueName_ = param.getText();
        } else if (name == L"nameValues") {
            forEachParam(param, [this](const std::wstring& childName, const xml::Node& child) {
                if (childName == L"nameValue") nameValueNames_.push_back(child.getText());
            });
        } else if (name == L"global") {
            addEntry({GLOBAL_ID, childText(param, L"name"), childText(param, L"key"), {}});
        } else if (name == L"interfaces") {
            interfacesKey_ = childText(param, L"key");
        }
    });
    enumerateAdapters();
}

void NICEnumerator::enumerateAdapters() {
    std::vector<std::wstring> subKeyNames;
    try {
        subKeyNames = RegKey(adapterKey_, RegKey::READ).getSubKeyNames();
    } catch (const RegKeyException&) {
        return;
    }
    for (const std::wstring& subKeyName : subKeyNames) {
        try {
            addAdapter(subKeyName);
        } catch (const RegKeyException&) {
            // A broken adapter costs only its own key.
        }
    }
}

void NICEnumerator::addAdapter(const std::wstring& subKeyName) {
    const RegKey adapter(joinPath(adapterKey_, subKeyName), RegKey::READ);
    const std::wstring id = adapter.getString(idValueName_);
    if (!usableId(id)) return;
    const std::wstring keyPath = joinPath(interfacesKey_, id);
    RegKey(keyPath, RegKey::READ).close();
    std::wstring name = NULL_STRING;
    for (const std::wstring& valueName : nameValueNames_) {
        if (name != NULL_STRING) break;
        name = adapter.getString(valueName, NULL_STRING);
    }
    // The choice must show something for an adapter without a name.
    if (name == NULL_STRING) name = id;
    addEntry({id, name, keyPath, {}});
}

// A second adapter under a key already listed would show its groups twice
// under one name, and two copies of each item would write one value. Ids
// are told apart as the registry tells the interfaces' key names apart,
// ignoring case beyond ASCII too.
void NICEnumerator::addEntry(Entry entry) {
    for (const auto& [listed, other] : entries_) {
        if (CompareStringOrdinal(entry.id.data(), static_cast<int>(entry.id.size()),
                                 other.id.data(), static_cast<int>(other.id.size()),
                                 TRUE) == CSTR_EQUAL) {
            return;
        }
    }
    std::wstring key = toLowerCase(entry.id);
    keys_.push_back(key);
    entries_.emplace(std::move(key), std::move(entry));
}

void NICEnumerator::addItemGroup(ItemGroup* group) {
    for (const std::wstring& key : keys_) {
        Entry& entry = entries_.at(key);
        // The system-wide entry is found by its id, not by its place, so that
        // without one no adapter takes the system-wide items.
        const bool global = entry.id == GLOBAL_ID;
        auto* keyGroup = new ItemGroup;
        keyGroup->setParent(this);
        keyGroup->setId(group->getId() + L"." + key);
        keyGroup->setName(group->getName());
        keyGroup->setHelp(group->getHelp());
        for (Item* item : group->getItems()) {
            Item* shown = nullptr;
            if (auto* parameter = dynamic_cast<NICParameterItem*>(item)) {
                const std::wstring& select = parameter->getSelect();
                if (global && (select == NULL_STRING || select == NICParameterItem::GLOBAL_ONLY))
                    shown = item;
                if (!global &&
                    (select == NULL_STRING || select == NICParameterItem::INTERFACES_ONLY))
                    shown = parameter->createInterfaceCopy(entry.keyPath);
            } else if (global) {
                shown = item;
            }
            if (shown == nullptr) continue;
            shown->setItemGroup(keyGroup);
            keyGroup->addItem(shown);
        }
        if (keyGroup->getItemCount() == 0) {
            delete keyGroup;
            continue;
        }
        Category::addItemGroup(keyGroup);
        entry.itemGroups.push_back(keyGroup);
    }
}

const NICEnumerator::Entry& NICEnumerator::entryOf(const std::wstring& key) const {
    const auto found = entries_.find(key);
    if (found == entries_.end()) throw IllegalArgumentException(key);
    return found->second;
}

const std::wstring& NICEnumerator::getKeyName(const std::wstring& key) const {
    return entryOf(key).name;
}

const std::vector<ItemGroup*>& NICEnumerator::getItemGroupsFor(const std::wstring& key) const {
    return entryOf(key).itemGroups;
}
