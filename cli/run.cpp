#include "run.h"

#include <optional>
#include <string>
#include <variant>

#include "schnackomat/conversion.h"
#include "schnackomat/matrix.h"
#include "schnackomat/rules/key_box.h"
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

RunOutcome Refused(const std::string& reason) {
    return {ExitUsage, {}, "schnackomat-cli: " + reason + "\n"};
}

// Why the key box could not hold `key` as it is given, if it could not. The converter takes no
// key in another form: a key typed into the box loses its capitals and spaces, a pasted one is
// lower-cased and loses its spaces, so either way the window would hold another key than the
// one that wrote the text.
std::optional<std::string> RefusedKey(std::u16string_view key, std::string_view written) {
    std::string quoted(1, '\'');
    quoted.append(written);
    quoted += '\'';
    if (key.find_first_of(u"\r\n") != std::u16string_view::npos) {
        return "the KEY " + quoted + " is more than one line; the key box holds one";
    }
    if (const std::u16string normal = rules::NormaliseKey(key); normal != key) {
        return "the key box keeps the KEY " + quoted + " as '" + EncodeUtf8(normal) +
               "' (lower case, no spaces): give it so";
    }
    if (key.size() > rules::MaxKeyLength) {
        return "the KEY " + quoted + " has " + std::to_string(key.size()) +
               " characters; the key box holds at most " + std::to_string(rules::MaxKeyLength);
    }
    return std::nullopt;
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
        if (const std::optional<std::string> reason = RefusedKey(key.Text, *arguments.MatrixKey)) {
            return Refused(*reason);
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
