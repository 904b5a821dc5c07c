#include "config/HelpText.h"

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

void appendMixed(const xml::Node& node, std::wstring& out) {
    for (xml::Node* const* child = node.childrenBegin(); child != node.childrenEnd(); ++child) {
        const xml::Node& c = **child;
        if (c.getType() == xml::TEXT_NODE) {
            out += collapseWhitespace(c.getText());
        } else if (c.getType() == xml::ELEMENT_NODE && c.getName() == L"br") {
            out += L'\r';
        } else {
            appendMixed(c, out);
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
