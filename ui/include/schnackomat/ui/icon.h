// The program's window icon, compiled into the program as a resource.
#pragma once

#include <QIcon>

namespace schnackomat::ui {

// The two-arrow icon in the sizes built into the program (16 and 32 pixels).
QIcon SchnackomatIcon();

}  // namespace schnackomat::ui
