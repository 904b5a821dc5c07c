#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "registry/RegScriptReader.h"

// The registry as a script would leave it, told only where the script
// decides: what the script sets, deletes or makes, laid over what the
// registry holds. Reading through it shows what importing the script would
// do without importing it. Paths and names are matched with their ASCII
// letters folded, as the registry matches them.
class RegistryLayer {
public:
    explicit RegistryLayer(const std::vector<RegScriptEntry>& entries);

    enum class State {
        REGISTRY,  // the script leaves it alone: the registry decides
        PRESENT,   // the script makes or sets it
        ABSENT,    // the script deletes it
    };

    struct Value {
        uint32_t type;
        std::vector<uint8_t> data;
    };

    State keyState(const std::wstring& path) const;
    // The value's state; PRESENT fills value. Name NULL_STRING is the
    // key's default value.
    State valueState(const std::wstring& path, const std::wstring& name, Value& value) const;
    // The key's sub-keys and values after the script, given those the
    // registry holds (none when the key is missing there). Values are listed
    // as the registry lists them: the default value under the empty name.
    std::vector<std::wstring> subKeyNames(const std::wstring& path,
                                          const std::vector<std::wstring>& registry) const;
    std::map<std::wstring, uint32_t> valueTypes(
        const std::wstring& path, const std::map<std::wstring, uint32_t>& registry) const;

private:
    struct Key {
        std::wstring path;
        // By folded name: the name as given, and the value, or none when
        // the script deletes it.
        std::map<std::wstring, std::pair<std::wstring, std::optional<Value>>> values;
    };

    // Whether a deletion in the script took the key's registry contents away.
    bool hidden(const std::wstring& folded) const;
    void makeKey(const std::wstring& path);

    std::map<std::wstring, Key> keys_;
    std::vector<std::wstring> deleted_;
};
