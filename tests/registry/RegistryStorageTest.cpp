#include "registry/RegistryStorage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "ScratchKey.h"
#include "core/Constants.h"
#include "core/Platform.h"
#include "registry/RegKey.h"
#include "registry/RegistryStorageKey.h"

namespace {

using Fill = std::function<void(RegistryStorage&)>;
const std::wstring header = L"Windows Registry Editor Version 5.00\r\n\r\n";
const std::wstring path = L"HKEY_CURRENT_USER\\Software\\v", head = header + L"[" + path + L"]\r\n";

std::wstring fileText(const Fill& fill) {
    RegistryStorage storage(L"unused");
    fill(storage);
    std::wostringstream out;
    storage.write(out);
    return out.str();
}

// The file's bytes, or "(missing)".
std::string fileBytes(const std::wstring& name) {
    std::ifstream in(std::string(name.begin(), name.end()), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(missing)";
}

// The names of the files in the directory that start as the name given.
std::vector<std::wstring> filesLike(const std::wstring& start) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((start + L"*").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
        names.push_back(found.cFileName);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    return names;
}

TEST(RegistryStorage, WritesWholeFiles) {
    const uint8_t bytes[24] = {0,  1,  2,  3,  4,  5,  6,  7,  8,    9,
                               10, 11, 12, 13, 14, 15, 16, 17, 0xfe, 0xff};
    const std::wstring row =
        L"\"abc\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,fe,ff,00,00,00";
    const std::pair<Fill, std::wstring> cases[] = {
        {[](RegistryStorage&) {}, header},
        {[](RegistryStorage& s) { s.getKey(path).setDWORD(L"Y", 0xDEADBEEF); },
         head + L"\"Y\"=dword:deadbeef\r\n\r\n"},
        {[](RegistryStorage& s) { s.getKey(path).setSZ(L"a\"b\\", L"C:\\dir \"x\""); },
         head + L"\"a\\\"b\\\\\"=\"C:\\\\dir \\\"x\\\"\"\r\n\r\n"},
        {[](RegistryStorage& s) {
             s.getKey(path).deleteValue(NULL_STRING);
             s.getKey(path).setSZ(L"", L"");
         },
         head + L"\"\"=\"\"\r\n@=-\r\n\r\n"},
        {[](RegistryStorage& s) { s.deleteKey(path); }, header + L"[-" + path + L"]\r\n\r\n"},
        {[&](RegistryStorage& s) { s.getKey(path).setBytes(L"abc", bytes, 23); },
         head + row + L"\r\n\r\n"},
        {[&](RegistryStorage& s) { s.getKey(path).setBytes(L"abc", bytes, 24); },
         head + row + L",\\\r\n  00\r\n\r\n"},
        {[](RegistryStorage& s) {
             s.getKey(path).setExpandSZ(L"e", L"%A%");
             s.getKey(path).setMultiSZ(L"m", std::wstring(L"a\0", 2));
             s.getKey(path).setRaw(L"x", 0x12345678, "\xab", 1);
             s.getKey(path).setBytes(NULL_STRING, "", 0);
         },
         head + L"\"e\"=hex(2):25,00,41,00,25,00,00,00\r\n\"m\"=hex(7):61,00,00,00,00,00\r\n"
                L"\"x\"=hex(12345678):ab\r\n@=hex:\r\n\r\n"},
        // Text that would break the line, and so inject lines, goes as bytes.
        {[](RegistryStorage& s) { s.getKey(path).setSZ(L"s", std::wstring(L"\r\n[\0", 4)); },
         head + L"\"s\"=hex(1):0d,00,0a,00,5b,00,00,00,00,00\r\n\r\n"},
        // Keys and values in ASCII-folded order, each path as first given.
        {[](RegistryStorage& s) {
             s.getKey(L"HKEY_USERS\\B").setDWORD(L"b", 2);
             s.getKey(L"HKEY_USERS\\a").setDWORD(L"B", 1);
             s.getKey(L"HKEY_USERS\\A").setDWORD(L"a", 0);
             s.getKey(L"HKEY_USERS\\b").markDeleteFirst();
         },
         header + L"[HKEY_USERS\\a]\r\n\"a\"=dword:00000000\r\n"
                  L"\"B\"=dword:00000001\r\n\r\n[-HKEY_USERS\\B]\r\n\r\n[HKEY_USERS\\B]\r\n"
                  L"\"b\"=dword:00000002\r\n\r\n"},
    };
    for (const auto& [fill, expected] : cases) EXPECT_EQ(fileText(fill), expected);
}

TEST(RegistryStorage, KeepsOneEntryPerKeyAndValueAndRefusesConflicts) {
    RegistryStorage storage(L"unused");
    RegistryStorage::Key& key = storage.getKey(path);
    EXPECT_EQ(&storage.getKey(toLowerCase(path)), &key);
    key.setDWORD(L"d", 0xFFFFFFFF);
    key.setBytes(L"b", "h\0i\0!", 5);
    key.deleteValue(L"x");
    EXPECT_EQ(key.getValueString(L"D"), L"-1");
    EXPECT_EQ(key.getValueString(L"b"), L"hi");
    EXPECT_EQ(key.getValueString(L"x"), L"-");
    EXPECT_EQ(key.getValueString(L"missing"), NULL_STRING);
    key.setString(L"X", REG_EXPAND_SZ, L"%x%");
    EXPECT_EQ(key.getValueString(L"x"), L"%x%");
    EXPECT_EQ(messageOf<IllegalArgumentException>([&] { key.setString(L"t", 4, L"1"); }),
              L"type: 4");

    // Deleting a value of a key to be deleted, before or after, is no
    // conflict: settings whose default is no value record that in a key
    // that another setting deletes.
    storage.deleteKey(path + L"\\gone");
    storage.deleteKey(path + L"\\GONE");
    storage.getKey(path + L"\\Gone").deleteValue(L"v");
    RegistryStorage::Key& gone = storage.getKey(path + L"\\Gone");
    EXPECT_EQ(messageOf<ConfigException>([&] { gone.setDWORD(L"v", 1); }),
              L"conflict set and delete: " + path + L"\\gone");
    storage.getKey(path + L"\\after").deleteValue(L"v");
    storage.deleteKey(path + L"\\after");
    EXPECT_EQ(messageOf<ConfigException>([&] { storage.deleteKey(path); }),
              L"conflict set and delete: " + path);
}

// Makes a symbolic link of the host's at the first path, to the second, as a
// process of the user could: Wine follows such links as Windows follows its
// own, and offers no call of its own to make one. Without a target the link
// goes, which only the host can do: Wine's DeleteFile removes the target.
void hostLink(const std::wstring& link, const std::wstring& target = L"") {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    ASSERT_NE(unixName, nullptr);
    const auto host = [&](const std::wstring& windowsPath) {
        char* name = unixName(windowsPath.c_str());
        const std::string text = name != nullptr ? name : "";
        HeapFree(GetProcessHeap(), 0, name);
        return L'"' + std::wstring(text.begin(), text.end()) + L'"';
    };
    if (target.empty())
        launchProcess(L"Z:\\bin\\rm", L"rm -f " + host(link));
    else
        launchProcess(L"Z:\\bin\\ln", L"ln -s " + host(target) + L" " + host(link));
    // Wine does not follow a host program to its end: the change is waited for.
    for (int i = 0; i < 100 && exists(link) == target.empty(); ++i) Sleep(100);
    ASSERT_NE(exists(link), target.empty());
}

// Saving renders the whole file first, so that a name no line can carry is
// refused before anything is written, and an old file is replaced whole or not
// at all: no refusal, nor a handle held on the old file, leaves anything but
// the old file behind. ".reg" is added unless the name ends so.
TEST(RegistryStorage, SavesWholeFilesWithMarkAndExtensionOrLeavesTheOldOne) {
    const ScratchDir dir;
    const std::wstring file = dir.file(L"saved");
    const std::string old = "an old file, longer than the new one will be" + std::string(4096, 'x');
    const std::wstring name = L"value name with line break or NUL can't be written: ",
                       keyPath = L"key path with line break or NUL can't be written: ",
                       root = L"a whole root key can't be deleted: ", saved = L"(nothing thrown)",
                       moved = L"MoveFileEx: " + file + L".reg: ";
    const Fill set = [](RegistryStorage& s) { s.getKey(L"HKEY_USERS\\\x65E5").setDWORD(L"d", 1); };
    const struct {
        Fill fill;
        std::wstring failure;  // followed by the system's error code where it ends in ": "
        DWORD share = ~0u;     // of a handle held on the old file while saving, if any
        std::wstring suffix = L"";
        bool linked = false;  // a link planted where the temporary file once went
    } cases[] = {
        {set, saved},
        {set, saved, ~0u, L"", true},
        {set, saved, ~0u, L".REG"},
        {set, moved, 0},
        {set, moved, FILE_SHARE_READ | FILE_SHARE_WRITE},
        {[](RegistryStorage& s) { s.getKey(path).setDWORD(L"a\rb", 1); }, name + L"a\rb"},
        {[](RegistryStorage& s) { s.getKey(path).deleteValue(L"a\n"); }, name + L"a\n"},
        {[](RegistryStorage& s) { s.getKey(path).setSZ(std::wstring(1, L'\0'), L""); },
         name + std::wstring(1, L'\0')},
        {[](RegistryStorage& s) { s.getKey(path + L"\n[x"); }, keyPath + path + L"\n[x"},
        {[](RegistryStorage& s) { s.deleteKey(path + L"\r"); }, keyPath + path + L"\r"},
        {[](RegistryStorage& s) { s.deleteKey(L"HKEY_USERS\\\\"); }, root + L"HKEY_USERS\\\\"},
        {[](RegistryStorage& s) { s.getKey(L"HKEY_USERS").markDeleteFirst(); },
         root + L"HKEY_USERS"},
    };
    const std::wstring victim = file + L"-victim",
                       link = file + L".reg." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    for (const auto& [fill, failure, share, suffix, linked] : cases) {
        std::ofstream(std::string(file.begin(), file.end()) + ".reg", std::ios::binary) << old;
        std::ofstream(std::string(victim.begin(), victim.end()), std::ios::binary) << "victim";
        if (linked) hostLink(link, victim);
        const HANDLE held = share == ~0u ? INVALID_HANDLE_VALUE
                                         : CreateFileW((file + L".reg").c_str(), GENERIC_READ,
                                                       share, nullptr, OPEN_EXISTING, 0, nullptr);
        RegistryStorage storage(file + suffix);
        fill(storage);
        const std::wstring message = messageOf<IOException>([&] { storage.save(); });
        EXPECT_EQ(failure.ends_with(L": ") ? message.substr(0, failure.size()) : message, failure);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(fileBytes(file + L".reg"),
                  failure == saved ? bytesOf(L'\xFEFF' + fileText(fill)) : old)
            << message;
        EXPECT_EQ(fileBytes(victim), "victim");
        if (linked) hostLink(link);
        DeleteFileW(victim.c_str());
        EXPECT_EQ(filesLike(file).size(), 1u) << message;
        DeleteFileW((file + L".reg").c_str());
    }
    // U+FFFF is WEOF where wchar_t is 16 bits wide: among so many names, some
    // meet the points where a string buffer grows, and none may be lost.
    RegistryStorage many(file);
    size_t given = 0;
    for (int i = 0; i < 400; given += i % 7 + 40, ++i)
        many.getKey(L"HKEY_USERS\\x")
            .setDWORD(std::wstring(i % 7 + 40, L'\xFFFF') + toString(i), i);
    many.save();
    const std::string bytes = fileBytes(file + L".reg");
    size_t found = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        found += bytes[i] == '\xFF' && bytes[i + 1] == '\xFF';
    EXPECT_EQ(found, given);
    const std::wstring unreachable = dir.file(L"no-such-dir\\x");
    EXPECT_EQ(messageOf<IOException>([&] { RegistryStorage(unreachable).save(); }),
              L"CreateFile: " + unreachable + L".reg: 3");
}

// The registry editor is started by its full path on the file named: no
// interpreter expands %OS% in the name, and a regedit.exe in the current
// directory is never started.
TEST(RegistryStorage, ImportsTheFileNamedThroughTheEditorByItsFullPath) {
    const ScratchKey scratch;
    ScratchDir dir;
    const std::wstring planted = dir.copy(besideThisTest(L"marker-program.exe"), L"regedit.exe");
    // The planted program leaves its marker when started, so the test can fail.
    dir.run(planted, L"");
    ASSERT_TRUE(exists(planted + L".ran"));
    DeleteFileW((planted + L".ran").c_str());

    const std::pair<std::wstring, uint32_t> files[] = {
        {L"aWindows_NTb.reg", 2}, {L"a%OS%b.reg", 1}, {L"plain.reg", 3}};
    for (const auto& [name, value] : files) {
        RegistryStorage storage(dir.file(name));
        storage.getKey(scratch.path()).setDWORD(L"v", value);
        storage.save();
    }
    dir.enter();
    for (const auto& [name, value] : files) {
        importWithRetries(name);
        EXPECT_EQ(RegKey(scratch.path(), RegKey::READ).getDWORD(L"v", 0), value) << name.c_str();
    }
    EXPECT_FALSE(exists(planted + L".ran"));
}

// A link cannot be recorded in a file, and following one copies another part
// of the registry, or the tree itself without end; a tree deeper than the
// registry allows is no tree it made. Each is refused naming the key.
TEST(RegistryStorage, BackupsRefuseLinksAndTreesDeeperThanTheRegistryAllows) {
    const ScratchKey scratch;
    const std::wstring sub = scratch.subKey(), top = scratch.path();
    std::wstring deep = L"deep";
    for (int level = 2; level <= 513; ++level) deep += L"\\k";
    scratch.set(L"v", REG_DWORD, std::string(4, '\0'), deep);
    scratch.set(L"v", REG_DWORD, std::string(4, '\0'), L"elsewhere");
    const std::wstring links[] = {L"\\tree\\loop", L"\\other\\away", L"\\linked"};
    linkKey(sub + links[0], sub + L"\\tree");
    linkKey(sub + links[1], sub + L"\\elsewhere");
    linkKey(sub + links[2], sub + L"\\elsewhere");
    const std::pair<std::wstring, std::wstring> cases[] = {
        {top + L"\\tree", L"registry link can't be backed up: " + top + L"\\tree\\loop"},
        {top + L"\\other", L"registry link can't be backed up: " + top + L"\\other\\away"},
        {top + L"\\linked", L"registry link can't be backed up: " + top + L"\\linked"},
        {top + L"\\deep", L"key tree deeper than 512 levels: " + top + L"\\" + deep},
        {top + L"\\deep\\k", L"(nothing thrown)"},
    };
    for (const auto& [tree, message] : cases) {
        RegistryStorage storage(L"unused");
        EXPECT_EQ(messageOf<RegKeyException>([&] { storage.getKey(tree).loadTree(); }), message);
    }
    for (const std::wstring& name : links) linkKey(sub + name);
}

}  // namespace
