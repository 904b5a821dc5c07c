#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "../core/ScratchDir.h"
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
        // velmora-dump's own options are none of the window's.
        {{L"/export", L"f"}, L"error: invalid argument: /export f"},
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
    ScratchDir dir;
    dir.enter();
    const std::wstring own = joinPath(executableFolder(), L"items");
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {L"none", own},
        {L"file", own},
        {L"directory", L"items"},
        {L"both", own},
    };
    for (const auto& [what, expected] : cases) {
        if (what == std::wstring(L"file")) dir.make({L"items"});
        if (what == std::wstring(L"directory")) {
            DeleteFileW(dir.file(L"items").c_str());
            dir.make({L"items\\"});
        }
        if (what == std::wstring(L"both")) CreateDirectoryW(own.c_str(), nullptr);
        EXPECT_EQ(CommandLine({}, CommandLine::defaultItemsDirectory()).getItemsDirectory(),
                  expected)
            << toUtf8(what);
    }
    RemoveDirectoryW(own.c_str());
    EXPECT_EQ(CommandLine({L"/items", L"x"}, L"unused").getItemsDirectory(), L"x");
}

}  // namespace
