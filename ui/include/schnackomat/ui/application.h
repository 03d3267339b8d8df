// What the program sets up once, before its first window opens.
#pragma once

class QApplication;

namespace schnackomat::ui {

// Names the application, gives every window the program's icon, and lets the toolkit's own
// texts (the Yes and No of the message boxes, the edit menus of the text boxes) speak German,
// like everything else the program shows.
void PrepareApplication(QApplication& application);

}  // namespace schnackomat::ui
