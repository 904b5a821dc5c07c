#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "../core/ArgumentWriter.h"
#include "ItemFixture.h"
#include "core/Platform.h"
#include "items/DiskPerformanceCounterItem.h"
#include "items/ExecItem.h"
#include "items/PriorityControlItem.h"

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

// Paths from definitions and the registry are started with our rights: only
// absolute ones become targets, and variables are expanded once, where the
// definition or a REG_EXPAND_SZ asks for it. The test directory shows as @.
TEST_F(ItemTest, LaunchersFindOnlyAbsoluteTargets) {
    const std::wstring dir = tempPath(L"velmora-exec-" + toString(GetCurrentProcessId())),
                       name = fileNameOf(dir), key = keyPath();
    const wchar_t* files[] = {L"a.exe", L"b.txt", L"c.exe"};
    CreateDirectoryW(dir.c_str(), nullptr);
    for (const wchar_t* file : files)
        CloseHandle(CreateFileW(joinPath(dir, file).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr));
    SetEnvironmentVariableW(L"VELMORA_EXEC", dir.c_str());
    SetEnvironmentVariableW(L"VELMORA_EXEC_TWICE", L"%VELMORA_EXEC%");
    scratch_.set(L"sz", REG_SZ, raw(dir));
    scratch_.set(L"expand", REG_EXPAND_SZ, raw(L"%VELMORA_EXEC%"));
    scratch_.set(L"variable", REG_SZ, raw(L"%VELMORA_EXEC%"));
    scratch_.set(L"relative", REG_SZ, raw(name));
    const auto file = [](const wchar_t* shown, const std::wstring& path) {
        return param(L"file", {{L"name", shown}, {L"file", path}});
    };
    const auto registry = [&](const wchar_t* value, const std::wstring& first,
                              const wchar_t* second) {
        return param(L"registry", {{L"name", L"r"},
                                   {L"key", key},
                                   {L"value", value},
                                   {L"file", first},
                                   {L"file", second}});
    };
    const auto directory = [](const std::wstring& path, const wchar_t* first,
                              const wchar_t* second) {
        return param(L"directory", {{L"path", path}, {L"file", first}, {L"file", second}});
    };
    const std::pair<std::vector<Param>, std::wstring> cases[] = {
        {{file(L"b", dir + L"\\b.txt"), file(L"a", dir + L"\\a.exe"), file(L"b", dir + L"\\c.exe")},
         L"a=@\\a.exe b=@\\c.exe"},
        {{file(L"x", L"%VELMORA_EXEC%\\a.exe"), file(L"y", L"%VELMORA_EXEC_TWICE%\\a.exe"),
          file(L"z", L"a.exe"), file(L"w", L"\\a.exe")},
         L"x=@\\a.exe"},
        {{directory(dir, L"*.none", L"*.exe")}, L""},
        {{directory(L"%VELMORA_EXEC%", L"*.exe", L"*")}, L"a=@\\a.exe b=@\\b.txt c=@\\c.exe"},
        {{directory(name, L"*", L"*")}, L""},
        {{registry(L"sz", L"none.exe", L"c.exe")}, L"r=@\\c.exe"},
        {{registry(L"sz", L"..\\" + name + L"\\a.exe", L"c.exe")}, L"r=@\\a.exe"},
        {{registry(L"expand", L"a.exe", L"")}, L"r=@\\a.exe"},
        {{registry(L"variable", L"a.exe", L"")}, L""},
        {{registry(L"relative", L"a.exe", L"")}, L""},
        {{registry(L"none", L"a.exe", L"")}, L""},
    };
    for (const auto& [params, expected] : cases) {
        std::wstring shown;
        const auto item = configured<ExecItem>(params);
        for (auto [label, path] : item->getTargets())
            shown += (shown.empty() ? L"" : L" ") + label + L"=" +
                     (startsWith(path, dir) ? L"@" + path.substr(dir.size()) : path);
        EXPECT_EQ(shown, expected) << params[0].name << " " << params[0].children[0].text;
    }
    for (const wchar_t* made : files) DeleteFileW(joinPath(dir, made).c_str());
    RemoveDirectoryW(dir.c_str());
}

}  // namespace
