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
        std::size_t copied = 0;
        ForEachOccurrence(from, LeetEnding, [&](std::size_t at) {
            if (at >= copied && StemEndingWordEnd(from, at, LeetEnding.size()) != npos) {
                text.append(from.data() + copied, at - copied);
                text += PlainEnding;
                copied = at + LeetEnding.size();
            }
        });
        text.append(from.data() + copied, from.size() - copied);
        return;
    }
    // The plain ending is shorter than the leet one: the text is rewritten where it is.
    ReplaceShrinkingWhere(text, LeetEnding, PlainEnding,
                          [](std::u16string_view view, std::size_t at) {
                              return StemEndingWordEnd(view, at, LeetEnding.size()) != npos;
                          });
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
