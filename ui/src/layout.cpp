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

#include "schnackomat/rules/help_texts.h"

namespace schnackomat::ui {

namespace {

constexpr double TwipsPerPixel = 15.0;

// The main window. Label5, the host name link, is laid exactly over the host name inside
// Label1's line, and Label3 right after that line, both measured in the font in use; their
// boxes here are where they were drawn.
constexpr std::array Form1Places{
    Place{"Label1", 120, 5520, 2775, 255, CaptionKind::Line,
          u"Gemacht f\u00FCr schnackomat.example von"},
    Place{"Label2", 3600, 5520, 2775, 255, CaptionKind::Line,
          u"Anmerkung: Die schwule Farbe wollte"},
    Place{"Label3", 2840, 5520, 615, 255, CaptionKind::Line, u"Benaldo"},
    Place{"Label4", 6320, 5520, 615, 255, CaptionKind::Line, u"Pfiii!"},
    Place{"Label5", 940, 5520, 965, 255, CaptionKind::None, u"schnackomat.example"},
    Place{"Text1", 120, 120, 8655, 2415},
    Place{"Text2", 120, 2880, 8655, 2415},
    Place{"Check1", 120, 2640, 855, 195, CaptionKind::CheckBox, u"1337"},
    Place{"Check2", 2280, 2640, 2055, 195, CaptionKind::CheckBox, u"Pfiii- && Benaldo- Style"},
    Place{"Check4", 4440, 2640, 1455, 195, CaptionKind::CheckBox, u"The Matrix-Style"},
    Place{"Check3", 840, 2640, 1335, 195, CaptionKind::CheckBox, u"1337-W\u00F6rters"},
    Place{"Text3", 6000, 2585, 1455, 250},
    Place{"Command1", 7680, 5400, 1095, 375, CaptionKind::Button, u"Ende"},
    Place{"Command2", 8400, 2520, 375, 375, CaptionKind::Button, u"?"},
};

// The help window: the help text, then the shortcut list from top to bottom, as the window
// rules give them.
constexpr std::array Form2Places{
    Place{"Label1", 120, 120, 6375, 2295, CaptionKind::Wrapped, rules::HelpText},
    Place{"Label2", 120, 2400, 1455, 255, CaptionKind::Line, rules::ShortcutCaptions[0]},
    Place{"Label3", 120, 2640, 1695, 255, CaptionKind::Line, rules::ShortcutCaptions[1]},
    Place{"Label4", 120, 2880, 1935, 255, CaptionKind::Line, rules::ShortcutCaptions[2]},
    Place{"Label5", 120, 3120, 1695, 255, CaptionKind::Line, rules::ShortcutCaptions[3]},
    Place{"Label6", 120, 3360, 1335, 255, CaptionKind::Line, rules::ShortcutCaptions[4]},
    Place{"Label7", 120, 3600, 1335, 255, CaptionKind::Line, rules::ShortcutCaptions[5]},
    Place{"Label8", 120, 3840, 1575, 255, CaptionKind::Line, rules::ShortcutCaptions[6]},
    Place{"Label9", 120, 4080, 1575, 255, CaptionKind::Line, rules::ShortcutCaptions[7]},
    Place{"Label10", 120, 4320, 1935, 255, CaptionKind::Line, rules::ShortcutCaptions[8]},
    Place{"Label11", 120, 4560, 1695, 255, CaptionKind::Line, rules::ShortcutCaptions[9]},
    Place{"Label12", 120, 4800, 2055, 255, CaptionKind::Line, rules::ShortcutCaptions[10]},
    Place{"Label13", 120, 5040, 1695, 255, CaptionKind::Line, rules::ShortcutCaptions[11]},
    Place{"Label14", 120, 5280, 1575, 255, CaptionKind::Line, rules::ShortcutCaptions[12]},
    Place{"Label15", 120, 5520, 1695, 255, CaptionKind::Line, rules::ShortcutCaptions[13]},
};

// The key box's font as drawn, at scale 1.
constexpr double KeyFontPoints = 8.25;

// The factor grows in steps of one pixel of the main window's width, up to three times the
// drawing: enough for any interface font a desktop offers.
constexpr int ScaleSteps = 3 * 592;

int Pixels(int twips, double scale) {
    return qRound(twips * scale / TwipsPerPixel);
}

bool CaptionFits(const Place& place, const QRect& box, const QFontMetrics& metrics,
                 const QStyle& style) {
    const QString caption = place.ShownCaption();
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

constinit const Form Form1Layout{8880, 5805, Form1Places};
constinit const Form Form2Layout{6645, 5820, Form2Places};

QString Place::ShownCaption() const {
    return QString::fromUtf16(Caption.data(), static_cast<qsizetype>(Caption.size()))
        .replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QSize Form::Size(double scale) const {
    return {Pixels(Width, scale), Pixels(Height, scale)};
}

QRect Form::Rect(const Place& place, double scale) const {
    const QPoint topLeft(Pixels(place.Left, scale), Pixels(place.Top, scale));
    const QPoint end(Pixels(place.Left + place.Width, scale),
                     Pixels(place.Top + place.Height, scale));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

const Place& Form::At(std::string_view control) const {
    const auto found = std::find_if(Places.begin(), Places.end(),
                                    [&](const Place& place) { return place.Control == control; });
    Q_ASSERT(found != Places.end());
    return *found;
}

void Form::attachTo(QWidget* window, double scale) const {
    window->setFixedSize(Size(scale));
    for (const Place& place : Places) {
        auto* control = window->findChild<QWidget*>(QString::fromLatin1(place.Control),
                                                    Qt::FindDirectChildrenOnly);
        if (control == nullptr) {
            continue;
        }
        control->setGeometry(Rect(place, scale));
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

bool Form::CaptionsFit(double scale, const QFont& font, const QStyle& style) const {
    const QFontMetrics metrics(font);
    return std::all_of(Places.begin(), Places.end(), [&](const Place& place) {
        return CaptionFits(place, Rect(place, scale), metrics, style);
    });
}

QFont InterfaceFont() {
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

double LayoutScale(const QFont& font, const QStyle& style) {
    const auto scaleAt = [](int step) {
        const double width = Form1Layout.Width / TwipsPerPixel;
        return (width + step) / width;
    };
    const auto fits = [&](int step) {
        const double scale = scaleAt(step);
        return Form1Layout.CaptionsFit(scale, font, style) &&
               Form2Layout.CaptionsFit(scale, font, style);
    };
    // The first step at which everything fits; a larger window only has more room.
    int low = 0;
    int high = ScaleSteps;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (fits(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return scaleAt(low);
}

double KeyFontPointSize(double scale) {
    return KeyFontPoints * scale;
}

}  // namespace schnackomat::ui
