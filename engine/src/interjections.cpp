// The interjections and the letter swaps, checked against their plain forms in
// tests/reference/interjections.cpp.
#include "schnackomat/interjections.h"

#include <algorithm>

#include "fast_text.h"
#include "stages.h"

namespace schnackomat {
namespace {

// The punctuation stage runs as one pass over the text. That is exact because the tables have
// this shape: every normalisation row takes the space after one mark, the marks of both tables
// are the same units in the same order, no interjection holds the mark of a later row, and the
// full stop, after which the sentence interjection goes, is one of the marks.
constexpr bool TablesFitOnePass() {
    if (PunctuationNormalisationTable.size() != InterjectionTable.size()) {
        return false;
    }
    bool fullStopIsMark = false;
    for (std::size_t k = 0; k < InterjectionTable.size(); ++k) {
        const std::u16string_view mark = InterjectionTable[k].Find;
        const ReplaceRow& normalisation = PunctuationNormalisationTable[k];
        if (mark.size() != 1 || normalisation.Find.size() != 2 ||
            normalisation.Find[0] != mark[0] || normalisation.Find[1] != u' ' ||
            normalisation.Replacement != mark) {
            return false;
        }
        for (std::size_t later = k + 1; later < InterjectionTable.size(); ++later) {
            if (InterjectionTable[k].Replacement.find(InterjectionTable[later].Find) !=
                std::u16string_view::npos) {
                return false;
            }
        }
        fullStopIsMark = fullStopIsMark || mark == u".";
    }
    return fullStopIsMark;
}
static_assert(TablesFitOnePass());

// Every full stop written comes from a full stop of the text, one each: so the full stops before
// a place in the text tell whether the next one gets the sentence interjection.
constexpr bool OneFullStopPerFullStop() {
    for (const ReplaceRow& row : InterjectionTable) {
        const auto written = std::count(row.Replacement.begin(), row.Replacement.end(), u'.');
        if (written != (row.Find == u"." ? 1 : 0)) {
            return false;
        }
    }
    return SentenceInterjection.find(u'.') == std::u16string_view::npos;
}
static_assert(OneFullStopPerFullStop());

// The letter swaps may work on the lines of a text apart, and no mark or interjection holds a
// line break.
static_assert(detail::LeavesUnitAlone(LetterSwapTable, u'\n') &&
              detail::LeavesUnitAlone(InterjectionTable, u'\n') &&
              detail::LeavesUnitAlone(PunctuationNormalisationTable, u'\n'));

constexpr std::size_t MarkCount = InterjectionTable.size();

constexpr std::array<char16_t, MarkCount> MarkUnits = [] {
    std::array<char16_t, MarkCount> marks{};
    for (std::size_t k = 0; k < MarkCount; ++k) {
        marks[k] = InterjectionTable[k].Find[0];
    }
    return marks;
}();

// Each interjection split at its full stop, if it has one, where the sentence interjection may
// follow.
struct InterjectionPieces {
    std::u16string_view ToFullStop;  // all of it, when it has none
    std::u16string_view AfterFullStop;
    bool HasFullStop = false;
};

constexpr std::array<InterjectionPieces, MarkCount> Pieces = [] {
    std::array<InterjectionPieces, MarkCount> pieces{};
    for (std::size_t k = 0; k < MarkCount; ++k) {
        const std::u16string_view replacement = InterjectionTable[k].Replacement;
        const std::size_t stop = replacement.find(u'.');
        if (stop == std::u16string_view::npos) {
            pieces[k] = {replacement, {}, false};
        } else {
            pieces[k] = {replacement.substr(0, stop + 1), replacement.substr(stop + 1), true};
        }
    }
    return pieces;
}();

}  // namespace

namespace detail {

// Every mark becomes its interjection and loses one space after it (the normalisation); every
// other full stop written, starting with the first, gets the sentence interjection after it.
void ApplyInterjections(std::u16string& text, std::u16string& scratch, bool interjectFirst) {
    const std::u16string_view marks(MarkUnits.data(), MarkUnits.size());
    bool interject = interjectFirst;
    scratch.clear();
    Rewrite rewrite(text, scratch, text.size() + text.size() / 2);
    ForEachOf(text, marks, [&](std::size_t mark) {
        const InterjectionPieces& pieces = Pieces[marks.find(text[mark])];
        // The space after a mark goes with it; it is not a mark: the scan finds the same marks.
        const std::size_t end =
            mark + 1 < text.size() && text[mark + 1] == u' ' ? mark + 2 : mark + 1;
        const bool interjectHere = pieces.HasFullStop && interject;
        interject = interject != pieces.HasFullStop;
        rewrite.Replace(mark, end, pieces.ToFullStop,
                        interjectHere ? SentenceInterjection : std::u16string_view(),
                        pieces.AfterFullStop);
    });
    if (rewrite.Finish()) {
        text.swap(scratch);
    }
}

void SwapLetters(std::u16string& text, std::u16string& scratch) {
    static const CompiledTable table(LetterSwapTable);
    table.Apply(text, scratch);
}

}  // namespace detail

std::u16string ApplyInterjections(std::u16string_view text) {
    std::u16string result(text);
    std::u16string scratch;
    detail::ApplyInterjections(result, scratch);
    return result;
}

std::u16string SwapLetters(std::u16string_view text) {
    std::u16string result(text);
    std::u16string scratch;
    detail::SwapLetters(result, scratch);
    return result;
}

}  // namespace schnackomat
