#include "schnackomat/slang_words.h"

#include "fast_text.h"
#include "stages.h"

namespace schnackomat {
namespace detail {

void ApplySlangWords(std::u16string& text, std::u16string& scratch) {
    static const CompiledTable table(SlangWordTable);
    table.Apply(text, scratch);
}

bool ApplyCensor(std::u16string& text, std::u16string& scratch) {
    return ReplaceInPlace(text, CensoredWord, CensorMask, scratch);
}

}  // namespace detail

std::u16string ApplySlangWords(std::u16string_view text) {
    std::u16string result(text);
    std::u16string scratch;
    detail::ApplySlangWords(result, scratch);
    return result;
}

CensorResult ApplyCensor(std::u16string_view text) {
    CensorResult result{std::u16string(text), false};
    std::u16string scratch;
    result.Fired = detail::ApplyCensor(result.Text, scratch);
    return result;
}

}  // namespace schnackomat
