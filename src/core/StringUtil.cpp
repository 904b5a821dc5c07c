#include "core/StringUtil.h"

#include <climits>

#include "core/Exception.h"

int32_t parseInt(const std::wstring& s) {
    if (s.empty()) throw NumberFormatException(L"empty string");
    size_t i = 0;
    const bool negative = s[0] == L'-';
    if (negative) {
        if (s.size() == 1) throw NumberFormatException(s);
        i = 1;
    }
    // Accumulating downwards reaches INT32_MIN, whose magnitude has no
    // positive counterpart.
    int32_t acc = 0;
    for (; i < s.size(); ++i) {
        const wchar_t c = s[i];
        if (c < L'0' || c > L'9') throw NumberFormatException(s);
        const int64_t next = static_cast<int64_t>(acc) * 10 - (c - L'0');
        if (acc < -214748364 || next < INT32_MIN) throw NumberFormatException(s + L" (overflow)");
        acc = static_cast<int32_t>(next);
    }
    if (negative) return acc;
    if (acc == INT32_MIN) throw NumberFormatException(s + L" (overflow)");
    return -acc;
}

std::wstring toString(int32_t n) {
    // Work in the negative range so that INT32_MIN needs no special case.
    int32_t rest = n < 0 ? n : -n;
    wchar_t buffer[12];
    wchar_t* p = buffer + sizeof buffer / sizeof buffer[0];
    do {
        *--p = static_cast<wchar_t>(L'0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (n < 0) *--p = L'-';
    return std::wstring(p, buffer + sizeof buffer / sizeof buffer[0]);
}

bool parseBoolean(const std::wstring& s) { return equalsIgnoreCase(s, L"true"); }

wchar_t toLowerCase(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

std::wstring toLowerCase(const std::wstring& s) {
    std::wstring result(s);
    for (wchar_t& c : result) c = toLowerCase(c);
    return result;
}

namespace {

bool equalIgnoringCaseAt(const std::wstring& s, size_t offset, const std::wstring& t) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (toLowerCase(s[offset + i]) != toLowerCase(t[i])) return false;
    }
    return true;
}

}  // namespace

bool equalsIgnoreCase(const std::wstring& s, const std::wstring& t) {
    return s.size() == t.size() && equalIgnoringCaseAt(s, 0, t);
}

bool startsWith(const std::wstring& s, const std::wstring& t) {
    return s.size() >= t.size() && s.compare(0, t.size(), t) == 0;
}

bool startsWithIgnoreCase(const std::wstring& s, const std::wstring& t) {
    return s.size() >= t.size() && equalIgnoringCaseAt(s, 0, t);
}

bool endsWithIgnoreCase(const std::wstring& s, const std::wstring& t) {
    return s.size() >= t.size() && equalIgnoringCaseAt(s, s.size() - t.size(), t);
}

std::wstring trim(const std::wstring& s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && s[begin] <= 0x20) ++begin;
    while (end > begin && s[end - 1] <= 0x20) --end;
    return s.substr(begin, end - begin);
}

std::wstring joinPath(const std::wstring& dir, const std::wstring& name) {
    if (dir.empty()) return name;
    if (name.empty()) return dir;
    if (dir.back() == L'\\') return dir + name;
    return dir + L'\\' + name;
}

std::wstring fileNameOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring parentPathOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos || slash == 0 ? path : path.substr(0, slash);
}

int hexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    throw NumberFormatException(std::wstring(L"hexToInt: ") + c);
}

std::wstring byteToHex(uint8_t b) {
    static const wchar_t digits[] = L"0123456789abcdef";
    return {digits[b >> 4], digits[b & 0x0F]};
}
