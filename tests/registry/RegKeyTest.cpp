#include "registry/RegKey.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ScratchKey.h"
#include "core/Constants.h"
#include "core/Exception.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(RegKey, OpensByPathAndCreatesWhenChanging) {
    for (const std::wstring bad : {L"hkey_local_machine", L"HKEY_CURRENT_CONFIG", L""}) {
        EXPECT_EQ(messageOf<IllegalArgumentException>([&] { RegKey(bad + L"\\x", RegKey::READ); }),
                  L"rootString: " + bad);
    }
    // A root name alone is the root itself.
    const auto top = RegKey(L"HKEY_LOCAL_MACHINE", RegKey::READ).getSubKeyNames();
    EXPECT_NE(std::find(top.begin(), top.end(), L"Software"), top.end());

    const ScratchKey scratch;
    const std::wstring missing = scratch.subKey() + L"\\new\\deeper";
    EXPECT_EQ(
        messageOf<RegKeyException>([&] { RegKey(L"HKEY_CURRENT_USER\\" + missing, RegKey::READ); }),
        L"open key: " + missing);
    RegKey(HKEY_CURRENT_USER, missing, RegKey::CHANGE).setDWORD(L"d", 7);
    EXPECT_EQ(RegKey(L"HKEY_CURRENT_USER\\" + missing, RegKey::READ).getDWORD(L"d"), 7u);
}

TEST(RegKey, ReadsCheckTypeAndSizeAndWritesExactBytes) {
    const ScratchKey scratch;
    scratch.set(L"dword8", REG_DWORD, std::string(8, '\1'));
    // Anyone may write a user's values: short data must not pass for a DWORD.
    scratch.set(L"dword2", REG_DWORD, std::string(2, '\1'));
    scratch.set(L"odd", REG_SZ, std::string("a\0b", 3));
    scratch.set(L"qword", REG_QWORD, "12345678");
    scratch.set(L"open", REG_SZ, bytesOf(L"abc"));
    scratch.set(L"open-multi", REG_MULTI_SZ, bytesOf(std::wstring(L"one\0two", 7)));
    RegKey key(scratch.path(), RegKey::CHANGE);
    key.setDWORD(L"d", 0x01020304);
    key.setBytes(L"b", "\0\xff", 2);
    key.setString(L"s", REG_SZ, L"");
    key.setString(L"e", REG_EXPAND_SZ, L"%A%");
    key.setString(L"m", REG_MULTI_SZ, std::wstring(L"a\0b\0", 4));
    key.setString(NULL_STRING, REG_SZ, L"x");
    const std::tuple<std::wstring, DWORD, std::string> stored[] = {
        {L"d", REG_DWORD, "\4\3\2\1"},
        {L"b", REG_BINARY, std::string("\0\xff", 2)},
        {L"s", REG_SZ, std::string(2, '\0')},
        {L"e", REG_EXPAND_SZ, std::string("%\0A\0%\0\0\0", 8)},
        {L"m", REG_MULTI_SZ, std::string("a\0\0\0b\0\0\0\0\0", 10)},
        {NULL_STRING, REG_SZ, std::string("x\0\0\0", 4)},
        {L"qword", REG_QWORD, "12345678"},
        {L"open", REG_SZ, bytesOf(L"abc")},
    };
    for (const auto& [name, type, bytes] : stored) {
        const RegKey::RawValue value = key.getRawValue(name);
        EXPECT_EQ(value.type, type);
        EXPECT_EQ(std::string(value.data.begin(), value.data.end()), bytes);
    }
    EXPECT_EQ(key.getDWORD(L"d"), 0x01020304u);
    EXPECT_EQ(key.getBytes(L"b"), (Bytes{0, 0xff}));
    // Only a terminating NUL is dropped; data without one reads whole.
    const std::pair<std::wstring, std::wstring> texts[] = {
        {L"s", L""},
        {L"odd", L"a"},  // whole code units only
        {L"e", L"%A%"},
        {L"m", std::wstring(L"a\0b\0", 4)},
        {L"open", L"abc"},
        {L"open-multi", std::wstring(L"one\0two", 7)},
    };
    for (const auto& [name, text] : texts) EXPECT_EQ(key.getString(name), text) << name.c_str();
    EXPECT_EQ(key.getDWORD(L"s", 9), 9u);
    EXPECT_EQ(key.getString(L"missing", L"default"), L"default");
    EXPECT_FALSE(key.hasValue(L"missing"));

    const std::pair<std::function<void()>, std::wstring> failures[] = {
        {[&] { key.getDWORD(L"s"); }, L"type missmatch: 1"},
        {[&] { key.getDWORD(L"dword8"); }, L"size missmatch: 8"},
        {[&] { key.getDWORD(L"dword2"); }, L"size missmatch: 2"},
        {[&] { key.getBytes(L"m"); }, L"type missmatch: 7"},
        {[&] { key.getString(L"qword"); }, L"type missmatch: 11"},
        {[&] { key.getRawValue(L"missing"); }, L"query value: missing"},
        {[&] { key.deleteValue(L"missing"); }, L"delete value: missing"},
    };
    for (const auto& [f, message] : failures) EXPECT_EQ(messageOf<RegKeyException>(f), message);
    // The empty name would reach the default value by another spelling.
    const std::wstring nul(1, L'\0');
    const std::pair<std::function<void()>, std::wstring> refusals[] = {
        {[&] { key.hasValue(L""); }, L"empty value name"},
        {[&] { key.setDWORD(L"", 1); }, L"empty value name"},
        {[&] { key.setString(L"t", REG_DWORD, L"1"); }, L"type: 4"},
        {[&] { key.deleteSubKey(L""); }, L"keyName"},
        {[] { RegKey::deleteKeyIfParentExists(L"HKEY_USERS"); }, L"no separator: HKEY_USERS"},
        {[] { RegKey::deleteKeyIfParentExists(L"HKEY_USERS\\"); }, L"HKEY_USERS\\"},
        // The registry would take a name holding NUL as its part before it.
        {[&] { key.setDWORD(L"d" + nul + L"x", 1); }, L"value name holds NUL: d" + nul + L"x"},
        {[&] { key.getString(L"s" + nul); }, L"value name holds NUL: s" + nul},
        {[&] { RegKey(scratch.path() + nul + L"\\x", RegKey::CHANGE); },
         L"key path holds NUL: " + scratch.path() + nul + L"\\x"},
        {[&] { RegKey(HKEY_CURRENT_USER, scratch.subKey() + nul, RegKey::READ); },
         L"key path holds NUL: " + scratch.subKey() + nul},
        {[&] { key.deleteSubKey(L"k" + nul); }, L"key path holds NUL: k" + nul},
    };
    for (const auto& [f, message] : refusals) {
        EXPECT_EQ(messageOf<IllegalArgumentException>(f), message);
    }
    EXPECT_EQ(key.getDWORD(L"d"), 0x01020304u);
    EXPECT_EQ(key.getSubKeyNames(), std::vector<std::wstring>{});
}

TEST(RegKey, EnumeratesAndDeletesOnlyLeafKeys) {
    const ScratchKey scratch;
    const std::wstring path = scratch.path();
    RegKey key(path, RegKey::CHANGE);
    const std::wstring longest(255, L'k');  // the longest key name allowed
    for (const std::wstring name : {L"A \x65E5", longest.c_str(), L"tree\\branch"}) {
        RegKey(path + L"\\" + name, RegKey::CHANGE);
    }
    key.setString(longest, REG_SZ, L"");
    key.setBytes(NULL_STRING, "", 0);
    std::vector<std::wstring> names = key.getSubKeyNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A \x65E5", longest, L"tree"}));
    EXPECT_EQ(key.getValueTypes(),
              (std::map<std::wstring, DWORD>{{L"", REG_BINARY}, {longest, REG_SZ}}));

    key.deleteSubKey(L"A \x65E5");
    key.deleteValue(NULL_STRING);
    RegKey::deleteValueIfKeyExists(path + L"\\missing", L"v");
    RegKey::deleteKeyIfParentExists(path + L"\\missing\\key");
    EXPECT_EQ(messageOf<RegKeyException>([&] { key.deleteSubKey(L"tree"); }),
              L"delete sub key: tree");
    RegKey::deleteValueIfKeyExists(path, longest);
    RegKey::deleteKeyIfParentExists(path + L"\\tree\\branch");
    key.deleteSubKey(longest);
    EXPECT_EQ(key.getSubKeyNames(), std::vector<std::wstring>{L"tree"});
    EXPECT_TRUE(key.getValueTypes().empty());
}

TEST(RegKey, CloseReportsAFailureAndTheDestructorSurvivesOne) {
    const ScratchKey scratch;
    RegKey stale(scratch.path(), RegKey::READ);
    ASSERT_EQ(RegCloseKey(stale.getHandle()), ERROR_SUCCESS);
    EXPECT_THROW(stale.close(), std::runtime_error);
    EXPECT_EQ(messageOf<RegKeyException>([&] { stale.setDWORD(L"v", 1); }), L"set value: v");
    // Leaving the scope is the test: a destructor that let the failure out
    // would end the program.
    RegKey owned(scratch.path(), RegKey::READ);
    ASSERT_EQ(RegCloseKey(owned.getHandle()), ERROR_SUCCESS);
}

}  // namespace
