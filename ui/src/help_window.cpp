#include "schnackomat/ui/help_window.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <QScreen>

#include <algorithm>
#include <limits>

#include "schnackomat/rules/help_texts.h"
#include "schnackomat/ui/binding.h"
#include "schnackomat/ui/icon.h"

namespace schnackomat::ui {

namespace {

// The layout was drawn in twips; at 15 twips per pixel it comes out in whole pixels.
constexpr int Px(int twips) {
    return twips / 15;
}

const QColor Background(64, 0, 64);
const QColor HelpTextColour(255, 192, 128);
const QColor ShortcutColour(255, 192, 192);

struct LabelBox {
    int Top;
    int Width;
};

// Label1 (the help text), then Label2 to Label15 (the shortcut lines), in twips.
constexpr int LabelLeft = 120;
constexpr LabelBox HelpTextBox{120, 6375};
constexpr int HelpTextHeight = 2295;
constexpr int ShortcutHeight = 255;
constexpr std::array<LabelBox, 14> ShortcutBoxes{{
    {2400, 1455},
    {2640, 1695},
    {2880, 1935},
    {3120, 1695},
    {3360, 1335},
    {3600, 1335},
    {3840, 1575},
    {4080, 1575},
    {4320, 1935},
    {4560, 1695},
    {4800, 2055},
    {5040, 1695},
    {5280, 1575},
    {5520, 1695},
}};

constexpr int ClientWidth = 6645;
constexpr int ClientHeight = 5820;

// Font sizes tried for the labels, largest first: the window was laid out for an 8-point UI
// font, and smaller sizes are used only where the default family runs wider than that.
constexpr double PreferredPointSize = 8.0;
constexpr double SmallestPointSize = 6.0;
constexpr double PointSizeStep = 0.5;

bool FitsLayout(const QFont& font) {
    const QFontMetrics metrics(font);
    const QRect helpBox(0, 0, Px(HelpTextBox.Width), std::numeric_limits<int>::max() / 2);
    if (metrics.boundingRect(helpBox, Qt::TextWordWrap, Form2::HelpText).height() >
        Px(HelpTextHeight)) {
        return false;
    }
    if (metrics.height() > Px(ShortcutHeight)) {
        return false;
    }
    for (std::size_t i = 0; i < ShortcutBoxes.size(); ++i) {
        if (metrics.horizontalAdvance(Form2::ShortcutCaptions[i]) > Px(ShortcutBoxes[i].Width)) {
            return false;
        }
    }
    return true;
}

QPointer<Form2>& CurrentHelpWindow() {
    static QPointer<Form2> window;
    return window;
}

}  // namespace

const QString Form2::HelpText = ToQString(rules::HelpText);

const std::array<QString, 14> Form2::ShortcutCaptions = [] {
    std::array<QString, 14> captions;
    std::transform(rules::ShortcutCaptions.begin(), rules::ShortcutCaptions.end(), captions.begin(),
                   ToQString);
    return captions;
}();

QFont Form2::LabelFont() {
    QFont font = QApplication::font();
    for (double size = PreferredPointSize; size >= SmallestPointSize; size -= PointSizeStep) {
        font.setPointSizeF(size);
        if (FitsLayout(font)) {
            return font;
        }
    }
    font.setPointSizeF(SmallestPointSize);
    return font;
}

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("?"));
    setAccessibleName(QStringLiteral("Hilfe"));
    setAccessibleDescription(
        QStringLiteral("Hilfetext und Tastenkürzel; ein Klick schließt das Fenster"));
    setWindowIcon(SchnackomatIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(ClientWidth), Px(ClientHeight));

    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, Background);
    setPalette(windowPalette);
    setAutoFillBackground(true);

    const QFont font = LabelFont();
    for (std::size_t i = 0; i <= ShortcutCaptions.size(); ++i) {
        const bool isHelpText = i == 0;
        auto* label = new QLabel(isHelpText ? HelpText : ShortcutCaptions[i - 1], this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setAccessibleName(isHelpText ? QStringLiteral("Hilfetext") : label->text());
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(font);

        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::Window, Background);
        labelPalette.setColor(QPalette::WindowText, isHelpText ? HelpTextColour : ShortcutColour);
        label->setPalette(labelPalette);
        label->setAutoFillBackground(true);

        if (isHelpText) {
            label->setGeometry(Px(LabelLeft), Px(HelpTextBox.Top), Px(HelpTextBox.Width),
                               Px(HelpTextHeight));
        } else {
            const LabelBox& box = ShortcutBoxes[i - 1];
            label->setGeometry(Px(LabelLeft), Px(box.Top), Px(box.Width), Px(ShortcutHeight));
        }
        label->installEventFilter(this);
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
