#include "page_toolkit.h"

namespace schnackomat::web {

using rules::Control;

void PageToolkit::UserEdited(Control box) {
    if (rules_ != nullptr && mainWindowOpen_) {
        rules_->TextChanged(box);
    }
}

void PageToolkit::UserFocused(Control control) {
    if (mainWindowOpen_) {
        FocusMoved(control);
    }
}

void PageToolkit::UserClicked(Control control) {
    // The help window outlives the main window; everything else went with it.
    if (rules_ != nullptr && (mainWindowOpen_ || control == Control::Form2)) {
        rules_->Clicked(control);
    }
}

void PageToolkit::UserPointed(Control control) {
    if (rules_ != nullptr && mainWindowOpen_) {
        rules_->MouseMoved(control);
    }
}

char16_t PageToolkit::UserTyped(Control box, char16_t code) {
    if (rules_ == nullptr || !mainWindowOpen_) {
        return code;
    }
    return rules_->KeyTyped(box, code);
}

std::u16string PageToolkit::ReadText(Control box) {
    return page_.ReadText(box);
}

std::size_t PageToolkit::TextLength(Control box) {
    return page_.TextLength(box);
}

void PageToolkit::WriteText(Control box, std::u16string_view text) {
    if (page_.ReplaceText(box, text) && rules_ != nullptr) {
        rules_->TextChanged(box);
    }
}

void PageToolkit::Select(Control box, std::size_t start, std::size_t length) {
    page_.SetSelection(box, start, length);
}

int PageToolkit::ReadValue(Control box) {
    return page_.ReadChecked(box) ? 1 : 0;
}

void PageToolkit::WriteValue(Control box, int value) {
    const bool checked = value == 1;
    if (page_.ReadChecked(box) == checked) {
        return;
    }
    page_.SetChecked(box, checked);
    if (rules_ != nullptr) {
        rules_->Clicked(box);
    }
}

void PageToolkit::Focus(Control control) {
    if (!mainWindowOpen_) {
        return;
    }
    page_.MoveFocus(control);
    FocusMoved(control);
}

void PageToolkit::FocusMoved(Control control) {
    if (focused_ == control) {
        return;
    }
    const std::optional<Control> previous = focused_;
    focused_ = control;
    if (rules_ == nullptr) {
        return;
    }
    if (previous) {
        rules_->FocusLost(*previous);
    }
    rules_->FocusGained(control);
}

void PageToolkit::SetTextColour(Control label, rules::Colour colour) {
    page_.SetTextColour(label, colour);
}

rules::MessageAnswer PageToolkit::ShowMessage(const rules::Message& message) {
    return page_.AskMessage(message);
}

void PageToolkit::ClearClipboard() {
    page_.WriteClipboard({});
}

void PageToolkit::SetClipboardText(std::u16string_view text) {
    page_.WriteClipboard(text);
}

void PageToolkit::OpenLink(std::string_view target) {
    page_.OpenLink(target);
}

void PageToolkit::ShowHelpWindow() {
    page_.ShowHelpWindow();
}

void PageToolkit::CloseHelpWindow() {
    page_.HideHelpWindow();
}

void PageToolkit::CloseMainWindow() {
    if (mainWindowOpen_) {
        mainWindowOpen_ = false;
        page_.EndMainWindow();
    }
}

}  // namespace schnackomat::web
