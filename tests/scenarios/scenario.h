// Scenarios: scripted runs of the program in a small line-based form (README.md in this folder),
// read once here and played by every window binding's runner.
//
// A scenario is a list of steps, one a line: actions of the user (focus, click, type, press,
// paste, answer, hover, scroll) and expectations of what the program then shows (expect ...).
// Lines may also mark the scenario as pending on a binding that does not behave so yet.
// Reading checks every line against the step forms below, so a runner gets only steps it knows,
// with their arguments already of the right kind.
#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace schnackomat::scenarios {

// One step form: its name, and its words, each either a literal word, alternatives of literal
// words ("Yes|No|OK"), or one of these placeholders:
//
//   CONTROL  a control's name: Form1, Form2, Text1 to Text3, Check1 to Check4, Command1,
//            Command2, Label1 to Label5, and the help window's Form2.Label1 to Form2.Label15
//   NUMBER   a whole number from 0
//   STRING   a text in double quotes, with the escapes of JSON
//   KEY      a key with its modifiers: "Tab", "Shift+Tab", "Ctrl+Shift+Z"
//   COLOUR   "#rrggbb"
struct StepForm {
    std::string_view Name;
    std::string_view Words;
};

// Every step a scenario may hold; a runner answers each of them.
inline constexpr StepForm StepForms[] = {
    {"focus", "focus CONTROL"},
    {"click", "click CONTROL"},
    {"click at", "click CONTROL at NUMBER"},
    {"type", "type STRING"},
    {"press", "press KEY"},
    {"paste", "paste STRING"},
    {"answer", "answer Yes|No|OK"},
    {"hover", "hover CONTROL"},
    {"hover window", "hover window"},
    {"scroll", "scroll CONTROL end"},
    {"expect text", "expect text CONTROL STRING"},
    {"expect caret", "expect caret CONTROL NUMBER"},
    {"expect selection", "expect selection CONTROL NUMBER NUMBER"},
    {"expect checked", "expect checked CONTROL 0|1"},
    {"expect focus", "expect focus CONTROL"},
    {"expect leads", "expect leads Text1|Text2|none"},
    {"expect clipboard", "expect clipboard STRING"},
    {"expect clipboard of", "expect clipboard CONTROL"},
    {"expect messages", "expect messages NUMBER"},
    {"expect message", "expect message NUMBER STRING STRING OK|YesNo none|information|question"},
    {"expect links", "expect links NUMBER"},
    {"expect link", "expect link NUMBER STRING"},
    {"expect colour", "expect colour CONTROL COLOUR"},
    {"expect caption", "expect caption CONTROL STRING"},
    {"expect open", "expect open Form1|Form2"},
    {"expect closed", "expect closed Form1|Form2"},
    {"expect view", "expect view CONTROL top|end"},
    {"expect decoded", "expect decoded CONTROL STRING STRING"},
    {"expect letters", "expect letters CONTROL"},
};

// The line that marks a scenario as not passing on a binding yet, with the reason.
inline constexpr StepForm PendingForm{"pending", "pending qt|page|windows STRING"};

// A placeholder's value: a NUMBER is a number, everything else its text. Strings come with their
// escapes resolved, in UTF-8; a KEY comes as its modifiers and key in a fixed order
// ("Ctrl+Shift+Z"), a COLOUR in lower case.
using Argument = std::variant<std::string, int>;

struct Step {
    int Line = 0;
    std::string_view Name;            // a StepForm's name
    std::vector<Argument> Arguments;  // one for each placeholder or alternative, in order

    const std::string& Text(std::size_t index) const {
        return std::get<std::string>(Arguments.at(index));
    }
    int Number(std::size_t index) const { return std::get<int>(Arguments.at(index)); }
};

struct Scenario {
    std::map<std::string, std::string, std::less<>> Pending;  // binding -> why it fails there
    std::vector<Step> Steps;
};

// Why a scenario cannot be read: the line (from 1) and a one-line reason.
struct ParseError {
    int Line = 0;
    std::string Reason;

    friend bool operator==(const ParseError&, const ParseError&) = default;
};

// Reads a scenario from its UTF-8 text. A scenario without any expectation is an error: it
// could never fail.
std::variant<Scenario, ParseError> ParseScenario(std::string_view text);

// A KEY taken apart: its modifiers and the key itself ("Tab", "Z", "Backspace", ...).
struct KeyPress {
    bool Ctrl = false;
    bool Shift = false;
    bool Alt = false;
    std::string Key;
};

KeyPress SplitKey(std::string_view key);

// The keys a KEY may name besides the letters A to Z and the digits 0 to 9.
inline constexpr std::string_view NamedKeys[] = {
    "Tab", "Esc",  "Return", "Space", "Backspace", "Delete", "Insert",   "Home",
    "End", "Left", "Right",  "Up",    "Down",      "PageUp", "PageDown",
};

}  // namespace schnackomat::scenarios
