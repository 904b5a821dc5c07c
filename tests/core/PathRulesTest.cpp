#include "core/PathRules.h"

#include <gtest/gtest.h>

namespace {

// The system matches a pattern against short names too; this test, which a
// launcher makes again, sees the long name alone.
TEST(PathRules, PatternsMatchTheLongNameOnly) {
    EXPECT_TRUE(matchesPattern(L"A.B.EXE", L"a*.exe"));
    EXPECT_TRUE(matchesPattern(L"abcabd", L"*abd"));
    EXPECT_TRUE(matchesPattern(L"tool.exe", L"t??l.*"));
    EXPECT_FALSE(matchesPattern(L"tool.exe1", L"*.exe"));
    EXPECT_FALSE(matchesPattern(L"ab", L"a*b*c"));
}

}  // namespace
