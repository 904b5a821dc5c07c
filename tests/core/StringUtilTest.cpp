#include "core/StringUtil.h"

#include <gtest/gtest.h>

#include "MessageOf.h"
#include "core/Exception.h"

namespace {

TEST(ParseInt, AcceptsTheSignedRangeAndRefusesEverythingElse) {
    EXPECT_EQ(parseInt(L"-0"), 0);
    EXPECT_EQ(parseInt(L"007"), 7);
    for (int32_t n : {INT32_MIN, -10, 0, 9, 100, INT32_MAX}) EXPECT_EQ(parseInt(toString(n)), n);
    EXPECT_EQ(toString(INT32_MIN), L"-2147483648");
    const auto refusal = [](const std::wstring& text) {
        return messageOf<NumberFormatException>([&] { parseInt(text); });
    };
    EXPECT_EQ(refusal(L""), L"empty string");
    // A full-width digit is no digit.
    for (const std::wstring text : {L"-", L"+1", L" 1", L"1 ", L"0x10", L"\xFF11"})
        EXPECT_EQ(refusal(text), text);
    for (const std::wstring text :
         {L"2147483648", L"-2147483649", L"21474836470", L"000002147483648"})
        EXPECT_EQ(refusal(text), text + L" (overflow)");
}

// Only ASCII letters fold, and only units up to the blank are trimmed.
TEST(Text, FoldsAndTrimsOnlyAsciiAndSplitsPathsOnBackslashes) {
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
    EXPECT_EQ(trim(L"  a b  "), L"a b");
    EXPECT_EQ(trim(L"   "), L"");
    EXPECT_EQ(trim(std::wstring(L"\0\t\r\n x\x1F", 7)), L"x");
    EXPECT_EQ(trim(L"\x3000x\x00A0"), L"\x3000x\x00A0");

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
    for (wchar_t c : {L'/', L':', L'@', L'G', L'`', L'g'})
        EXPECT_EQ(messageOf<NumberFormatException>([&] { hexDigitValue(c); }),
                  std::wstring(L"hexToInt: ") + c);
}

}  // namespace
