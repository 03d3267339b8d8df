#include "run.h"

#include <variant>

#include "schnackomat/conversion.h"
#include "schnackomat/matrix.h"
#include "schnackomat/slang_words.h"
#include "utf8.h"

namespace schnackomat::cli {

namespace {

RunOutcome InvalidUtf8(std::size_t offset, std::string_view what) {
    return {ExitInvalidUtf8,
            {},
            "schnackomat-cli: invalid UTF-8 at byte " + std::to_string(offset) + " of the " +
                std::string(what) + "\n"};
}

}  // namespace

RunOutcome RunConversion(const CliArguments& arguments, std::string_view input) {
    ConversionOptions options;
    options.SlangStyle = arguments.SlangStyle;
    options.LeetCharacters = arguments.LeetCharacters;
    options.LeetWords = arguments.LeetWords;
    options.MatrixStyle = arguments.MatrixStyle;
    options.MatrixKey = std::u16string(DefaultMatrixKey);
    if (arguments.MatrixKey.has_value()) {
        Utf8DecodeResult key = DecodeUtf8(*arguments.MatrixKey);
        if (!key.Valid()) {
            return InvalidUtf8(*key.InvalidByte, "KEY");
        }
        options.MatrixKey = std::move(key.Text);
    }

    Utf8DecodeResult text = DecodeUtf8(input);
    if (!text.Valid()) {
        return InvalidUtf8(*text.InvalidByte, "input");
    }

    RunOutcome outcome;
    if (arguments.Reverse) {
        BackResult back = ConvertBack(text.Text, options);
        if (std::holds_alternative<KeyRejected>(back)) {
            outcome.Status = ExitKeyRejected;
            outcome.Diagnostics = "Der Schlüssel passt nicht zu diesem Matrix-Text.\n";
            return outcome;
        }
        outcome.Output = EncodeUtf8(std::get<std::u16string>(back));
    } else {
        ForwardResult forward = ConvertForward(text.Text, options);
        if (forward.Censored) {
            outcome.Diagnostics = EncodeUtf8(CensorMessage) + "\n";
        }
        outcome.Output = EncodeUtf8(forward.Text);
    }
    return outcome;
}

}  // namespace schnackomat::cli
