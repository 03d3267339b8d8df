#include "schnackomat/reference/reference.h"

#include "schnackomat/reverse.h"

#include <vector>

#include "schnackomat/leet.h"

namespace schnackomat::reference {

std::u16string RestoreLeetCharacters(std::u16string_view text, bool slangStyle) {
    const std::u16string letters = reference::ApplyTable(text, RestoreLeetCharacterTable);
    return slangStyle ? reference::ApplyTable(letters, RestoreLeetSlangTable) : letters;
}

std::u16string RestoreLeetWords(std::u16string_view text) {
    constexpr std::u16string_view leetEnding = u"orn";
    const std::vector<std::u16string_view> split = SplitPieces(text, u' ');
    std::vector<std::u16string> words(split.begin(), split.end());
    for (std::u16string& word : words) {
        const bool hasMark =
            !word.empty() && LeetWordTrailingMarks.find(word.back()) != std::u16string_view::npos;
        const std::size_t stemLength = word.size() - (hasMark ? 1 : 0);
        if (EndsWith(std::u16string_view(word).substr(0, stemLength), leetEnding)) {
            word.replace(stemLength - leetEnding.size(), leetEnding.size(), u"en");
        }
    }
    return JoinPieces(words, u' ');
}

std::u16string RestoreSlangWords(std::u16string_view text) {
    return reference::ApplyTable(ToLower(text), ReverseSlangTable);
}

}  // namespace schnackomat::reference
