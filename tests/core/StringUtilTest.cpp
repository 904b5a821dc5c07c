#include "core/StringUtil.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/Exception.h"

namespace {

TEST(ParseInt, AcceptsTheWholeSignedRangeAndLeadingZeros) {
    const struct {
        const wchar_t* text;
        int32_t value;
    } cases[] = {
        {L"0", 0},
        {L"-0", 0},
        {L"007", 7},
        {L"-007", -7},
        {L"2147483647", INT32_MAX},
        {L"-2147483648", INT32_MIN},
        {L"-2147483647", -INT32_MAX},
        {L"214748364", 214748364},
    };
    for (const auto& c : cases) EXPECT_EQ(parseInt(c.text), c.value) << c.text;
}

TEST(ParseInt, RefusesWithTheMessageOfEachFault) {
    const struct {
        const wchar_t* text;
        const wchar_t* message;
    } cases[] = {
        {L"", L"empty string"},
        {L"-", L"-"},
        {L"--1", L"--1"},
        {L"+1", L"+1"},
        {L" 1", L" 1"},
        {L"1 ", L"1 "},
        {L"0x10", L"0x10"},
        {L"1-", L"1-"},
        {L"\xFF11", L"\xFF11"},  // a full-width digit is no digit
        {L"2147483648", L"2147483648 (overflow)"},
        {L"-2147483649", L"-2147483649 (overflow)"},
        {L"21474836470", L"21474836470 (overflow)"},
        {L"99999999999999999999", L"99999999999999999999 (overflow)"},
        {L"000002147483648", L"000002147483648 (overflow)"},
    };
    for (const auto& c : cases) {
        try {
            parseInt(c.text);
            ADD_FAILURE() << "accepted: " << testing::PrintToString(std::wstring(c.text));
        } catch (const NumberFormatException& e) {
            EXPECT_EQ(e.getMessage(), c.message);
        }
    }
}

TEST(ToString, WritesDecimalThatParsesBack) {
    EXPECT_EQ(toString(0), L"0");
    EXPECT_EQ(toString(-1), L"-1");
    EXPECT_EQ(toString(1000), L"1000");
    EXPECT_EQ(toString(INT32_MAX), L"2147483647");
    EXPECT_EQ(toString(INT32_MIN), L"-2147483648");
    for (int32_t n : {INT32_MIN, -65536, -10, 9, 10, 99, 100, 123456789, INT32_MAX}) {
        EXPECT_EQ(parseInt(toString(n)), n);
    }
}

TEST(CaseFolding, TouchesOnlyAsciiLetters) {
    EXPECT_EQ(toLowerCase(L"AbZ@[`{09"), L"abz@[`{09");
    EXPECT_EQ(toLowerCase(L"\x00C4\x0391\xFF21"), L"\x00C4\x0391\xFF21");
    EXPECT_TRUE(equalsIgnoreCase(L"HKEY_Local", L"hkey_LOCAL"));
    EXPECT_FALSE(equalsIgnoreCase(L"\x00C4", L"\x00E4"));
    EXPECT_FALSE(equalsIgnoreCase(L"ab", L"abc"));
    EXPECT_FALSE(equalsIgnoreCase(L"@", L"`"));  // 0x40 and 0x60 differ by the case bit only

    EXPECT_TRUE(parseBoolean(L"TRUE"));
    EXPECT_TRUE(parseBoolean(L"true"));
    EXPECT_FALSE(parseBoolean(L" true"));
    EXPECT_FALSE(parseBoolean(L"yes"));
    EXPECT_FALSE(parseBoolean(L""));
}

TEST(CaseFolding, PrefixesAndSuffixes) {
    EXPECT_TRUE(startsWith(L"root.xml", L"root"));
    EXPECT_TRUE(startsWith(L"root", L""));
    EXPECT_FALSE(startsWith(L"Root.xml", L"root"));
    EXPECT_FALSE(startsWith(L"ro", L"root"));
    EXPECT_TRUE(startsWithIgnoreCase(L"Root.xml", L"rOOT"));
    EXPECT_FALSE(startsWithIgnoreCase(L"ro", L"root"));
    EXPECT_TRUE(endsWithIgnoreCase(L"root1.XML", L".xml"));
    EXPECT_FALSE(endsWithIgnoreCase(L"xml", L".xml"));
    EXPECT_FALSE(endsWithIgnoreCase(L"root.xm", L".xml"));
}

TEST(Trim, DropsControlCharactersAndSpacesAtBothEnds) {
    EXPECT_EQ(trim(L"  a b  "), L"a b");
    EXPECT_EQ(trim(L"   "), L"");
    EXPECT_EQ(trim(L""), L"");
    EXPECT_EQ(trim(std::wstring(L"\x01\t\r\n x\x1F\x20", 8)), L"x");
    EXPECT_EQ(trim(std::wstring(L"\0a\0", 3)), L"a");
    // Only code units up to 0x20 count as blanks.
    EXPECT_EQ(trim(L"\x3000x\x00A0"), L"\x3000x\x00A0");
    EXPECT_EQ(trim(L"!x!"), L"!x!");
}

TEST(Paths, JoinAndSplitOnBackslashes) {
    EXPECT_EQ(joinPath(L"items", L"root.xml"), L"items\\root.xml");
    EXPECT_EQ(joinPath(L"C:\\", L"a.xml"), L"C:\\a.xml");
    EXPECT_EQ(joinPath(L"", L"a.xml"), L"a.xml");
    EXPECT_EQ(joinPath(L"items", L""), L"items");
    EXPECT_EQ(joinPath(L"a/", L"b"), L"a/\\b");  // only the backslash separates

    EXPECT_EQ(fileNameOf(L"C:\\items\\root.xml"), L"root.xml");
    EXPECT_EQ(fileNameOf(L"root.xml"), L"root.xml");
    EXPECT_EQ(fileNameOf(L"C:\\items\\"), L"");

    EXPECT_EQ(parentPathOf(L"C:\\items\\root.xml"), L"C:\\items");
    EXPECT_EQ(parentPathOf(L"items\\sub\\"), L"items\\sub");
    EXPECT_EQ(parentPathOf(L"root.xml"), L"root.xml");
    EXPECT_EQ(parentPathOf(L"\\root.xml"), L"\\root.xml");
}

TEST(Hex, DigitsBothWaysAndTheRefusal) {
    const std::wstring digits = L"0123456789abcdefABCDEF";
    for (size_t i = 0; i < digits.size(); ++i) {
        EXPECT_EQ(hexDigitValue(digits[i]), i < 16 ? static_cast<int>(i) : static_cast<int>(i) - 6);
    }
    for (wchar_t c : {L'/', L':', L'@', L'G', L'`', L'g', L'x', L' ', L'\xFF10'}) {
        try {
            hexDigitValue(c);
            ADD_FAILURE() << "accepted " << static_cast<int>(c);
        } catch (const NumberFormatException& e) {
            EXPECT_EQ(e.getMessage(), std::wstring(L"hexToInt: ") + c);
        }
    }
    EXPECT_EQ(byteToHex(10), L"0a");
    EXPECT_EQ(byteToHex(255), L"ff");
    EXPECT_EQ(byteToHex(0), L"00");
    EXPECT_EQ(byteToHex(0xA5), L"a5");
    for (int b = 0; b < 256; ++b) {
        const std::wstring hex = byteToHex(static_cast<uint8_t>(b));
        EXPECT_EQ(hexDigitValue(hex[0]) * 16 + hexDigitValue(hex[1]), b);
    }
}

}  // namespace
