#include "registry/RegistryLayer.h"

#include <algorithm>
#include <set>

#include "core/Constants.h"
#include "core/StringUtil.h"

namespace {

bool isAtOrBelow(const std::wstring& folded, const std::wstring& top) {
    return folded == top ||
           (folded.size() > top.size() && folded.starts_with(top) && folded[top.size()] == L'\\');
}

std::wstring parentOf(const std::wstring& path) {
    const size_t separator = path.rfind(L'\\');
    return separator == std::wstring::npos ? L"" : path.substr(0, separator);
}

// The registry lists the default value under the empty name.
std::wstring listedName(const std::wstring& name) { return name == NULL_STRING ? L"" : name; }

}  // namespace

RegistryLayer::RegistryLayer(const std::vector<RegScriptEntry>& entries) {
    using Kind = RegScriptEntry::Kind;
    for (const RegScriptEntry& entry : entries) {
        const std::wstring folded = toLowerCase(entry.keyPath);
        switch (entry.kind) {
            case Kind::KEY:
                makeKey(entry.keyPath);
                break;
            case Kind::DELETE_KEY:
                std::erase_if(keys_,
                              [&](const auto& key) { return isAtOrBelow(key.first, folded); });
                deleted_.push_back(folded);
                break;
            case Kind::VALUE:
                keys_[folded].values[toLowerCase(entry.valueName)] = {
                    entry.valueName, Value{entry.type, entry.data}};
                break;
            case Kind::DELETE_VALUE:
                keys_[folded].values[toLowerCase(entry.valueName)] = {entry.valueName,
                                                                      std::nullopt};
                break;
        }
    }
}

// Making a key makes every missing key above it.
void RegistryLayer::makeKey(const std::wstring& path) {
    for (std::wstring key = path; !key.empty(); key = parentOf(key)) {
        Key& made = keys_[toLowerCase(key)];
        if (made.path.empty()) made.path = key;
    }
}

bool RegistryLayer::hidden(const std::wstring& folded) const {
    return std::any_of(deleted_.begin(), deleted_.end(),
                       [&](const std::wstring& top) { return isAtOrBelow(folded, top); });
}

RegistryLayer::State RegistryLayer::keyState(const std::wstring& path) const {
    const std::wstring folded = toLowerCase(path);
    if (keys_.contains(folded)) return State::PRESENT;
    return hidden(folded) ? State::ABSENT : State::REGISTRY;
}

RegistryLayer::State RegistryLayer::valueState(const std::wstring& path, const std::wstring& name,
                                               Value& value) const {
    const std::wstring folded = toLowerCase(path);
    const auto key = keys_.find(folded);
    if (key != keys_.end()) {
        const auto found = key->second.values.find(toLowerCase(name));
        if (found != key->second.values.end()) {
            if (!found->second.second) return State::ABSENT;
            value = *found->second.second;
            return State::PRESENT;
        }
    }
    return hidden(folded) ? State::ABSENT : State::REGISTRY;
}

std::vector<std::wstring> RegistryLayer::subKeyNames(
    const std::wstring& path, const std::vector<std::wstring>& registry) const {
    const std::wstring folded = toLowerCase(path);
    std::vector<std::wstring> names;
    std::set<std::wstring> listed;
    if (!hidden(folded)) {
        for (const std::wstring& name : registry) {
            const std::wstring child = folded + L"\\" + toLowerCase(name);
            if (!hidden(child) || keys_.contains(child)) {
                names.push_back(name);
                listed.insert(toLowerCase(name));
            }
        }
    }
    for (const auto& [key, made] : keys_) {
        if (parentOf(key) != folded) continue;
        const std::wstring name = made.path.substr(made.path.rfind(L'\\') + 1);
        if (listed.insert(toLowerCase(name)).second) names.push_back(name);
    }
    return names;
}

std::map<std::wstring, uint32_t> RegistryLayer::valueTypes(
    const std::wstring& path, const std::map<std::wstring, uint32_t>& registry) const {
    const std::wstring folded = toLowerCase(path);
    std::map<std::wstring, uint32_t> types;
    if (!hidden(folded)) types = registry;
    const auto key = keys_.find(folded);
    if (key == keys_.end()) return types;
    for (const auto& [foldedName, named] : key->second.values) {
        const std::wstring listed = listedName(named.first);
        std::erase_if(types,
                      [&](const auto& type) { return equalsIgnoreCase(type.first, listed); });
        if (named.second) types[listed] = named.second->type;
    }
    return types;
}
