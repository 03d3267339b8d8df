// The reverse stages: digits back to letters, leet endings back to "en", slang back to German.
#include "schnackomat/reverse.h"

#include "prepared_table.h"
#include "schnackomat/leet.h"

namespace schnackomat {
namespace {

// Appends `word` with its German ending back, when its stem (the word without one trailing mark)
// ends in the leet ending.
void AppendWithGermanEnding(std::u16string& out, std::u16string_view word) {
    const auto [leetEnding, ending] = RestoreLeetWordEnding;
    const bool hasMark =
        !word.empty() && LeetWordTrailingMarks.find(word.back()) != std::u16string_view::npos;
    const std::u16string_view stem = word.substr(0, word.size() - (hasMark ? 1 : 0));
    if (EndsWith(stem, leetEnding)) {
        out += stem.substr(0, stem.size() - leetEnding.size());
        out += ending;
        out += word.substr(stem.size());
    } else {
        out += word;
    }
}

}  // namespace

std::u16string RestoreLeetCharacters(std::u16string_view text, bool slangStyle) {
    static const PreparedTable digits(RestoreLeetCharacterTable);
    static const PreparedTable slang(RestoreLeetSlangTable);
    const std::u16string letters = digits.Apply(text);
    return slangStyle ? slang.Apply(letters) : letters;
}

std::u16string RestoreLeetWords(std::u16string_view text) {
    // The words (split at every space) in order, each with its ending back, joined again.
    std::u16string joined;
    joined.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t end = 0; end <= text.size(); ++end) {
        if (end < text.size() && text[end] != u' ') {
            continue;
        }
        AppendWithGermanEnding(joined, text.substr(start, end - start));
        if (end < text.size()) {
            joined += u' ';
        }
        start = end + 1;
    }
    return joined;
}

std::u16string RestoreSlangWords(std::u16string_view text) {
    static const PreparedTable table(ReverseSlangTable);
    return table.Apply(ToLower(text));
}

}  // namespace schnackomat
