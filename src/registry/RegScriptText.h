#pragma once

#include <string_view>

// The characters of a registry script line as the registry editor reads
// them, shared by the check of a backup and the reader of settings files.
namespace regscript {

using Line = std::wstring_view;

inline bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

inline bool isHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

inline Line trimmedEnd(Line line) {
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

inline Line trimmedStart(Line line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    return line;
}

}  // namespace regscript
