// The interjections in their plain form, one table after the other and then the sentence
// interjection, for measuring what writing each mark in one pass buys. The letter swaps as the
// engine has them.
#include "schnackomat/interjections.h"
#include "prepared_table.h"
#include "schnackomat/reference/reference.h"

namespace schnackomat {

std::u16string ApplyInterjections(std::u16string_view text) {
    return reference::ApplyInterjections(text);
}

std::u16string SwapLetters(std::u16string_view text) {
    static const PreparedTable table(LetterSwapTable);
    return table.Apply(text);
}

}  // namespace schnackomat
