// A toolkit without any window: controls are plain fields, and every write, focus move and
// user action calls back into the rules with the event timing a real toolkit keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "schnackomat/random.h"
#include "schnackomat/rules/toolkit.h"
#include "schnackomat/rules/window_rules.h"

namespace schnackomat::rules::testing {

// Always draws the same value, so every random letter is known.
class FixedRandomSource final : public RandomSource {
  public:
    std::uint32_t NextBelow(std::uint32_t bound) override { return Value % bound; }
    std::uint32_t Value = 0;
};

struct Selection {
    std::size_t Start = 0;
    std::size_t Length = 0;
    friend bool operator==(const Selection&, const Selection&) = default;
};

class FakeToolkit final : public Toolkit {
  public:
    // The main window as it opens: Check1 and Check3 ticked, the default key, focus in Text1.
    FakeToolkit() : rules_(*this, random_) {
        values_[Control::Check1] = 1;
        values_[Control::Check3] = 1;
        texts_[Control::Text3] = u"qorvu";
        rules_.Start();
    }

    WindowRules& Rules() { return rules_; }
    FixedRandomSource& Random() { return random_; }

    // --- Toolkit ---

    std::u16string ReadText(Control box) override { return texts_[box]; }
    void WriteText(Control box, std::u16string_view text) override {
        if (texts_[box] == text) {
            return;
        }
        texts_[box] = std::u16string(text);
        selections_[box] = {};
        rules_.TextChanged(box);
    }
    void Select(Control box, std::size_t start, std::size_t length) override {
        selections_[box] = {start, length};
    }
    int ReadValue(Control box) override { return values_[box]; }
    void WriteValue(Control box, int value) override {
        if (values_[box] == value) {
            return;
        }
        values_[box] = value;
        rules_.Clicked(box);
    }
    void Focus(Control control) override {
        if (control == focus_) {
            return;
        }
        const Control old = focus_;
        focus_ = control;
        rules_.FocusLost(old);
        rules_.FocusGained(control);
    }
    void SetTextColour(Control label, Colour colour) override { colours_[label] = colour; }
    MessageAnswer ShowMessage(const Message& message) override {
        Shown.push_back(message);
        if (!Answers.empty()) {
            const MessageAnswer answer = Answers.front();
            Answers.erase(Answers.begin());
            return answer;
        }
        return message.Buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    void ClearClipboard() override { ClipboardCalls.push_back(u"clear"); }
    void SetClipboardText(std::u16string_view text) override {
        ClipboardCalls.push_back(u"set:" + std::u16string(text));
        ClipboardTexts.emplace_back(text);
    }
    void OpenLink(std::string_view target) override { Links.emplace_back(target); }
    void ShowHelpWindow() override {
        HelpWindowOpen = true;
        ++HelpWindowShows;
    }
    void CloseHelpWindow() override { HelpWindowOpen = false; }
    void CloseMainWindow() override { MainWindowOpen = false; }

    // --- What the user does ---

    // Types `text` character by character into the box that has the focus, each key going
    // through the box's key rule first; a swallowed key inserts nothing, and control
    // characters other than Backspace insert nothing either.
    void Type(std::u16string_view text) {
        for (const char16_t typed : text) {
            const char16_t code = rules_.KeyTyped(focus_, typed);
            Selection& selection = selections_[focus_];
            std::u16string& box = texts_[focus_];
            std::u16string edited = box;
            if (code == u'\b') {
                if (selection.Length > 0) {
                    edited.erase(selection.Start, selection.Length);
                } else if (selection.Start > 0) {
                    edited.erase(--selection.Start, 1);
                }
                selection.Length = 0;
            } else if (code >= 32) {
                edited.replace(selection.Start, selection.Length, 1, code);
                selection = {selection.Start + 1, 0};
            }
            if (edited != box) {
                box = edited;
                rules_.TextChanged(focus_);
            }
        }
    }
    // Pastes `text` over the whole box that has the focus, as one edit.
    void Paste(std::u16string_view text) {
        texts_[focus_] = std::u16string(text);
        selections_[focus_] = {text.size(), 0};
        rules_.TextChanged(focus_);
    }
    // Moves the focus as the Tab key or a mouse click does.
    void Click(Control control) {
        Focus(control);
        if (control >= Control::Check1 && control <= Control::Check4) {
            values_[control] = values_[control] == 1 ? 0 : 1;
        }
        if (control != Control::Text1 && control != Control::Text2 && control != Control::Text3) {
            rules_.Clicked(control);
        }
    }

    std::u16string Text(Control box) { return texts_[box]; }
    int Value(Control box) { return values_[box]; }
    Control Focused() const { return focus_; }
    Selection SelectionOf(Control box) { return selections_[box]; }
    Colour ColourOf(Control label) {
        const auto found = colours_.find(label);
        return found == colours_.end() ? LabelColour : found->second;
    }
    // Sets a control without running any rule, as the window might hold it.
    void Set(Control box, std::u16string_view text) { texts_[box] = std::u16string(text); }
    void Set(Control box, int value) { values_[box] = value; }

    std::vector<Message> Shown;
    std::vector<MessageAnswer> Answers;  // given in this order; then Yes or OK
    std::vector<std::u16string> ClipboardCalls;
    std::vector<std::u16string> ClipboardTexts;
    std::vector<std::string> Links;
    bool HelpWindowOpen = false;
    int HelpWindowShows = 0;
    bool MainWindowOpen = true;

  private:
    FixedRandomSource random_;
    WindowRules rules_;
    std::map<Control, std::u16string> texts_;
    std::map<Control, int> values_;
    std::map<Control, Selection> selections_;
    std::map<Control, Colour> colours_;
    Control focus_ = Control::Form1;
};

}  // namespace schnackomat::rules::testing
