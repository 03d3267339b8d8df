// The browser page as the binding sees it: plain operations on the page's elements, named by
// the controls they show. The page's script (web/js/) raises no rules; PageToolkit decides when a
// change runs one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "schnackomat/rules/toolkit.h"

namespace schnackomat::web {

class Page {
  public:
    virtual ~Page() = default;

    // The whole text of a text box, every line break as "\n".
    virtual std::u16string ReadText(rules::Control box) = 0;
    virtual std::size_t TextLength(rules::Control box) = 0;
    // Replaces the whole text of a text box; answers whether the box's text changed.
    virtual bool ReplaceText(rules::Control box, std::u16string_view text) = 0;
    virtual void SetSelection(rules::Control box, std::size_t start, std::size_t length) = 0;

    virtual bool ReadChecked(rules::Control box) = 0;
    virtual void SetChecked(rules::Control box, bool checked) = 0;

    // Moves the keyboard focus to the element without reporting it back as a user move.
    virtual void MoveFocus(rules::Control control) = 0;
    virtual void SetTextColour(rules::Control label, rules::Colour colour) = 0;

    // Shows the modal message box and waits for the answer; the page stays responsive, only the
    // calling code waits.
    virtual rules::MessageAnswer AskMessage(const rules::Message& message) = 0;

    // Replaces the clipboard's content by `text`; an empty text empties it.
    virtual void WriteClipboard(std::u16string_view text) = 0;
    virtual void OpenLink(std::string_view target) = 0;

    // Shows which text box leads: "Text1", "Text2" or "none".
    virtual void ShowLeadingBox(std::string_view box) = 0;

    virtual void ShowHelpWindow() = 0;
    virtual void HideHelpWindow() = 0;
    // Takes the main window off the page and closes the tab where the browser allows it.
    virtual void EndMainWindow() = 0;
};

}  // namespace schnackomat::web
