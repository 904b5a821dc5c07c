#pragma once

#include <string>

namespace xml {
class Node;
}

// The text of a help element for the help area. Line breaks come either from
// the escaped text "<br>" in plain text (giving CR LF, with the lines
// trimmed) or from br elements in mixed content (giving CR). Runs of
// whitespace become one blank, since the files are indented freely.
std::wstring helpTextOf(const xml::Node& help);

// Every run of code units up to U+0020 becomes one blank; nothing is trimmed.
std::wstring collapseWhitespace(const std::wstring& text);
