#include "registry/RegKey.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>

#include "ScratchKey.h"
#include "core/Constants.h"
#include "core/Exception.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Failures = std::vector<std::pair<std::function<void()>, std::wstring>>;

template <typename E>
void expectFailures(const Failures& failures) {
    for (const auto& [operation, message] : failures) EXPECT_EQ(messageOf<E>(operation), message);
}

class RegKeyTest : public testing::Test {
protected:
    void set(const std::wstring& name, DWORD type, const std::string& data) {
        ASSERT_EQ(setRawValue(HKEY_CURRENT_USER, scratch_.subKey(), &name, type, data),
                  ERROR_SUCCESS);
    }

    ScratchKey scratch_;
};

TEST_F(RegKeyTest, RootNamesAndPathsOpenOrCreateKeys) {
    EXPECT_EQ(RegKey::rootFromString(L"HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RegKey::rootFromString(L"HKEY_CURRENT_USER"), HKEY_CURRENT_USER);
    EXPECT_EQ(RegKey::rootFromString(L"HKEY_LOCAL_MACHINE"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RegKey::rootFromString(L"HKEY_USERS"), HKEY_USERS);
    for (const std::wstring bad : {L"hkey_local_machine", L"HKLM", L"HKEY_CURRENT_CONFIG", L""}) {
        EXPECT_EQ(messageOf<IllegalArgumentException>([&] { RegKey(bad + L"\\x", RegKey::READ); }),
                  L"rootString: " + bad);
    }

    // A root name alone is the root itself.
    const std::vector<std::wstring> top =
        RegKey(L"HKEY_LOCAL_MACHINE", RegKey::READ).getSubKeyNames();
    EXPECT_NE(std::find(top.begin(), top.end(), L"Software"), top.end());
    EXPECT_NO_THROW(RegKey(L"HKEY_CURRENT_USER", RegKey::CHANGE).getValueTypes());

    const std::wstring missing = scratch_.subKey() + L"\\new\\deeper";
    EXPECT_EQ(
        messageOf<RegKeyException>([&] { RegKey(L"HKEY_CURRENT_USER\\" + missing, RegKey::READ); }),
        L"open key: " + missing);
    RegKey(HKEY_CURRENT_USER, missing, RegKey::CHANGE).setDWORD(L"d", 7);
    EXPECT_EQ(RegKey(L"HKEY_CURRENT_USER\\" + missing, RegKey::READ).getDWORD(L"d"), 7u);
}

TEST_F(RegKeyTest, TypedReadsCheckTypeAndSize) {
    set(L"dword", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
    set(L"dword8", REG_DWORD, std::string(8, '\1'));
    set(L"sz", REG_SZ, std::string("a\0b\0\0\0", 6));
    set(L"empty", REG_SZ, "");
    set(L"terminator", REG_SZ, std::string(2, '\0'));
    set(L"odd", REG_SZ, std::string("a\0b", 3));
    set(L"expand", REG_EXPAND_SZ, std::string("%\0P\0%\0\0\0", 8));
    set(L"multi", REG_MULTI_SZ, std::string("a\0\0\0b\0\0\0\0\0", 10));
    set(L"binary", REG_BINARY, std::string("\0\1\2", 3));
    set(L"qword", REG_QWORD, std::string("\1\2\3\4\5\6\7\x08", 8));
    const RegKey key(scratch_.path(), RegKey::READ);

    EXPECT_EQ(key.getDWORD(L"dword"), 0x12345678u);
    EXPECT_EQ(key.getString(L"sz"), L"ab");
    EXPECT_EQ(key.getString(L"empty"), L"");
    EXPECT_EQ(key.getString(L"terminator"), L"");
    EXPECT_EQ(key.getString(L"odd"), L"");  // whole code units only, less the last
    EXPECT_EQ(key.getString(L"expand"), L"%P%");
    EXPECT_EQ(key.getString(L"multi"), std::wstring(L"a\0b\0", 4));
    EXPECT_EQ(key.getBytes(L"binary"), (Bytes{0, 1, 2}));
    EXPECT_TRUE(key.hasValue(L"qword"));
    EXPECT_FALSE(key.hasValue(L"missing"));
    EXPECT_EQ(key.getRawValue(L"qword").type, static_cast<DWORD>(REG_QWORD));
    EXPECT_EQ(key.getRawValue(L"qword").data, (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(key.getRawValue(L"odd").data, (Bytes{'a', 0, 'b'}));
    EXPECT_TRUE(key.getRawValue(L"empty").data.empty());
    EXPECT_EQ(key.getDWORD(L"sz", 9), 9u);
    EXPECT_EQ(key.getDWORD(L"missing", 9), 9u);
    EXPECT_EQ(key.getString(L"dword", L"default"), L"default");
    EXPECT_EQ(key.getString(L"sz", L"default"), L"ab");

    expectFailures<RegKeyException>({
        {[&] { key.getDWORD(L"sz"); }, L"type missmatch: 1"},
        {[&] { key.getDWORD(L"dword8"); }, L"size missmatch: 8"},
        {[&] { key.getBytes(L"multi"); }, L"type missmatch: 7"},
        {[&] { key.getString(L"binary"); }, L"type missmatch: 3"},
        {[&] { key.getString(L"qword"); }, L"type missmatch: 11"},
        {[&] { key.getString(L"missing"); }, L"query value: missing"},
        {[&] { key.getRawValue(L"missing"); }, L"query value: missing"},
    });
}

TEST_F(RegKeyTest, WritesStoreExactlyTheDataMeant) {
    RegKey key(scratch_.path(), RegKey::CHANGE);
    key.setDWORD(L"d", 0x01020304);
    key.setBytes(L"b", "\0\xff", 2);
    key.setBytes(L"none", nullptr, 0);
    key.setString(L"s", REG_SZ, L"x");
    key.setString(L"e", REG_EXPAND_SZ, L"%A%");
    key.setString(L"m", REG_MULTI_SZ, std::wstring(L"a\0b\0", 4));
    key.setString(NULL_STRING, REG_SZ, L"def");
    const std::tuple<std::wstring, DWORD, std::string> expected[] = {
        {L"d", REG_DWORD, std::string("\4\3\2\1", 4)},
        {L"b", REG_BINARY, std::string("\0\xff", 2)},
        {L"none", REG_BINARY, ""},
        {L"s", REG_SZ, std::string("x\0\0\0", 4)},
        {L"e", REG_EXPAND_SZ, std::string("%\0A\0%\0\0\0", 8)},
        {L"m", REG_MULTI_SZ, std::string("a\0\0\0b\0\0\0\0\0", 10)},
        {NULL_STRING, REG_SZ, std::string("d\0e\0f\0\0\0", 8)},
    };
    for (const auto& [name, type, bytes] : expected) {
        const RegKey::RawValue value = key.getRawValue(name);
        EXPECT_EQ(value.type, type);
        EXPECT_EQ(std::string(value.data.begin(), value.data.end()), bytes);
    }
    EXPECT_EQ(messageOf<IllegalArgumentException>([&] { key.setString(L"t", REG_DWORD, L"1"); }),
              L"type: 4");
    EXPECT_FALSE(key.hasValue(L"t"));

    // Every value operation refuses the empty name rather than reach the
    // default value by another spelling.
    expectFailures<IllegalArgumentException>({
        {[&] { key.hasValue(L""); }, L"empty value name"},
        {[&] { key.getDWORD(L"", 0); }, L"empty value name"},
        {[&] { key.getBytes(L""); }, L"empty value name"},
        {[&] { key.getString(L"", L""); }, L"empty value name"},
        {[&] { key.getRawValue(L""); }, L"empty value name"},
        {[&] { key.setDWORD(L"", 1); }, L"empty value name"},
        {[&] { key.setBytes(L"", "", 0); }, L"empty value name"},
        {[&] { key.setString(L"", REG_SZ, L""); }, L"empty value name"},
        {[&] { key.deleteValue(L""); }, L"empty value name"},
    });
}

TEST_F(RegKeyTest, EnumeratesSubKeysAndValuesWithTheDefaultUnderTheEmptyName) {
    RegKey key(scratch_.path(), RegKey::CHANGE);
    EXPECT_TRUE(key.getSubKeyNames().empty());
    EXPECT_TRUE(key.getValueTypes().empty());

    const std::wstring longest(255, L'k');  // the longest key name allowed
    for (const std::wstring name : {L"b", L"A \x65E5", longest.c_str()}) {
        RegKey(scratch_.path() + L"\\" + name, RegKey::CHANGE);
    }
    key.setDWORD(L"z", 1);
    key.setString(longest, REG_SZ, L"");
    key.setBytes(NULL_STRING, "", 0);
    set(L"q", REG_QWORD, std::string(8, '\0'));

    std::vector<std::wstring> names = key.getSubKeyNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A \x65E5", L"b", longest}));
    EXPECT_EQ(key.getValueTypes(),
              (std::map<std::wstring, DWORD>{
                  {L"", REG_BINARY}, {L"q", REG_QWORD}, {L"z", REG_DWORD}, {longest, REG_SZ}}));
}

TEST_F(RegKeyTest, DeletesValuesAndLeafKeysButNeverATreeOrTheKeyItself) {
    const std::wstring path = scratch_.path();
    RegKey key(path, RegKey::CHANGE);
    key.setDWORD(L"v", 1);
    key.setDWORD(NULL_STRING, 2);
    RegKey(path + L"\\leaf", RegKey::CHANGE);
    RegKey(path + L"\\tree\\branch", RegKey::CHANGE);
    key.deleteValue(L"v");
    key.deleteValue(NULL_STRING);
    key.deleteSubKey(L"leaf");
    EXPECT_TRUE(key.getValueTypes().empty());
    EXPECT_EQ(key.getSubKeyNames(), std::vector<std::wstring>{L"tree"});

    RegKey::deleteValueIfKeyExists(path + L"\\missing", L"v");
    RegKey::deleteKeyIfParentExists(path + L"\\missing\\key");
    expectFailures<RegKeyException>({
        {[&] { key.deleteValue(L"v"); }, L"delete value: v"},
        {[&] { key.deleteSubKey(L"leaf"); }, L"delete sub key: leaf"},
        {[&] { key.deleteSubKey(L"tree"); }, L"delete sub key: tree"},
        {[&] { RegKey::deleteValueIfKeyExists(path, L"v"); }, L"delete value: v"},
        {[&] { RegKey::deleteKeyIfParentExists(path + L"\\tree"); }, L"delete sub key: tree"},
    });
    expectFailures<IllegalArgumentException>({
        {[&] { key.deleteSubKey(NULL_STRING); }, L"keyName"},
        {[&] { key.deleteSubKey(L""); }, L"keyName"},
        {[] { RegKey::deleteKeyIfParentExists(L"HKEY_USERS"); }, L"no separator: HKEY_USERS"},
        {[&] { RegKey::deleteKeyIfParentExists(path + L"\\"); }, path + L"\\"},
    });

    key.setDWORD(L"v", 1);
    RegKey::deleteValueIfKeyExists(path, L"v");
    EXPECT_FALSE(key.hasValue(L"v"));
    RegKey::deleteKeyIfParentExists(path + L"\\tree\\branch");
    RegKey::deleteKeyIfParentExists(path + L"\\tree");
    EXPECT_TRUE(key.getSubKeyNames().empty());
}

TEST_F(RegKeyTest, CloseReportsAFailureAndTheDestructorSurvivesOne) {
    RegKey key(scratch_.path(), RegKey::CHANGE);
    key.close();
    EXPECT_EQ(messageOf<RegKeyException>([&] { key.setDWORD(L"v", 1); }), L"set value: v");

    RegKey stale(scratch_.path(), RegKey::READ);
    ASSERT_EQ(RegCloseKey(stale.getHandle()), ERROR_SUCCESS);
    try {
        stale.close();
        ADD_FAILURE() << "closing a handle that was already closed succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "close key");
    }

    // Reaching the end of the scope is the test: a destructor that let the
    // failure out would end the program here.
    {
        auto owned = std::make_unique<RegKey>(scratch_.path(), RegKey::READ);
        ASSERT_EQ(RegCloseKey(owned->getHandle()), ERROR_SUCCESS);
    }
}

}  // namespace
