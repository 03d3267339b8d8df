#include "schnackomat/rules/window_rules.h"

#include <string>
#include <variant>

#include "schnackomat/matrix.h"
#include "schnackomat/rules/key_box.h"
#include "schnackomat/rules/shortcuts.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/text.h"

namespace schnackomat::rules {

namespace {

// Where the credit links lead.
constexpr std::string_view AuthorMail = "mailto:benaldo@schnackomat.example";
constexpr std::string_view PfiiiMail = "mailto:pfiii@schnackomat.example";
constexpr std::string_view SiteLink = "https://schnackomat.example/";

constexpr Control LinkLabels[] = {Control::Label3, Control::Label4, Control::Label5};

}  // namespace

std::optional<Control> ControlNamed(std::string_view name) {
    for (int index = static_cast<int>(Control::Form1); index <= static_cast<int>(Control::Form2);
         ++index) {
        const auto control = static_cast<Control>(index);
        if (ControlName(control) == name) {
            return control;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> LinkTarget(Control label) {
    switch (label) {
        case Control::Label3:
            return AuthorMail;
        case Control::Label4:
            return PfiiiMail;
        case Control::Label5:
            return SiteLink;
        default:
            return std::nullopt;
    }
}

WindowRules::WindowRules(Toolkit& toolkit, RandomSource& random)
    : toolkit_(toolkit), random_(random) {}

void WindowRules::Start() {
    // The focus rule runs here as well, because a toolkit may not raise focus events for a
    // window that is not shown yet; running it twice changes nothing.
    toolkit_.Focus(Control::Text1);
    Text1GotFocus();
}

void WindowRules::TextChanged(Control box) {
    switch (box) {
        case Control::Text1:
            Text1Changed();
            break;
        case Control::Text2:
            Text2Changed();
            break;
        case Control::Text3:
            Text3Changed();
            break;
        default:
            break;
    }
}

char16_t WindowRules::KeyTyped(Control box, char16_t code) {
    switch (box) {
        case Control::Text1:
            return Text1KeyPress(code);
        case Control::Text3:
            return Text3KeyPress(code);
        default:
            return code;
    }
}

void WindowRules::FocusGained(Control control) {
    if (control == Control::Text1) {
        Text1GotFocus();
    } else if (control == Control::Text2) {
        Text2GotFocus();
    }
}

void WindowRules::FocusLost(Control control) {
    if (control == Control::Text1) {
        Text1LostFocus();
    } else if (control == Control::Text2) {
        Text2LostFocus();
    }
}

void WindowRules::Clicked(Control control) {
    switch (control) {
        case Control::Check1:
            Check1Clicked();
            break;
        case Control::Check2:
            Check2Clicked();
            break;
        case Control::Check3:
            Check3Clicked();
            break;
        case Control::Check4:
            Check4Clicked();
            break;
        case Control::Command1:
            Command1Clicked();
            break;
        case Control::Command2:
            Command2Clicked();
            break;
        case Control::Form2:
            Form2Clicked();
            break;
        case Control::Label3:
        case Control::Label4:
        case Control::Label5:
            LinkLabelClicked(control);
            break;
        default:
            break;
    }
}

void WindowRules::MouseMoved(Control control) {
    if (control == Control::Form1) {
        Form1MouseMove();
    } else if (LinkTarget(control)) {
        LinkLabelMouseMove(control);
    }
}

bool WindowRules::Ticked(Control box) {
    return toolkit_.ReadValue(box) == 1;
}

ConversionOptions WindowRules::CurrentOptions() {
    ConversionOptions options;
    options.SlangStyle = Ticked(Control::Check2);
    options.LeetCharacters = Ticked(Control::Check1);
    options.LeetWords = Ticked(Control::Check3);
    options.MatrixStyle = Ticked(Control::Check4);
    options.MatrixKey = toolkit_.ReadText(Control::Text3);
    return options;
}

void WindowRules::SelectAll(Control box) {
    toolkit_.Select(box, 0, toolkit_.TextLength(box));
}

void WindowRules::Text1Changed() {
    if (!text1Leads_) {
        return;
    }
    const ForwardResult result =
        ConvertForward(toolkit_.ReadText(Control::Text1), CurrentOptions(), random_);
    if (result.Censored) {
        toolkit_.ShowMessage(
            Message{CensorMessage, ApplicationTitle, MessageButtons::Ok, MessageIcon::None});
    }
    toolkit_.WriteText(Control::Text2, result.Text);
    // What the box holds now, as it stores it, goes onto the clipboard.
    toolkit_.ClearClipboard();
    toolkit_.SetClipboardText(toolkit_.ReadText(Control::Text2));
}

void WindowRules::Text2Changed() {
    if (!text2Leads_) {
        return;
    }
    const std::u16string text = toolkit_.ReadText(Control::Text2);
    const BackResult result = ConvertBack(text, CurrentOptions());
    if (const auto* converted = std::get_if<std::u16string>(&result)) {
        toolkit_.WriteText(Control::Text1, *converted);
    } else {
        toolkit_.WriteText(Control::Text1, RandomLetters(text.size(), random_));
    }
}

void WindowRules::Text3Changed() {
    // The key is written back in lower case, then as the box keeps it, without spaces. Each
    // write runs this rule again when it changes the key; the nested run finds the key already
    // normalised and writes nothing. An unchanged key is not written at all, for toolkits that
    // would raise the change event for it anyway.
    const std::u16string key = toolkit_.ReadText(Control::Text3);
    const std::u16string lower = ToLower(key);
    if (lower != key) {
        toolkit_.WriteText(Control::Text3, lower);
    }
    const std::u16string current = toolkit_.ReadText(Control::Text3);
    const std::u16string normal = NormaliseKey(current);
    if (normal != current) {
        toolkit_.WriteText(Control::Text3, normal);
    }
    const std::size_t keyLength = toolkit_.TextLength(Control::Text3);
    toolkit_.Select(Control::Text3, keyLength, 0);
    if (toolkit_.TextLength(Control::Text2) != 0 && toolkit_.TextLength(Control::Text3) != 0 &&
        toolkit_.TextLength(Control::Text1) != 0) {
        toolkit_.Focus(Control::Text2);
        text2Leads_ = true;
        text1Leads_ = false;
        Text2Changed();
        toolkit_.Focus(Control::Text3);
    }
}

char16_t WindowRules::Text1KeyPress(char16_t code) {
    // The word always goes to the very end, whatever the caret or the selection; the write
    // reaches the forward conversion through Text1's own change rule. The key is swallowed, so
    // that the box's own meaning of Ctrl+A (select all) or Ctrl+Z (undo) does not follow.
    std::u16string text;
    if (const std::optional<ShortcutRow> shortcut = FindShortcut(code)) {
        text = toolkit_.ReadText(Control::Text1);
        text += shortcut->Text;
    } else if (code == DeleteLastWordCode) {
        text = DeleteLastWord(toolkit_.ReadText(Control::Text1));
    } else {
        return code;
    }
    toolkit_.WriteText(Control::Text1, text);
    toolkit_.Select(Control::Text1, text.size(), 0);
    return 0;
}

char16_t WindowRules::Text3KeyPress(char16_t code) {
    if ((code < u'a' || code > u'z') && code != u'\b') {
        return 0;
    }
    return code;
}

void WindowRules::Text1GotFocus() {
    text1Leads_ = true;
    text2Leads_ = false;
    SelectAll(Control::Text1);
}

void WindowRules::Text1LostFocus() {
    text1Leads_ = false;
}

void WindowRules::Text2GotFocus() {
    text2Leads_ = true;
    text1Leads_ = false;
    SelectAll(Control::Text2);
}

void WindowRules::Text2LostFocus() {
    text2Leads_ = false;
}

void WindowRules::Check1Clicked() {
    if (Ticked(Control::Check1)) {
        toolkit_.WriteValue(Control::Check4, 0);
    }
    ConvertAfterOptionClick();
}

void WindowRules::Check2Clicked() {
    ConvertAfterOptionClick();
}

void WindowRules::Check3Clicked() {
    if (Ticked(Control::Check3)) {
        toolkit_.WriteValue(Control::Check4, 0);
    }
    ConvertAfterOptionClick();
}

void WindowRules::Check4Clicked() {
    if (Ticked(Control::Check4)) {
        toolkit_.WriteValue(Control::Check1, 0);
        toolkit_.WriteValue(Control::Check3, 0);
    }
    if (toolkit_.TextLength(Control::Text3) == 0) {
        toolkit_.WriteText(Control::Text3, DefaultMatrixKey);
    }
    ConvertAfterOptionClick();
}

void WindowRules::ConvertAfterOptionClick() {
    toolkit_.Focus(Control::Text1);
    if (toolkit_.TextLength(Control::Text1) == 0) {
        return;
    }
    text1Leads_ = true;
    text2Leads_ = false;
    Text1Changed();
}

void WindowRules::Command1Clicked() {
    if (toolkit_.ShowMessage(ExitQuestion) != MessageAnswer::Yes) {
        return;
    }
    if (toolkit_.ShowMessage(ExitSecondQuestion) != MessageAnswer::Yes) {
        return;
    }
    toolkit_.ShowMessage(ExitFarewell);
    toolkit_.CloseMainWindow();
}

void WindowRules::Command2Clicked() {
    toolkit_.ShowHelpWindow();
}

void WindowRules::Form2Clicked() {
    toolkit_.CloseHelpWindow();
}

void WindowRules::LinkLabelMouseMove(Control label) {
    if (LinkTarget(label)) {
        toolkit_.SetTextColour(label, LinkHoverColour);
    }
}

void WindowRules::Form1MouseMove() {
    for (const Control label : LinkLabels) {
        toolkit_.SetTextColour(label, LabelColour);
    }
}

void WindowRules::LinkLabelClicked(Control label) {
    if (const std::optional<std::string_view> target = LinkTarget(label)) {
        toolkit_.OpenLink(*target);
    }
}

}  // namespace schnackomat::rules
