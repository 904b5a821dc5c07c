#include "registry/RegScriptCheck.h"

#include <gtest/gtest.h>

namespace {

// Each body follows the mark and the header line, with ~ for the key, in the
// text and in the refusal.
TEST(RegScriptCheck, AcceptsOnlyWhatChangesTheKeyOrBelowIt) {
    using namespace std::string_literals;
    const std::wstring key = L"HKEY_CURRENT_USER\\Software\\Recent";
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\r\n[~]\r\n\"a\"=dword:00000001\r\n@=\"x\"\r\n\r\n[~\\Sub\\Deeper]\r\n"
         L"\"b\"=hex:01,02,\\\r\n  03\r\n\"q\\\"=\" = \"v\"\r\n[-~\\Gone]\r\n",
         L""},
        {L"\n[hkey_current_user\\software\\RECENT\\a]\r\r\n\t\n", L""},
        {L"\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\"v\"=\"1\"\r\n",
         L"line 2 names a key outside ~: HKEY_LOCAL_MACHINE\\Software"},
        {L"\r\n[-HKEY_CURRENT_USER\\Software\\Other]\r\n",
         L"line 2 names a key outside ~: HKEY_CURRENT_USER\\Software\\Other"},
        {L"\r\n[~2]\r\n", L"line 2 names a key outside ~: ~2"},
        {L"\r\n[~\\]\r\n", L"line 2 names a key outside ~: ~\\"},
        {L"\r\n[~\\a] x\r\n", L"line 2 is no key, value or blank line"},
        // The editor ends a key's name at the last "]" of the line.
        {L"\r\n[~\\a]\\..]\r\n[~]x]\r\n", L"line 3 names a key outside ~: ~]x"},
        // A line break inside a quoted name starts a new line for the editor.
        {L"\r\n[~]\r\n\"a\rb\"=\"c\"\r\n", L"line 3 is no key, value or blank line"},
        {L"\r\n[~]\n\"v\"=hex:00\r\n  01\r\n", L"line 4 is no key, value or blank line"},
        {L"\r\n ;comment\r\n", L"line 2 is no key, value or blank line"},
        {L"\r\n [HKEY_LOCAL_MACHINE\\x]\r\n", L"line 2 is no key, value or blank line"},
        {L"\r\n[~]\r\n\"v\"=\"a\0b\"\r\n"s, L"line 3 holds NUL"},
        {L"\r\n\"open=1\r\n", L"line 2 is no key, value or blank line"},
    };
    const std::wstring header = L"\xFEFFWindows Registry Editor Version 5.00";
    int row = 0;
    for (const auto& [body, refusal] : cases) {
        std::wstring text = header + body;
        for (size_t at; (at = text.find(L'~')) != std::wstring::npos;) text.replace(at, 1, key);
        std::wstring shown = regScriptRefusal(text, key + L"\\");
        for (size_t at; (at = shown.find(key)) != std::wstring::npos;)
            shown.replace(at, key.size(), L"~");
        EXPECT_EQ(shown, refusal) << "row " << row;
        ++row;
    }
    for (const std::wstring& text :
         {L""s, L"\xFEFF"s, L"Windows Registry Editor Version 5.00\r\n"s, L"\xFEFFREGEDIT4\r\n"s,
          L"\xFEFFWindows Registry Editor Version 5.00 \r\n"s})
        EXPECT_EQ(regScriptRefusal(text, key), L"no registry script header");
}

}  // namespace
