#include "core/StringUtil.h"

#include <gtest/gtest.h>

#include <climits>

#include "MessageOf.h"
#include "core/Exception.h"

namespace {

TEST(ParseInt, AcceptsTheSignedRangeAndRefusesEverythingElse) {
    const struct {
        const wchar_t* text;
        int32_t value;
    } accepted[] = {{L"0", 0},
                    {L"-0", 0},
                    {L"007", 7},
                    {L"2147483647", INT32_MAX},
                    {L"-2147483648", INT32_MIN}};
    for (const auto& c : accepted) EXPECT_EQ(parseInt(c.text), c.value) << c.text;

    const struct {
        const wchar_t* text;
        const wchar_t* message;
    } refused[] = {
        {L"", L"empty string"},
        {L"-", L"-"},
        {L"+1", L"+1"},
        {L" 1", L" 1"},
        {L"1 ", L"1 "},
        {L"0x10", L"0x10"},
        {L"\xFF11", L"\xFF11"},  // a full-width digit is no digit
        {L"2147483648", L"2147483648 (overflow)"},
        {L"-2147483649", L"-2147483649 (overflow)"},
        {L"21474836470", L"21474836470 (overflow)"},
        {L"000002147483648", L"000002147483648 (overflow)"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(messageOf<NumberFormatException>([&] { parseInt(c.text); }), c.message);
    }
    for (int32_t n : {INT32_MIN, -10, 0, 9, 100, INT32_MAX}) EXPECT_EQ(parseInt(toString(n)), n);
    EXPECT_EQ(toString(INT32_MIN), L"-2147483648");
}

TEST(Text, CaseFoldingTouchesOnlyAsciiLetters) {
    EXPECT_EQ(toLowerCase(L"AbZ@[`{\x00C4\xFF21"), L"abz@[`{\x00C4\xFF21");
    EXPECT_TRUE(equalsIgnoreCase(L"HKEY_Local", L"hkey_LOCAL"));
    EXPECT_FALSE(equalsIgnoreCase(L"@", L"`"));  // 0x40 and 0x60 differ by the case bit only
    EXPECT_FALSE(equalsIgnoreCase(L"ab", L"abc"));
    EXPECT_TRUE(parseBoolean(L"TRUE"));
    EXPECT_FALSE(parseBoolean(L" true"));
    EXPECT_TRUE(startsWithIgnoreCase(L"Root.xml", L"rOOT"));
    EXPECT_FALSE(startsWithIgnoreCase(L"ro", L"root"));
    EXPECT_FALSE(startsWith(L"Root.xml", L"root"));
    EXPECT_TRUE(endsWithIgnoreCase(L"root1.XML", L".xml"));
    EXPECT_FALSE(endsWithIgnoreCase(L"xml", L".xml"));
}

TEST(Text, TrimDropsUnitsUpToBlankAtBothEnds) {
    EXPECT_EQ(trim(L"  a b  "), L"a b");
    EXPECT_EQ(trim(L"   "), L"");
    EXPECT_EQ(trim(std::wstring(L"\0\t\r\n x\x1F", 7)), L"x");
    EXPECT_EQ(trim(L"\x3000x\x00A0"), L"\x3000x\x00A0");
}

TEST(Text, PathsJoinAndSplitOnBackslashes) {
    EXPECT_EQ(joinPath(L"items", L"root.xml"), L"items\\root.xml");
    EXPECT_EQ(joinPath(L"C:\\", L"a.xml"), L"C:\\a.xml");
    EXPECT_EQ(joinPath(L"", L"a.xml"), L"a.xml");
    EXPECT_EQ(joinPath(L"items", L""), L"items");
    EXPECT_EQ(fileNameOf(L"C:\\items\\root.xml"), L"root.xml");
    EXPECT_EQ(fileNameOf(L"root.xml"), L"root.xml");
    EXPECT_EQ(parentPathOf(L"C:\\items\\root.xml"), L"C:\\items");
    EXPECT_EQ(parentPathOf(L"\\root.xml"), L"\\root.xml");
}

TEST(Text, HexDigitsBothWays) {
    for (int b = 0; b < 256; ++b) {
        const std::wstring hex = byteToHex(static_cast<uint8_t>(b));
        EXPECT_EQ(hexDigitValue(hex[0]) * 16 + hexDigitValue(hex[1]), b);
    }
    EXPECT_EQ(byteToHex(10), L"0a");
    EXPECT_EQ(hexDigitValue(L'F'), 15);
    for (wchar_t c : {L'/', L':', L'@', L'G', L'`', L'g'}) {
        EXPECT_EQ(messageOf<NumberFormatException>([&] { hexDigitValue(c); }),
                  std::wstring(L"hexToInt: ") + c);
    }
}

}  // namespace
