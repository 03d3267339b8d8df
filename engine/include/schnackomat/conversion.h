// The conversion engine: German text to slang, leetspeak and the Matrix code, and back.
//
// Every function here is a pure function of its arguments (apart from the random filler letters
// of the Matrix code) and needs nothing from any window toolkit.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "schnackomat/random.h"

namespace schnackomat {

// What a conversion does, read from the option boxes and the key box at the start of a run.
struct ConversionOptions {
    bool SlangStyle = false;      // slang words, censor, interjections, swaps, "tu" phrases
    bool LeetCharacters = false;  // letters written as look-alike digits
    bool LeetWords = false;       // "0rn" and "0rst" word endings
    bool MatrixStyle = false;     // the five-digit Matrix letter code
    std::u16string MatrixKey;     // the key written into (and expected in) a Matrix text

    friend bool operator==(const ConversionOptions&, const ConversionOptions&) = default;
};

// What the slang style puts at the very end of every text, an empty one too.
inline constexpr std::u16string_view ClosingWhatever = u" whatever";

// The outcome of a forward run: the converted text, and whether the censor fired on the way.
struct ForwardResult {
    std::u16string Text;
    bool Censored = false;
};

// A Matrix text whose key does not fit the key box.
struct KeyRejected {
    friend bool operator==(KeyRejected, KeyRejected) = default;
};

// The outcome of a reverse run: the converted text, or KeyRejected.
using BackResult = std::variant<std::u16string, KeyRejected>;

// Converts German text forward, running the stages the options select, in their fixed order:
// slang (lower-casing, slang words, censor, interjections, letter swaps, "tu" phrases, the
// closing " whatever"), leet characters, leet words, Matrix code. The Matrix code draws its
// filler letters from `random`.
ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options,
                             RandomSource& random);
ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options);

// Converts slang text back: Matrix decoding, leet characters, leet words, slang words. Answers
// KeyRejected when the Matrix stage runs and the text's key does not fit.
BackResult ConvertBack(std::u16string_view text, const ConversionOptions& options);

}  // namespace schnackomat
