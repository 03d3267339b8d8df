// The punctuation interjections and the letter swaps.
#include "schnackomat/interjections.h"

#include "prepared_table.h"

namespace schnackomat {

std::u16string ApplyInterjections(std::u16string_view text) {
    static const PreparedTable normalisation(PunctuationNormalisationTable);
    static const PreparedTable interjections(InterjectionTable);
    const std::u16string marked = interjections.Apply(normalisation.Apply(text));

    // Split at the full stops and joined again, with the sentence interjection in front of every
    // other piece from the second on: that is, right after the 1st, 3rd, 5th, ... full stop.
    std::u16string interjected;
    interjected.reserve(marked.size() + marked.size() / 16);
    bool interjecting = false;
    std::size_t copied = 0;
    for (std::size_t stop = marked.find(u'.'); stop != std::u16string::npos;
         stop = marked.find(u'.', stop + 1)) {
        interjected.append(marked, copied, stop + 1 - copied);
        copied = stop + 1;
        interjecting = !interjecting;
        if (interjecting) {
            interjected += SentenceInterjection;
        }
    }
    interjected.append(marked, copied);
    return interjected;
}

std::u16string SwapLetters(std::u16string_view text) {
    static const PreparedTable table(LetterSwapTable);
    return table.Apply(text);
}

}  // namespace schnackomat
