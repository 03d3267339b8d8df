#include "driver.h"

#include <algorithm>
#include <cstring>

#include "schnackomat/win/box_text.h"

namespace schnackomat::win::testing {

namespace {

// The one answerer of the thread, for the hook and the timer.
MessageBoxAnswerer* current = nullptr;

bool IsExtended(UINT key) {
    switch (key) {
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return true;
        default:
            return false;
    }
}

void HoldModifiers(const Key& key, bool held) {
    BYTE state[256];
    GetKeyboardState(state);
    const auto set = [&](int virtualKey, bool down) { state[virtualKey] = down ? 0x80 : 0; };
    set(VK_CONTROL, held && key.Ctrl);
    set(VK_LCONTROL, held && key.Ctrl);
    set(VK_SHIFT, held && key.Shift);
    set(VK_LSHIFT, held && key.Shift);
    set(VK_MENU, held && key.Alt);
    set(VK_LMENU, held && key.Alt);
    SetKeyboardState(state);
}

HWND KeyboardTarget() {
    const HWND focus = GetFocus();
    return focus != nullptr ? focus : GetActiveWindow();
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
    return text;
}

// The static control of a message box that shows its icon, on Windows and on Wine.
HICON IconOf(HWND box) {
    for (const int id : {0x14, 0x440}) {
        if (const HWND icon = GetDlgItem(box, id)) {
            return reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
        }
    }
    return nullptr;
}

}  // namespace

void Settle() {
    // Two quiet spells in a row: what the window system sends back (activation, focus) has
    // arrived and been handled.
    for (int quiet = 0; quiet < 2;) {
        MSG message;
        bool handled = false;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            handled = true;
            if (message.message == WM_QUIT) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (handled) {
            quiet = 0;
        } else if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) == WAIT_TIMEOUT) {
            ++quiet;
        }
    }
}

void Press(const Key& key) {
    HoldModifiers(key, true);
    const UINT scan = MapVirtualKeyW(key.VirtualKey, MAPVK_VK_TO_VSC);
    LPARAM flags = 1 | static_cast<LPARAM>(scan) << 16;
    if (IsExtended(key.VirtualKey)) {
        flags |= 1 << 24;
    }
    const UINT down = key.Alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = key.Alt ? WM_SYSKEYUP : WM_KEYUP;
    PostMessageW(KeyboardTarget(), down, key.VirtualKey, flags);
    Settle();
    PostMessageW(KeyboardTarget(), up, key.VirtualKey,
                 flags | static_cast<LPARAM>(1) << 30 | static_cast<LPARAM>(1) << 31);
    Settle();
    HoldModifiers(key, false);
}

void Type(std::wstring_view text) {
    for (const wchar_t character : text) {
        if (character == L'\n') {
            Press({VK_RETURN});
            continue;
        }
        // The character as the keyboard, or an input method, delivers it.
        PostMessageW(KeyboardTarget(), WM_CHAR, character, 1);
        Settle();
    }
}

void SetClipboard(std::wstring_view text) {
    const std::u16string rules(text.begin(), text.end());
    const std::wstring boxText = ToBoxText(rules);
    const SIZE_T bytes = (boxText.size() + 1) * sizeof(wchar_t);
    if (!OpenClipboard(nullptr)) {
        return;
    }
    EmptyClipboard();
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), boxText.c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

std::wstring Clipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    const std::u16string rules = FromBoxText(text);
    return {rules.begin(), rules.end()};
}

POINT FreePoint(HWND window) {
    const HWND parent = GetAncestor(window, GA_PARENT);
    const bool topLevel = GetAncestor(window, GA_ROOT) == window;
    RECT box;
    GetClientRect(window, &box);
    const auto hits = [&](POINT point) {
        if (topLevel) {
            return ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE) == window;
        }
        POINT inParent = point;
        MapWindowPoints(window, parent, &inParent, 1);
        return ChildWindowFromPointEx(parent, inParent, CWP_SKIPINVISIBLE) == window;
    };
    // From the middle outwards, row by row.
    const LONG middleX = box.right / 2;
    const LONG middleY = box.bottom / 2;
    for (LONG dy = 0; dy <= box.bottom / 2; dy += 2) {
        for (LONG dx = 0; dx <= box.right / 2; dx += 2) {
            for (const POINT point :
                 {POINT{middleX - dx, middleY - dy}, POINT{middleX + dx, middleY + dy},
                  POINT{middleX - dx, middleY + dy}, POINT{middleX + dx, middleY - dy}}) {
                if (point.x >= 0 && point.y >= 0 && point.x < box.right && point.y < box.bottom &&
                    hits(point)) {
                    return point;
                }
            }
        }
    }
    return {middleX, middleY};
}

void ClickAt(HWND window, POINT point) {
    // The window manager's part: a click into an inactive window activates it first.
    const HWND top = GetAncestor(window, GA_ROOT);
    if (GetActiveWindow() != top) {
        SetForegroundWindow(top);
        SetActiveWindow(top);
        Settle();
    }
    // The window under the point gets the click.
    HWND target = window;
    if (top != window) {
        POINT inParent = point;
        const HWND parent = GetAncestor(window, GA_PARENT);
        MapWindowPoints(window, parent, &inParent, 1);
        target = ChildWindowFromPointEx(parent, inParent, CWP_SKIPINVISIBLE);
        MapWindowPoints(parent, target, &inParent, 1);
        point = inParent;
    }
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(target, WM_MOUSEMOVE, 0, at);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Settle();
    if (IsWindow(target)) {
        PostMessageW(target, WM_LBUTTONUP, 0, at);
        Settle();
    }
}

void Click(HWND window) {
    ClickAt(window, FreePoint(window));
}

void Hover(HWND window) {
    const POINT point = FreePoint(window);
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    Settle();
}

std::wstring TextOf(HWND box) {
    const std::u16string rules = FromBoxText(WindowText(box));
    return {rules.begin(), rules.end()};
}

std::pair<std::size_t, std::size_t> SelectionOf(HWND box) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = WindowText(box);
    const std::size_t from = RulesIndex(text, start);
    return {from, RulesIndex(text, end) - from};
}

COLORREF TextColourOf(HWND control) {
    // Asked as Windows asks before the control draws itself.
    const HDC dc = CreateCompatibleDC(nullptr);
    const bool edit = ClassOf(control) == L"Edit";
    SendMessageW(GetParent(control), edit ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                 reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

MessageBoxAnswerer::MessageBoxAnswerer() {
    current = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    current = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current != nullptr) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (ClassOf(box) == L"#32770" &&
            std::find(current->waiting_.begin(), current->waiting_.end(), box) ==
                current->waiting_.end()) {
            // Answered from the box's own message loop, once it is up.
            current->waiting_.push_back(box);
            SetTimer(nullptr, 0, 0, Answer);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MessageBoxAnswerer::Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (current == nullptr || current->waiting_.empty()) {
        return;
    }
    MessageBoxAnswerer& self = *current;
    const HWND box = self.waiting_.front();
    self.waiting_.erase(self.waiting_.begin());
    if (!IsWindow(box)) {
        return;
    }
    ShownMessage shown;
    shown.Text = WindowText(GetDlgItem(box, 0xFFFF));
    shown.Title = WindowText(box);
    const bool yesNo = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr;
    const bool ok = !yesNo && GetDlgItem(box, IDOK) != nullptr;
    shown.Buttons = yesNo ? L"YesNo" : ok ? L"OK" : L"other";
    const HICON icon = IconOf(box);
    shown.Icon = icon == nullptr                               ? L"none"
                 : icon == LoadIconW(nullptr, IDI_QUESTION)    ? L"question"
                 : icon == LoadIconW(nullptr, IDI_INFORMATION) ? L"information"
                                                               : L"other";
    shown.OnTop = GetActiveWindow() == box;
    self.shown_.push_back(shown);

    int button = 0;
    if (self.answers_.empty()) {
        self.failure_ = "a message box came up with no answer queued";
    } else {
        const std::wstring answer = self.answers_.front();
        self.answers_.pop_front();
        button = answer == L"Yes" ? IDYES : answer == L"No" ? IDNO : IDOK;
        if (GetDlgItem(box, button) == nullptr) {
            self.failure_ = "the answer queued has no button in the message box";
            button = 0;
        }
    }
    if (button == 0) {
        // Left open, the box would hold the run for ever: the harmless answer closes it.
        button = yesNo ? IDNO : IDOK;
    }
    SendMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
}

void RecordingLinkOpener::Open(HWND parent, const wchar_t* operation, const wchar_t* file,
                               const wchar_t* parameters, const wchar_t* directory, int show) {
    const auto text = [](const wchar_t* value) { return value ? std::wstring(value) : L"(null)"; };
    Calls.push_back({parent, text(operation), text(file), text(parameters), text(directory), show});
}

}  // namespace schnackomat::win::testing
