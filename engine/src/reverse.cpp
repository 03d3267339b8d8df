// The reverse stages: digits back to letters, leet endings back to "en", slang back to German.
#include "schnackomat/reverse.h"

#include "prepared_table.h"
#include "schnackomat/leet.h"

namespace schnackomat {
namespace {

// Where the leet ending of `word` starts, when its stem (the word without one trailing mark) ends
// in it; npos otherwise.
std::size_t LeetEndingOf(std::u16string_view word) {
    const std::u16string_view leetEnding = RestoreLeetWordEnding.Find;
    const bool hasMark = !word.empty() && IsLeetWordTrailingMark(word.back());
    const std::u16string_view stem = word.substr(0, word.size() - (hasMark ? 1 : 0));
    return EndsWith(stem, leetEnding) ? stem.size() - leetEnding.size() : std::u16string_view::npos;
}

}  // namespace

std::u16string RestoreLeetCharacters(std::u16string_view text, bool slangStyle) {
    static const PreparedTable digits(RestoreLeetCharacterTable);
    static const PreparedTable slang(RestoreLeetSlangTable);
    const std::u16string letters = digits.Apply(text);
    return slangStyle ? slang.Apply(letters) : letters;
}

std::u16string RestoreLeetWords(std::u16string_view text) {
    // The words (split at every space) in order, each with its ending back, joined again: the
    // text between the endings replaced is copied as it is.
    const auto [leetEnding, ending] = RestoreLeetWordEnding;
    std::u16string joined;
    joined.reserve(text.size());
    std::size_t copied = 0;
    std::size_t start = 0;  // of the current word
    for (std::size_t end = 0; end <= text.size(); ++end) {
        if (end < text.size() && text[end] != u' ') {
            continue;
        }
        if (const std::size_t at = LeetEndingOf(text.substr(start, end - start));
            at != std::u16string_view::npos) {
            joined.append(text, copied, start + at - copied);
            joined += ending;
            copied = start + at + leetEnding.size();
        }
        start = end + 1;
    }
    joined.append(text, copied);
    return joined;
}

std::u16string RestoreSlangWords(std::u16string_view text) {
    static const PreparedTable table(ReverseSlangTable);
    return table.Apply(ToLower(text));
}

}  // namespace schnackomat
