// Letters as look-alike digits, and the leet word endings.
#include "schnackomat/leet.h"

#include "prepared_table.h"

namespace schnackomat {
namespace {

// The first ending rule that fits the stem of `word` (the word without one trailing mark), and
// where in the word that ending starts; no rule for a word shorter than LeetWordMinimumLength or
// one that no rule fits. A new ending ends in "rn" or "st", which no rule looks for, so the rules
// after it would not change the word again.
struct FittingEnding {
    const ReplaceRow* Rule = nullptr;
    std::size_t At = 0;
};

FittingEnding EndingOf(std::u16string_view word) {
    if (word.size() >= LeetWordMinimumLength) {
        const bool hasMark = IsLeetWordTrailingMark(word.back());
        const std::u16string_view stem = word.substr(0, word.size() - (hasMark ? 1 : 0));
        for (const ReplaceRow& rule : LeetWordEndingTable) {
            if (EndsWith(stem, rule.Find)) {
                return {&rule, stem.size() - rule.Find.size()};
            }
        }
    }
    return {};
}

}  // namespace

std::u16string ApplyLeetCharacters(std::u16string_view text, bool slangStyle) {
    static const PreparedTable letters(LeetCharacterTable);
    static const PreparedTable slang(LeetSlangTable);
    static const PreparedTable names(LeetNameFixupTable);
    const std::u16string digits = letters.Apply(text);
    return slangStyle ? slang.Apply(digits) : names.Apply(digits);
}

std::u16string ApplyLeetWords(std::u16string_view text) {
    // The words (split at every space) in order, each with its new ending, joined again: the
    // text between the endings replaced is copied as it is.
    std::u16string joined;
    joined.reserve(text.size() + text.size() / 8);
    std::size_t copied = 0;
    std::size_t start = 0;  // of the current word
    for (std::size_t end = 0; end <= text.size(); ++end) {
        if (end < text.size() && text[end] != u' ') {
            continue;
        }
        if (const FittingEnding ending = EndingOf(text.substr(start, end - start)); ending.Rule) {
            joined.append(text, copied, start + ending.At - copied);
            joined += ending.Rule->Replacement;
            copied = start + ending.At + ending.Rule->Find.size();
        }
        start = end + 1;
    }
    joined.append(text, copied);
    static const PreparedTable fixups(LeetWordFixupTable);
    return fixups.Apply(joined);
}

}  // namespace schnackomat
