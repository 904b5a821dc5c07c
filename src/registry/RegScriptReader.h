#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One change that a registry script makes, in the order of the file.
struct RegScriptEntry {
    enum class Kind {
        KEY,           // "[path]": the key, made when missing; the values below go into it
        DELETE_KEY,    // "[-path]": the key with everything below it
        VALUE,         // a value set to type and data
        DELETE_VALUE,  // "name"=- or @=-
    };

    Kind kind;
    // The line it stands on, counting the header as line 1.
    size_t line;
    std::wstring keyPath;
    // For values only; NULL_STRING is the key's default value ("@").
    std::wstring valueName;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

// Reads registry scripts as the registry editor reads the files it writes,
// more strictly where the editor would guess or silently drop a line: a file
// that was not written whole, or holds anything but keys, values, blank lines
// and comments, is refused, since what it would change cannot be known.
//
// Accepted: the mark FF FE, the header "Windows Registry Editor Version
// 5.00", "[path]" and "[-path]" below one of the four root keys, "@=" or a
// quoted name with \\ and \" escapes, then "-", a quoted string with the same
// escapes, "dword:" with 1 to 8 hexadecimal digits, or "hex:" or "hex(N):"
// with bytes of 1 or 2 digits separated by commas, a backslash after a comma
// continuing them on the next line that is not blank or a comment.
// Comments start with ";" at the start of a line. Every line ends in CR, LF
// or both, the last one too.
//
// Throws ConfigException "line <n>: <reason>", or naming the file's whole
// form when it is no UTF-16 registry script.
std::vector<RegScriptEntry> readRegScript(const std::string& bytes);
// The same from code units, the mark first.
std::vector<RegScriptEntry> readRegScriptText(const std::wstring& text);
