#include "core/SearchFold.h"

namespace {

constexpr wchar_t FULL_WIDTH_FIRST = 0xFF01;
constexpr wchar_t FULL_WIDTH_LAST = 0xFF5E;
constexpr wchar_t FULL_WIDTH_OFFSET = 0xFF01 - 0x21;
constexpr wchar_t IDEOGRAPHIC_SPACE = 0x3000;
constexpr wchar_t HALF_KANA_FIRST = 0xFF61;
constexpr wchar_t HALF_KANA_LAST = 0xFF9F;
constexpr wchar_t HALF_VOICED_MARK = 0xFF9E;
constexpr wchar_t HALF_SEMI_VOICED_MARK = 0xFF9F;

// U+FF61 to U+FF9F in order: the punctuation, the kana and the two marks.
constexpr std::wstring_view HALF_KANA_AS_FULL =
    L"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
    L"ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(HALF_KANA_AS_FULL.size() == HALF_KANA_LAST - HALF_KANA_FIRST + 1);

// The kana whose voiced form is the next code point, and those whose
// semi-voiced form is the one after that. ウ, ワ and ヲ have theirs apart.
constexpr std::wstring_view VOICED_NEXT = L"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::wstring_view SEMI_VOICED_NEXT = L"ハヒフヘホ";

// The full-width kana that the kana and the sound mark make together, or 0.
wchar_t compose(wchar_t kana, wchar_t mark) {
    if (mark == HALF_VOICED_MARK) {
        if (VOICED_NEXT.find(kana) != std::wstring_view::npos) return kana + 1;
        if (kana == L'ウ') return L'ヴ';
        if (kana == L'ワ') return L'ヷ';
        if (kana == L'ヲ') return L'ヺ';
    } else if (mark == HALF_SEMI_VOICED_MARK) {
        if (SEMI_VOICED_NEXT.find(kana) != std::wstring_view::npos) return kana + 2;
    }
    return 0;
}

}  // namespace

std::wstring foldForSearch(std::wstring_view text) {
    std::wstring folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= FULL_WIDTH_FIRST && c <= FULL_WIDTH_LAST) {
            c -= FULL_WIDTH_OFFSET;
        } else if (c == IDEOGRAPHIC_SPACE) {
            c = L' ';
        } else if (c >= HALF_KANA_FIRST && c <= HALF_KANA_LAST) {
            c = HALF_KANA_AS_FULL[c - HALF_KANA_FIRST];
            if (i + 1 < text.size()) {
                if (const wchar_t composed = compose(c, text[i + 1])) {
                    c = composed;
                    ++i;
                }
            }
        }
        if (c >= L'A' && c <= L'Z') c += L'a' - L'A';
        folded.push_back(c);
    }
    return folded;
}
