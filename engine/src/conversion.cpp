// The two pipelines: the stages the options switch on, in their fixed order.
#include "schnackomat/conversion.h"

#include "schnackomat/interjections.h"
#include "schnackomat/leet.h"
#include "schnackomat/matrix.h"
#include "schnackomat/reverse.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/text.h"
#include "schnackomat/tu_phrases.h"

namespace schnackomat {

ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options,
                             RandomSource& random) {
    ForwardResult result{std::u16string(text), false};
    std::u16string& working = result.Text;
    if (options.SlangStyle) {
        working = ToLower(working);
        working = ApplySlangWords(working);
        CensorResult censor = ApplyCensor(working);
        result.Censored = censor.Fired;
        working = std::move(censor.Text);
        working = ApplyInterjections(working);
        working = SwapLetters(working);
        working = ApplyTuPhrases(working);
        working += ClosingWhatever;
        working.shrink_to_fit();  // the room the string grew by stays unused beside a Matrix text
    }
    if (options.LeetCharacters) {
        working = ApplyLeetCharacters(working, options.SlangStyle);
    }
    if (options.LeetWords) {
        working = ApplyLeetWords(working);
    }
    if (options.MatrixStyle) {
        working = MatrixEncode(working, options.MatrixKey, random);
    }
    return result;
}

ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options) {
    return ConvertForward(text, options, DefaultRandomSource());
}

BackResult ConvertBack(std::u16string_view text, const ConversionOptions& options) {
    std::u16string working(text);
    if (options.MatrixStyle) {
        BackResult decoded = MatrixDecode(working, options.MatrixKey);
        if (std::holds_alternative<KeyRejected>(decoded)) {
            return decoded;
        }
        working = std::get<std::u16string>(std::move(decoded));
    }
    if (options.LeetCharacters) {
        working = RestoreLeetCharacters(working, options.SlangStyle);
    }
    if (options.LeetWords) {
        working = RestoreLeetWords(working);
    }
    if (options.SlangStyle) {
        working = RestoreSlangWords(working);
    }
    return working;
}

}  // namespace schnackomat
