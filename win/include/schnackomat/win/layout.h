// The windows' drawing (rules/window_layout.h) in the Windows API's terms.
//
// Both windows keep the system's interface font (the message font) at its own size and are
// scaled instead: by the window's DPI, and by one factor for the whole layout of both windows,
// the smallest at which every caption fits its box in that font. At 96 DPI and a font that fits
// the drawing, the main window's client area is 592 x 387.
#pragma once

#include <windows.h>

#include "schnackomat/rules/window_layout.h"

namespace schnackomat::win {

// How the drawing is scaled: pixels per pixel of the drawing at 96 DPI, DPI included.
struct Scale {
    double Factor = 1.0;

    int Pixels(int twips) const;
    // The box of `place` in pixels. Edges are rounded, not sizes, so that controls that touch in
    // the drawing still touch.
    RECT RectOf(const rules::Place& place) const;
    SIZE SizeOf(const rules::Form& form) const;
};

// The interface font at `dpi`: the system's message font.
LOGFONTW InterfaceFont(UINT dpi);
// The key box's font at `scale`.
LOGFONTW KeyFont(const Scale& scale);

// Whether every caption of `form` fits its box at `scale` in the font selected into `dc`.
bool CaptionsFit(const rules::Form& form, const Scale& scale, HDC dc, UINT dpi);

// The scale of both windows at `dpi` in the font selected into `dc`: the smallest at which
// every caption of both fits its box, never below the DPI's own.
Scale LayoutScale(HDC dc, UINT dpi);

// The RGB value of a colour of the windows.
constexpr COLORREF ToColorRef(rules::Colour colour) {
    return RGB(colour.Red, colour.Green, colour.Blue);
}

}  // namespace schnackomat::win
