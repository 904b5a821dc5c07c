#include "config/HelpText.h"

#include <vector>

#include "core/StringUtil.h"
#include "xml/Node.h"

namespace {

const std::wstring BREAK = L"<br>";

std::wstring splitLines(const std::wstring& text) {
    std::wstring result;
    size_t start = 0;
    for (;;) {
        const size_t found = text.find(BREAK, start);
        result += trim(text.substr(start, found == std::wstring::npos ? found : found - start));
        if (found == std::wstring::npos) return result;
        result += L"\r\n";
        start = found + BREAK.size();
    }
}

// Walks with a stack of its own: a definition may nest elements far deeper
// than the thread's stack could follow.
void appendMixed(const xml::Node& node, std::wstring& out) {
    struct Level {
        xml::Node* const* next;
        xml::Node* const* end;
    };
    std::vector<Level> levels{{node.childrenBegin(), node.childrenEnd()}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.end) {
            levels.pop_back();
            continue;
        }
        const xml::Node& c = **level.next++;
        if (c.getType() == xml::TEXT_NODE) {
            out += collapseWhitespace(c.getText());
        } else if (c.getType() == xml::ELEMENT_NODE && c.getName() == L"br") {
            out += L'\r';
        } else {
            levels.push_back({c.childrenBegin(), c.childrenEnd()});
        }
    }
}

}  // namespace

std::wstring collapseWhitespace(const std::wstring& text) {
    std::wstring result;
    result.reserve(text.size());
    bool inRun = false;
    for (wchar_t c : text) {
        if (c <= 0x20) {
            if (!inRun) result += L' ';
            inRun = true;
        } else {
            result += c;
            inRun = false;
        }
    }
    return result;
}

std::wstring helpTextOf(const xml::Node& help) {
    if (help.getChildCount() == 1 && (*help.childrenBegin())->getType() == xml::TEXT_NODE) {
        return splitLines(collapseWhitespace(help.getText()));
    }
    std::wstring out;
    appendMixed(help, out);
    return out;
}
