// The leet letters and the leet word endings, checked against their plain forms in
// tests/reference/leet.cpp.
#include "schnackomat/leet.h"

#include <algorithm>

#include "fast_text.h"
#include "stages.h"

namespace schnackomat {
namespace {

static_assert(detail::IsUnitTable(LeetCharacterTable) && detail::IsUnitTable(LeetSlangTable));
constexpr detail::UnitMap LeetMap = detail::MakeUnitMap(LeetCharacterTable);
constexpr detail::UnitMap LeetSlangMap = detail::MakeUnitMap(LeetCharacterTable, LeetSlangTable);

// The word endings, tried in this order on every word long enough.
constexpr std::array<ReplaceRow, 2> LeetWordEndings{{
    {u"3n", u"0rn"},
    {u"57", u"0rst"},
}};
// So a word takes at most one of them: the endings differ in their last unit, and no new ending
// ends in a later one.
static_assert(LeetWordEndings[0].Find.back() != LeetWordEndings[1].Find.back() &&
              !LeetWordEndings[0].Replacement.ends_with(LeetWordEndings[1].Find));

// The leet stages may work on the lines of a text apart: no row makes, takes or matches across
// a line break. The length of a part's first word then still depends on the units before the
// part; only whether they hold a space matters, and the leet letters and the name fix-ups never
// change that for the last units of a line (no row's find string holds a space, nor do the
// last units of a name fix-up's replacement).
static_assert(detail::LeavesUnitAlone(LeetCharacterTable, u'\n') &&
              detail::LeavesUnitAlone(LeetSlangTable, u'\n') &&
              detail::LeavesUnitAlone(LeetNameFixupTable, u'\n') &&
              detail::LeavesUnitAlone(LeetWordFixupTable, u'\n'));
static_assert(detail::LeavesUnitAlone(LeetCharacterTable, u' ') &&
              detail::LeavesUnitAlone(LeetSlangTable, u' '));
constexpr bool NameFixupsKeepLineEnds() {
    for (const ReplaceRow& row : LeetNameFixupTable) {
        const std::u16string_view end =
            row.Replacement.substr(row.Replacement.size() - (LeetWordMinimumLength - 1));
        if (row.Find.find(u' ') != std::u16string_view::npos ||
            end.find(u' ') != std::u16string_view::npos) {
            return false;
        }
    }
    return true;
}
static_assert(NameFixupsKeepLineEnds());

// With the slang style they may work on the parts of a text cut just after a space as well: no
// find string or replacement of the rows they then apply holds a space, so no row matches across
// the cut or moves it, and the second part's first word starts with the part.
static_assert(detail::LeavesUnitAlone(LeetWordFixupTable, u' ') &&
              detail::LeavesUnitAlone(LeetWordEndings, u' '));

bool IsTrailingMark(char16_t unit) {
    return LeetWordTrailingMarks.find(unit) != std::u16string_view::npos;
}

// Whether the word that ends at `wordEnd` is at least LeetWordMinimumLength units long, counting
// the units of `before` in front of `text`.
bool LongEnough(std::u16string_view text, std::size_t wordEnd, std::u16string_view before) {
    const std::size_t inText = std::min(wordEnd, LeetWordMinimumLength);
    const std::size_t inBefore = LeetWordMinimumLength - inText;
    return inBefore <= before.size() &&
           text.substr(wordEnd - inText, inText).find(u' ') == std::u16string_view::npos &&
           before.substr(before.size() - inBefore).find(u' ') == std::u16string_view::npos;
}

// Calls `found(at, ending)` for the occurrences of a word ending's find string in `text` that
// may end a stem, in order: those that the text's end, a space or a trailing mark follow, and
// some more (all units from the space to "?" but the digits pass). Both find strings are two
// units long, so one scan looks for both, eight units at a time. The two cannot overlap one
// another or themselves, so every occurrence is a separate one.
static_assert(LeetWordEndings.size() == 2 && LeetWordEndings[0].Find.size() == 2 &&
              LeetWordEndings[1].Find.size() == 2);
static_assert(LeetWordEndings[0].Find[1] != LeetWordEndings[1].Find[0] &&
              LeetWordEndings[1].Find[1] != LeetWordEndings[0].Find[0] &&
              LeetWordEndings[0].Find[0] != LeetWordEndings[0].Find[1] &&
              LeetWordEndings[1].Find[0] != LeetWordEndings[1].Find[1]);

using detail::InStemEndRange;
static_assert(InStemEndRange(u' ') && std::all_of(LeetWordTrailingMarks.begin(),
                                                  LeetWordTrailingMarks.end(), InStemEndRange));

template <typename Found>
void ForEachLeetEnding(std::u16string_view text, Found found) {
    const std::u16string_view first = LeetWordEndings[0].Find;
    const std::u16string_view second = LeetWordEndings[1].Find;
    const detail::EndingPairs pairs{{first[0], first[1]}, {second[0], second[1]}};
    detail::ForEachEnding(text, pairs, [&](std::size_t at) {
        found(at, text[at] == first[0] ? LeetWordEndings[0] : LeetWordEndings[1]);
    });
}

}  // namespace

namespace detail {

// Where the word whose stem ends in the `length` units at `at` ends, or npos when those units
// are not the end of a stem (the word going on, or more than one mark following).
std::size_t StemEndingWordEnd(std::u16string_view text, std::size_t at, std::size_t length) {
    const std::size_t end = at + length;
    if (end == text.size() || text[end] == u' ') {
        return end;
    }
    if (IsTrailingMark(text[end]) && (end + 1 == text.size() || text[end + 1] == u' ')) {
        return end + 1;
    }
    return npos;
}

void ApplyLeetCharacters(std::u16string_view from, std::u16string& text, bool slangStyle,
                         std::u16string& scratch) {
    ApplyUnitMap(from, text, slangStyle ? LeetSlangMap : LeetMap);
    if (!slangStyle) {
        ApplyRowsInPlace(text, LeetNameFixupTable, scratch);
    }
}

void ApplyLeetWords(std::u16string& text, std::u16string& scratch, std::u16string_view before) {
    scratch.clear();
    Rewrite rewrite(text, scratch, text.size() + text.size() / 8);
    ForEachLeetEnding(text, [&](std::size_t at, const ReplaceRow& ending) {
        const std::size_t wordEnd = StemEndingWordEnd(text, at, ending.Find.size());
        if (wordEnd == npos || !LongEnough(text, wordEnd, before)) {
            return;
        }
        rewrite.Replace(at, at + ending.Find.size(), ending.Replacement);
    });
    if (rewrite.Finish()) {
        text.swap(scratch);
    }
    ApplyRowsInPlace(text, LeetWordFixupTable, scratch);
}

}  // namespace detail

std::u16string ApplyLeetCharacters(std::u16string_view text, bool slangStyle) {
    std::u16string result;
    std::u16string scratch;
    detail::ApplyLeetCharacters(text, result, slangStyle, scratch);
    return result;
}

std::u16string ApplyLeetWords(std::u16string_view text) {
    std::u16string result(text);
    std::u16string scratch;
    detail::ApplyLeetWords(result, scratch);
    return result;
}

}  // namespace schnackomat
