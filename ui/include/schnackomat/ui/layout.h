// The windows' drawing (rules/window_layout.h) in Qt's terms.
//
// Both windows keep the desktop's interface font at its own size and are scaled instead: one
// factor for the whole layout of both windows, the smallest at which every caption fits its box
// in that font. At a font that fits the drawing, the factor is 1 and the main window is
// 592 x 387.
#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

#include "schnackomat/rules/window_layout.h"

class QFont;
class QStyle;
class QWidget;

namespace schnackomat::ui {

// A colour of the windows as Qt takes it.
QColor ToQColor(rules::Colour colour);

// The caption of `place` as Qt shows it: a doubled ampersand stands for one.
QString ShownCaption(const rules::Place& place);

// The size of a window's client area in pixels at `scale`.
QSize SizeOf(const rules::Form& form, double scale);
// The box of `place` in pixels. Edges are rounded, not sizes, so that controls that touch in
// the drawing still touch.
QRect RectOf(const rules::Place& place, double scale);
// Gives `window` its fixed size and every child named in the layout its box and, where it has
// one, its caption (labels and buttons).
void AttachTo(const rules::Form& form, QWidget* window, double scale);
// Whether every caption of the window fits its box at `scale` in `font`.
bool CaptionsFit(const rules::Form& form, double scale, const QFont& font, const QStyle& style);

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
