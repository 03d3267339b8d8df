// The reference pipeline: every conversion stage written plainly, one whole-text pass per table
// row, words split into vectors of strings. It is slow but easy to check against the tables, and
// the tests, fuzzers and benchmarks take its output as the definition of a correct conversion.
// The engine in engine/ must give exactly the same texts (and draw the same random letters in the
// same order).
//
// The tables are shared with the engine: both read the same constant arrays.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "schnackomat/conversion.h"
#include "schnackomat/random.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/text.h"
#include "stages.h"  // the engine's stages on a whole text, checked against these

namespace schnackomat::reference {

// Text primitives.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find,
                          std::u16string_view replacement);
std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table);
char16_t ToLower(char16_t unit);
std::u16string ToLower(std::u16string_view text);
std::vector<std::u16string_view> SplitPieces(std::u16string_view text, char16_t separator);

// Joins `pieces` with exactly one `separator` between neighbouring pieces.
template <typename Piece>
std::u16string JoinPieces(const std::vector<Piece>& pieces, char16_t separator) {
    std::size_t length = pieces.empty() ? 0 : pieces.size() - 1;
    for (const auto& piece : pieces) {
        length += std::u16string_view(piece).size();
    }
    std::u16string joined;
    joined.reserve(length);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i != 0) {
            joined += separator;
        }
        joined += std::u16string_view(pieces[i]);
    }
    return joined;
}

// Forward stages.
std::u16string ApplySlangWords(std::u16string_view text);
CensorResult ApplyCensor(std::u16string_view text);
std::u16string ApplyInterjections(std::u16string_view text);
std::u16string SwapLetters(std::u16string_view text);
std::u16string ApplyTuPhrases(std::u16string_view text);
std::u16string ApplyLeetCharacters(std::u16string_view text, bool slangStyle);
std::u16string ApplyLeetWords(std::u16string_view text);

// The Matrix code.
std::u16string MatrixEncode(std::u16string_view text, std::u16string_view key,
                            RandomSource& random);
BackResult MatrixDecode(std::u16string_view codedText, std::u16string_view key);

// Reverse stages.
std::u16string RestoreLeetCharacters(std::u16string_view text, bool slangStyle);
std::u16string RestoreLeetWords(std::u16string_view text);
std::u16string RestoreSlangWords(std::u16string_view text);

// The pipelines.
ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options,
                             RandomSource& random);
BackResult ConvertBack(std::u16string_view text, const ConversionOptions& options);

}  // namespace schnackomat::reference
