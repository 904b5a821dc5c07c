#include "registry/RegistryStorage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "ScratchKey.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "core/StringUtil.h"
#include "registry/RegistryStorageKey.h"

namespace {

const std::wstring header = L"Windows Registry Editor Version 5.00\r\n\r\n";
const std::wstring path = L"HKEY_CURRENT_USER\\Software\\v";

std::wstring fileText(const RegistryStorage& storage) {
    std::wostringstream out;
    storage.write(out);
    return out.str();
}

std::wstring fileText(const std::function<void(RegistryStorage&)>& fill) {
    RegistryStorage storage(L"unused");
    fill(storage);
    return fileText(storage);
}

std::wstring tempPath(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    return joinPath(temp, name);
}

std::string fileBytes(const std::wstring& name) {
    std::string bytes;
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(missing)";
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read != 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

TEST(RegistryStorage, WritesWholeFiles) {
    const std::uint8_t bytes[24] = {0,  1,  2,  3,  4,  5,  6,  7,  8,    9,
                                    10, 11, 12, 13, 14, 15, 16, 17, 0xfe, 0xff};
    const struct {
        std::function<void(RegistryStorage&)> fill;
        std::wstring expected;
    } cases[] = {
        {[](RegistryStorage&) {}, L""},
        {[](RegistryStorage& s) { s.getKey(path).setDWORD(L"Y", 1); },
         L"[" + path + L"]\r\n\"Y\"=dword:00000001\r\n\r\n"},
        {[](RegistryStorage& s) { s.getKey(path).setSZ(L"a\"b\\", L"C:\\dir \"x\""); },
         L"[" + path + L"]\r\n\"a\\\"b\\\\\"=\"C:\\\\dir \\\"x\\\"\"\r\n\r\n"},
        {[](RegistryStorage& s) {
             s.getKey(path).deleteValue(NULL_STRING);
             s.getKey(path).setDWORD(L"z", 0xDEADBEEF);
             s.getKey(path).setSZ(L"", L"");
         },
         L"[" + path + L"]\r\n\"\"=\"\"\r\n\"z\"=dword:deadbeef\r\n@=-\r\n\r\n"},
        {[](RegistryStorage& s) { s.deleteKey(path); }, L"[-" + path + L"]\r\n\r\n"},
        {[&](RegistryStorage& s) { s.getKey(path).setBytes(L"abc", bytes, 23); },
         L"[" + path +
             L"]\r\n\"abc\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,fe,ff,00,00,"
             L"00\r\n\r\n"},
        {[&](RegistryStorage& s) { s.getKey(path).setBytes(L"abc", bytes, 24); },
         L"[" + path +
             L"]\r\n\"abc\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,fe,ff,00,00,"
             L"00,\\\r\n  00\r\n\r\n"},
        {[](RegistryStorage& s) {
             s.getKey(path).setExpandSZ(L"e", L"%A%");
             s.getKey(path).setMultiSZ(L"m", std::wstring(L"a\0", 2));
             s.getKey(path).setBytes(NULL_STRING, "", 0);
         },
         L"[" + path +
             L"]\r\n\"e\"=hex(2):25,00,41,00,25,00,00,00\r\n\"m\"=hex(7):61,00,00,00,00,00\r\n@="
             L"hex:\r\n\r\n"},
        // Text that would break the line, and so inject lines, goes as bytes.
        {[](RegistryStorage& s) { s.getKey(path).setSZ(L"s", std::wstring(L"a\r\n[x]\0", 7)); },
         L"[" + path +
             L"]\r\n\"s\"=hex(1):61,00,0d,00,0a,00,5b,00,78,00,5d,00,00,00,00,00\r\n\r\n"},
        {[](RegistryStorage& s) {
             s.getKey(path).setRaw(L"q", 11, "\1\2\3\4\5\6\7\x08", 8);
             s.getKey(path).setRaw(L"n", 0, "", 0);
             s.getKey(path).setRaw(L"x", 0x12345678, "\xab", 1);
         },
         L"[" + path +
             L"]\r\n\"n\"=hex(0):\r\n\"q\"=hex(b):01,02,03,04,05,06,07,08\r\n\"x\"=hex(12345678):"
             L"ab\r\n\r\n"},
        // Keys and values in ASCII-folded order, each path as first given.
        {[](RegistryStorage& s) {
             s.getKey(L"HKEY_CURRENT_USER\\B").setDWORD(L"b", 2);
             s.getKey(L"HKEY_CURRENT_USER\\a").setDWORD(L"B", 1);
             s.getKey(L"HKEY_CURRENT_USER\\A").setDWORD(L"a", 0);
             s.getKey(L"HKEY_CURRENT_USER\\b").markDeleteFirst();
         },
         L"[HKEY_CURRENT_USER\\a]\r\n\"a\"=dword:00000000\r\n\"B\"=dword:00000001\r\n\r\n"
         L"[-HKEY_CURRENT_USER\\B]\r\n\r\n[HKEY_CURRENT_USER\\B]\r\n\"b\"=dword:00000002\r\n\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(fileText(c.fill), header + c.expected);

    // Past the first line, each line holds 25 bytes.
    const std::vector<uint8_t> long_(23 + 25 + 1, 0xaa);
    const std::wstring text = fileText(
        [&](RegistryStorage& s) { s.getKey(path).setBytes(L"abc", long_.data(), long_.size()); });
    std::wstring line25;
    for (int i = 0; i < 25; ++i) line25 += L"aa,";
    EXPECT_NE(text.find(L",\\\r\n  " + line25 + L"\\\r\n  aa\r\n"), std::wstring::npos) << text;
}

TEST(RegistryStorage, KeepsOneEntryPerKeyAndValueAndRefusesConflicts) {
    RegistryStorage storage(L"unused");
    RegistryStorage::Key& key = storage.getKey(path);
    EXPECT_EQ(&storage.getKey(toLowerCase(path)), &key);
    key.setDWORD(L"d", 0xFFFFFFFF);
    key.setSZ(L"s", L"text");
    key.setMultiSZ(L"m", std::wstring(L"a\0b\0", 4));
    key.setBytes(L"b", "h\0i\0!", 5);
    key.deleteValue(L"x");
    EXPECT_EQ(key.getValueString(L"D"), L"-1");
    EXPECT_EQ(key.getValueString(L"s"), L"text");
    EXPECT_EQ(key.getValueString(L"m"), std::wstring(L"a\0b\0", 4));
    EXPECT_EQ(key.getValueString(L"b"), L"hi");
    EXPECT_EQ(key.getValueString(L"x"), L"-");
    EXPECT_EQ(key.getValueString(L"missing"), NULL_STRING);
    key.setString(L"X", 2, L"%x%");
    EXPECT_EQ(key.getValueString(L"x"), L"%x%");
    EXPECT_THROW(key.setString(L"t", 4, L"1"), IllegalArgumentException);

    storage.deleteKey(path + L"\\gone");
    storage.deleteKey(path + L"\\GONE");
    const std::pair<std::function<void()>, std::wstring> conflicts[] = {
        {[&] { storage.getKey(path + L"\\Gone"); },
         L"conflict set and delete: " + path + L"\\Gone"},
        {[&] { storage.deleteKey(toLowerCase(path)); },
         L"conflict set and delete: " + toLowerCase(path)},
    };
    for (const auto& [operation, message] : conflicts)
        EXPECT_EQ(messageOf<ConfigException>(operation), message);
    EXPECT_EQ(messageOf<IllegalArgumentException>([&] { key.setString(L"t", 4, L"1"); }),
              L"type: 4");
}

TEST(RegistryStorage, RefusesWhatNoLineCanCarry) {
    const std::pair<std::function<void(RegistryStorage&)>, std::wstring> cases[] = {
        {[](RegistryStorage& s) { s.getKey(path).setDWORD(L"a\rb", 1); },
         L"value name with line break or NUL can't be written: a\rb"},
        {[](RegistryStorage& s) { s.getKey(path).deleteValue(L"a\n"); },
         L"value name with line break or NUL can't be written: a\n"},
        {[](RegistryStorage& s) { s.getKey(path).setSZ(std::wstring(L"a\0", 2), L""); },
         std::wstring(L"value name with line break or NUL can't be written: a\0", 54)},
        {[](RegistryStorage& s) { s.getKey(path + L"\n[HKEY_CURRENT_USER\\x"); },
         L"key path with line break or NUL can't be written: " + path + L"\n[HKEY_CURRENT_USER\\x"},
        {[](RegistryStorage& s) { s.deleteKey(path + L"\r"); },
         L"key path with line break or NUL can't be written: " + path + L"\r"},
        {[](RegistryStorage& s) { s.deleteKey(L"HKEY_CURRENT_USER"); },
         L"a whole root key can't be deleted: HKEY_CURRENT_USER"},
        {[](RegistryStorage& s) { s.deleteKey(L"HKEY_CURRENT_USER\\\\"); },
         L"a whole root key can't be deleted: HKEY_CURRENT_USER\\\\"},
        {[](RegistryStorage& s) { s.getKey(L"HKEY_USERS").markDeleteFirst(); },
         L"a whole root key can't be deleted: HKEY_USERS"},
    };
    const std::wstring file = tempPath(L"velmora-refused.reg");
    for (const auto& [fill, message] : cases) {
        DeleteFileW(file.c_str());
        RegistryStorage storage(file);
        fill(storage);
        EXPECT_EQ(messageOf<IOException>([&] { storage.save(); }), message);
        EXPECT_EQ(fileBytes(file), "(missing)");
    }
    // Neither the root key itself nor a key below it is refused for being set.
    EXPECT_EQ(fileText([](RegistryStorage& s) { s.getKey(L"HKEY_USERS").setDWORD(L"d", 0); }),
              header + L"[HKEY_USERS]\r\n\"d\"=dword:00000000\r\n\r\n");
}

TEST(RegistryStorage, SavesWithMarkAndExtension) {
    const std::pair<std::wstring, std::wstring> names[] = {
        {tempPath(L"velmora-backup"), tempPath(L"velmora-backup.reg")},
        {tempPath(L"velmora-backup.REG"), tempPath(L"velmora-backup.REG")},
    };
    for (const auto& [given, written] : names) {
        DeleteFileW(written.c_str());
        RegistryStorage storage(given);
        storage.getKey(L"HKEY_USERS\\\x65E5").setDWORD(L"d", 1);
        storage.save();
        const std::wstring expected = L'\xFEFF' + fileText(storage);
        EXPECT_EQ(fileBytes(written),
                  std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * 2));
        DeleteFileW(written.c_str());
    }
    EXPECT_EQ(fileBytes(tempPath(L"velmora-backup.REG.reg")), "(missing)");

    const std::wstring unreachable = tempPath(L"velmora-no-such-dir\\x");
    EXPECT_EQ(messageOf<IOException>([&] { RegistryStorage(unreachable).save(); }),
              L"CreateFile: " + unreachable + L".reg: 3");
}

TEST(RegistryStorage, BacksUpEveryValueAsTheRegistryHoldsIt) {
    const ScratchKey scratch;
    const std::wstring root = scratch.subKey();
    const std::wstring def = NULL_STRING;
    const std::pair<std::wstring, std::pair<DWORD, std::string>> values[] = {
        {L"sz", {REG_SZ, std::string("a\0\0\0", 4)}},
        {L"sz-no-terminator", {REG_SZ, std::string("a\0b\0", 4)}},
        {L"sz-empty", {REG_SZ, ""}},
        {L"multi-odd", {REG_MULTI_SZ, std::string("a\0\0", 3)}},
        {L"dword", {REG_DWORD, std::string("\1\0\0\0", 4)}},
        {L"dword8", {REG_DWORD, std::string("\1\0\0\0\2\0\0\0", 8)}},
        {L"qword", {REG_QWORD, std::string("\1\0\0\0\0\0\0\x80", 8)}},
        {L"none", {REG_NONE, ""}},
        {L"bin", {REG_BINARY, "\xff"}},
    };
    for (const auto& [name, value] : values) {
        ASSERT_EQ(setRawValue(HKEY_CURRENT_USER, root, &name, value.first, value.second),
                  ERROR_SUCCESS);
    }
    ASSERT_EQ(setRawValue(HKEY_CURRENT_USER, root, nullptr, REG_SZ, std::string("d\0\0\0", 4)),
              ERROR_SUCCESS);
    const std::wstring child = L"child";
    ASSERT_EQ(setRawValue(HKEY_CURRENT_USER, root + L"\\Sub\\deeper", &child, REG_DWORD,
                          std::string(4, '\0')),
              ERROR_SUCCESS);

    RegistryStorage storage(L"unused");
    storage.getKey(scratch.path()).loadTree();
    const std::wstring top = scratch.path();
    EXPECT_EQ(fileText(storage), header + L"[" + top +
                                     L"]\r\n"
                                     L"\"bin\"=hex:ff\r\n"
                                     L"\"dword\"=dword:00000001\r\n"
                                     L"\"dword8\"=hex(4):01,00,00,00,02,00,00,00\r\n"
                                     L"\"multi-odd\"=hex(7):61,00,00\r\n"
                                     L"\"none\"=hex(0):\r\n"
                                     L"\"qword\"=hex(b):01,00,00,00,00,00,00,80\r\n"
                                     L"\"sz\"=\"a\"\r\n"
                                     L"\"sz-empty\"=hex(1):\r\n"
                                     L"\"sz-no-terminator\"=hex(1):61,00,62,00\r\n"
                                     L"@=\"d\"\r\n\r\n"
                                     L"[" +
                                     top +
                                     L"\\Sub]\r\n\r\n"
                                     L"[" +
                                     top + L"\\Sub\\deeper]\r\n\"child\"=dword:00000000\r\n\r\n");
}

}  // namespace
