#include "schnackomat/ui/platform.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>

#include "schnackomat/ui/binding.h"

namespace schnackomat::ui {

MessageAnswer QtMessageBoxes::Show(QWidget* parent, const QString& text, const QString& title,
                                   MessageButtons buttons, MessageIcon icon) {
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
        case MessageIcon::None:
            break;
        case MessageIcon::Information:
            boxIcon = QMessageBox::Information;
            break;
        case MessageIcon::Question:
            boxIcon = QMessageBox::Question;
            break;
    }
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(boxIcon, title.isEmpty() ? ToQString(ApplicationTitle) : title, text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    const int pressed = box.exec();
    if (!yesNo) {
        return MessageAnswer::Ok;
    }
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void SystemClipboard::Clear() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
    }
}

void SystemClipboard::SetText(const QString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(text);
    }
}

void DesktopLinkOpener::Open(const QUrl& target) {
    QDesktopServices::openUrl(target);
}

MessageBoxes& DefaultMessageBoxes() {
    static QtMessageBoxes boxes;
    return boxes;
}

Clipboard& DefaultClipboard() {
    static SystemClipboard clipboard;
    return clipboard;
}

LinkOpener& DefaultLinkOpener() {
    static DesktopLinkOpener opener;
    return opener;
}

}  // namespace schnackomat::ui
