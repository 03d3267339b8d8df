// Starts the program: the main window, and the event loop until the last window has closed.
#include <QApplication>

#include "schnackomat/app/memory.h"
#include "schnackomat/ui/application.h"
#include "schnackomat/ui/form1.h"

int main(int argc, char* argv[]) {
    schnackomat::app::KeepLargeBuffersForReuse();
    QApplication application(argc, argv);
    schnackomat::ui::PrepareApplication(application);
    schnackomat::ui::Form1 form;
    form.show();
    // Asks for the keyboard at once, so that typing starts in the input box.
    form.activateWindow();
    return QApplication::exec();
}
