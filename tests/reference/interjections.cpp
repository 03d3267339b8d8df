#include "schnackomat/interjections.h"

#include <vector>

#include "schnackomat/reference/reference.h"

namespace schnackomat::reference {

std::u16string ApplyInterjections(std::u16string_view text) {
    const std::u16string marked = reference::ApplyTable(
        reference::ApplyTable(text, PunctuationNormalisationTable), InterjectionTable);
    const std::vector<std::u16string_view> sentences = SplitPieces(marked, u'.');
    std::u16string joined;
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        if (i > 0) {
            joined += u'.';
            if (i % 2 == 1) {
                joined += SentenceInterjection;
            }
        }
        joined += sentences[i];
    }
    return joined;
}

}  // namespace schnackomat::reference
