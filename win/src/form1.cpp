#include "schnackomat/win/form1.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>

#include "schnackomat/matrix.h"
#include "schnackomat/rules/captions.h"
#include "schnackomat/rules/key_box.h"
#include "schnackomat/rules/shortcuts.h"
#include "schnackomat/win/box_text.h"
#include "schnackomat/win/help_window.h"

namespace schnackomat::win {

using rules::Control;

namespace {

constexpr wchar_t ClassName[] = L"SchnackomatForm1";
// The child window identifier of a control is this plus its place in rules::Control.
constexpr int FirstControlId = 100;
// A fixed single frame: a title bar with the system menu and the minimise box, no sizing.
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

std::size_t IndexOf(Control control) {
    return static_cast<std::size_t>(control);
}

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

HBRUSH BrushOf(const rules::Colour& colour) {
    static const HBRUSH purple = CreateSolidBrush(ToColorRef(rules::Purple));
    static const HBRUSH darkPurple = CreateSolidBrush(ToColorRef(rules::DarkPurple));
    return colour == rules::Purple ? purple : darkPurple;
}

bool IsTextBox(Control control) {
    return control == Control::Text1 || control == Control::Text2 || control == Control::Text3;
}

bool IsOptionBox(Control control) {
    return control == Control::Check1 || control == Control::Check2 || control == Control::Check3 ||
           control == Control::Check4;
}

bool IsButton(Control control) {
    return control == Control::Command1 || control == Control::Command2;
}

bool IsLabel(Control control) {
    return control >= Control::Label1 && control <= Control::Label5;
}

// The window's frame around a client area of `client`.
RECT FrameOf(SIZE client, UINT dpi) {
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectExForDpi(&frame, FrameStyle, FALSE, 0, dpi);
    return frame;
}

// How far the host name link reaches left of the host name in the credit line.
int LinkOverhang(UINT dpi) {
    return MulDiv(1, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

bool TakesFocus(Control control) {
    return IsTextBox(control) || IsOptionBox(control) || IsButton(control);
}

// The window class and style of each kind of control.
struct ControlKind {
    const wchar_t* Class;
    DWORD Style;
    DWORD ExtendedStyle;
};

ControlKind KindOf(Control control) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (control) {
        case Control::Text1:
        case Control::Text2:
            return {L"EDIT",
                    child | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                    WS_EX_CLIENTEDGE};
        case Control::Text3:
            return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case Control::Check1:
        case Control::Check2:
        case Control::Check3:
        case Control::Check4:
            return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case Control::Command1:
        case Control::Command2:
            return {L"BUTTON", child | WS_TABSTOP | BS_OWNERDRAW, 0};
        case Control::Label1:
        case Control::Label5:
            return {L"STATIC", child | SS_OWNERDRAW | SS_NOTIFY, 0};
        default:
            return {L"STATIC", child | SS_LEFTNOWORDWRAP | SS_NOTIFY, 0};
    }
}

// The character code the key typed with Ctrl (and without Alt) gives: Ctrl+A is 1, ..., Ctrl+Z
// is 26, Ctrl+Backspace 127; nothing (0) for other keys.
wchar_t ControlCharacter(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
    if (!control) {
        return 0;
    }
    if (key >= 'A' && key <= 'Z') {
        return static_cast<wchar_t>(key - 'A' + 1);
    }
    return key == VK_BACK ? static_cast<wchar_t>(rules::DeleteLastWordCode) : 0;
}

}  // namespace

Form1::Form1(LinkOpener& linkOpener, RandomSource& random)
    : linkOpener_(linkOpener), rules_(*this, random) {
    textColours_.fill(ToColorRef(rules::LabelColour));
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = BrushOf(rules::Purple);
        windowClass.hIcon = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                       GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
        windowClass.lpszClassName = ClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;

    const std::wstring title = Wide(rules::TextsOf(Control::Form1).Caption);
    CreateWindowExW(0, ClassName, title.c_str(), FrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    controls_[IndexOf(Control::Form1)] = window_;
    WindowOpened();
    CreateControls();
    PlaceControls(GetDpiForWindow(window_));
    // Written once the box has its width, so that it shows the key from its first letter.
    const std::wstring key = Wide(DefaultMatrixKey);
    SetWindowTextW(Window(Control::Text3), key.c_str());
    CentreOnScreen();
}

Form1::~Form1() {
    if (IsOpen()) {
        DestroyWindow(window_);
    }
}

void Form1::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    // The window opens with the focus in Text1, the first control in tab order.
    rules_.Start();
}

HWND Form1::Window(Control control) const {
    if (control == Control::Form2) {
        return HelpWindow();
    }
    return controls_[IndexOf(control)];
}

Control Form1::ControlOf(HWND control) const {
    const auto found = std::find(controls_.begin(), controls_.end(), control);
    return found != controls_.end() ? static_cast<Control>(found - controls_.begin())
                                    : Control::Form1;
}

bool Form1::IsOwnControl(HWND other) const {
    return other != nullptr && other != window_ && IsChild(window_, other);
}

void Form1::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // In tab order, as the layout lists them; places and fonts follow in PlaceControls.
    for (const rules::Place& place : rules::Form1Places) {
        const Control control = *rules::ControlNamed(place.Name);
        const ControlKind kind = KindOf(control);
        const rules::ControlTexts texts = rules::TextsOf(control);
        // A button draws its caption itself; its window text is what a screen reader says.
        const std::wstring text = Wide(IsButton(control) ? texts.AccessibleName : texts.Caption);
        const HWND child = CreateWindowExW(
            kind.ExtendedStyle, kind.Class, text.c_str(), kind.Style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstControlId + IndexOf(control))),
            instance, nullptr);
        controls_[IndexOf(control)] = child;
        SetWindowSubclass(child, ControlProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
        if (IsOptionBox(control)) {
            // Without the visual styles the box draws its caption in the colours it is given.
            SetWindowTheme(child, L"", L"");
        }
    }
    SendMessageW(Window(Control::Text3), EM_SETLIMITTEXT, rules::MaxKeyLength, 0);
    SendMessageW(Window(Control::Check1), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(Window(Control::Check3), BM_SETCHECK, BST_CHECKED, 0);
    for (const rules::Overlap& overlap : rules::DrawnAbove) {
        SetWindowPos(Window(overlap.Above), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Form1::PlaceControls(UINT dpi) {
    dpi_ = dpi;
    const LOGFONTW interfaceFont = InterfaceFont(dpi);
    interfaceFont_.reset(CreateFontIndirectW(&interfaceFont));
    const HDC dc = GetDC(window_);
    const HGDIOBJ previous = SelectObject(dc, interfaceFont_.get());
    scale_ = LayoutScale(dc, dpi);
    const LOGFONTW keyFont = KeyFont(scale_);
    keyFont_.reset(CreateFontIndirectW(&keyFont));

    for (const rules::Place& place : rules::Form1Places) {
        const Control control = *rules::ControlNamed(place.Name);
        const RECT box = scale_.RectOf(place);
        const HFONT font = control == Control::Text3 ? keyFont_.get() : interfaceFont_.get();
        SendMessageW(Window(control), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowPos(Window(control), nullptr, box.left, box.top, box.right - box.left,
                     box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The credit line is measured in the font in use, so that the host name link lies exactly
    // over the host name inside it and the author's name follows right after it.
    const auto extent = [dc](std::wstring_view text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const RECT line = scale_.RectOf(rules::Form1Layout.At("Label1"));
    const std::wstring credit = Wide(rules::TextsOf(Control::Label1).Caption);
    const std::wstring host = Wide(rules::TextsOf(Control::Label5).Caption);
    const std::wstring author = Wide(rules::TextsOf(Control::Label3).Caption);
    hostStart_ = std::min(credit.find(host), credit.size());
    hostLeft_ = extent(std::wstring_view(credit).substr(0, hostStart_));
    hostRight_ = hostLeft_ + extent(host);
    const int height = line.bottom - line.top;
    // Both draw the host name at this place (DrawCreditLine). The link starts a little further
    // left, where the name's first letter may reach out of its cell.
    SetWindowPos(Window(Control::Label5), nullptr, line.left + hostLeft_ - LinkOverhang(dpi),
                 line.top, hostRight_ - hostLeft_ + LinkOverhang(dpi), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT drawnAuthor = scale_.RectOf(rules::Form1Layout.At("Label3"));
    const int authorLeft = line.left + extent(credit + L' ');
    const int authorWidth = std::max<int>(drawnAuthor.right - drawnAuthor.left, extent(author));
    SetWindowPos(Window(Control::Label3), nullptr, authorLeft, line.top, authorWidth, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
}

void Form1::CentreOnScreen() {
    const RECT frame = FrameOf(scale_.SizeOf(rules::Form1Layout), dpi_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, (area.left + area.right - width) / 2,
                 (area.top + area.bottom - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::MoveFocus(Control from, bool backwards) {
    const auto& places = rules::Form1Places;
    const auto at = std::find_if(places.begin(), places.end(), [from](const rules::Place& p) {
        return p.Name == rules::ControlName(from);
    });
    const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(places.size());
    std::ptrdiff_t index = at - places.begin();
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        index = (index + (backwards ? count - 1 : 1)) % count;
        const Control next = *rules::ControlNamed(places[static_cast<std::size_t>(index)].Name);
        if (TakesFocus(next)) {
            // As the dialog manager does: once the keyboard moves the focus, the controls show
            // where it is.
            SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            SetFocus(Window(next));
            return;
        }
    }
}

LRESULT CALLBACK Form1::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                OnCommand(ControlOf(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
            }
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return OnColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            item.CtlType == ODT_STATIC ? DrawCreditLine(item) : DrawButton(item);
            return TRUE;
        }
        case WM_MOUSEMOVE:
            // The window hears the pointer only over its bare ground; the controls hear it over
            // themselves.
            rules_.MouseMoved(Control::Form1);
            return 0;
        case WM_ACTIVATE:
            // A window of its own keeps no focus of its own: the control that had the focus when
            // the window went inactive gets it back, Text1 the first time.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                lastFocus_ = IsOwnControl(focus) ? focus : lastFocus_;
            } else if (!IsIconic(window_)) {
                SetFocus(IsWindow(lastFocus_) ? lastFocus_ : Window(Control::Text1));
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                rules_.Clicked(Control::Command1);
            }
            return 0;
        case WM_DPICHANGED: {
            // Laid out again for the new monitor, where Windows suggests; the size is the
            // layout's, whose factor may change with the font as well.
            PlaceControls(HIWORD(wParam));
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            const RECT frame = FrameOf(scale_.SizeOf(rules::Form1Layout), dpi_);
            SetWindowPos(window_, nullptr, suggested.left, suggested.top, frame.right - frame.left,
                         frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            WindowClosed();
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Form1::OnCommand(Control control, WORD notification) {
    if (IsTextBox(control)) {
        // User edits only: the window runs the rule of its own writes itself.
        if (notification == EN_CHANGE && !writing_[IndexOf(control)]) {
            rules_.TextChanged(control);
        }
    } else if (IsOptionBox(control)) {
        // An automatic check box has changed its value when it reports the click.
        if (notification == BN_CLICKED && !writing_[IndexOf(control)]) {
            rules_.Clicked(control);
        }
    } else if (IsButton(control)) {
        // A quick second click on an owner-drawn button comes as a double click.
        if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED) {
            rules_.Clicked(control);
        }
    } else if (IsLabel(control)) {
        if (notification == STN_CLICKED || notification == STN_DBLCLK) {
            rules_.Clicked(control);
        }
    }
}

LRESULT Form1::OnColour(HWND control, HDC dc) {
    const Control which = ControlOf(control);
    rules::Colour ground = rules::Purple;
    COLORREF text = ToColorRef(rules::LightOrange);
    if (IsTextBox(which)) {
        ground = rules::DarkPurple;
        text = ToColorRef(which == Control::Text3 ? rules::PaleYellow : rules::LightOrange);
    } else if (IsLabel(which)) {
        text = textColours_[IndexOf(which)];
    }
    SetTextColor(dc, text);
    SetBkColor(dc, ToColorRef(ground));
    return reinterpret_cast<LRESULT>(BrushOf(ground));
}

void Form1::DrawCreditLine(const DRAWITEMSTRUCT& item) {
    // The credit line and the host name link over it draw the host name at the same place, each
    // piece of the line where it was measured, so that the link's pixels are the line's own.
    const Control label = ControlOf(item.hwndItem);
    const HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, BrushOf(rules::Purple));
    const HGDIOBJ previous = SelectObject(dc, interfaceFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColours_[IndexOf(label)]);
    const std::wstring credit = Wide(rules::TextsOf(Control::Label1).Caption);
    const std::size_t hostLength = rules::TextsOf(Control::Label5).Caption.size();
    const auto draw = [dc](int x, std::wstring_view text) {
        TextOutW(dc, x, 0, text.data(), static_cast<int>(text.size()));
    };
    const std::wstring_view line = credit;
    if (label == Control::Label5) {
        draw(LinkOverhang(dpi_), line.substr(hostStart_, hostLength));
    } else {
        draw(0, line.substr(0, hostStart_));
        draw(hostLeft_, line.substr(hostStart_, hostLength));
        draw(hostRight_, line.substr(std::min(hostStart_ + hostLength, line.size())));
    }
    SelectObject(dc, previous);
}

void Form1::DrawButton(const DRAWITEMSTRUCT& item) {
    // A pink face with a raised edge, sunken while pressed, and the caption in the middle.
    RECT face = item.rcItem;
    const HBRUSH pink = CreateSolidBrush(ToColorRef(rules::Pink));
    FillRect(item.hDC, &face, pink);
    DeleteObject(pink);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    const std::u16string_view caption = rules::TextsOf(ControlOf(item.hwndItem)).Caption;
    const std::wstring text = Wide(caption);
    const HGDIOBJ previous = SelectObject(item.hDC, interfaceFont_.get());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    RECT label = face;
    if (pressed) {
        OffsetRect(&label, 1, 1);
    }
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &label,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, previous);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        InflateRect(&face, -1, -1);
        DrawFocusRect(item.hDC, &face);
    }
}

LRESULT CALLBACK Form1::ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    auto* form = reinterpret_cast<Form1*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, ControlProcedure, 0);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return form->OnControlMessage(form->ControlOf(window), window, message, wParam, lParam);
}

LRESULT Form1::OnControlMessage(Control control, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
    const bool hasKeyRules = control == Control::Text1 || control == Control::Text3;
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            // Only a move between the window's own controls counts: a message box or another
            // window taking the keyboard for a while leaves the flags and the selection alone.
            if (IsOwnControl(reinterpret_cast<HWND>(wParam))) {
                message == WM_SETFOCUS ? rules_.FocusGained(control) : rules_.FocusLost(control);
            }
            return result;
        }
        case WM_KEYDOWN: {
            if (wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
                MoveFocus(control, GetKeyState(VK_SHIFT) < 0);
                return 0;
            }
            if (wParam == VK_ESCAPE) {
                // "Ende" is the window's cancel button: Esc presses it.
                rules_.Clicked(Control::Command1);
                return 0;
            }
            // A Ctrl key goes to the rules as the character it types, at once, so that the
            // box's own meaning of the key (select all, undo, delete a word) does not follow
            // where the rules swallow it.
            const wchar_t character = hasKeyRules ? ControlCharacter(wParam) : 0;
            if (character != 0) {
                answeredCharacter_ = character;
                swallowCharacter_ = rules_.KeyTyped(control, character) == 0;
                if (swallowCharacter_) {
                    return 0;
                }
            }
            break;
        }
        case WM_CHAR: {
            const auto character = static_cast<wchar_t>(wParam);
            if (character == L'\t' || character == L'\x1b') {
                return 0;
            }
            if (!hasKeyRules) {
                break;
            }
            if (answeredCharacter_ != 0 && character == answeredCharacter_) {
                answeredCharacter_ = 0;
                if (swallowCharacter_) {
                    return 0;
                }
                break;
            }
            answeredCharacter_ = 0;
            const char16_t kept = rules_.KeyTyped(control, static_cast<char16_t>(character));
            if (kept == 0) {
                return 0;
            }
            return DefSubclassProc(window, message, kept, lParam);
        }
        case WM_LBUTTONDOWN:
            // A click into a text box that lacks the focus gives it the focus first, whose rule
            // selects the whole text, and then puts the caret where the click was, as the
            // edit box does with the focus it has.
            if (IsTextBox(control) && GetFocus() != window) {
                SetFocus(window);
            }
            break;
        case WM_MOUSEMOVE:
            if (IsLabel(control)) {
                rules_.MouseMoved(control);
            }
            break;
        case WM_SETCURSOR:
            if (rules::LinkTarget(control)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace schnackomat::win
