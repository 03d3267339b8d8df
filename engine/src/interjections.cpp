// The punctuation interjections and the letter swaps.
#include "schnackomat/interjections.h"

namespace schnackomat {

std::u16string ApplyInterjections(std::u16string_view text) {
    const std::u16string marked =
        ApplyTable(ApplyTable(text, PunctuationNormalisationTable), InterjectionTable);

    // Split at the full stops and joined again, with the sentence interjection in front of every
    // other piece from the second on: that is, right after the 1st, 3rd, 5th, ... full stop.
    std::u16string interjected;
    interjected.reserve(marked.size() + marked.size() / 16);
    bool interjecting = false;
    for (char16_t unit : marked) {
        interjected += unit;
        if (unit == u'.') {
            interjecting = !interjecting;
            if (interjecting) {
                interjected += SentenceInterjection;
            }
        }
    }
    return interjected;
}

std::u16string SwapLetters(std::u16string_view text) {
    return ApplyTable(text, LetterSwapTable);
}

}  // namespace schnackomat
