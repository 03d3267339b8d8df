#include "schnackomat/ui/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "schnackomat/ui/binding.h"
#include "schnackomat/ui/icon.h"
#include "schnackomat/ui/platform.h"

namespace schnackomat::ui {

void PrepareApplication(QApplication& application) {
    QApplication::setApplicationName(ToQString(ApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral("3.0.0"));
    QApplication::setDesktopFileName(QStringLiteral("example.schnackomat.Schnackomat"));
    QApplication::setWindowIcon(SchnackomatIcon());

    // Without the translations installed the toolkit simply speaks English.
    auto* toolkitTexts = new QTranslator(&application);
    if (toolkitTexts->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                           QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(toolkitTexts);
    }
}

}  // namespace schnackomat::ui
