// Where the controls of the main window and of the help window lie, in one place.
//
// Both windows were drawn in twips for a small 8-point interface font (15 twips make a pixel).
// They keep the desktop's interface font at its own size and are scaled instead: one factor for
// the whole layout of both windows, the smallest at which every caption fits its box in that
// font. At a font that fits the drawing, the factor is 1 and the main window is 592 x 387.
#pragma once

#include <QRect>
#include <QSize>

#include <span>
#include <string_view>

class QFont;
class QStyle;
class QWidget;

namespace schnackomat::ui {

// How a control shows its caption, and so what "fits" means for it.
enum class CaptionKind {
    None,      // not measured: text boxes, and the link that lies over a part of Label1's line
    Line,      // one line of text: its width and its line height
    Wrapped,   // text wrapped at word boundaries: the height of all its lines
    CheckBox,  // one line beside the tick box
    Button,    // one line inside the button's face
};

// One control: its object name, its box in twips, and the caption it shows.
struct Place {
    const char* Control;
    int Left;
    int Top;
    int Width;
    int Height;
    CaptionKind Kind = CaptionKind::None;
    std::u16string_view Caption = {};

    // The caption as Qt shows it: a doubled ampersand stands for one.
    QString ShownCaption() const;
};

// A window's client area in twips and the places of its controls, in creation order.
struct Form {
    int Width;
    int Height;
    std::span<const Place> Places;

    QSize Size(double scale) const;
    // The box of `place` in pixels. Edges are rounded, not sizes, so that controls that touch
    // in the drawing still touch.
    QRect Rect(const Place& place, double scale) const;
    // The place of the control called `control`; the window must have one.
    const Place& At(std::string_view control) const;
    // Gives `window` its fixed size and every child named in the layout its box and, where it
    // has one, its caption (labels and buttons).
    void attachTo(QWidget* window, double scale) const;
    // Whether every caption fits its box at `scale` in `font`.
    bool CaptionsFit(double scale, const QFont& font, const QStyle& style) const;
};

extern const Form Form1Layout;
extern const Form Form2Layout;

// The font of both windows: the desktop's interface font at its own size. Full hinting puts
// every glyph on whole pixels, so that a label laid over a part of another label's text shows
// exactly the pixels beneath it.
QFont InterfaceFont();

// The factor for both windows in `font`: the smallest at which every caption of both fits its
// box, and never below 1.
double LayoutScale(const QFont& font, const QStyle& style);

// The point size of the key box's font at `scale`.
double KeyFontPointSize(double scale);

}  // namespace schnackomat::ui
