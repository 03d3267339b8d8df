// The plain forms of what the engine does faster by its algorithms: a table applied row by row,
// one ReplaceAll over the whole text for each row; the interjections one table after the other;
// the Matrix code replacing one character or group after the other; the verb periphrasis splitting
// and joining the text for each pass. They are slow but easy to check against the tables; the
// differential tests, the fuzzers and the benchmarks take their output as the definition of correct
// output. The engine in engine/ must give exactly the same texts (and draw the same random letters
// in the same order).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "schnackomat/conversion.h"
#include "schnackomat/random.h"
#include "schnackomat/text.h"

namespace schnackomat::reference {

// Every row of `table` in order, each with ReplaceAll on the whole text.
std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table);

// The punctuation interjections: the normalisation table, the interjection table, then the text
// split at its full stops and joined again with the sentence interjection after every other one.
std::u16string ApplyInterjections(std::u16string_view text);

// The verb periphrasis.
std::u16string ApplyTuPhrases(std::u16string_view text);

// The Matrix code.
std::u16string MatrixEncode(std::u16string_view text, std::u16string_view key,
                            RandomSource& random);
BackResult MatrixDecode(std::u16string_view codedText, std::u16string_view key);

}  // namespace schnackomat::reference
