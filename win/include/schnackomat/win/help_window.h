// The help window Form2: the help text and the shortcut list, without a frame, shown without
// blocking and without an owner, so that it stays when the main window closes. A click on it
// closes it. There is never more than one.
#pragma once

#include <windows.h>

#include "schnackomat/win/layout.h"

namespace schnackomat::win {

// Shows the help window, laid out at `scale` in the interface font of `dpi` and centred on the
// window `centreOn`; if it is open already, shows that one again. Answers its handle.
HWND ShowHelpWindow(HWND centreOn, const Scale& scale, UINT dpi);
// Closes the help window and discards it; the next ShowHelpWindow builds it afresh.
void CloseHelpWindow();
// The open help window, or nullptr.
HWND HelpWindow();

}  // namespace schnackomat::win
