#include "arguments.h"

#include "schnackomat/rules/key_box.h"

namespace schnackomat::cli {

namespace {

constexpr std::string_view ProgramName = "schnackomat-cli";

UsageError MissingKey(std::string_view option) {
    return {"option '" + std::string(option) + "' needs a KEY"};
}

}  // namespace

ParseResult ParseArguments(std::span<const std::string_view> arguments) {
    CliArguments parsed;
    bool anyStyle = false;
    bool optionsEnded = false;

    auto setText = [&parsed](std::string_view text) -> std::optional<UsageError> {
        if (parsed.Text.has_value()) {
            return UsageError{"more than one TEXT given (put a text with spaces in quotes)"};
        }
        parsed.Text = std::string(text);
        return std::nullopt;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];

        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (auto error = setText(argument)) {
                return *error;
            }
            continue;
        }

        if (argument == "--") {
            optionsEnded = true;
            continue;
        }

        if (argument.starts_with("--")) {
            const std::size_t equals = argument.find('=');
            const std::string_view name = argument.substr(0, equals);
            if (name == "--key") {
                if (equals != std::string_view::npos) {
                    parsed.MatrixKey = std::string(argument.substr(equals + 1));
                } else if (i + 1 < arguments.size()) {
                    parsed.MatrixKey = std::string(arguments[++i]);
                } else {
                    return MissingKey(name);
                }
                continue;
            }

            bool* flag = nullptr;
            bool isStyle = true;
            if (name == "--slang") {
                flag = &parsed.SlangStyle;
            } else if (name == "--leet") {
                flag = &parsed.LeetCharacters;
            } else if (name == "--leet-words") {
                flag = &parsed.LeetWords;
            } else if (name == "--matrix") {
                flag = &parsed.MatrixStyle;
            } else if (name == "--reverse") {
                flag = &parsed.Reverse;
                isStyle = false;
            } else if (name != "--help" && name != "--version") {
                return UsageError{"unknown option '" + std::string(name) + "'"};
            }
            if (equals != std::string_view::npos) {
                return UsageError{"option '" + std::string(name) + "' takes no value"};
            }
            if (flag == nullptr) {
                parsed.Request = name == "--help" ? CliArguments::Action::ShowHelp
                                                  : CliArguments::Action::ShowVersion;
                return parsed;
            }
            *flag = true;
            anyStyle = anyStyle || isStyle;
            continue;
        }

        // One or more bundled short options; "-k" takes the rest of the argument or the next.
        for (std::size_t k = 1; k < argument.size(); ++k) {
            switch (argument[k]) {
                case 's':
                    parsed.SlangStyle = true;
                    anyStyle = true;
                    break;
                case 'l':
                    parsed.LeetCharacters = true;
                    anyStyle = true;
                    break;
                case 'w':
                    parsed.LeetWords = true;
                    anyStyle = true;
                    break;
                case 'm':
                    parsed.MatrixStyle = true;
                    anyStyle = true;
                    break;
                case 'r':
                    parsed.Reverse = true;
                    break;
                case 'h':
                    parsed.Request = CliArguments::Action::ShowHelp;
                    return parsed;
                case 'k':
                    if (k + 1 < argument.size()) {
                        parsed.MatrixKey = std::string(argument.substr(k + 1));
                    } else if (i + 1 < arguments.size()) {
                        parsed.MatrixKey = std::string(arguments[++i]);
                    } else {
                        return MissingKey("-k");
                    }
                    k = argument.size();
                    break;
                default:
                    return UsageError{"unknown option '-" + std::string(1, argument[k]) + "'"};
            }
        }
    }

    if (!anyStyle) {
        parsed.LeetCharacters = true;
        parsed.LeetWords = true;
    }
    return parsed;
}

std::string UsageText() {
    return "Usage: " + std::string(ProgramName) +
           " [--slang] [--leet] [--leet-words] [--matrix] [--key KEY] [--reverse] [TEXT]\n";
}

std::string HelpText() {
    return UsageText() +
           "\n"
           "Rewrites German text into chat slang, leetspeak and the Matrix code, and back.\n"
           "Converts TEXT, or without it all of standard input as one text, and writes the\n"
           "result to standard output as UTF-8, with nothing added.\n"
           "\n"
           "Options:\n"
           "  -s, --slang        slang words, interjections, letter swaps and \"tu\" phrases\n"
           "  -l, --leet         letters written as look-alike digits\n"
           "  -w, --leet-words   the word endings \"0rn\" and \"0rst\"\n"
           "  -m, --matrix       the five-digit Matrix letter code\n"
           "  -k, --key KEY      the key of the Matrix code (default \"qorvu\"; also --key=KEY)\n"
           "  -r, --reverse      convert slang text back to German\n"
           "  -h, --help         show this help and exit\n"
           "      --version      show the version and exit\n"
           "      --             end the options; what follows is the TEXT\n"
           "Without any of -s, -l, -w and -m the converter runs as -l -w.\n"
           "A KEY is given as the window's key box holds it: one line of at most " +
           std::to_string(rules::MaxKeyLength) +
           "\ncharacters, in lower case, without spaces; any other is refused.\n"
           "\n"
           "Exit status: 0 done, 1 bad usage or a refused KEY, 2 input or KEY not valid\n"
           "UTF-8, 3 the KEY does not fit the Matrix text, 4 reading or writing failed.\n"
           "\n"
           "Examples:\n"
           "  schnackomat-cli --slang --leet \"Ich mache heute eine Party.\"\n"
           "  echo -n \"h4ll0 w3lt!\" | schnackomat-cli -r -l\n"
           "  schnackomat-cli -m -k abc < brief.txt | schnackomat-cli -r -m -k abc\n";
}

std::string VersionText() {
    return std::string(ProgramName) + " " SCHNACKOMAT_VERSION "\n";
}

}  // namespace schnackomat::cli
