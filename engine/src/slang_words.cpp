// The slang words and the censor, checked against their plain forms in
// tests/reference/slang_words.cpp.
#include "schnackomat/slang_words.h"

#include "fast_text.h"
#include "stages.h"

namespace schnackomat {
namespace {

// The slang words and the censor may work on the lines of a text apart, and leave its full stops
// where they are.
static_assert(detail::LeavesUnitAlone(SlangWordTable, u'\n') &&
              detail::LeavesUnitAlone(SlangWordTable, u'.'));
static_assert(CensoredWord.find_first_of(u".\n") == std::u16string_view::npos &&
              CensorMask.find_first_of(u".\n") == std::u16string_view::npos);

}  // namespace

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
