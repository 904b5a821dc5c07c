#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "core/Exception.h"

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
    };
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(itemsDirectoryOf(arguments), expected) << arguments.size() << " arguments";
    }
}

}  // namespace
