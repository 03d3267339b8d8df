// The window rules' toolkit on a browser page.
//
// The page's elements do not raise their events for writes made by script, and the page
// reports the user's focus moves whether or not they change anything. PageToolkit keeps the
// event timing the rules rely on: a write that changes a box runs its rule before it returns,
// and a focus move runs the lost and gained rules of the two controls, once.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "page.h"
#include "schnackomat/rules/toolkit.h"
#include "schnackomat/rules/window_rules.h"

namespace schnackomat::web {

class PageToolkit final : public rules::Toolkit {
  public:
    explicit PageToolkit(Page& page) : page_(page) {}

    // The rules that this toolkit's writes and the page's events run. Until they are attached,
    // writes change the page and run nothing.
    void Attach(rules::WindowRules& rules) { rules_ = &rules; }

    // The control that holds the keyboard focus as the rules know it; nothing before the first
    // focus move.
    std::optional<rules::Control> Focused() const { return focused_; }

    // Events of the page, after the element has taken the user's action.
    void UserEdited(rules::Control box);
    void UserFocused(rules::Control control);
    // An option box toggled, a button pressed, a label or the help window clicked.
    void UserClicked(rules::Control control);
    void UserPointed(rules::Control control);
    // A character typed into a box, before the box takes it: answers the code the box goes on
    // with, 0 to drop the key.
    char16_t UserTyped(rules::Control box, char16_t code);

    std::u16string ReadText(rules::Control box) override;
    std::size_t TextLength(rules::Control box) override;
    void WriteText(rules::Control box, std::u16string_view text) override;
    void Select(rules::Control box, std::size_t start, std::size_t length) override;
    int ReadValue(rules::Control box) override;
    void WriteValue(rules::Control box, int value) override;
    void Focus(rules::Control control) override;
    void SetTextColour(rules::Control label, rules::Colour colour) override;
    rules::MessageAnswer ShowMessage(const rules::Message& message) override;
    void ClearClipboard() override;
    void SetClipboardText(std::u16string_view text) override;
    void OpenLink(std::string_view target) override;
    void ShowHelpWindow() override;
    void CloseHelpWindow() override;
    void CloseMainWindow() override;

  private:
    // Moves the rules' idea of the focus to `control`, running the lost and gained rules.
    void FocusMoved(rules::Control control);

    Page& page_;
    rules::WindowRules* rules_ = nullptr;
    std::optional<rules::Control> focused_;
    bool mainWindowOpen_ = true;
};

}  // namespace schnackomat::web
