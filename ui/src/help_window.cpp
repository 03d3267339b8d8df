#include "schnackomat/ui/help_window.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <QScreen>

#include "schnackomat/ui/icon.h"
#include "schnackomat/ui/layout.h"

namespace schnackomat::ui {

namespace {

const QColor Background = ToQColor(rules::DarkPurple);
const QColor HelpTextColour = ToQColor(rules::LightOrange);
const QColor ShortcutColour = ToQColor(rules::PaleRed);

QString CaptionOf(const char* control) {
    return ShownCaption(rules::Form2Layout.At(control));
}

QString FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QPointer<Form2>& CurrentHelpWindow() {
    static QPointer<Form2> window;
    return window;
}

}  // namespace

const QString Form2::HelpText = CaptionOf("Label1");

const std::array<QString, 14> Form2::ShortcutCaptions{
    CaptionOf("Label2"),  CaptionOf("Label3"),  CaptionOf("Label4"),  CaptionOf("Label5"),
    CaptionOf("Label6"),  CaptionOf("Label7"),  CaptionOf("Label8"),  CaptionOf("Label9"),
    CaptionOf("Label10"), CaptionOf("Label11"), CaptionOf("Label12"), CaptionOf("Label13"),
    CaptionOf("Label14"), CaptionOf("Label15"),
};

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form2"));
    const rules::ControlTexts texts = rules::TextsOf(rules::Control::Form2);
    setWindowTitle(FromUtf16(texts.Caption));
    setAccessibleName(FromUtf16(texts.AccessibleName));
    setAccessibleDescription(FromUtf16(texts.AccessibleDescription));
    setWindowIcon(SchnackomatIcon());
    setAttribute(Qt::WA_DeleteOnClose);

    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, Background);
    setPalette(windowPalette);
    setAutoFillBackground(true);

    // The desktop's font at its own size; the whole window is scaled instead, by the same
    // factor as the main window.
    const QFont font = InterfaceFont();
    setFont(font);
    for (std::size_t i = 0; i <= ShortcutCaptions.size(); ++i) {
        const bool isHelpText = i == 0;
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::Window, Background);
        labelPalette.setColor(QPalette::WindowText, isHelpText ? HelpTextColour : ShortcutColour);
        label->setPalette(labelPalette);
        label->setAutoFillBackground(true);

        label->installEventFilter(this);
    }
    AttachTo(rules::Form2Layout, this, LayoutScale(font, *style()));
    for (auto* label : findChildren<QLabel*>()) {
        label->setAccessibleName(label->objectName() == QStringLiteral("Label1")
                                     ? QStringLiteral("Hilfetext")
                                     : label->text());
    }
}

void Form2::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        close();
        return;
    }
    QWidget::mousePressEvent(event);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    // Every label closes the window on a click, the bottom line as well as the others.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

Form2* ShowHelpWindow(const QWidget* centreOn) {
    QPointer<Form2>& window = CurrentHelpWindow();
    if (!window.isNull()) {
        window->show();
        window->raise();
        window->activateWindow();
        return window.data();
    }
    // No parent on purpose: the help window may outlive the main window. It is not leaked:
    // WA_DeleteOnClose makes Qt delete it when it is closed.
    window = new Form2();
    QRect area;
    if (centreOn != nullptr) {
        area = centreOn->window()->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        QRect placed = window->frameGeometry();
        placed.moveCenter(area.center());
        window->move(placed.topLeft());
    }
    window->show();
    window->activateWindow();
    return window.data();
}

void CloseHelpWindow() {
    if (QPointer<Form2>& window = CurrentHelpWindow(); !window.isNull()) {
        window->close();
    }
}

}  // namespace schnackomat::ui
