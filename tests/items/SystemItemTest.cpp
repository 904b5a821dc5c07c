#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "../core/ArgumentWriter.h"
#include "ItemFixture.h"
#include "core/Platform.h"
#include "items/DiskPerformanceCounterItem.h"
#include "items/ExecItem.h"
#include "items/PriorityControlItem.h"
#include "items/RegDeleteSubKeysItem.h"
#include "items/RegKeyItem.h"
#include "items/Tuned.h"

namespace {

Param param(const wchar_t* name, std::vector<std::pair<const wchar_t*, std::wstring>> children) {
    Param made{name, L""};
    for (const auto& [child, text] : children) made.children.push_back({child, text});
    return made;
}

// [failure] length choice, boost index and value after the change [= what
// applying wrote].
TEST_F(ItemTest, SchedulingReadsAndSetsItsBitFields) {
    const struct {
        bool server;
        int64_t data;           // -1: no value
        int32_t length, boost;  // -1: left alone
        std::wstring shown;
    } cases[] = {
        {false, 0x26, -1, -1, L" 1 2 0x26"},     {false, 0x26, -1, 0, L" 1 0 0x28 = 40"},
        {false, 0x28, 1, -1, L" 0 0 0x18 = 24"}, {false, 0x18, -1, 1, L" 0 1 0x15 = 21"},
        {false, 0x15, 0, -1, L" 1 1 0x25 = 37"}, {false, 0x00, -1, -1, L" 1 0 0x00"},
        {true, 0x00, -1, -1, L" 0 0 0x00"},      {false, 0x3F, -1, -1, L" 1 2 0x3f"},
        {true, 0x3F, -1, -1, L" 0 0 0x3f"},      {true, 0x37, -1, -1, L" 0 2 0x37"},
        {false, -1, -1, -1, L" 1 2 0x02"},       {false, 0x26, -1, 3, L"boost: 3 1 2 0x26"},
    };
    for (int row = 0; row < static_cast<int>(std::size(cases)); ++row) {
        const auto& c = cases[row];
        const std::wstring below = toString(row);
        if (c.data >= 0) scratch_.set(L"v", REG_DWORD, raw(static_cast<uint32_t>(c.data)), below);
        std::vector<Param> params = {{L"value", L"v"}, {L"default", L"2"}};
        if (c.server) params.push_back({L"server", L""});
        auto item = configured<PriorityControlItem>(params, below);
        if (c.length >= 0) item->setLength(c.length == 0);
        std::wstring shown = messageOf<IllegalArgumentException>([&] {
            if (c.boost >= 0) item->setBoost(c.boost);
        });
        item->apply();
        wchar_t text[32];
        std::swprintf(text, 32, L" %d %d 0x%02x", item->getLengthChoice(), item->getBoostIndex(),
                      item->getCurrentValue());
        shown = (startsWith(shown, L"(") ? L"" : shown) + text;
        if (item->isApplied())
            shown += L" = " + toString(RegKey(keyPath(below), RegKey::READ).getDWORD(L"v"));
        EXPECT_EQ(shown, c.shown) << row;
    }
    const Param length = param(L"select", {{L"item", L"a"}, {L"item", L"b"}, {L"item", L"c"}});
    std::vector<Param> params = {{L"default", L"2"}, length};
    params[1].attributes = {{L"id", L"length"}};
    EXPECT_EQ(messageOf<ConfigException>([&] { configured<PriorityControlItem>(params); }),
              L"too many <item> in <select id=\"length\"> of item sample");
}

// Each apply that changes the list starts the tool from the system directory
// (here a copy of the argument writer) with the new state's arguments.
TEST_F(ItemTest, DiskCountersWriteAWholeListAndStartTheToolOnEveryChange) {
    const std::wstring tool = joinPath(systemDirectory(), L"diskperf.exe"),
                       out = tempPath(L"velmora diskperf.txt");
    ASSERT_TRUE(CopyFileW(argumentWriter().c_str(), tool.c_str(), FALSE));
    const std::vector<Param> params = {{L"value", L"v"},
                                       {L"pattern", L"DiskPerf"},
                                       {L"true", L"\"" + out + L"\" -y"},
                                       {L"false", L"\"" + out + L"\" -n"}};
    const std::pair<std::string, std::wstring> cases[] = {
        {"", L"DiskPerf" + Z},
        {bytesOf(Z), L"DiskPerf" + Z},
        {bytesOf(L"diskperf" + Z + L"a" + Z + Z), L"a" + Z},
    };
    int row = 0;
    for (const auto& [data, list] : cases) {
        const std::wstring below = toString(++row);
        if (!data.empty()) scratch_.set(L"v", REG_MULTI_SZ, data, below);
        auto item = configured<DiskPerformanceCounterItem>(params, below);
        const bool first = !item->getCurrentState();
        for (const bool state : {first, !first}) {
            item->setCurrentState(state);
            item->apply();
            if (state == first) {
                EXPECT_EQ(stored(L"v", below).data, bytes(bytesOf(list + Z))) << row;
            }
            EXPECT_EQ(writtenText(out), out + (state ? L"\n-y\n" : L"\n-n\n")) << row;
        }
        SaveTarget target(tempPath(L"velmora-unused.reg"));
        item->store(target);
        std::wostringstream saved;
        target.getStorage().write(saved);
        EXPECT_EQ(saved.str(), L"Windows Registry Editor Version 5.00\r\n\r\n") << row;
    }
    DeleteFileW(tool.c_str());
}

// Paths from definitions and the machine's registry are started with our
// rights: variables are the system's own, a bare name is looked for in the
// system folders, a directory gives its own files only. The test directory
// shows as @, the system directory as S and the Windows directory as W; a
// definition error shows as its message.
TEST_F(ItemTest, LaunchersFindTargetsOnlyThroughTheSystem) {
    const ScratchDir scratchDir;
    const std::wstring& dir = scratchDir.path();
    const std::wstring name = fileNameOf(dir);
    const ScratchKey machine(HKEY_LOCAL_MACHINE);
    scratchDir.make({L"a.exe", L"b.txt", L"c.exe", L"sub\\tool.exe", L"d.exe\\"});
    // What any process of the user can set: its own environment and its own
    // part of the registry.
    SetEnvironmentVariableW(L"VELMORA_EXEC", dir.c_str());
    scratch_.set(L"system", REG_EXPAND_SZ, raw(L"%SystemRoot%"));
    machine.set(L"sz", REG_SZ, raw(dir));
    machine.set(L"expand", REG_EXPAND_SZ, raw(L"%VELMORA_EXEC%"));
    machine.set(L"system", REG_EXPAND_SZ, raw(L"%SystemRoot%"));
    machine.set(L"variable", REG_SZ, raw(L"%SystemRoot%"));
    machine.set(L"relative", REG_SZ, raw(name));
    const auto file = [](const wchar_t* shown, const std::wstring& path) {
        return param(L"file", {{L"name", shown}, {L"file", path}});
    };
    const auto registry = [&](const ScratchKey& key, const wchar_t* value,
                              const std::wstring& first, const wchar_t* second) {
        return param(L"registry", {{L"name", L"r"},
                                   {L"key", key.path()},
                                   {L"value", value},
                                   {L"file", first},
                                   {L"file", second}});
    };
    const auto directory = [](const std::wstring& path, const wchar_t* first,
                              const wchar_t* second) {
        return param(L"directory", {{L"path", path}, {L"file", first}, {L"file", second}});
    };
    const std::wstring refused = L"<directory> of item sample needs a file name pattern: ";
    const std::pair<std::vector<Param>, std::wstring> cases[] = {
        {{file(L"b", dir + L"\\b.txt"), file(L"a", dir + L"\\a.exe"), file(L"b", dir + L"\\c.exe")},
         L"a=@\\a.exe b=@\\c.exe"},
        {{file(L"x", L"%VELMORA_EXEC%\\a.exe"), file(L"y", L"%WINDIR%\\regedit.exe"),
          file(L"z", L"regedit.exe"), file(L"v", L"cmd.exe"), file(L"u", L"none.exe"),
          file(L"w", L"\\a.exe"), file(L"t", L"%SystemRoot")},
         L"u=none.exe v=S\\cmd.exe w=\\a.exe y=W\\regedit.exe z=W\\regedit.exe"},
        {{directory(dir, L"*.none", L"*.exe")}, L""},
        {{directory(dir, L"*.exe", L"*")}, L"a=@\\a.exe b=@\\b.txt c=@\\c.exe"},
        {{directory(L"%VELMORA_EXEC%", L"*", L"*")}, L""},
        {{directory(name, L"*", L"*")}, L""},
        {{directory(dir, L"sub\\*.exe", L"*")}, refused + L"sub\\*.exe"},
        {{directory(dir, L"*", L"../*")}, refused + L"../*"},
        {{registry(machine, L"sz", L"none.exe", L"c.exe")}, L"r=@\\c.exe"},
        {{registry(machine, L"sz", L"..\\" + name + L"\\a.exe", L"c.exe")}, L"r=@\\a.exe"},
        {{registry(machine, L"system", L"regedit.exe", L"")}, L"r=W\\regedit.exe"},
        {{registry(machine, L"expand", L"a.exe", L"")}, L""},
        {{registry(machine, L"variable", L"regedit.exe", L"")}, L""},
        {{registry(machine, L"relative", L"a.exe", L"")}, L""},
        {{registry(machine, L"none", L"a.exe", L"")}, L""},
        {{registry(scratch_, L"system", L"regedit.exe", L"")}, L""},
    };
    const std::pair<std::wstring, const wchar_t*> shortened[] = {
        {dir, L"@"}, {systemDirectory(), L"S"}, {windowsDirectory(), L"W"}};
    for (const auto& [params, expected] : cases) {
        std::wstring shown;
        try {
            const auto item = configured<ExecItem>(params);
            for (auto [label, path] : item->getTargets()) {
                for (const auto& [folder, letter] : shortened)
                    if (startsWith(path, folder)) path = letter + path.substr(folder.size());
                shown += (shown.empty() ? L"" : L" ") + label + L"=" + path;
            }
        } catch (const ConfigException& e) {
            shown = e.getMessage();
        }
        EXPECT_EQ(shown, expected) << params[0].name << " " << params[0].children[0].text;
    }
}

// The text with the key shown as K (or as the letter given) and the backup as B.
std::wstring named(std::wstring text, const std::wstring& key, const std::wstring& backup = L"",
                   const wchar_t* letter = L"K") {
    for (const auto& [from, to] : {std::pair{key, letter}, {backup, L"B"}})
        for (size_t at; !from.empty() && (at = text.find(from)) != std::wstring::npos;)
            text.replace(at, from.size(), to);
    return text;
}

// The file's lines that name keys or set the unnamed value, or all of them.
std::wstring linesOf(RegistryStorage& storage, const std::wstring& key, bool all = false) {
    std::wostringstream out;
    storage.write(out);
    std::wistringstream lines(named(out.str(), key));
    std::wstring text;
    for (std::wstring line; std::getline(lines, line);)
        if (all || line[0] == L'[' || line[0] == L'@')
            text += (text.empty() ? L"" : L" ") + line.substr(0, line.size() - 1);  // less the CR
    return text;
}

// The whole tree below the key as a file would hold it, or "-" without it.
std::wstring tree(const std::wstring& key, bool all) {
    RegistryStorage storage(L"unused");
    try {
        storage.getKey(key).loadTree();
    } catch (const RegKeyException&) {
        return L"-";
    }
    return linesOf(storage, key, all);
}

// The state loaded | the file saved once checked or unchecked | the key
// after applying.
TEST_F(ItemTest, KeyItemsCreateAndDeleteTheirKeyAndSaveOnlyWhatApplyingWrites) {
    const std::vector<Param> on = {{L"type", L"REG_SZ"}, {L"value", L"on"}};
    const struct {
        std::wstring data;  // of the unnamed value; "+" a key without one, "" none
        bool checked, bare;
        std::wstring shown;
    } cases[] = {
        {L"", true, false, L"0 | [K] @=\"on\" | [K] @=\"on\""},
        {L"", true, true, L"0 | [K] | [K]"},
        {L"old", true, false, L"1 | [K] @=\"on\" | [K] @=\"old\""},
        {L"+", false, false, L"1 | [-K] | -"},
        {L"", false, false, L"0 | [-K] | -"},
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = toString(++row);
        if (!c.data.empty())
            scratch_.set(c.data == L"+" ? L"x" : nullptr, REG_SZ, raw(c.data), below);
        auto item = configured<RegKeyItem>(c.bare ? std::vector<Param>{on[0]} : on, below);
        std::wstring shown = toString(item->getCurrentState()) + L" | ";
        item->setCurrentState(c.checked);
        SaveTarget target(tempPath(L"velmora-unused.reg"));
        item->store(target);
        item->apply();
        shown +=
            linesOf(target.getStorage(), keyPath(below)) + L" | " + tree(keyPath(below), false);
        EXPECT_EQ(shown, c.shown) << row;
    }
    scratch_.set(L"x", REG_SZ, raw(L""), L"sub\\below");
    auto parent = configured<RegKeyItem>(on, L"sub");
    parent->setCurrentState(false);
    EXPECT_EQ(messageOf<RegKeyException>([&] { parent->apply(); }), L"delete sub key: sub");
    EXPECT_EQ(messageOf<ConfigException>([&] {
                  configured<RegKeyItem>({{L"type", L"REG_DWORD"}});
              }),
              L"support only REG_SZ");

    // A link in the key's place, which any process of the user can make in
    // their part of the registry, would lead the change to the key it names.
    scratch_.set(L"x", REG_SZ, raw(L"kept"), L"target");
    const std::pair<const wchar_t*, std::wstring> links[] = {
        {L"target", L"1 registry link can't be deleted: K | [K]"},
        {L"made", L"0 registry link can't be changed: K | -"},
    };
    for (const auto& [target, expected] : links) {
        linkKey(scratch_.subKey() + L"\\link", scratch_.subKey() + L"\\" + target);
        auto item = configured<RegKeyItem>(on, L"link");
        const bool loaded = item->getCurrentState();
        item->setCurrentState(!loaded);
        const std::wstring failure = messageOf<RegKeyException>([&] { item->apply(); });
        EXPECT_EQ(toString(loaded) + L" " + named(failure, keyPath(L"link")) + L" | " +
                      tree(keyPath(target), false),
                  expected);
        linkKey(scratch_.subKey() + L"\\link");
    }
}

// The state loaded (~ frozen) | the file saved once checked | the failure
// and the keys after cleaning, + with the backup on disk | the restore of
// the backup, or of the file that took its place: "same" when the tree is
// again what it was before cleaning. M is a key of the machine's.
TEST_F(ItemTest, CleaningBacksUpFirstDeletesAllOrNothingAndRestoresOnlyItsOwnKey) {
    const ScratchKey machine(HKEY_LOCAL_MACHINE);
    const std::wstring header = L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n";
    // The key's own lines, so that its sub-keys come back, and then lines
    // for keys elsewhere.
    const std::wstring hostile = header +
                                 L"[K\\a]\r\n\"v\"=\"a\"\r\n\r\n[M\\planted]\r\n"
                                 L"\"v\"=dword:00000001\r\n\r\n[-" +
                                 keyPath(L"outside") + L"]\r\n";
    scratch_.set(L"v", REG_SZ, raw(L"outside"), L"outside");
    const struct {
        std::vector<std::wstring> keys;  // none: no key at all
        std::wstring kept;
        std::wstring planted;  // "-": the backup deleted
        std::wstring shown;
    } cases[] = {
        {{L"Keep\\Inner", L"a", L"B"},
         L"kEEp",
         L"",
         L"0* | [-K] [K] [K\\Keep] [K\\Keep\\Inner] | [K] [K\\Keep] [K\\Keep\\Inner] + | same"},
        {{L"a", L"b\\c"},
         L"",
         L"",
         L"0* | [-K] [K] | delete sub key: b [K] [K\\a] [K\\b] [K\\b\\c] + | same"},
        {{L"KEEP"}, L"keep", L"", L"1~ | [-K] [K] [K\\KEEP] | [K] [K\\KEEP] | same"},
        {{}, L"", L"", L"1~ |  | - | same"},
        {{L"a"}, L"", L"-", L"0* | [-K] [K] | [K] + | CreateFile: B: 2"},
        {{L"a"}, L"", header, L"0* | [-K] [K] | [K] + | the backup brought no sub key back: B to K"},
        {{L"a"},
         L"",
         hostile,
         L"0* | [-K] [K] | [K] + | backup refused, line 6 names a key outside K: M\\planted: B"},
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = toString(++row), key = keyPath(below);
        for (const std::wstring& sub : c.keys)
            scratch_.set(L"v", REG_SZ, raw(sub), below + L"\\" + sub);
        if (!c.keys.empty()) scratch_.set(L"top", REG_DWORD, raw(uint32_t(row)), below);
        // Relative: beside the program, never in the current directory.
        const std::wstring before = tree(key, true), backup = L"velmora-backup-" + below;
        auto item = configured<RegDeleteSubKeysItem>(
            {{L"save", L"", {}, {{L"key", c.kept}}}, {L"backup", backup}}, below);
        ASSERT_EQ(item->getBackupPath(), joinPath(executableFolder(), backup + L".reg"));
        std::wstring shown =
            toString(item->getCurrentState()) + (isTuned(*item) ? L"*" : L"") +
            (item->isFrozen() ? L"~ | " : L" | ");
        item->setCurrentState(true);
        SaveTarget target(tempPath(L"velmora-unused.reg"));
        item->store(target);
        const std::wstring failure = messageOf<RegKeyException>([&] { item->apply(); });
        shown += linesOf(target.getStorage(), key) + L" | " +
                 (startsWith(failure, L"(") ? L"" : failure + L" ") + tree(key, false) +
                 (exists(item->getBackupPath()) ? L" + | " : L" | ");
        if (!c.planted.empty()) DeleteFileW(item->getBackupPath().c_str());
        if (!c.planted.empty() && c.planted != L"-") {
            std::wstring text = c.planted;
            for (const auto& [letter, path] : {std::pair{L"[K", key}, {L"[M", machine.path()}})
                for (size_t at; (at = text.find(letter)) != std::wstring::npos;)
                    text.replace(at + 1, 1, path);
            const std::wstring& file = item->getBackupPath();
            std::ofstream(std::string(file.begin(), file.end()), std::ios::binary) << bytesOf(text);
        }
        item->setCurrentState(false);
        std::wstring restored = messageOf<IOException>([&] { item->apply(); });
        if (!startsWith(restored, L"("))
            shown += named(named(restored, key, item->getBackupPath()), machine.path(), L"", L"M");
        else
            shown += tree(key, true) == before ? L"same" : tree(key, true);
        EXPECT_EQ(shown, c.shown) << row;
        DeleteFileW(item->getBackupPath().c_str());
    }
    // The editor read copies of the checked bytes, each gone after its import.
    WIN32_FIND_DATAW found;
    EXPECT_EQ(FindFirstFileW(joinPath(executableFolder(), L"import-*.reg").c_str(), &found),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(tree(machine.path() + L"\\planted", false), L"-");
    EXPECT_EQ(tree(keyPath(L"outside"), false), L"[K]");
    // A key the registry refuses to open (a name longer than it allows, here)
    // is no clean key.
    const std::wstring refused(300, L'a');
    EXPECT_EQ(messageOf<RegKeyException>([&] {
                  configured<RegDeleteSubKeysItem>({{L"backup", L"b"}}, refused);
              }),
              L"key of item sample cannot be read: open key: " +
                  keyPath(refused).substr(keyPath(refused).find(L'\\') + 1));
    for (const std::wstring backup :
         {L"\\\\server\\share\\b", L"\\\\?\\C:\\b", L"\\\\.\\pipe\\b", L"C:b", L"\\b"}) {
        EXPECT_EQ(messageOf<ConfigException>([&] {
                      configured<RegDeleteSubKeysItem>({{L"backup", backup}});
                  }),
                  L"<backup> of item sample names no local file: " + backup);
    }
}

}  // namespace
