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

std::wstring hex(uint32_t value) {
    wchar_t text[11];
    std::swprintf(text, 11, L"0x%02x", value);
    return text;
}

std::vector<Param> scheduling(bool server, int lengthNames = 2) {
    Param length{L"select", L"", {{L"id", L"length"}}, {{L"name", L"間隔"}}};
    for (int i = 0; i < lengthNames; ++i) length.children.push_back({L"item", L"l"});
    std::vector<Param> params = {{L"value", L"v"}, {L"default", L"2"}, length};
    if (server) params.push_back({L"server", L""});
    return params;
}

// The length choice, the boost index and the value after a change, then
// what applying it wrote.
TEST_F(ItemTest, SchedulingReadsAndSetsItsBitFields) {
    const struct {
        bool server;
        int64_t data;  // -1: no value
        int32_t length, boost;  // -1: not set
        std::wstring shown;
    } cases[] = {
        {false, 0x26, -1, -1, L"1 2 0x26"},          {false, 0x26, -1, 0, L"1 0 0x28 = 0x28"},
        {false, 0x28, 1, -1, L"0 0 0x18 = 0x18"},    {false, 0x18, -1, 1, L"0 1 0x15 = 0x15"},
        {false, 0x15, 0, -1, L"1 1 0x25 = 0x25"},    {false, 0x00, -1, -1, L"1 0 0x00"},
        {true, 0x00, -1, -1, L"0 0 0x00"},           {false, 0x3F, -1, -1, L"1 2 0x3f"},
        {true, 0x3F, -1, -1, L"0 0 0x3f"},           {true, 0x37, -1, -1, L"0 2 0x37"},
        {false, -1, -1, -1, L"1 2 0x02"},            {false, 0x26, -1, 3, L"boost: 3 1 2 0x26"},
    };
    int row = 0;
    for (const auto& c : cases) {
        const std::wstring below = toString(++row);
        if (c.data >= 0) scratch_.set(L"v", REG_DWORD, raw(static_cast<uint32_t>(c.data)), below);
        auto item = configured<PriorityControlItem>(scheduling(c.server), below);
        if (c.length >= 0) item->setLength(c.length == 0);
        std::wstring shown = messageOf<IllegalArgumentException>([&] {
            if (c.boost >= 0) item->setBoost(c.boost);
        });
        shown = startsWith(shown, L"(") ? L"" : shown + L" ";
        item->apply();
        shown += toString(item->getLengthChoice()) + L" " + toString(item->getBoostIndex()) +
                 L" " + hex(item->getCurrentValue());
        if (item->isApplied())
            shown += L" = " + hex(RegKey(keyPath(below), RegKey::READ).getDWORD(L"v"));
        EXPECT_EQ(shown, c.shown) << row;
    }
    EXPECT_EQ(messageOf<ConfigException>(
                  [&] { configured<PriorityControlItem>(scheduling(false, 3)); }),
              L"too many <item> in <select id=\"length\"> of item sample");
}

// Every apply that changes the list starts the tool from the system
// directory (here a copy of the argument writer) with the arguments of the
// new state; saving records nothing.
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
        {bytesOf(L"a" + Z + Z), L"a" + Z + L"DiskPerf" + Z},
        {bytesOf(L"diskperf" + Z + L"a" + Z + Z), L"a" + Z},
    };
    int row = 0;
    for (const auto& [data, list] : cases) {
        const std::wstring below = toString(++row);
        if (!data.empty()) scratch_.set(L"v", REG_MULTI_SZ, data, below);
        auto item = configured<DiskPerformanceCounterItem>(params, below);
        const bool state = !item->getCurrentState();
        const auto arguments = [&](bool on) { return out + (on ? L"\n-y\n" : L"\n-n\n"); };
        item->setCurrentState(state);
        item->apply();
        EXPECT_EQ(stored(L"v", below).data, bytes(bytesOf(list + Z))) << row;
        EXPECT_EQ(writtenText(out), arguments(state)) << row;
        SaveTarget target(tempPath(L"velmora-unused.reg"));
        item->store(target);
        item->setCurrentState(!state);
        item->apply();
        EXPECT_EQ(writtenText(out), arguments(!state)) << row;
        std::wostringstream saved;
        target.getStorage().write(saved);
        EXPECT_EQ(saved.str(), L"Windows Registry Editor Version 5.00\r\n\r\n") << row;
    }
    DeleteFileW(tool.c_str());
}

Param target(const wchar_t* kind, std::vector<std::pair<const wchar_t*, std::wstring>> children) {
    Param param{kind, L""};
    for (const auto& [name, text] : children) param.children.push_back({name, text});
    return param;
}

// Paths from definitions and from the registry are started with our
// rights: only absolute ones become targets, and variables are expanded
// once, where the definition or a REG_EXPAND_SZ asks for it. The test
// directory is shown as @.
TEST_F(ItemTest, LaunchersFindOnlyAbsoluteTargets) {
    const std::wstring dir = tempPath(L"velmora-exec-" + toString(GetCurrentProcessId())),
                       name = fileNameOf(dir), key = keyPath();
    CreateDirectoryW(dir.c_str(), nullptr);
    const wchar_t* files[] = {L"a.exe", L"b.txt", L"c.exe"};
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
        return target(L"file", {{L"name", shown}, {L"file", path}});
    };
    const auto registry = [&](const wchar_t* value, std::wstring first, std::wstring second) {
        return target(L"registry", {{L"name", L"r"}, {L"key", key}, {L"value", value},
                                    {L"file", first}, {L"file", second}});
    };
    const auto directory = [](const std::wstring& path, const wchar_t* first, const wchar_t* second) {
        return target(L"directory", {{L"path", path}, {L"file", first}, {L"file", second}});
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
        for (auto [label, path] : item->getTargets()) {
            if (startsWith(path, dir)) path = L"@" + path.substr(dir.size());
            shown += (shown.empty() ? L"" : L" ") + label + L"=" + path;
        }
        EXPECT_EQ(shown, expected) << params[0].name << " " << params[0].children[0].text;
    }
    for (const wchar_t* made : files) DeleteFileW(joinPath(dir, made).c_str());
    RemoveDirectoryW(dir.c_str());

}

}  // namespace
