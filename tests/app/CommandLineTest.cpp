#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "core/Exception.h"
#include "core/StringUtil.h"

namespace {

// The directory chosen, or the message of the failure.
std::wstring itemsDirectoryOf(const std::vector<std::wstring>& arguments) {
    try {
        return CommandLine(arguments).getItemsDirectory();
    } catch (const ConfigException& e) {
        return L"error: " + e.getMessage();
    }
}

TEST(CommandLine, ItemsOptionSelectsTheDirectory) {
    const std::pair<std::vector<std::wstring>, std::wstring> cases[] = {
        {{}, L"items"},
        {{L"/items", L"C:\\defs", L"/items", L"-x"}, L"-x"},
        {{L"/items", L"/items", L"defs"}, L"error: /items needs to specify the directory"},
        {{L"/items", L""}, L"error: /items needs to specify the directory"},
        {{L"/items", L"a", L"b"}, L"error: invalid argument: b"},
        {{L"/x"}, L"error: invalid argument: /x "},
        {{L"/ITEMS", L"defs"}, L"error: invalid argument: /ITEMS defs"},
        {{L""}, L"error: invalid argument: "},
        {{L"/items", L"", L"/items", L"defs"}, L"error: /items needs to specify the directory"},
    };
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(itemsDirectoryOf(arguments), expected) << arguments.size() << " arguments";
    }
}

// The folder of the executable wins; the current directory's items are taken
// only when that folder has none, and only a directory named items counts.
TEST(CommandLine, DefaultItemsFollowTheExecutableFirst) {
    wchar_t exe[MAX_PATH], temp[MAX_PATH], saved[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    GetTempPathW(MAX_PATH, temp);
    GetCurrentDirectoryW(MAX_PATH, saved);
    const std::wstring base =
        joinPath(temp, L"velmora-cwd-" + std::to_wstring(GetCurrentProcessId()));
    const std::wstring items = joinPath(base, L"items"),
                       own = joinPath(parentPathOf(exe), L"items");
    CreateDirectoryW(base.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(base.c_str()));
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {L"none", own},
        {L"file", own},
        {L"directory", L"items"},
        {L"both", own},
    };
    for (const auto& [what, expected] : cases) {
        if (what == std::wstring(L"file")) CloseHandle(CreateFileW(items.c_str(), GENERIC_WRITE, 0,
                                                                   nullptr, CREATE_NEW, 0, nullptr));
        if (what == std::wstring(L"directory")) {
            DeleteFileW(items.c_str());
            CreateDirectoryW(items.c_str(), nullptr);
        }
        if (what == std::wstring(L"both")) CreateDirectoryW(own.c_str(), nullptr);
        EXPECT_EQ(CommandLine({}, CommandLine::defaultItemsDirectory()).getItemsDirectory(),
                  expected)
            << what;
    }
    EXPECT_EQ(CommandLine({L"/items", L"x"}, L"unused").getItemsDirectory(), L"x");
    SetCurrentDirectoryW(saved);
    for (const std::wstring& directory : {own, items, base}) RemoveDirectoryW(directory.c_str());
}

}  // namespace
