#include "schnackomat/ui/icon.h"

#include <QString>

// The resource lives in a static library; registering it here keeps the linker from dropping it.
static void RegisterIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace schnackomat::ui {

QIcon SchnackomatIcon() {
    static const bool registered = (RegisterIconResource(), true);
    (void)registered;
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/schnackomat-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/schnackomat-32.png"), QSize(32, 32));
    return icon;
}

}  // namespace schnackomat::ui
