// The reverse stages (leet letters and endings back, slang words back), checked against their
// plain forms in tests/reference/reverse.cpp.
#include "schnackomat/reverse.h"

#include <algorithm>
#include <cstring>

#include "fast_text.h"
#include "schnackomat/leet.h"
#include "stages.h"

namespace schnackomat {
namespace {

static_assert(detail::IsUnitTable(RestoreLeetCharacterTable) &&
              detail::IsUnitTable(RestoreLeetSlangTable));
constexpr detail::UnitMap RestoreMap = detail::MakeUnitMap(RestoreLeetCharacterTable);
constexpr detail::UnitMap RestoreSlangMap =
    detail::MakeUnitMap(RestoreLeetCharacterTable, RestoreLeetSlangTable);

// The reverse stages may work on the lines of a text apart (the word endings look only at the
// units after a match, up to the next space or mark).
static_assert(detail::LeavesUnitAlone(ReverseSlangTable, u'\n') &&
              detail::LeavesUnitAlone(RestoreLeetCharacterTable, u'\n') &&
              detail::LeavesUnitAlone(RestoreLeetSlangTable, u'\n'));

constexpr std::u16string_view LeetEnding = u"orn";
constexpr std::u16string_view PlainEnding = u"en";

}  // namespace

namespace detail {

void RestoreLeetCharacters(std::u16string_view from, std::u16string& text, bool slangStyle) {
    ApplyUnitMap(from, text, slangStyle ? RestoreSlangMap : RestoreMap);
}

void RestoreLeetWords(std::u16string_view from, std::u16string& text) {
    if (from.data() != text.data()) {  // written straight into `text`
        text.clear();
        text.reserve(from.size());
        Rewrite rewrite(from, text);
        ForEachOccurrence(from, LeetEnding, [&](std::size_t at) {
            if (at >= rewrite.Copied() && StemEndingWordEnd(from, at, LeetEnding.size()) != npos) {
                rewrite.Replace(at, at + LeetEnding.size(), PlainEnding);
            }
        });
        rewrite.CopyTo(from.size());
        return;
    }
    // The plain ending is shorter than the leet one: the text is rewritten where it is.
    ReplaceShrinkingWhere(text, LeetEnding, PlainEnding,
                          [](std::u16string_view view, std::size_t at) {
                              return StemEndingWordEnd(view, at, LeetEnding.size()) != npos;
                          });
}

void RestoreLeetCharactersAndWords(std::u16string_view from, std::u16string& text,
                                   bool slangStyle) {
    if (from.data() == text.data()) {  // nothing to gain: the text is rewritten where it is
        RestoreLeetCharacters(from, text, slangStyle);
        RestoreLeetWords(text, text);
        return;
    }
    const UnitMap& map = slangStyle ? RestoreSlangMap : RestoreMap;
    // Whether a leet ending starting in a block is one is told by at most four units after its
    // start that may lie in the next block: the two more of the ending, a mark and a space.
    constexpr std::size_t Block = 2048;
    constexpr std::size_t LookAhead = 4;
    std::array<char16_t, Block + LookAhead> units;
    text.clear();
    text.reserve(from.size());
    std::size_t taken = 0;  // units at the start of a block that an ending before it took
    for (std::size_t at = 0; at < from.size(); at += Block) {
        const std::size_t count = std::min(Block, from.size() - at);
        const std::size_t look = std::min(count + LookAhead, from.size() - at);
        MapUnits(from.data() + at, units.data(), look, map);
        const std::u16string_view block(units.data(), look);
        Rewrite rewrite(block, text, 0, taken);
        ForEachOccurrence(block.substr(0, std::min(look, count + LeetEnding.size() - 1)),
                          LeetEnding, [&](std::size_t ending) {
                              if (ending >= rewrite.Copied() &&
                                  StemEndingWordEnd(block, ending, LeetEnding.size()) != npos) {
                                  rewrite.Replace(ending, ending + LeetEnding.size(), PlainEnding);
                              }
                          });
        rewrite.CopyTo(count);
        taken = rewrite.Copied() > count ? rewrite.Copied() - count : 0;
    }
}

void RestoreSlangWords(std::u16string_view from, std::u16string& text, std::u16string& scratch) {
    static const CompiledTable table(ReverseSlangTable);
    ToLowerInto(from, text);
    table.Apply(text, scratch);
}

}  // namespace detail

std::u16string RestoreLeetCharacters(std::u16string_view text, bool slangStyle) {
    std::u16string result;
    detail::RestoreLeetCharacters(text, result, slangStyle);
    return result;
}

std::u16string RestoreLeetWords(std::u16string_view text) {
    std::u16string result;
    detail::RestoreLeetWords(text, result);
    return result;
}

std::u16string RestoreSlangWords(std::u16string_view text) {
    std::u16string result;
    std::u16string scratch;
    detail::RestoreSlangWords(text, result, scratch);
    return result;
}

}  // namespace schnackomat
