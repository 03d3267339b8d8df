#include "schnackomat/reference/reference.h"

#include "schnackomat/slang_words.h"

namespace schnackomat::reference {

std::u16string ApplySlangWords(std::u16string_view text) {
    return reference::ApplyTable(text, SlangWordTable);
}

CensorResult ApplyCensor(std::u16string_view text) {
    if (text.find(CensoredWord) == std::u16string_view::npos) {
        return {std::u16string(text), false};
    }
    return {ReplaceAll(text, CensoredWord, CensorMask), true};
}

}  // namespace schnackomat::reference
