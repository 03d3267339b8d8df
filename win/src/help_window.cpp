#include "schnackomat/win/help_window.h"

#include <string>

#include "schnackomat/rules/captions.h"
#include "schnackomat/win/desktop.h"

namespace schnackomat::win {

namespace {

constexpr wchar_t ClassName[] = L"SchnackomatForm2";

// The one help window and the font it was built with.
struct Open {
    HWND Window = nullptr;
    HFONT Font = nullptr;
};

Open& Current() {
    static Open open;
    return open;
}

HBRUSH Ground() {
    static const HBRUSH brush = CreateSolidBrush(ToColorRef(rules::DarkPurple));
    return brush;
}

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

LRESULT CALLBACK Form2Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            // A click on the ground, or on a line (which reports it below), closes the window.
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == STN_CLICKED) {
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_CTLCOLORSTATIC: {
            // The help text is the first line; the shortcut list follows.
            const bool helpText = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == 1;
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ToColorRef(helpText ? rules::LightOrange : rules::PaleRed));
            SetBkColor(dc, ToColorRef(rules::DarkPurple));
            return reinterpret_cast<LRESULT>(Ground());
        }
        case WM_DESTROY:
            DeleteObject(Current().Font);
            Current() = {};
            WindowClosed();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterOnce(HINSTANCE instance) {
    static const bool registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Form2Procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = Ground();
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        windowClass.lpszClassName = ClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

HWND ShowHelpWindow(HWND centreOn, const Scale& scale, UINT dpi) {
    if (Current().Window != nullptr) {
        ShowWindow(Current().Window, SW_SHOW);
        SetForegroundWindow(Current().Window);
        return Current().Window;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterOnce(instance);

    const SIZE size = scale.SizeOf(rules::Form2Layout);
    RECT around{};
    GetWindowRect(centreOn, &around);
    const int left = (around.left + around.right - size.cx) / 2;
    const int top = (around.top + around.bottom - size.cy) / 2;
    // No frame, no title bar, and no owner: it may outlive the main window.
    const std::wstring title = Wide(rules::TextsOf(rules::Control::Form2).Caption);
    const HWND window = CreateWindowExW(0, ClassName, title.c_str(), WS_POPUP, left, top, size.cx,
                                        size.cy, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    const LOGFONTW font = InterfaceFont(dpi);
    Current() = {window, CreateFontIndirectW(&font)};
    WindowOpened();

    int id = 1;
    for (const rules::Place& place : rules::Form2Layout.Places) {
        const RECT box = scale.RectOf(place);
        const std::wstring caption = Wide(place.Caption);
        const HWND label = CreateWindowExW(
            0, L"STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOTIFY, box.left,
            box.top, box.right - box.left, box.bottom - box.top, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(Current().Font), FALSE);
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return window;
}

void CloseHelpWindow() {
    if (Current().Window != nullptr) {
        DestroyWindow(Current().Window);
    }
}

HWND HelpWindow() {
    return Current().Window;
}

}  // namespace schnackomat::win
