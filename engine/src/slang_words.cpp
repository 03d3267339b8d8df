// The slang words and the censor.
#include "schnackomat/slang_words.h"

namespace schnackomat {

std::u16string ApplySlangWords(std::u16string_view text) {
    return ApplyTable(text, SlangWordTable);
}

CensorResult ApplyCensor(std::u16string_view text) {
    if (text.find(CensoredWord) == std::u16string_view::npos) {
        return {std::u16string(text), false};
    }
    return {ReplaceAll(text, CensoredWord, CensorMask), true};
}

}  // namespace schnackomat
