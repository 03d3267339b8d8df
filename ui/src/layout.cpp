#include "schnackomat/ui/layout.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <array>
#include <limits>

namespace schnackomat::ui {

namespace {

using rules::CaptionKind;
using rules::Form1Layout;
using rules::Form2Layout;

int Pixels(int twips, double scale) {
    return qRound(twips * scale / rules::TwipsPerPixel);
}

bool CaptionFits(const rules::Place& place, const QRect& box, const QFontMetrics& metrics,
                 const QStyle& style) {
    const QString caption = ShownCaption(place);
    switch (place.Kind) {
        case CaptionKind::None:
            return true;
        case CaptionKind::Line:
            return metrics.horizontalAdvance(caption) <= box.width() &&
                   metrics.height() <= box.height();
        case CaptionKind::Wrapped: {
            const QRect unbounded(0, 0, box.width(), std::numeric_limits<int>::max() / 2);
            return metrics.boundingRect(unbounded, Qt::TextWordWrap, caption).height() <=
                   box.height();
        }
        case CaptionKind::CheckBox: {
            const int indent = style.pixelMetric(QStyle::PM_IndicatorWidth) +
                               style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
            return metrics.horizontalAdvance(caption) <= box.width() - indent &&
                   metrics.height() <= box.height();
        }
        case CaptionKind::Button:
            // A frame and a little room on either side of the caption.
            return metrics.horizontalAdvance(caption) <= box.width() - 8 &&
                   metrics.height() <= box.height() - 2;
    }
    return true;
}

}  // namespace

QColor ToQColor(rules::Colour colour) {
    return {colour.Red, colour.Green, colour.Blue};
}

QString ShownCaption(const rules::Place& place) {
    return QString::fromUtf16(place.Caption.data(), static_cast<qsizetype>(place.Caption.size()))
        .replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QSize SizeOf(const rules::Form& form, double scale) {
    return {Pixels(form.Width, scale), Pixels(form.Height, scale)};
}

QRect RectOf(const rules::Place& place, double scale) {
    const QPoint topLeft(Pixels(place.Left, scale), Pixels(place.Top, scale));
    const QPoint end(Pixels(place.Right(), scale), Pixels(place.Bottom(), scale));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

void AttachTo(const rules::Form& form, QWidget* window, double scale) {
    window->setFixedSize(SizeOf(form, scale));
    for (const rules::Place& place : form.Places) {
        auto* control = window->findChild<QWidget*>(
            QString::fromLatin1(place.Name.data(), static_cast<qsizetype>(place.Name.size())),
            Qt::FindDirectChildrenOnly);
        if (control == nullptr) {
            continue;
        }
        control->setGeometry(RectOf(place, scale));
        if (place.Caption.empty()) {
            continue;
        }
        const QString caption =
            QString::fromUtf16(place.Caption.data(), static_cast<qsizetype>(place.Caption.size()));
        if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(caption);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->setText(caption);
        }
    }
}

bool CaptionsFit(const rules::Form& form, double scale, const QFont& font, const QStyle& style) {
    const QFontMetrics metrics(font);
    return std::all_of(form.Places.begin(), form.Places.end(), [&](const rules::Place& place) {
        return CaptionFits(place, RectOf(place, scale), metrics, style);
    });
}

QFont InterfaceFont() {
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

double LayoutScale(const QFont& font, const QStyle& style) {
    return rules::SmallestFittingScale([&](double scale) {
        return CaptionsFit(Form1Layout, scale, font, style) &&
               CaptionsFit(Form2Layout, scale, font, style);
    });
}

double KeyFontPointSize(double scale) {
    return rules::KeyFontPoints * scale;
}

}  // namespace schnackomat::ui
