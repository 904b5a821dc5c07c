#include "registry/RegScriptReader.h"

#include <gtest/gtest.h>

#include "core/Constants.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "registry/RegistryLayer.h"

namespace {

using namespace std::string_literals;

// The entries as one line each: number, kind, path, then name, type and
// bytes for values; or the error.
std::wstring described(const std::wstring& text) {
    static const wchar_t* const kinds[] = {L"key", L"-key", L"value", L"-value"};
    std::wstring out;
    try {
        for (const RegScriptEntry& entry : readRegScriptText(text)) {
            out += toString(static_cast<int32_t>(entry.line)) + L" " +
                   kinds[static_cast<int>(entry.kind)] + L" " + entry.keyPath;
            if (entry.kind == RegScriptEntry::Kind::VALUE ||
                entry.kind == RegScriptEntry::Kind::DELETE_VALUE) {
                out += L" " + (entry.valueName == NULL_STRING ? L"@" : entry.valueName) + L" " +
                       toString(static_cast<int32_t>(entry.type)) + L" ";
                for (const uint8_t byte : entry.data) out += byteToHex(byte);
            }
            out += L"|";
        }
    } catch (const ConfigException& e) {
        out += e.getMessage();
    }
    return out;
}

TEST(RegScriptReader, ReadsWhatTheRegistryEditorWritesAndNamesTheLineOfAnythingElse) {
    // Each body follows the mark and the header line; ~ is a key path.
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\r\n[~]\r\n\"a\"=dword:1\r\n@=\"x\\\\\\\"\"\r\n\r\n",
         L"2 key ~|3 value ~ a 4 01000000|4 value ~ @ 1 78005c0022000000|"},
        // Continuation after the prefix and after commas, past blank lines
        // and comments; bytes of one digit; N of hex(N) in hexadecimal.
        {L"\n[~\\s]\r\"b\"=hex:\\\n  1,0a,\\\r\n\r\n; c\n  FF \n\"q\"=hex(b):\n\"\"=-\n",
         L"2 key ~\\s|3 value ~\\s b 3 010aff|8 value ~\\s q 11 |9 -value ~\\s @ 0 |"},
        {L"\r\n[-~]\r\n[~]]\r\n\"n\" = \"v\"\r\n", L"2 -key ~|3 key ~]|4 value ~] n 1 76000000|"},
        {L"\r\n[~]\r\n\"a\"=dword:123456789\r\n",
         L"line 3: dword: takes 1 to 8 hexadecimal digits"},
        {L"\r\n[~]\r\n\"a\"=dword:0x1\r\n", L"line 3: dword is no hexadecimal number"},
        {L"\r\n[~]\r\n\"a\"=hex:01,\r\n", L"line 3: a comma ends the bytes"},
        {L"\r\n[~]\r\n\"a\"=hex:01\\\r\n 02\r\n", L"line 3: no comma after a byte"},
        {L"\r\n[~]\r\n\"a\"=hex:01,\\\r\n#02\r\n", L"line 4: no byte to continue with"},
        {L"\r\n[~]\r\n\"a\"=hex:01,\\\r\n", L"line 3: the file ends inside a value"},
        {L"\r\n[~]\r\n\"a\"=hex:100\r\n", L"line 3: no byte of 1 or 2 hexadecimal digits"},
        {L"\r\n[~]\r\n\"a\"=hex():00\r\n", L"line 3: no type in hex(N):"},
        {L"\r\n[~]\r\n\"a\"=\"b\r\n", L"line 3: quote not closed"},
        {L"\r\n[~]\r\n\"a\"=\"b\" x\r\n", L"line 3: text after the string"},
        {L"\r\n[~]\r\n\"a\\n\"=\"b\"\r\n", L"line 3: unknown escape \\n"},
        {L"\r\n[~]\r\n\"a\"=\"b\0\"\r\n"s, L"line 3: holds NUL"},
        {L"\r\n[~]\r\n\"a\" \"b\"\r\n", L"line 3: no \"=\" after the value's name"},
        {L"\r\n[~]\r\n\"a\"=str:1\r\n", L"line 3: no value data"},
        {L"\r\n\"a\"=\"b\"\r\n", L"line 2: value outside a key"},
        {L"\r\n[-~]\r\n\"a\"=-\r\n", L"line 3: value outside a key"},
        {L"\r\n[HKLM\\x]\r\n", L"line 2: no root key of the registry: HKLM\\x"},
        {L"\r\n[~\\]\r\n", L"line 2: empty key name in ~\\"},
        {L"\r\n[~] x\r\n", L"line 2: no key line"},
        {L"\r\n [~]\r\n", L"line 2: no key, value, comment or blank line"},
        {L"\r\n[~]\r\n\"a\"=dword:1", L"line 3: no line end: the file is incomplete"},
    };
    const std::wstring key = L"HKEY_CURRENT_USER\\Software\\velmora-test";
    int row = 0;
    for (const auto& [body, expected] : cases) {
        std::wstring text = L"\xFEFFWindows Registry Editor Version 5.00" + body;
        for (size_t at; (at = text.find(L'~')) != std::wstring::npos;) text.replace(at, 1, key);
        std::wstring shown = described(text);
        for (size_t at; (at = shown.find(key)) != std::wstring::npos;)
            shown.replace(at, key.size(), L"~");
        EXPECT_EQ(shown, expected) << "row " << row;
        ++row;
    }
    EXPECT_EQ(described(L"\xFEFFWindows Registry Editor Version 5.00 \r\n"),
              L"line 1: no \"Windows Registry Editor Version 5.00\" header");
    EXPECT_EQ(described(L"Windows Registry Editor Version 5.00\r\n"), L"no UTF-16 registry script");
    // A copy cut inside a code unit.
    EXPECT_THROW(readRegScript("\xFF\xFEW\0i"s), ConfigException);
    std::string bytes = "\xFF\xFE";
    for (const char c : "Windows Registry Editor Version 5.00\r\n"s) bytes += {c, '\0'};
    EXPECT_EQ(readRegScript(bytes).size(), 0u);
}

// A layer over a registry that holds A\x and A\old with the value v.
TEST(RegistryLayer, ShowsTheScriptsChangesOverTheRegistry) {
    const std::wstring text =
        L"\xFEFFWindows Registry Editor Version 5.00\r\n[-H\\A\\old]\r\n[H\\A\\New\\Deep]\r\n"
        L"\"d\"=dword:2\r\n[H\\a]\r\n\"V\"=-\r\n\"w\"=\"1\"\r\n[-H\\B]\r\n[H\\B\\c]\r\n";
    std::wstring script = text;
    for (size_t at; (at = script.find(L"H\\")) != std::wstring::npos;)
        script.replace(at, 1, L"HKEY_USERS");
    const RegistryLayer layer(readRegScriptText(script));
    using State = RegistryLayer::State;
    RegistryLayer::Value value{};
    EXPECT_EQ(layer.keyState(L"HKEY_USERS\\A\\new"), State::PRESENT);
    EXPECT_EQ(layer.keyState(L"HKEY_USERS\\A\\Old"), State::ABSENT);
    EXPECT_EQ(layer.keyState(L"HKEY_USERS\\A\\x"), State::REGISTRY);
    EXPECT_EQ(layer.valueState(L"HKEY_USERS\\A", L"v", value), State::ABSENT);
    EXPECT_EQ(layer.valueState(L"HKEY_USERS\\A", L"u", value), State::REGISTRY);
    EXPECT_EQ(layer.valueState(L"HKEY_USERS\\A\\new\\deep", L"D", value), State::PRESENT);
    EXPECT_EQ(value.data, (std::vector<uint8_t>{2, 0, 0, 0}));
    // Deleted and made again: the registry's contents stay gone.
    EXPECT_EQ(layer.valueState(L"HKEY_USERS\\B\\c", L"u", value), State::ABSENT);
    EXPECT_EQ(layer.subKeyNames(L"HKEY_USERS\\A", {L"x", L"old"}),
              (std::vector<std::wstring>{L"x", L"New"}));
    EXPECT_EQ(layer.subKeyNames(L"HKEY_USERS\\B", {L"gone"}), (std::vector<std::wstring>{L"c"}));
    EXPECT_EQ(layer.valueTypes(L"HKEY_USERS\\A", {{L"v", 4}, {L"u", 3}, {L"W", 4}}),
              (std::map<std::wstring, uint32_t>{{L"u", 3}, {L"w", 1}}));
}

}  // namespace
