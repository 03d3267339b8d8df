#include "schnackomat/reference/reference.h"

#include "schnackomat/leet.h"

#include <vector>

namespace schnackomat::reference {
namespace {

bool IsTrailingMark(char16_t unit) {
    return LeetWordTrailingMarks.find(unit) != std::u16string_view::npos;
}

// Replaces `ending` at the end of `word` (before its trailing mark, if it has one) by
// `replacement`.
void ReplaceEnding(std::u16string& word, bool hasMark, std::u16string_view ending,
                   std::u16string_view replacement) {
    const std::size_t markLength = hasMark ? 1 : 0;
    const std::u16string_view stem = std::u16string_view(word).substr(0, word.size() - markLength);
    if (EndsWith(stem, ending)) {
        word.replace(stem.size() - ending.size(), ending.size(), replacement);
    }
}

}  // namespace

std::u16string ApplyLeetCharacters(std::u16string_view text, bool slangStyle) {
    const std::u16string digits = reference::ApplyTable(text, LeetCharacterTable);
    return slangStyle ? reference::ApplyTable(digits, LeetSlangTable)
                      : reference::ApplyTable(digits, LeetNameFixupTable);
}

std::u16string ApplyLeetWords(std::u16string_view text) {
    const std::vector<std::u16string_view> split = SplitPieces(text, u' ');
    std::vector<std::u16string> words(split.begin(), split.end());
    for (std::u16string& word : words) {
        if (word.size() < LeetWordMinimumLength) {
            continue;
        }
        const bool hasMark = IsTrailingMark(word.back());
        ReplaceEnding(word, hasMark, u"3n", u"0rn");
        ReplaceEnding(word, hasMark, u"57", u"0rst");
    }
    return reference::ApplyTable(JoinPieces(words, u' '), LeetWordFixupTable);
}

}  // namespace schnackomat::reference
