#include "items/ListText.h"

#include "core/Constants.h"
#include "core/Exception.h"
#include "core/StringUtil.h"

namespace {

// Where the entry named starts and where it ends (at the space after it, or
// at the end of the text); start is npos when there is none. The last entry is
// taken, as readers of the list take it, so that what is written is read.
struct Span {
    size_t start;
    size_t end;
};

Span findEntry(const std::wstring& text, const std::wstring& name) {
    const std::wstring head = name + L"=";
    size_t start = text.rfind(L" " + head);
    if (start != std::wstring::npos) {
        ++start;
    } else if (startsWith(text, head)) {
        start = 0;
    }
    if (start == std::wstring::npos) return {start, start};
    const size_t end = text.find(L' ', start);
    return {start, end == std::wstring::npos ? text.size() : end};
}

}  // namespace

namespace {
constexpr uint32_t MULTI_SZ = 7;
}  // namespace

std::wstring settingText(uint32_t type, const std::wstring& text) {
    if (type != MULTI_SZ) return text;
    const size_t last = text.find_last_not_of(L'\0');
    return last == std::wstring::npos ? std::wstring() : text.substr(0, last + 1);
}

std::wstring registryText(uint32_t type, const std::wstring& text) {
    if (type != MULTI_SZ || (!text.empty() && text.back() == L'\0')) return text;
    return text + L'\0';
}

size_t findMultiString(const std::wstring& text, const std::wstring& pattern) {
    const std::wstring lower = toLowerCase(text), wanted = toLowerCase(pattern) + L'\0';
    for (size_t at = 0; (at = lower.find(wanted, at)) != std::wstring::npos; ++at) {
        if (at == 0 || lower[at - 1] == L'\0') return at;
    }
    return std::wstring::npos;
}

std::wstring withMultiString(std::wstring text, const std::wstring& pattern, bool present) {
    const size_t at = findMultiString(text, pattern);
    if (present && at == std::wstring::npos) {
        // The new string must start on its own: after a last string that lacks
        // its NUL it would lengthen that string, and after an empty string (all
        // that a missing or empty list reads as) readers never reach it, since
        // an empty string ends a REG_MULTI_SZ list.
        while (!text.empty() && text.back() == L'\0' &&
               (text.size() == 1 || text[text.size() - 2] == L'\0')) {
            text.pop_back();
        }
        if (!text.empty() && text.back() != L'\0') text += L'\0';
        return text + pattern + L'\0';
    }
    if (!present && at != std::wstring::npos) text.erase(at, pattern.size() + 1);
    return text;
}

std::wstring entryValue(const std::wstring& text, const std::wstring& name) {
    std::wstring value = NULL_STRING;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L' ', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring piece = text.substr(start, end - start);
        const size_t equals = piece.find(L'=');
        if (piece.substr(0, equals) == name)
            value = equals == std::wstring::npos ? L"" : piece.substr(equals + 1);
        start = end + 1;
    }
    return value;
}

std::wstring withEntryValue(const std::wstring& text, const std::wstring& name,
                            const std::wstring& value) {
    const std::wstring entry = name + L"=" + value;
    const Span span = findEntry(text, name);
    if (span.start != std::wstring::npos)
        return text.substr(0, span.start) + entry + text.substr(span.end);
    // No blank before the first entry of an empty list.
    return text.empty() ? entry : text + L" " + entry;
}

std::vector<std::wstring> listElements(const std::wstring& valueText) {
    std::vector<std::wstring> elements;
    size_t start = 0;
    for (size_t comma; (comma = valueText.find(L',', start)) != std::wstring::npos;
         start = comma + 1) {
        elements.push_back(valueText.substr(start, comma - start));
    }
    if (start < valueText.size() || elements.empty()) elements.push_back(valueText.substr(start));
    return elements;
}

std::wstring withListElement(const std::wstring& text, const std::wstring& name, int32_t index,
                             const std::wstring& element) {
    if (text == NULL_STRING) throw IllegalArgumentException(L"no systemValueString");
    const Span span = findEntry(text, name);
    if (span.start == std::wstring::npos) throw IllegalArgumentException(L"no entryName");
    const size_t valueStart = span.start + name.size() + 1;
    std::vector<std::wstring> elements =
        listElements(text.substr(valueStart, span.end - valueStart));
    if (index < 0 || static_cast<size_t>(index) >= elements.size())
        throw IllegalArgumentException(L"index out of range");
    elements[index] = element;
    std::wstring joined;
    for (size_t i = 0; i < elements.size(); ++i) joined += (i == 0 ? L"" : L",") + elements[i];
    return text.substr(0, valueStart) + joined + text.substr(span.end);
}
