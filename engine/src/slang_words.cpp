// The slang words and the censor.
#include "schnackomat/slang_words.h"

#include "prepared_table.h"

namespace schnackomat {

std::u16string ApplySlangWords(std::u16string_view text) {
    static const PreparedTable table(SlangWordTable);
    return table.Apply(text);
}

CensorResult ApplyCensor(std::u16string_view text) {
    if (text.find(CensoredWord) == std::u16string_view::npos) {
        return {std::u16string(text), false};
    }
    return {ReplaceAll(text, CensoredWord, CensorMask), true};
}

}  // namespace schnackomat
