// Drives the real windows of this process as a user's hands would, through the messages Windows
// delivers for them: keys to the control with the keyboard focus, mouse clicks and moves to the
// control under the point, the scroll bar's messages. Modal message boxes are answered by a
// timer that clicks the queued answer's button as soon as the box is up; a hook writes every box
// down as it came up. Links are written down instead of opened.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "schnackomat/win/desktop.h"

namespace schnackomat::win::testing {

// Lets the windows finish what the last action started: handles every message that is there or
// comes within a short quiet spell.
void Settle();

// A key with its modifiers held.
struct Key {
    UINT VirtualKey = 0;
    bool Ctrl = false;
    bool Shift = false;
    bool Alt = false;
};

// Presses and releases the key on the control with the keyboard focus, the message loop
// translating it into the character it types.
void Press(const Key& key);
// Types the text character by character into the control with the keyboard focus; "\n" is the
// Return key.
void Type(std::wstring_view text);
// Puts the text on the clipboard as Unicode text, every "\n" as "\r\n".
void SetClipboard(std::wstring_view text);
// The clipboard's Unicode text, every "\r\n" as "\n"; nothing if it holds none.
std::wstring Clipboard();

// A point of `window`'s client area where it is what the pointer hits: the middle of its part
// that no other window lies over.
POINT FreePoint(HWND window);
// Clicks at `point` of `window`'s client area: the window under that point gets the mouse.
void ClickAt(HWND window, POINT point);
void Click(HWND window);
// Moves the pointer to the middle of the free part of `window`.
void Hover(HWND window);

// The box's text as the rules read it.
std::wstring TextOf(HWND box);
// The box's selection in the rules' characters: where it starts, and how many characters.
std::pair<std::size_t, std::size_t> SelectionOf(HWND box);
// The text colour the window gives a control when it draws it.
COLORREF TextColourOf(HWND control);

// A message box as it came up.
struct ShownMessage {
    std::wstring Text;
    std::wstring Title;
    std::wstring Buttons;  // "OK", "YesNo" or "other"
    std::wstring Icon;     // "none", "information", "question" or "other"
    bool OnTop = false;    // the active window, the one the keys go to, when it came up
};

// Answers the message boxes of this thread while it lives: each with the next queued answer
// ("Yes", "No" or "OK"); a box without one, or without the answer's button, is a failure, closed
// with its harmless button.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void Queue(const std::wstring& answer) { answers_.push_back(answer); }
    const std::vector<ShownMessage>& Shown() const { return shown_; }
    // What went wrong with a box, or nothing.
    const std::string& Failure() const { return failure_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD);

    HHOOK hook_ = nullptr;
    std::deque<std::wstring> answers_;
    std::vector<ShownMessage> shown_;
    std::string failure_;
    std::vector<HWND> waiting_;
};

// One call of the shell, with its arguments.
struct ShellCall {
    HWND Parent;
    std::wstring Operation;
    std::wstring File;
    std::wstring Parameters;
    std::wstring Directory;
    int Show;
};

// Writes the links down in order instead of opening them.
class RecordingLinkOpener final : public LinkOpener {
  public:
    void Open(HWND parent, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
              const wchar_t* directory, int show) override;
    std::vector<ShellCall> Calls;
};

}  // namespace schnackomat::win::testing
