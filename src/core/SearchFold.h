#pragma once

#include <string>
#include <string_view>

// The text a search compares: ASCII letters in lower case, full-width ASCII
// as ASCII, the ideographic space as a space, and half-width katakana as
// full-width, a following voiced or semi-voiced sound mark composed with
// its kana. A person typing into a Japanese field gets either form
// depending on the input method's mode, and means the same text.
std::wstring foldForSearch(std::wstring_view text);

// Whether the folded query occurs in the folded text; an empty query occurs
// in every text.
inline bool foldedContains(std::wstring_view foldedText, std::wstring_view foldedQuery) {
    return foldedText.find(foldedQuery) != std::wstring_view::npos;
}
