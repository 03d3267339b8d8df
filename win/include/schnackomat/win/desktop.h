// What the windows need from Windows besides their own controls: the shell that opens links,
// and the count of the program's open windows, which ends the program when the last one closes.
#pragma once

#include <windows.h>

namespace schnackomat::win {

// Hands a link to the shell, with the arguments of ShellExecuteW. Tests pass one that writes
// the calls down instead.
class LinkOpener {
  public:
    virtual ~LinkOpener() = default;
    virtual void Open(HWND parent, const wchar_t* operation, const wchar_t* file,
                      const wchar_t* parameters, const wchar_t* directory, int show) = 0;
};

// ShellExecuteW; its result is ignored.
class ShellLinkOpener final : public LinkOpener {
  public:
    void Open(HWND parent, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
              const wchar_t* directory, int show) override;
};

LinkOpener& DefaultLinkOpener();

// The program's windows: each says when it has opened and when it is gone; when none is open
// any more, the thread's message loop is asked to end (WM_QUIT).
void WindowOpened();
void WindowClosed();

// Runs the thread's message loop until it is asked to end; answers the exit code.
int RunMessageLoop();

}  // namespace schnackomat::win
