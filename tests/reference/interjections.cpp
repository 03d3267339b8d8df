#include "schnackomat/reference/reference.h"

#include "schnackomat/interjections.h"

#include <vector>

namespace schnackomat::reference {

std::u16string ApplyInterjections(std::u16string_view text) {
    const std::u16string marked = reference::ApplyTable(
        reference::ApplyTable(text, PunctuationNormalisationTable), InterjectionTable);

    // Every piece after the first lies behind a full stop; every other one, starting with the
    // second piece, gets the sentence interjection in front.
    const std::vector<std::u16string_view> sentences = SplitPieces(marked, u'.');
    std::vector<std::u16string> pieces(sentences.begin(), sentences.end());
    bool interjected = false;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        if (interjected) {
            interjected = false;
        } else {
            interjected = true;
            pieces[i].insert(0, SentenceInterjection);
        }
    }
    return JoinPieces(pieces, u'.');
}

std::u16string SwapLetters(std::u16string_view text) {
    return reference::ApplyTable(text, LetterSwapTable);
}

}  // namespace schnackomat::reference
