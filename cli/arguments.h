// The command line of schnackomat-cli: which conversion to run, on what, and how to say so.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace schnackomat::cli {

// What the command line asks for. The style flags carry the names of the ConversionOptions
// fields they set; the key and the text are still raw bytes from the command line.
struct CliArguments {
    enum class Action { Convert, ShowHelp, ShowVersion };

    Action Request = Action::Convert;
    bool SlangStyle = false;
    bool LeetCharacters = false;
    bool LeetWords = false;
    bool MatrixStyle = false;
    bool Reverse = false;
    std::optional<std::string> MatrixKey;  // unset: the default key
    std::optional<std::string> Text;       // unset: read standard input

    friend bool operator==(const CliArguments&, const CliArguments&) = default;
};

// A command line that cannot be run, with a one-line reason.
struct UsageError {
    std::string Reason;

    friend bool operator==(const UsageError&, const UsageError&) = default;
};

using ParseResult = std::variant<CliArguments, UsageError>;

// Reads the arguments that follow the program name. Options and the one TEXT may come in any
// order; "--" ends the options, so a TEXT that starts with "-" can follow it. Short options can
// be bundled ("-sl"), and "-k" and "--key" take their value from the same argument ("-kabc",
// "--key=abc") or from the next one. "--help" and "--version" answer at once, whatever follows
// them. Without any of the four style options the converter starts like the window does, with
// the leet characters and the leet words.
ParseResult ParseArguments(std::span<const std::string_view> arguments);

// The one-line synopsis, with a trailing newline.
std::string UsageText();

// The full help: the synopsis, every option with its meaning, the exit statuses and examples.
std::string HelpText();

// "schnackomat-cli" and the program's version, with a trailing newline.
std::string VersionText();

}  // namespace schnackomat::cli
