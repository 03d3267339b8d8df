// The page's elements reached from WebAssembly: each operation calls the page's script
// (operations.js), which finds the element by the control's number.
#pragma once

#include "page.h"

namespace schnackomat::web {

class DomPage final : public Page {
  public:
    std::u16string ReadText(rules::Control box) override;
    std::size_t TextLength(rules::Control box) override;
    bool ReplaceText(rules::Control box, std::u16string_view text) override;
    void SetSelection(rules::Control box, std::size_t start, std::size_t length) override;
    bool ReadChecked(rules::Control box) override;
    void SetChecked(rules::Control box, bool checked) override;
    void MoveFocus(rules::Control control) override;
    void SetTextColour(rules::Control label, rules::Colour colour) override;
    rules::MessageAnswer AskMessage(const rules::Message& message) override;
    void WriteClipboard(std::u16string_view text) override;
    void OpenLink(std::string_view target) override;
    void ShowLeadingBox(std::string_view box) override;
    void ShowHelpWindow() override;
    void HideHelpWindow() override;
    void EndMainWindow() override;
};

}  // namespace schnackomat::web
