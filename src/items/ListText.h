#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Texts that hold several settings at once.
//
// A REG_MULTI_SZ list as the registry layer reads it: each string followed by
// one NUL. Strings are matched whole and without regard to ASCII letter case,
// so that looking for abc never finds the tail of xabc.

// The text of a value of the registry type that holds one setting: for
// REG_MULTI_SZ the list less the empty strings that end it, so that the list
// 5, NUL compares and parses as 5. Other types keep the text as it is.
std::wstring settingText(uint32_t type, const std::wstring& text);
// What to write for a setting's text to a value of the type: a REG_MULTI_SZ
// list ends in a NUL, so that with the terminator the registry adds the data
// ends in two, as every reader of a list expects.
std::wstring registryText(uint32_t type, const std::wstring& text);

// The position of the first string equal to the pattern, or npos.
size_t findMultiString(const std::wstring& text, const std::wstring& pattern);
// The list with the pattern added at the end when it is missing and present
// is set, or with its first occurrence removed when present is not set.
std::wstring withMultiString(std::wstring text, const std::wstring& pattern, bool present);

// An entry list: entries separated by single spaces, each a name, "=" and a
// value text, as in a=1 b=2,3,4 c=. Names are compared exactly; of several
// entries with one name the last counts.

// The value text of the entry, or NULL_STRING when there is none.
std::wstring entryValue(const std::wstring& text, const std::wstring& name);
// The text with the entry's value replaced, or the entry appended.
std::wstring withEntryValue(const std::wstring& text, const std::wstring& name,
                            const std::wstring& value);

// The elements of a comma list; a trailing comma adds no empty element.
std::vector<std::wstring> listElements(const std::wstring& valueText);
// The text with one element of the entry's comma list replaced. Throws
// IllegalArgumentException "no systemValueString" for NULL_STRING, "no
// entryName" when the entry is missing and "index out of range".
std::wstring withListElement(const std::wstring& text, const std::wstring& name, int32_t index,
                             const std::wstring& element);
