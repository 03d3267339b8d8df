// The page's markup holds no caption of its own: the texts every binding shows come from the
// rules (captions.h, help_texts.h, shortcuts.h) and are written into the page once, before it is
// laid out.
#pragma once

namespace schnackomat::web {

// Gives every control its caption, accessible name and description, the help window its lines,
// and the page's notes on the browser the texts of the shortcuts they name.
void ShowWindowTexts();

}  // namespace schnackomat::web
