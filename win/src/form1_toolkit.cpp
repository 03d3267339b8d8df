// Form1 as the Windows toolkit of the window rules: the rules' reads and writes go to the
// controls, the clipboard, the message boxes and the shell.
#include <algorithm>
#include <cstring>
#include <string>

#include "schnackomat/win/box_text.h"
#include "schnackomat/win/form1.h"
#include "schnackomat/win/help_window.h"

namespace schnackomat::win {

using rules::Control;

namespace {

// Marks a control as being written by the window for as long as the write lasts.
class Writing {
  public:
    explicit Writing(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~Writing() { flag_ = before_; }
    Writing(const Writing&) = delete;
    Writing& operator=(const Writing&) = delete;

  private:
    bool& flag_;
    bool before_;
};

UINT MessageBoxType(const rules::Message& message) {
    UINT type = message.Buttons == rules::MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (message.Icon == rules::MessageIcon::Question) {
        type |= MB_ICONQUESTION;
    } else if (message.Icon == rules::MessageIcon::Information) {
        type |= MB_ICONINFORMATION;
    }
    return type;
}

// Puts `text` on the clipboard, opened and emptied, as Unicode text.
void PutOnClipboard(const std::wstring& text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return;
    }
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
    }
}

}  // namespace

std::wstring Form1::BoxText(Control box) const {
    const HWND edit = Window(box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)), L'\0');
    GetWindowTextW(edit, text.data(), static_cast<int>(text.size() + 1));
    return text;
}

std::u16string Form1::ReadText(Control box) {
    return FromBoxText(BoxText(box));
}

void Form1::WriteText(Control box, std::u16string_view text) {
    const std::wstring written = ToBoxText(text);
    if (written == BoxText(box)) {
        return;
    }
    const HWND edit = Window(box);
    {
        // The box keeps the user's place in its text, or the end of a shorter text.
        const auto firstLine = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
        const Writing writing(writing_[static_cast<std::size_t>(box)]);
        SetWindowTextW(edit, written.c_str());
        const auto nowFirst = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
        SendMessageW(edit, EM_LINESCROLL, 0, firstLine - nowFirst);
    }
    rules_.TextChanged(box);
}

void Form1::Select(Control box, std::size_t start, std::size_t length) {
    const std::wstring text = BoxText(box);
    const std::size_t from = BoxIndex(text, start);
    const std::size_t to = BoxIndex(text, start + length);
    const HWND edit = Window(box);
    SendMessageW(edit, EM_SETSEL, from, static_cast<LPARAM>(to));
    if (length == 0) {
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    }
}

int Form1::ReadValue(Control box) {
    return SendMessageW(Window(box), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Form1::WriteValue(Control box, int value) {
    if (ReadValue(box) == value) {
        return;
    }
    {
        const Writing writing(writing_[static_cast<std::size_t>(box)]);
        SendMessageW(Window(box), BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    rules_.Clicked(box);
}

void Form1::Focus(Control control) {
    SetFocus(Window(control));
}

void Form1::SetTextColour(Control label, rules::Colour colour) {
    textColours_[static_cast<std::size_t>(label)] = ToColorRef(colour);
    InvalidateRect(Window(label), nullptr, TRUE);
}

rules::MessageAnswer Form1::ShowMessage(const rules::Message& message) {
    const std::wstring text(message.Text.begin(), message.Text.end());
    const std::wstring title(message.Title.begin(), message.Title.end());
    const int answer = MessageBoxW(window_, text.c_str(), title.c_str(), MessageBoxType(message));
    if (message.Buttons == rules::MessageButtons::Ok) {
        return rules::MessageAnswer::Ok;
    }
    return answer == IDYES ? rules::MessageAnswer::Yes : rules::MessageAnswer::No;
}

void Form1::ClearClipboard() {
    if (OpenClipboard(window_)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

void Form1::SetClipboardText(std::u16string_view text) {
    // Text on the Windows clipboard ends its lines as the boxes do.
    if (OpenClipboard(window_)) {
        EmptyClipboard();
        PutOnClipboard(ToBoxText(text));
        CloseClipboard();
    }
}

void Form1::OpenLink(std::string_view target) {
    // The targets are plain ASCII.
    const std::wstring file(target.begin(), target.end());
    linkOpener_.Open(window_, L"open", file.c_str(), L"0", L"0", SW_SHOW);
}

void Form1::ShowHelpWindow() {
    win::ShowHelpWindow(window_, scale_, dpi_);
}

void Form1::CloseHelpWindow() {
    win::CloseHelpWindow();
}

void Form1::CloseMainWindow() {
    SendMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace schnackomat::win
