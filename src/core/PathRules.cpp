#include "core/PathRules.h"

#include "core/StringUtil.h"

namespace {

bool isSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool hasSeparator(const std::wstring& text) {
    return text.find_first_of(L"\\/:") != std::wstring::npos;
}

}  // namespace

PathAnchor anchorOf(const std::wstring& path) {
    if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1])) return PathAnchor::Network;
    if (!path.empty() && isSlash(path[0])) return PathAnchor::CurrentDrive;
    if (path.size() >= 2 && isDriveLetter(path[0]) && path[1] == L':')
        return path.size() >= 3 && isSlash(path[2]) ? PathAnchor::Absolute
                                                    : PathAnchor::CurrentDrive;
    return PathAnchor::Relative;
}

bool isAbsolutePath(const std::wstring& path) {
    const PathAnchor anchor = anchorOf(path);
    return anchor == PathAnchor::Absolute || anchor == PathAnchor::Network;
}

bool isBareName(const std::wstring& name) {
    return !name.empty() && !hasSeparator(name) && name != L"." && name != L"..";
}

bool isPlainPattern(const std::wstring& pattern) {
    return !pattern.empty() && !hasSeparator(pattern) && pattern.find(L"..") == std::wstring::npos;
}

bool matchesPattern(const std::wstring& name, const std::wstring& pattern) {
    // The last "*" seen and the name position it was tried at: on a mismatch
    // the star takes one more unit and matching resumes after it.
    size_t n = 0, p = 0, star = std::wstring::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == L'?' || toLowerCase(pattern[p]) == toLowerCase(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::wstring::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

std::optional<std::wstring> expandVariables(const std::wstring& text,
                                            const VariableLookup& lookup) {
    std::wstring expanded;
    for (size_t at = 0;;) {
        const size_t open = text.find(L'%', at);
        if (open == std::wstring::npos) return expanded + text.substr(at);
        const size_t close = text.find(L'%', open + 1);
        if (close == std::wstring::npos) return std::nullopt;
        const std::optional<std::wstring> value = lookup(text.substr(open + 1, close - open - 1));
        if (!value) return std::nullopt;
        expanded += text.substr(at, open - at) + *value;
        at = close + 1;
    }
}
