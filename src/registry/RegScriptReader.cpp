#include "registry/RegScriptReader.h"

#include <string_view>

#include "core/Constants.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "registry/RegScriptText.h"

namespace {

using namespace regscript;
using Kind = RegScriptEntry::Kind;

constexpr std::wstring_view header = L"Windows Registry Editor Version 5.00";
const wchar_t* const roots[] = {L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE",
                                L"HKEY_USERS"};

void appendUnit(std::vector<uint8_t>& data, wchar_t unit) {
    data.push_back(static_cast<uint8_t>(unit & 0xFF));
    data.push_back(static_cast<uint8_t>((unit >> 8) & 0xFF));
}

class Reader {
public:
    explicit Reader(std::wstring_view text) : text_(text) {}

    std::vector<RegScriptEntry> read();

private:
    // The next line without its end, or false at the end of the text.
    bool nextLine(Line& line);
    [[noreturn]] void refuse(const std::wstring& reason) const;
    void readKeyLine(Line line);
    void readValueLine(Line line);
    // The quoted text at the start of rest, unescaped; rest moves past it.
    std::wstring quoted(Line& rest);
    void readBytes(Line rest, std::vector<uint8_t>& data);
    uint32_t hexNumber(Line digits, const wchar_t* what) const;

    std::wstring_view text_;
    size_t at_ = 0;
    size_t lineNumber_ = 0;
    std::vector<RegScriptEntry> entries_;
    // The key that value lines go into; empty after a deletion of a key.
    std::wstring key_;
};

bool Reader::nextLine(Line& line) {
    if (at_ >= text_.size()) return false;
    const size_t end = text_.find_first_of(L"\r\n", at_);
    // A partial copy, or a file still being written, ends inside a line.
    if (end == std::wstring_view::npos) {
        ++lineNumber_;
        refuse(L"no line end: the file is incomplete");
    }
    line = text_.substr(at_, end - at_);
    at_ = end + (text_.substr(end, 2) == L"\r\n" ? 2 : 1);
    ++lineNumber_;
    if (line.find(L'\0') != Line::npos) refuse(L"holds NUL");
    return true;
}

void Reader::refuse(const std::wstring& reason) const {
    throw ConfigException(L"line " + toString(static_cast<int32_t>(lineNumber_)) + L": " + reason);
}

std::vector<RegScriptEntry> Reader::read() {
    if (text_.substr(0, 1) != L"\xFEFF") throw ConfigException(L"no UTF-16 registry script");
    at_ = 1;
    Line line;
    if (!nextLine(line) || line != header) {
        lineNumber_ = 1;
        refuse(L"no \"Windows Registry Editor Version 5.00\" header");
    }
    while (nextLine(line)) {
        if (trimmedEnd(line).empty() || line.front() == L';') continue;
        if (line.front() == L'[') {
            readKeyLine(line);
        } else if (line.front() == L'@' || line.front() == L'"') {
            readValueLine(line);
        } else {
            refuse(L"no key, value, comment or blank line");
        }
    }
    return std::move(entries_);
}

void Reader::readKeyLine(Line line) {
    // The editor ends the path at the last "]", so a "]" inside it is kept.
    line = trimmedEnd(line);
    if (line.back() != L']' || line.size() < 3) refuse(L"no key line");
    line = line.substr(1, line.size() - 2);
    const bool deletes = line.front() == L'-';
    if (deletes) line.remove_prefix(1);
    const std::wstring path(line);
    const std::wstring root = path.substr(0, path.find(L'\\'));
    bool known = false;
    for (const wchar_t* name : roots) known = known || root == name;
    if (!known) refuse(L"no root key of the registry: " + path);
    if (path.ends_with(L'\\') || path.find(L"\\\\") != std::wstring::npos)
        refuse(L"empty key name in " + path);
    entries_.push_back({deletes ? Kind::DELETE_KEY : Kind::KEY, lineNumber_, path, L"", 0, {}});
    key_ = deletes ? L"" : path;
}

std::wstring Reader::quoted(Line& rest) {
    std::wstring text;
    size_t i = 1;
    for (; i < rest.size() && rest[i] != L'"'; ++i) {
        if (rest[i] == L'\\') {
            if (++i == rest.size()) break;
            // \n, \r and \0 stand for characters no line of the file may
            // carry, and the editor drops the backslash of any other escape
            // with no more than a warning.
            if (rest[i] != L'\\' && rest[i] != L'"')
                refuse(L"unknown escape \\" + std::wstring(1, rest[i]));
        }
        text += rest[i];
    }
    if (i >= rest.size()) refuse(L"quote not closed");
    rest.remove_prefix(i + 1);
    return text;
}

void Reader::readValueLine(Line line) {
    RegScriptEntry entry{Kind::VALUE, lineNumber_, key_, NULL_STRING, 0, {}};
    Line rest = line;
    if (rest.front() == L'@') {
        rest.remove_prefix(1);
    } else {
        entry.valueName = quoted(rest);
        // Two quotes name the default value too.
        if (entry.valueName.empty()) entry.valueName = NULL_STRING;
    }
    rest = trimmedStart(rest);
    if (rest.empty() || rest.front() != L'=') refuse(L"no \"=\" after the value's name");
    rest = trimmedStart(rest.substr(1));
    if (key_.empty()) refuse(L"value outside a key");
    if (trimmedEnd(rest) == L"-") {
        entry.kind = Kind::DELETE_VALUE;
    } else if (rest.starts_with(L'"')) {
        entry.type = 1;
        for (const wchar_t unit : quoted(rest)) appendUnit(entry.data, unit);
        appendUnit(entry.data, L'\0');
        if (!trimmedEnd(rest).empty()) refuse(L"text after the string");
    } else if (rest.starts_with(L"dword:")) {
        const Line digits = trimmedEnd(rest.substr(6));
        if (digits.empty() || digits.size() > 8) refuse(L"dword: takes 1 to 8 hexadecimal digits");
        const uint32_t value = hexNumber(digits, L"dword");
        entry.type = 4;
        for (int shift = 0; shift < 32; shift += 8)
            entry.data.push_back(static_cast<uint8_t>(value >> shift));
    } else if (rest.starts_with(L"hex:")) {
        entry.type = 3;
        readBytes(rest.substr(4), entry.data);
    } else if (rest.starts_with(L"hex(")) {
        const size_t close = rest.find(L"):");
        if (close == Line::npos || close == 4 || close > 12) refuse(L"no type in hex(N):");
        entry.type = hexNumber(rest.substr(4, close - 4), L"type");
        readBytes(rest.substr(close + 2), entry.data);
    } else {
        refuse(L"no value data");
    }
    entries_.push_back(std::move(entry));
}

uint32_t Reader::hexNumber(Line digits, const wchar_t* what) const {
    uint32_t value = 0;
    for (const wchar_t c : digits) {
        if (!isHexDigit(c)) refuse(std::wstring(what) + L" is no hexadecimal number");
        value = value * 16 + static_cast<uint32_t>(hexDigitValue(c));
    }
    return value;
}

// Bytes separated by commas; a backslash right after a comma, or right
// after the prefix, carries them on to the next line that is no blank line
// or comment, which may start with blanks.
void Reader::readBytes(Line rest, std::vector<uint8_t>& data) {
    for (bool first = true;; first = false) {
        rest = trimmedEnd(rest);
        if (rest == L"\\") {
            Line next;
            do {
                if (!nextLine(next)) refuse(L"the file ends inside a value");
            } while (trimmedEnd(next).empty() || next.front() == L';');
            rest = trimmedEnd(trimmedStart(next));
            if (!isHexDigit(rest.front())) refuse(L"no byte to continue with");
        } else if (rest.empty()) {
            if (first) return;
            refuse(L"a comma ends the bytes");
        }
        size_t digits = 0;
        while (digits < rest.size() && digits < 3 && isHexDigit(rest[digits])) ++digits;
        if (digits == 0 || digits == 3) refuse(L"no byte of 1 or 2 hexadecimal digits");
        data.push_back(static_cast<uint8_t>(hexNumber(rest.substr(0, digits), L"byte")));
        rest.remove_prefix(digits);
        if (rest.empty()) return;
        if (rest.front() != L',') refuse(L"no comma after a byte");
        rest.remove_prefix(1);
    }
}

}  // namespace

std::vector<RegScriptEntry> readRegScriptText(const std::wstring& text) {
    return Reader(text).read();
}

std::vector<RegScriptEntry> readRegScript(const std::string& bytes) {
    if (bytes.starts_with("REGEDIT4"))
        throw ConfigException(
            L"REGEDIT4 scripts are not read: save as \"Windows Registry Editor "
            L"Version 5.00\"");
    // An odd byte is half a code unit: the copy was cut.
    if (bytes.size() % 2 != 0) throw ConfigException(L"a code unit is cut: the file is incomplete");
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                       static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    return readRegScriptText(text);
}
