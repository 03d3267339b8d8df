// The window program: starting it shows the main window; it ends when its last window closes.
#include <windows.h>

#include <commctrl.h>

#include "schnackomat/win/desktop.h"
#include "schnackomat/win/form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    schnackomat::win::Form1 form;
    form.Show(showCommand);
    return schnackomat::win::RunMessageLoop();
}
