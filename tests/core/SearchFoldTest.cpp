#include "core/SearchFold.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const wchar_t* text;
    const wchar_t* query;
    bool found;
};

// Each query is folded as the field's text is, each text as a setting's.
constexpr Case CASES[] = {
    {L"MTU", L"mtu", true},
    {L"MTU", L"\xFF2D\xFF34\xFF35", true},  // ＭＴＵ
    {L"\xFF4D\xFF54\xFF55", L"Mtu", true},  // ｍｔｕ found by ASCII
    {L"Winsock IPv6", L"k\x3000I", true},   // the ideographic space is a space
    {L"@[`{", L"\xFF20\xFF3B\xFF40\xFF5B", true},
    {L"@", L"`", false},       // only letters lose their case
    {L"\xFF5F", L"(", false},  // ｟ lies past the full-width ASCII block
    {L"Ä", L"ä", false},       // case folds ASCII letters only
    {L"エクスプローラ", L"\xFF74\xFF78\xFF7D\xFF8C\xFF9F\xFF9B\xFF70\xFF97", true},  // ｴｸｽﾌﾟﾛｰﾗ
    {L"ヴ ヷ ヺ", L"\xFF73\xFF9E \xFF9C\xFF9E \xFF66\xFF9E", true},  // ｳﾞ ﾜﾞ ｦﾞ
    {L"パ", L"\xFF8A\xFF9F", true},                                  // ﾊﾟ
    {L"「設定」、。・", L"\xFF62設定\xFF63\xFF64\xFF61\xFF65", true},
    {L"ア゛", L"\xFF71\xFF9E", true},  // ｱﾞ has no composed form
    {L"ガ", L"\xFF76", false},         // ｶ alone is カ, not ガ
    {L"プ", L"\xFF8C\xFF9E", false},   // ﾌﾞ is ブ
    {L"タスクバー", L"", true},
    {L"", L"a", false},
};

TEST(SearchFold, FindsAcrossCaseAndWidth) {
    for (const Case& c : CASES) {
        EXPECT_EQ(foldedContains(foldForSearch(c.text), foldForSearch(c.query)), c.found)
            << "text \"" << c.text << "\" query \"" << c.query << "\"";
    }
}

}  // namespace
