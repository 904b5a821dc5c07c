#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "core/Exception.h"

namespace {

using Arguments = std::vector<std::wstring>;

TEST(CommandLine, ItemsOptionSelectsTheDirectory) {
    const std::vector<std::pair<Arguments, std::wstring>> cases = {
        {{}, L"items"},
        {{L"/items", L"defs"}, L"defs"},
        {{L"/items", L"C:\\defs", L"/items", L"D:\\other"}, L"D:\\other"},
        {{L"/items", L"-x"}, L"-x"},
    };
    for (const auto& [arguments, directory] : cases) {
        EXPECT_EQ(CommandLine(arguments).getItemsDirectory(), directory);
    }
}

TEST(CommandLine, BadArgumentsFailWithTheirMessage) {
    const std::vector<std::pair<Arguments, std::wstring>> cases = {
        {{L"/items"}, L"/items needs to specify the directory"},
        {{L"/items", L"/items", L"defs"}, L"/items needs to specify the directory"},
        {{L"/items", L""}, L"/items needs to specify the directory"},
        {{L"defs"}, L"invalid argument: defs"},
        {{L"/items", L"a", L"b"}, L"invalid argument: b"},
        {{L""}, L"invalid argument: "},
        {{L"/x"}, L"invalid argument: /x "},
        {{L"/x", L"y"}, L"invalid argument: /x y"},
        {{L"/ITEMS", L"defs"}, L"invalid argument: /ITEMS defs"},
        {{L"/x", L"/items", L"d"}, L"invalid argument: /x "},
    };
    for (const auto& [arguments, message] : cases) {
        try {
            CommandLine commandLine(arguments);
            ADD_FAILURE() << "no error for " << arguments.size() << " arguments";
        } catch (const ConfigException& e) {
            EXPECT_EQ(e.getMessage(), message);
        }
    }
}

}  // namespace
