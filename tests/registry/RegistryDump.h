#pragma once

// The oracle of tests that restore registry trees: a raw dump made with the
// registry API, never an export, which is not exact.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Key path below the dumped key, and for a value a line feed and its name
// ("" for the default) -> type and bytes; a key maps to type ~0.
using Dump = std::map<std::wstring, std::pair<DWORD, std::string>>;

// The key below the root with everything in it, named relative to it; empty
// when there is no such key.
inline Dump dump(const std::wstring& subKey, const std::wstring& relative = L"",
                 HKEY root = HKEY_CURRENT_USER) {
    Dump out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return out;
    out[relative] = {~0u, ""};
    std::vector<wchar_t> name(16384);
    std::vector<char> data(1 << 20);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, i, name.data(), &length, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
            break;
        }
        out[relative + L"\n" + std::wstring(name.data(), length)] = {type, {data.data(), size}};
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        const std::wstring child = L"\\" + std::wstring(name.data(), length);
        out.merge(dump(subKey + child, relative + child, root));
    }
    RegCloseKey(key);
    return out;
}

// Whether a value came back as it was. The editor sets values through
// RegSetValueEx, which extends a string that lacks its terminator by the one
// that follows it in the editor's buffer.
inline bool restored(const std::pair<DWORD, std::string>& was, const std::pair<DWORD, std::string>& is) {
    const std::string terminator(2, '\0');
    return is == was || (was.first == REG_SZ && is.first == REG_SZ && was.second.size() % 2 == 0 &&
                         !was.second.ends_with(terminator) && is.second == was.second + terminator);
}

// The differing keys and values, readably, or "" when the dumps agree.
inline std::wstring differences(const Dump& expected, const Dump& actual) {
    std::wstring report;
    for (const auto& [entry, value] : expected) {
        const auto found = actual.find(entry);
        if (found == actual.end() || !restored(value, found->second))
            report += L"lost or changed " + entry + L"\n";
    }
    for (const auto& [entry, value] : actual)
        if (!expected.count(entry)) report += L"extra " + entry + L"\n";
    return report.substr(0, 4000);
}
