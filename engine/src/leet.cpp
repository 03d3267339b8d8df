// Letters as look-alike digits, and the leet word endings.
#include "schnackomat/leet.h"

#include "prepared_table.h"

namespace schnackomat {
namespace {

bool IsTrailingMark(char16_t unit) {
    return LeetWordTrailingMarks.find(unit) != std::u16string_view::npos;
}

// Appends `word` with the first ending rule that fits its stem (the word without one trailing
// mark). A new ending ends in "rn" or "st", which no rule looks for, so the rules after it would
// not change the word again.
void AppendWithLeetEnding(std::u16string& out, std::u16string_view word) {
    if (word.size() >= LeetWordMinimumLength) {
        const bool hasMark = IsTrailingMark(word.back());
        const std::u16string_view stem = word.substr(0, word.size() - (hasMark ? 1 : 0));
        for (const auto& [ending, leetEnding] : LeetWordEndingTable) {
            if (EndsWith(stem, ending)) {
                out += stem.substr(0, stem.size() - ending.size());
                out += leetEnding;
                out += word.substr(stem.size());
                return;
            }
        }
    }
    out += word;
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
    // The words (split at every space) in order, each with its new ending, joined again.
    std::u16string joined;
    joined.reserve(text.size() + text.size() / 8);
    std::size_t start = 0;
    for (std::size_t end = 0; end <= text.size(); ++end) {
        if (end < text.size() && text[end] != u' ') {
            continue;
        }
        AppendWithLeetEnding(joined, text.substr(start, end - start));
        if (end < text.size()) {
            joined += u' ';
        }
        start = end + 1;
    }
    static const PreparedTable fixups(LeetWordFixupTable);
    return fixups.Apply(joined);
}

}  // namespace schnackomat
