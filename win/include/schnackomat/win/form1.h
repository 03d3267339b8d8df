// The main window on the Windows API's own controls: the input box Text1, the output box Text2,
// the key box Text3, the four option boxes, the two buttons and the credit labels, bound to the
// window rules that turn every edit into a forward or reverse conversion.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "schnackomat/random.h"
#include "schnackomat/rules/toolkit.h"
#include "schnackomat/rules/window_rules.h"
#include "schnackomat/win/desktop.h"
#include "schnackomat/win/layout.h"

namespace schnackomat::win {

// The window creates the controls and is the Windows toolkit of the window rules: it hands every
// event of its controls to them and carries out what they ask of the controls, the clipboard,
// the message boxes and the shell.
//
// The Windows controls report some writes and not others (a multi-line edit box does not report
// WM_SETTEXT, a check box never reports BM_SETCHECK), so the window runs the rule of a control
// it writes itself, once, when the write changed something, and hears none of the control's own
// notifications of that write.
class Form1 final : private rules::Toolkit {
  public:
    explicit Form1(LinkOpener& linkOpener = DefaultLinkOpener(),
                   RandomSource& random = DefaultRandomSource());
    ~Form1() override;

    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Shows the window centred on the screen with the focus in Text1, as the program starts.
    void Show(int showCommand = SW_SHOWNORMAL);

    // The main window, and the window of one of its controls (the main window for Form1, the
    // help window for Form2 while it is open).
    HWND Handle() const { return window_; }
    HWND Window(rules::Control control) const;
    bool IsOpen() const { return IsWindow(window_) != FALSE; }

    // Which text box the user is editing.
    bool Text1Leads() const { return rules_.Text1Leads(); }
    bool Text2Leads() const { return rules_.Text2Leads(); }

  private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;
    static constexpr std::size_t ControlCount = static_cast<std::size_t>(rules::Control::Form2) + 1;

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnControlMessage(rules::Control control, HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam);
    void OnCommand(rules::Control control, WORD notification);
    LRESULT OnColour(HWND control, HDC dc);
    void DrawButton(const DRAWITEMSTRUCT& item);
    void DrawCreditLine(const DRAWITEMSTRUCT& item);

    void CreateControls();
    void PlaceControls(UINT dpi);
    void CentreOnScreen();
    // The next (or, backwards, the previous) control in tab order takes the focus.
    void MoveFocus(rules::Control from, bool backwards);
    // Whether a focus move from or to `other` moves it between the window's own controls, and
    // not into another window for a while (a message box, the help window, another program).
    bool IsOwnControl(HWND other) const;
    rules::Control ControlOf(HWND control) const;
    std::wstring BoxText(rules::Control box) const;

    // The toolkit of the rules.
    std::u16string ReadText(rules::Control box) override;
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

    LinkOpener& linkOpener_;
    rules::WindowRules rules_;

    HWND window_ = nullptr;
    std::array<HWND, ControlCount> controls_{};
    // The text colour of each label, as the rules last set it.
    std::array<COLORREF, ControlCount> textColours_{};
    // Controls whose own change notifications the window does not hear while it writes them.
    std::array<bool, ControlCount> writing_{};
    // The character of a key the rules answered at its key press, which the box must not get
    // again when the same key's character follows.
    wchar_t answeredCharacter_ = 0;
    bool swallowCharacter_ = false;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;

    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    Scale scale_;
    Font interfaceFont_;
    Font keyFont_;
    // Where the host name stands in the credit line: its first character, and its left and
    // right edge in pixels from the line's left.
    std::size_t hostStart_ = 0;
    int hostLeft_ = 0;
    int hostRight_ = 0;
};

}  // namespace schnackomat::win
