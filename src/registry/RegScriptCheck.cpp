#include "registry/RegScriptCheck.h"

#include <string_view>

#include "core/StringUtil.h"
#include "registry/RegScriptText.h"

namespace {

using namespace regscript;


bool isBlankLine(Line line) { return trimmedEnd(line).empty(); }

// Blanks, then hex digits, commas and blanks, perhaps a final backslash.
bool isContinuation(Line line) {
    line = trimmedEnd(line);
    size_t at = 0;
    while (at < line.size() && isBlank(line[at])) ++at;
    if (at == line.size() || !isHexDigit(line[at])) return false;
    if (line.back() == L'\\') line.remove_suffix(1);
    for (; at < line.size(); ++at)
        if (!isHexDigit(line[at]) && line[at] != L',' && !isBlank(line[at])) return false;
    return true;
}

// "@=" or a quoted name, where a backslash escapes the next unit, then "=".
bool isValueLine(Line line) {
    size_t at = 0;
    if (line.substr(0, 1) == L"@") {
        at = 1;
    } else if (line.substr(0, 1) == L"\"") {
        for (at = 1; at < line.size() && line[at] != L'"'; ++at)
            if (line[at] == L'\\') ++at;
        if (at >= line.size()) return false;
        ++at;
    } else {
        return false;
    }
    while (at < line.size() && isBlank(line[at])) ++at;
    return at < line.size() && line[at] == L'=';
}

// The path of "[path]" or "[-path]", where the editor takes the last "]" of
// the line for the end; nothing when the line is no key line.
bool keyPathOf(Line line, std::wstring& path) {
    line = trimmedEnd(line);
    if (line.size() < 2 || line.front() != L'[' || line.back() != L']') return false;
    line = line.substr(1, line.size() - 2);
    if (!line.empty() && line.front() == L'-') line.remove_prefix(1);
    path.assign(line);
    return true;
}

bool isAtOrBelow(const std::wstring& path, const std::wstring& key) {
    return equalsIgnoreCase(path, key) ||
           (path.size() > key.size() + 1 && startsWithIgnoreCase(path, key + L"\\"));
}

}  // namespace

std::wstring regScriptRefusal(const std::wstring& text, const std::wstring& keyPath) {
    static const std::wstring header = L"Windows Registry Editor Version 5.00";
    std::wstring key = keyPath;
    while (!key.empty() && key.back() == L'\\') key.pop_back();

    const std::wstring_view all(text);
    if (all.substr(0, 1) != L"\xFEFF") return L"no registry script header";
    bool continues = false;
    size_t number = 0;
    for (size_t start = 1; start <= all.size();) {
        size_t end = all.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) end = all.size();
        const Line line = all.substr(start, end - start);
        start = end + (all.substr(end, 2) == L"\r\n" ? 2 : 1);
        const std::wstring at = L"line " + toString(static_cast<int32_t>(++number));
        if (line.find(L'\0') != Line::npos) return at + L" holds NUL";
        if (number == 1) {
            if (line != header) return L"no registry script header";
            continue;
        }
        std::wstring path;
        if (keyPathOf(line, path)) {
            if (!isAtOrBelow(path, key)) return at + L" names a key outside " + key + L": " + path;
            continues = false;
        } else if (isValueLine(line) || (continues && isContinuation(line))) {
            continues = trimmedEnd(line).ends_with(L'\\');
        } else if (!isBlankLine(line)) {
            return at + L" is no key, value or blank line";
        }
    }
    return L"";
}
