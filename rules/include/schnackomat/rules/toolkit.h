// What the window rules need from a window toolkit, and nothing more.
//
// The rules (window_rules.h) never touch a widget, a clipboard or a shell themselves: they read
// and write the controls, ask questions and open links through one Toolkit, named by the
// controls' names. A binding (the Qt window, the browser page) creates the controls, implements
// this interface and hands the controls' events to the rules.
//
// The event timing every binding must keep, because the rules nest on it:
//
// - WriteText changes the box and, when the text really changed, runs the box's change rule
//   (WindowRules::TextChanged) before it returns. Writing the text the box already holds runs
//   nothing. User edits run the same rule after the box has taken the edit.
// - WriteValue changes the option box and, when the value really changed, runs the box's click
//   rule (WindowRules::Clicked) before it returns, exactly as a user click does after the value
//   has changed. Writing the value the box already has runs nothing.
// - Focus moves the keyboard focus and, when the window can take it, runs the focus-lost rule of
//   the control that had it and then the focus-gained rule of the control that gets it, both
//   before it returns (WindowRules::FocusLost, WindowRules::FocusGained).
// - ShowMessage is modal: it returns only when the user has answered, and the rule that asked
//   goes on after it with the answer. A binding whose toolkit cannot block (a browser page)
//   must suspend the calling rule until the answer is there, for example by unwinding and
//   rewinding the stack around an asynchronous dialog.
// - Everything runs on one thread, inside the event that started it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace schnackomat::rules {

// The controls of the main window, by their names. Form1 stands for the window itself (its bare
// ground, for mouse moves), Form2 for the help window as a whole.
enum class Control {
    Form1,
    Text1,     // the input box, German text
    Text2,     // the output box, slang text
    Text3,     // the key box of the Matrix code
    Check1,    // "1337"
    Check2,    // "Pfiii- & Benaldo- Style"
    Check3,    // "1337-Wörters"
    Check4,    // "The Matrix-Style"
    Command1,  // "Ende"
    Command2,  // "?"
    Label1,    // the credit line
    Label2,    // the remark about the colour
    Label3,    // link: the author's mail
    Label4,    // link: Pfiii's mail
    Label5,    // link: the site
    Form2,
};

// The name of a control as the windows' object names and the page's element ids spell it:
// "Text1", "Check4", "Form2", ...
constexpr std::string_view ControlName(Control control) {
    switch (control) {
        case Control::Form1:
            return "Form1";
        case Control::Text1:
            return "Text1";
        case Control::Text2:
            return "Text2";
        case Control::Text3:
            return "Text3";
        case Control::Check1:
            return "Check1";
        case Control::Check2:
            return "Check2";
        case Control::Check3:
            return "Check3";
        case Control::Check4:
            return "Check4";
        case Control::Command1:
            return "Command1";
        case Control::Command2:
            return "Command2";
        case Control::Label1:
            return "Label1";
        case Control::Label2:
            return "Label2";
        case Control::Label3:
            return "Label3";
        case Control::Label4:
            return "Label4";
        case Control::Label5:
            return "Label5";
        case Control::Form2:
            return "Form2";
    }
    return {};
}

// The control of that name, or nothing for a name that is none of them (case matters).
std::optional<Control> ControlNamed(std::string_view name);

// An opaque colour.
struct Colour {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question };
enum class MessageAnswer { Ok, Yes, No };

// The application title, also the title of the censor's message box.
inline constexpr std::u16string_view ApplicationTitle = u"Schnackomat V3.0";

// A modal message box: its text, its title (the rules always give one), its buttons and icon.
struct Message {
    std::u16string_view Text;
    std::u16string_view Title;
    MessageButtons Buttons = MessageButtons::Ok;
    MessageIcon Icon = MessageIcon::None;

    friend bool operator==(const Message&, const Message&) = default;
};

class Toolkit {
  public:
    virtual ~Toolkit() = default;

    // Text boxes (Text1, Text2, Text3).

    // The whole text of the box, one unit per character, every line break as "\n".
    virtual std::u16string ReadText(Control box) = 0;
    // The length of that text. The rules ask for it where they need nothing else (to select the
    // whole text, to see whether a box is empty), so a toolkit that knows it without copying the
    // text should say so.
    virtual std::size_t TextLength(Control box) { return ReadText(box).size(); }
    // Replaces the whole text of the box; runs its change rule at once if the text changed.
    virtual void WriteText(Control box, std::u16string_view text) = 0;
    // Selects `length` characters from `start` (a character index; the text's length means
    // after the last character), with the caret at the end of the selection. A length of 0 just
    // places the caret.
    virtual void Select(Control box, std::size_t start, std::size_t length) = 0;

    // Option boxes (Check1 to Check4): 0 clear, 1 ticked.

    virtual int ReadValue(Control box) = 0;
    // Sets the value; runs the box's click rule at once if the value changed.
    virtual void WriteValue(Control box, int value) = 0;

    // Gives the keyboard focus to a control, with the focus rules run at once (see above).
    virtual void Focus(Control control) = 0;

    // Sets the text colour of a label.
    virtual void SetTextColour(Control label, Colour colour) = 0;

    // Shows a modal message box over the main window and answers the button pressed. Closing a
    // Yes/No box without choosing answers No.
    virtual MessageAnswer ShowMessage(const Message& message) = 0;

    // The system clipboard, plain text only. Failures are ignored.
    virtual void ClearClipboard() = 0;
    virtual void SetClipboardText(std::u16string_view text) = 0;

    // Hands a "mailto:" or web link to the desktop's (or browser's) default handler. Failures
    // are ignored.
    virtual void OpenLink(std::string_view target) = 0;

    // Shows the one help window without blocking; if it is open already, shows that one again.
    virtual void ShowHelpWindow() = 0;
    // Closes the help window and discards it; the next ShowHelpWindow builds it afresh.
    virtual void CloseHelpWindow() = 0;
    // Closes the main window as its close box does. The help window, if open, stays.
    virtual void CloseMainWindow() = 0;
};

}  // namespace schnackomat::rules
