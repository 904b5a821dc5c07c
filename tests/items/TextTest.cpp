#include <gtest/gtest.h>

#include "core/Constants.h"
#include "core/Exception.h"
#include "items/ByteText.h"
#include "items/ListText.h"

namespace {

using Bytes = std::vector<uint8_t>;
const std::wstring Z(1, L'\0');

TEST(ByteText, WritesLowerCaseHexAndReadsLeniently) {
    EXPECT_EQ(bytesToText({}), L"");
    EXPECT_EQ(bytesToText({0x01, 0x0A, 0xFF}), L"01,0a,ff");
    const std::pair<std::wstring, Bytes> cases[] = {
        {L"", {}},
        {L"01,0A,ff", {0x01, 0x0A, 0xFF}},
        {L"1,a,", {0x01, 0x0A}},
        {L"01,,02", {0x01, 0x00, 0x02}},
        {L",", {0x00}},
        // Far more digits than fit 32 bits: only the low byte survives.
        {L"123456789abcdef0123456789abcde7f", {0x7F}},
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(textToBytes(text), bytes);
    for (const std::wstring text : {L"01 02", L"0x01", L"g0"}) {
        EXPECT_THROW(textToBytes(text), NumberFormatException) << text;
    }
}

TEST(ListText, MultiStringsMatchWholeStringsIgnoringCase) {
    const struct {
        std::wstring text, pattern;
        size_t found;
        std::wstring checked, unchecked;
    } cases[] = {
        // The tail of a longer string is not the string.
        {L"xabc" + Z + L"def" + Z, L"abc", std::wstring::npos,
         L"xabc" + Z + L"def" + Z + L"abc" + Z, L"xabc" + Z + L"def" + Z},
        {L"abcd" + Z, L"abc", std::wstring::npos, L"abcd" + Z + L"abc" + Z, L"abcd" + Z},
        {L"ABC" + Z + L"x" + Z, L"abc", 0, L"ABC" + Z + L"x" + Z, L"x" + Z},
        // Only the first occurrence goes.
        {L"d" + Z + L"aBc" + Z + L"ABC" + Z, L"Abc", 2, L"d" + Z + L"aBc" + Z + L"ABC" + Z,
         L"d" + Z + L"ABC" + Z},
        // Appending never leaves the string behind an empty one or joined to
        // an unterminated one.
        {Z, L"abc", std::wstring::npos, L"abc" + Z, Z},
        {L"", L"abc", std::wstring::npos, L"abc" + Z, L""},
        {L"a" + Z + Z, L"abc", std::wstring::npos, L"a" + Z + L"abc" + Z, L"a" + Z + Z},
        {L"a" + Z + L"b", L"abc", std::wstring::npos, L"a" + Z + L"b" + Z + L"abc" + Z,
         L"a" + Z + L"b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findMultiString(c.text, c.pattern), c.found) << c.text.size();
        EXPECT_EQ(withMultiString(c.text, c.pattern, true), c.checked) << c.text.size();
        EXPECT_EQ(withMultiString(c.text, c.pattern, false), c.unchecked) << c.text.size();
    }
}

TEST(ListText, EntriesAreReadAndReplacedInPlace) {
    const std::pair<std::wstring, std::wstring> values[] = {
        {L"b", L"2,3"}, {L"c", L""}, {L"d", L""}, {L"e", NULL_STRING}, {L"f", L"2"}};
    for (const auto& [name, value] : values)
        EXPECT_EQ(entryValue(L"f=1 b=2,3 c= d f=2", name), value);
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"a=1 b=2 c=3", L"a=1 b=5 c=3"},
        {L"b=2 c=3", L"b=5 c=3"},
        {L"a=1 b=2", L"a=1 b=5"},
        {L"a=1", L"a=1 b=5"},
        {L"", L"b=5"},
        {L"ab=1 cb=2", L"ab=1 cb=2 b=5"},
        // The entry that reading takes is the one written.
        {L"b=1 b=2", L"b=1 b=5"},
    };
    for (const auto& [before, after] : cases) EXPECT_EQ(withEntryValue(before, L"b", L"5"), after);
}

TEST(ListText, ListElementsAreReplacedOrRefused) {
    const struct {
        std::wstring text;
        int32_t index;
        std::wstring result;
    } cases[] = {
        {L"a=1 b=2,3,4", 1, L"a=1 b=2,9,4"},       {L"b=2,3,4 c=5", 2, L"b=2,3,9 c=5"},
        {L"b=,3,,, c=5", 0, L"b=9,3,, c=5"},       {L"a=1 b=2,3,4", 3, L"index out of range"},
        {L"b=2", -1, L"index out of range"},       {L"a=1 ab=2", 0, L"no entryName"},
        {NULL_STRING, 0, L"no systemValueString"},
    };
    for (const auto& c : cases) {
        try {
            EXPECT_EQ(withListElement(c.text, L"b", c.index, L"9"), c.result);
        } catch (const IllegalArgumentException& e) {
            EXPECT_EQ(e.getMessage(), c.result) << c.text;
        }
    }
}

}  // namespace
