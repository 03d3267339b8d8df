// The Ctrl+letter shortcuts of the input box, as the window rules define them, under the names
// the window layer has always used.
#pragma once

#include "schnackomat/rules/shortcuts.h"

namespace schnackomat::ui {

using rules::DeleteLastWord;
using rules::DeleteLastWordCode;
using rules::FindShortcut;
using rules::FindShortcutByKey;
using rules::ShortcutRow;
using rules::ShortcutTable;

}  // namespace schnackomat::ui
