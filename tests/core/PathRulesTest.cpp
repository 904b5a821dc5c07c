#include "core/PathRules.h"

#include <gtest/gtest.h>

namespace {

// Anchor (r relative, a absolute, n network, c current drive), then b for a
// bare name and p for a plain pattern.
TEST(PathRules, TellWhereAPathStartsAndWhatItMayName) {
    const std::pair<std::wstring, std::string> cases[] = {
        {L"tool.exe", "rbp"},
        {L"sub\\tool.exe", "r"},
        {L"a/b", "r"},
        {L"..", "r"},
        {L"*.exe", "rbp"},
        {L"..\\x", "r"},
        {L"x..y", "rb"},
        {L"C:\\a", "a"},
        {L"c:/a", "a"},
        {L"C:a", "c"},
        {L"C:", "c"},
        {L"\\a", "c"},
        {L"/a", "c"},
        {L"\\\\server\\s", "n"},
        {L"\\\\?\\C:\\a", "n"},
        {L"\\\\.\\pipe\\x", "n"},
        {L"//srv/s", "n"},
        {L"a:b", "c"},
        {L"", "r"},
    };
    for (const auto& [path, expected] : cases) {
        std::string shown(1, "ranc"[static_cast<int>(anchorOf(path))]);
        if (isBareName(path)) shown += 'b';
        if (isPlainPattern(path)) shown += 'p';
        EXPECT_EQ(shown, expected) << std::string(path.begin(), path.end());
    }
}

TEST(PathRules, MatchLongNamesOnlyAndExpandKnownVariablesOnly) {
    const std::tuple<std::wstring, std::wstring, bool> matches[] = {
        {L"tool.exe", L"*.exe", true},
        {L"TOOL.EXE", L"t*.exe", true},
        {L"tool.exe1", L"*.exe", false},
        {L"a.b.exe", L"*.exe", true},
        {L"tool.exe", L"t??l.*", true},
        {L"tol.exe", L"t??l.*", false},
        {L"", L"*", true},
        {L"x", L"", false},
        {L"abcabd", L"*abd", true},
        {L"ab", L"a*b*c", false},
    };
    for (const auto& [name, pattern, matched] : matches)
        EXPECT_EQ(matchesPattern(name, pattern), matched)
            << std::string(name.begin(), name.end()) << " "
            << std::string(pattern.begin(), pattern.end());

    const VariableLookup lookup = [](const std::wstring& name) -> std::optional<std::wstring> {
        if (name == L"root") return L"C:\\w%root%";
        return std::nullopt;
    };
    const std::pair<std::wstring, std::wstring> expansions[] = {
        {L"%root%\\a.exe", L"C:\\w%root%\\a.exe"},
        {L"x%root%y%root%", L"xC:\\w%root%yC:\\w%root%"},
        {L"plain", L"plain"},
        {L"%other%\\a.exe", L"-"},
        {L"%root", L"-"},
        {L"50%", L"-"},
        {L"%%", L"-"},
    };
    for (const auto& [text, expected] : expansions)
        EXPECT_EQ(expandVariables(text, lookup).value_or(L"-"), expected);
}

}  // namespace
