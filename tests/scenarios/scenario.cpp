#include "scenario.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "schnackomat/rules/help_texts.h"
#include "schnackomat/rules/toolkit.h"

namespace schnackomat::scenarios {

namespace {

// One word of a line: a bare word, or a string with its escapes resolved.
struct Token {
    bool Quoted = false;
    std::string Text;
};

// A word of the line or of a step form as a reason names it: in backquotes.
std::string Named(std::string_view word) {
    std::string named(1, '`');
    named.append(word);
    named += '`';
    return named;
}

// Why a line or a word cannot be read.
struct Failure {
    std::string Reason;
};

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The offset of the first byte that is not part of valid UTF-8, if any.
std::optional<std::size_t> InvalidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            minimum = 0x10000;
        } else {
            return i;
        }
        if (i + length > text.size()) {
            return i;
        }
        char32_t code = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return i;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return i;
        }
        i += length;
    }
    return std::nullopt;
}

std::optional<char32_t> HexQuad(std::string_view text, std::size_t at) {
    if (at + 4 > text.size()) {
        return std::nullopt;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + at + 4, value, 16);
    if (error != std::errc() || end != text.data() + at + 4) {
        return std::nullopt;
    }
    return static_cast<char32_t>(value);
}

// Reads the string that opens at `at` (on its quote) up to its closing quote, which it leaves
// `at` after.
std::variant<std::string, Failure> ReadString(std::string_view line, std::size_t& at) {
    std::string text;
    ++at;
    while (at < line.size() && line[at] != '"') {
        if (line[at] != '\\') {
            text += line[at++];
            continue;
        }
        if (at + 1 >= line.size()) {
            break;
        }
        const char escape = line[at + 1];
        at += 2;
        switch (escape) {
            case '"':
            case '\\':
            case '/':
                text += escape;
                continue;
            case 'b':
                text += '\b';
                continue;
            case 'f':
                text += '\f';
                continue;
            case 'n':
                text += '\n';
                continue;
            case 'r':
                text += '\r';
                continue;
            case 't':
                text += '\t';
                continue;
            case 'u':
                break;
            default:
                return Failure{"unknown escape \\" + std::string(1, escape) + " in a string"};
        }
        const std::optional<char32_t> unit = HexQuad(line, at);
        if (!unit) {
            return Failure{"\\u needs four hexadecimal digits"};
        }
        at += 4;
        char32_t code = *unit;
        if (code >= 0xDC00 && code <= 0xDFFF) {
            return Failure{"a low surrogate without a high one before it"};
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            const std::optional<char32_t> low =
                line.substr(at, 2) == "\\u" ? HexQuad(line, at + 2) : std::nullopt;
            if (!low || *low < 0xDC00 || *low > 0xDFFF) {
                return Failure{"a high surrogate without a low one after it"};
            }
            at += 6;
            code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
        }
        AppendUtf8(text, code);
    }
    if (at >= line.size()) {
        return Failure{"a string without its closing quote"};
    }
    ++at;
    return text;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

std::variant<std::vector<Token>, Failure> Tokenise(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (true) {
        while (at < line.size() && IsSpace(line[at])) {
            ++at;
        }
        if (at == line.size()) {
            return tokens;
        }
        if (line[at] == '"') {
            auto text = ReadString(line, at);
            if (auto* failure = std::get_if<Failure>(&text)) {
                return *failure;
            }
            if (at < line.size() && !IsSpace(line[at])) {
                return Failure{"a string must be followed by a space"};
            }
            tokens.push_back({true, std::get<std::string>(std::move(text))});
            continue;
        }
        const std::size_t start = at;
        while (at < line.size() && !IsSpace(line[at])) {
            if (line[at] == '"') {
                return Failure{"a quote inside a word"};
            }
            ++at;
        }
        tokens.push_back({false, std::string(line.substr(start, at - start))});
    }
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

bool IsControlName(std::string_view name) {
    if (rules::ControlNamed(name)) {
        return true;
    }
    constexpr std::string_view helpLabel = "Form2.Label";
    if (!name.starts_with(helpLabel) || name.size() == helpLabel.size() ||
        name[helpLabel.size()] == '0') {
        return false;
    }
    int number = 0;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data() + helpLabel.size(), end, number);
    // Label1 is the help text, the others the lines of the shortcut list.
    const int helpLabels = static_cast<int>(rules::ShortcutCaptions.size()) + 1;
    return error == std::errc() && stop == end && number >= 1 && number <= helpLabels;
}

// The modifiers and the key of a KEY, or nothing when a modifier is unknown or repeated.
std::optional<KeyPress> Split(std::string_view key) {
    KeyPress press;
    while (true) {
        const std::size_t plus = key.find('+');
        if (plus == std::string_view::npos || plus + 1 == key.size()) {
            break;
        }
        const std::string_view modifier = key.substr(0, plus);
        bool* flag = modifier == "Ctrl"    ? &press.Ctrl
                     : modifier == "Shift" ? &press.Shift
                     : modifier == "Alt"   ? &press.Alt
                                           : nullptr;
        if (flag == nullptr || *flag) {
            return std::nullopt;
        }
        *flag = true;
        key.remove_prefix(plus + 1);
    }
    press.Key = std::string(key);
    return press;
}

std::variant<std::string, Failure> ReadKey(std::string_view key) {
    const std::optional<KeyPress> press = Split(key);
    if (!press) {
        return Failure{Named(key) +
                       " is not a key (the modifiers are Ctrl, Shift and Alt, each once)"};
    }
    const std::string& name = press->Key;
    const bool letterOrDigit = name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') ||
                                                    (name[0] >= '0' && name[0] <= '9'));
    if (!letterOrDigit && std::ranges::find(NamedKeys, name) == std::end(NamedKeys)) {
        return Failure{Named(key) + " is not a key"};
    }
    std::string normal;
    normal += press->Ctrl ? "Ctrl+" : "";
    normal += press->Shift ? "Shift+" : "";
    normal += press->Alt ? "Alt+" : "";
    return normal + name;
}

// The value of one placeholder or alternative for `token`, or why the token does not fit.
std::variant<Argument, Failure> ReadArgument(std::string_view word, const Token& token) {
    if (word == "STRING") {
        if (!token.Quoted) {
            return Failure{Named(token.Text) + " should be a string in double quotes"};
        }
        return Argument{token.Text};
    }
    if (token.Quoted) {
        return Failure{"a string where " + std::string(word) + " belongs"};
    }
    const std::string& text = token.Text;
    if (word == "CONTROL") {
        if (!IsControlName(text)) {
            return Failure{Named(text) + " is not a control"};
        }
        return Argument{text};
    }
    if (word == "NUMBER") {
        int number = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, number);
        if (text.empty() || text.size() > 9 || error != std::errc() || stop != end ||
            text[0] == '-') {
            return Failure{Named(text) + " is not a number"};
        }
        return Argument{number};
    }
    if (word == "KEY") {
        auto key = ReadKey(text);
        if (auto* failure = std::get_if<Failure>(&key)) {
            return *failure;
        }
        return Argument{std::get<std::string>(key)};
    }
    if (word == "COLOUR") {
        const bool colour =
            text.size() == 7 && text[0] == '#' &&
            std::all_of(text.begin() + 1, text.end(), [](char c) {
                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            });
        if (!colour) {
            return Failure{Named(text) + " is not a colour (#rrggbb)"};
        }
        std::string lower = text;
        std::ranges::transform(lower, lower.begin(), [](char c) {
            return c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        return Argument{lower};
    }
    std::string alternatives(word);
    std::ranges::replace(alternatives, '|', ' ');
    for (const std::string_view alternative : Words(alternatives)) {
        if (alternative == text) {
            return Argument{text};
        }
    }
    return Failure{Named(text) + " where " + Named(word) + " belongs"};
}

bool IsLiteral(std::string_view word) {
    return word.find('|') == std::string_view::npos &&
           std::ranges::none_of(word, [](char c) { return c >= 'A' && c <= 'Z'; });
}

// How far a line gets in a form: the words matched, the step if all of them did, and why not.
struct Match {
    std::size_t Matched = 0;
    std::size_t Words = 0;
    std::size_t LeadingLiterals = 0;  // the words that name the step
    std::optional<Step> Matching;
    std::string Reason;
};

Match MatchForm(const StepForm& form, const std::vector<Token>& tokens, int line) {
    const std::vector<std::string_view> words = Words(form.Words);
    Match match;
    match.Words = words.size();
    while (match.LeadingLiterals < words.size() && IsLiteral(words[match.LeadingLiterals])) {
        ++match.LeadingLiterals;
    }
    Step step{line, form.Name, {}};
    for (; match.Matched < words.size(); ++match.Matched) {
        const std::string_view word = words[match.Matched];
        if (match.Matched == tokens.size()) {
            match.Reason = Named(form.Words) + " needs " + std::string(word) + " at the end";
            return match;
        }
        const Token& token = tokens[match.Matched];
        if (IsLiteral(word)) {
            if (token.Quoted || token.Text != word) {
                match.Reason = Named(form.Words) + " has " + Named(word) + " here";
                return match;
            }
            continue;
        }
        auto argument = ReadArgument(word, token);
        if (auto* failure = std::get_if<Failure>(&argument)) {
            match.Reason = failure->Reason + " (in " + Named(form.Words) + ")";
            return match;
        }
        step.Arguments.push_back(std::get<Argument>(std::move(argument)));
    }
    if (tokens.size() > words.size()) {
        match.Reason = "more than " + Named(form.Words) + " takes";
        return match;
    }
    match.Matching = std::move(step);
    return match;
}

// The step a line holds, or why it is none: the reason of the form it came closest to.
std::variant<Step, Failure> ReadStep(const std::vector<Token>& tokens, int line) {
    std::optional<Match> closest;
    for (const StepForm& form : StepForms) {
        Match match = MatchForm(form, tokens, line);
        if (match.Matching) {
            return *std::move(match.Matching);
        }
        // Of two forms that get equally far, the longer one is what the line was meant to be.
        if (match.Matched > 0 &&
            (!closest || match.Matched > closest->Matched ||
             (match.Matched == closest->Matched && match.Words > closest->Words))) {
            closest = std::move(match);
        }
    }
    if (!closest || closest->Matched < closest->LeadingLiterals) {
        const std::size_t named = closest ? closest->Matched + 1 : 1;
        std::string name;
        for (std::size_t i = 0; i < named && i < tokens.size(); ++i) {
            name += (i > 0 ? " " : "") + tokens[i].Text;
        }
        return Failure{Named(name) + " is no step"};
    }
    return Failure{closest->Reason};
}

}  // namespace

KeyPress SplitKey(std::string_view key) {
    return Split(key).value_or(KeyPress{});
}

std::variant<Scenario, ParseError> ParseScenario(std::string_view text) {
    Scenario scenario;
    int line = 0;
    bool expects = false;
    std::size_t at = 0;
    while (at < text.size()) {
        ++line;
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view content = text.substr(at, end - at);
        at = end + 1;
        if (content.ends_with('\r')) {
            content.remove_suffix(1);
        }
        if (const std::optional<std::size_t> invalid = InvalidUtf8(content)) {
            return ParseError{line,
                              "not UTF-8 at byte " + std::to_string(*invalid + 1) + " of the line"};
        }
        const std::size_t first = content.find_first_not_of(" \t");
        if (first == std::string_view::npos || content[first] == '#') {
            continue;
        }
        auto tokens = Tokenise(content);
        if (auto* failure = std::get_if<Failure>(&tokens)) {
            return ParseError{line, failure->Reason};
        }
        const std::vector<Token>& words = std::get<std::vector<Token>>(tokens);
        if (!words.front().Quoted && words.front().Text == PendingForm.Name) {
            Match pending = MatchForm(PendingForm, words, line);
            if (!pending.Matching) {
                return ParseError{line, pending.Reason};
            }
            const std::string& binding = pending.Matching->Text(0);
            if (!scenario.Pending.emplace(binding, pending.Matching->Text(1)).second) {
                return ParseError{line, "the scenario is pending on " + binding + " already"};
            }
            continue;
        }
        auto step = ReadStep(words, line);
        if (auto* failure = std::get_if<Failure>(&step)) {
            return ParseError{line, failure->Reason};
        }
        expects = expects || std::get<Step>(step).Name.starts_with("expect ");
        scenario.Steps.push_back(std::get<Step>(std::move(step)));
    }
    if (!expects) {
        return ParseError{line, "a scenario without any expectation checks nothing"};
    }
    return scenario;
}

}  // namespace schnackomat::scenarios
