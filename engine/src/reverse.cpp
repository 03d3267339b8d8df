#include "schnackomat/reverse.h"

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

void RestoreLeetCharacters(std::u16string& text, bool slangStyle) {
    ApplyUnitMap(text, slangStyle ? RestoreSlangMap : RestoreMap);
}

void RestoreLeetWords(std::u16string& text, std::u16string& scratch) {
    std::u16string& out = scratch;
    out.clear();
    std::size_t copied = 0;
    bool changed = false;
    for (std::size_t at = Find(text, LeetEnding, 0); at != npos;
         at = Find(text, LeetEnding, at + 1)) {
        if (StemEndingWordEnd(text, at, LeetEnding.size()) == npos) {
            continue;
        }
        if (!changed) {
            out.reserve(text.size());
            changed = true;
        }
        out.append(text.data() + copied, at - copied);
        out += PlainEnding;
        copied = at + LeetEnding.size();
    }
    if (changed) {
        out.append(text.data() + copied, text.size() - copied);
        text.swap(out);
    }
}

void RestoreSlangWords(std::u16string& text, std::u16string& scratch) {
    static const CompiledTable table(ReverseSlangTable);
    ToLowerInPlace(text);
    table.Apply(text, scratch);
}

}  // namespace detail

std::u16string RestoreLeetCharacters(std::u16string_view text, bool slangStyle) {
    std::u16string result(text);
    detail::RestoreLeetCharacters(result, slangStyle);
    return result;
}

std::u16string RestoreLeetWords(std::u16string_view text) {
    std::u16string result(text);
    std::u16string scratch;
    detail::RestoreLeetWords(result, scratch);
    return result;
}

std::u16string RestoreSlangWords(std::u16string_view text) {
    std::u16string result(text);
    std::u16string scratch;
    detail::RestoreSlangWords(result, scratch);
    return result;
}

}  // namespace schnackomat
