#include "schnackomat/win/desktop.h"

#include <shellapi.h>

namespace schnackomat::win {

namespace {

int& OpenWindows() {
    static int count = 0;
    return count;
}

}  // namespace

void ShellLinkOpener::Open(HWND parent, const wchar_t* operation, const wchar_t* file,
                           const wchar_t* parameters, const wchar_t* directory, int show) {
    ShellExecuteW(parent, operation, file, parameters, directory, show);
}

LinkOpener& DefaultLinkOpener() {
    static ShellLinkOpener opener;
    return opener;
}

void WindowOpened() {
    ++OpenWindows();
}

void WindowClosed() {
    if (--OpenWindows() == 0) {
        PostQuitMessage(0);
    }
}

int RunMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace schnackomat::win
