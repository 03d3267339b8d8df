// The rules of the main window and the help window, independent of any window toolkit.
//
// WindowRules owns the two flags Text1Leads and Text2Leads and answers every event that matters:
// edits of the three text boxes, keys typed into Text1 and Text3, focus moves of Text1 and
// Text2, option box clicks, the two buttons, the credit links and clicks on the help window.
// Everything else it reads from the controls through its Toolkit when a rule runs; nothing is
// cached between events.
//
// How a binding delivers events (all on the toolkit's one thread):
//
//   box's text changed (user edit or a WriteText that changed it) -> TextChanged(box)
//   a key typed into Text1 or Text3, before the box takes it       -> KeyTyped(box, code)
//   Text1 or Text2 gained / lost the keyboard focus                -> FocusGained / FocusLost
//   option box's value changed (user click, space bar, WriteValue) -> Clicked(CheckN)
//   a button pressed; a link label clicked; the help window clicked -> Clicked(control)
//   the pointer moved over a link label, or over the bare window   -> MouseMoved(control)
//
// Each entry point runs the rule of that control and event; the named rules (Text1Changed,
// Check4Clicked, ...) may be called directly as well. Controls without a rule for an event are
// ignored, so a binding may deliver every event it sees. Start() is called once, when the main
// window has been created with its initial values.
//
// The rules call back into the toolkit, and the toolkit's writes call back into the rules
// before they return (see toolkit.h); one user action can so run several nested rules, for
// example three forward conversions for one click on Check4.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "schnackomat/conversion.h"
#include "schnackomat/random.h"
#include "schnackomat/rules/toolkit.h"
#include "schnackomat/rules/window_layout.h"

namespace schnackomat::rules {

// The text colour of every label, and of a link label while the pointer is over it.
inline constexpr Colour LabelColour = LightOrange;
inline constexpr Colour LinkHoverColour{255, 255, 128};

// The three questions of "Ende", in order.
inline constexpr Message ExitQuestion{u"Sind Sie sicher?", u"Beenden", MessageButtons::YesNo,
                                      MessageIcon::Question};
inline constexpr Message ExitSecondQuestion{
    u"Wirklich ganz sicher? Vorsicht, Sie könnten möglicherweise das Programm damit "
    u"beenden...!",
    u"In echt jetzt?!", MessageButtons::YesNo, MessageIcon::Question};
inline constexpr Message ExitFarewell{u"Wuuuuuh!", u"Whääy", MessageButtons::Ok,
                                      MessageIcon::Information};

// Where a link label leads: Label3, Label4 and Label5 have a target, every other control none.
std::optional<std::string_view> LinkTarget(Control label);

class WindowRules {
  public:
    // The rules draw random letters (Matrix filler, letters for a rejected key) from `random`.
    explicit WindowRules(Toolkit& toolkit, RandomSource& random = DefaultRandomSource());

    WindowRules(const WindowRules&) = delete;
    WindowRules& operator=(const WindowRules&) = delete;

    // The window has opened: the focus goes to Text1, whose focus rule sets Text1Leads. No
    // conversion runs.
    void Start();

    // Which text box the user is editing: an edit of Text1 converts forward only while
    // Text1Leads is set, an edit of Text2 converts back only while Text2Leads is set. Never both.
    bool Text1Leads() const { return text1Leads_; }
    bool Text2Leads() const { return text2Leads_; }

    // Event entry points, by control; see the table above.
    void TextChanged(Control box);
    // Answers the character code the box should go on with: `code` itself to let the box handle
    // it as usual, 0 to swallow the key.
    char16_t KeyTyped(Control box, char16_t code);
    void FocusGained(Control control);
    void FocusLost(Control control);
    void Clicked(Control control);
    void MouseMoved(Control control);

    // The forward trigger: while Text1 leads, converts Text1 into Text2 (showing the censor's
    // message when it fires) and puts Text2 on the clipboard.
    void Text1Changed();
    // The reverse trigger: while Text2 leads, converts Text2 back into Text1, or fills Text1 with
    // random letters when the Matrix key does not fit.
    void Text2Changed();
    // The key box: keeps the key lower case without spaces, and when all three boxes hold text
    // decodes Text2 again with it.
    void Text3Changed();
    // The Ctrl+letter shortcuts and Ctrl+Backspace of the input box.
    char16_t Text1KeyPress(char16_t code);
    // The key box takes only "a" to "z" and Backspace.
    char16_t Text3KeyPress(char16_t code);

    void Text1GotFocus();
    void Text1LostFocus();
    void Text2GotFocus();
    void Text2LostFocus();

    // The option boxes: Check4 excludes Check1 and Check3; every click gives the focus back to
    // Text1 and converts it again.
    void Check1Clicked();
    void Check2Clicked();
    void Check3Clicked();
    void Check4Clicked();

    // "Ende": three questions, then the main window closes.
    void Command1Clicked();
    // "?": the help window.
    void Command2Clicked();
    // Any click on the help window closes it.
    void Form2Clicked();

    // The credit links light up under the pointer, go dark over the bare window and open their
    // targets on a click.
    void LinkLabelMouseMove(Control label);
    void Form1MouseMove();
    void LinkLabelClicked(Control label);

  private:
    ConversionOptions CurrentOptions();
    bool Ticked(Control box);
    void SelectAll(Control box);
    // What every option box does after its own rule: focus to Text1 and convert it again.
    void ConvertAfterOptionClick();

    Toolkit& toolkit_;
    RandomSource& random_;
    bool text1Leads_ = false;
    bool text2Leads_ = false;
};

}  // namespace schnackomat::rules
