// How the main window and the help window look, for every binding: where each control lies, in
// which order the Tab key visits them, which control is drawn above which, and the colours and
// the key box's font.
//
// Both windows were drawn in twips for a small 8-point interface font (15 twips make a pixel).
// A binding keeps its platform's interface font at its own size and scales this drawing by one
// factor for both windows, the smallest at which every caption fits its box in that font.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "schnackomat/rules/captions.h"
#include "schnackomat/rules/help_texts.h"
#include "schnackomat/rules/toolkit.h"

namespace schnackomat::rules {

inline constexpr int TwipsPerPixel = 15;

// How a control shows its caption, and so what "fits" means for it.
enum class CaptionKind {
    None,      // not measured: text boxes, and the link that lies over a part of Label1's line
    Line,      // one line of text: its width and its line height
    Wrapped,   // text wrapped at word boundaries: the height of all its lines
    CheckBox,  // one line beside the tick box
    Button,    // one line inside the button's face
};

// One control: its name (the object name of a window, the id of a page element), its box in
// twips, and the caption it shows, where a doubled ampersand stands for one.
struct Place {
    std::string_view Name;
    int Left;
    int Top;
    int Width;
    int Height;
    CaptionKind Kind = CaptionKind::None;
    std::u16string_view Caption = {};

    constexpr int Right() const { return Left + Width; }
    constexpr int Bottom() const { return Top + Height; }
};

// A window's client area in twips and its controls.
struct Form {
    int Width;
    int Height;
    std::span<const Place> Places;

    // The place of the control called `name`; the window must have one.
    constexpr const Place& At(std::string_view name) const {
        for (const Place& place : Places) {
            if (place.Name == name) {
                return place;
            }
        }
        return Places.front();
    }
};

namespace layout_detail {
constexpr std::string_view NameOf(Control control) {
    return ControlName(control);
}
constexpr Place At(Control control, int left, int top, int width, int height,
                   CaptionKind kind = CaptionKind::None) {
    return {NameOf(control), left, top, width, height, kind, TextsOf(control).Caption};
}
}  // namespace layout_detail

// The main window, in tab order: the Tab key visits the controls that take the focus in this
// order (labels keep their place but take no focus). Label5, the host name link, is laid exactly
// over the host name inside Label1's line and Label3 right after that line, both measured in the
// font in use; their boxes here are where they were drawn.
inline constexpr std::array Form1Places{
    layout_detail::At(Control::Text1, 120, 120, 8655, 2415),
    layout_detail::At(Control::Text2, 120, 2880, 8655, 2415),
    layout_detail::At(Control::Command1, 7680, 5400, 1095, 375, CaptionKind::Button),
    layout_detail::At(Control::Label1, 120, 5520, 2775, 255, CaptionKind::Line),
    layout_detail::At(Control::Label2, 3600, 5520, 2775, 255, CaptionKind::Line),
    layout_detail::At(Control::Check1, 120, 2640, 855, 195, CaptionKind::CheckBox),
    layout_detail::At(Control::Check2, 2280, 2640, 2055, 195, CaptionKind::CheckBox),
    layout_detail::At(Control::Check4, 4440, 2640, 1455, 195, CaptionKind::CheckBox),
    layout_detail::At(Control::Command2, 8400, 2520, 375, 375, CaptionKind::Button),
    layout_detail::At(Control::Label3, 2840, 5520, 615, 255, CaptionKind::Line),
    layout_detail::At(Control::Label4, 6320, 5520, 615, 255, CaptionKind::Line),
    layout_detail::At(Control::Label5, 940, 5520, 965, 255),
    layout_detail::At(Control::Text3, 6000, 2585, 1455, 250),
    layout_detail::At(Control::Check3, 840, 2640, 1335, 195, CaptionKind::CheckBox),
};

// The help window: the help text, then the shortcut list from top to bottom.
inline constexpr std::array Form2Places{
    Place{"Label1", 120, 120, 6375, 2295, CaptionKind::Wrapped, HelpText},
    Place{"Label2", 120, 2400, 1455, 255, CaptionKind::Line, ShortcutCaptions[0]},
    Place{"Label3", 120, 2640, 1695, 255, CaptionKind::Line, ShortcutCaptions[1]},
    Place{"Label4", 120, 2880, 1935, 255, CaptionKind::Line, ShortcutCaptions[2]},
    Place{"Label5", 120, 3120, 1695, 255, CaptionKind::Line, ShortcutCaptions[3]},
    Place{"Label6", 120, 3360, 1335, 255, CaptionKind::Line, ShortcutCaptions[4]},
    Place{"Label7", 120, 3600, 1335, 255, CaptionKind::Line, ShortcutCaptions[5]},
    Place{"Label8", 120, 3840, 1575, 255, CaptionKind::Line, ShortcutCaptions[6]},
    Place{"Label9", 120, 4080, 1575, 255, CaptionKind::Line, ShortcutCaptions[7]},
    Place{"Label10", 120, 4320, 1935, 255, CaptionKind::Line, ShortcutCaptions[8]},
    Place{"Label11", 120, 4560, 1695, 255, CaptionKind::Line, ShortcutCaptions[9]},
    Place{"Label12", 120, 4800, 2055, 255, CaptionKind::Line, ShortcutCaptions[10]},
    Place{"Label13", 120, 5040, 1695, 255, CaptionKind::Line, ShortcutCaptions[11]},
    Place{"Label14", 120, 5280, 1575, 255, CaptionKind::Line, ShortcutCaptions[12]},
    Place{"Label15", 120, 5520, 1695, 255, CaptionKind::Line, ShortcutCaptions[13]},
};

inline constexpr Form Form1Layout{8880, 5805, Form1Places};
inline constexpr Form Form2Layout{6645, 5820, Form2Places};

// Where controls overlap, the first of each pair is drawn above the second.
struct Overlap {
    Control Above;
    Control Below;
};
inline constexpr std::array DrawnAbove{
    Overlap{Control::Check3, Control::Check1},
    Overlap{Control::Label4, Control::Label2},
    Overlap{Control::Label5, Control::Label1},
};

// The colours of both windows. A link label's colour while the pointer is over it is the
// window rules' (LinkHoverColour).
inline constexpr Colour Purple{128, 0, 128};         // the main window, its options and labels
inline constexpr Colour DarkPurple{64, 0, 64};       // text boxes, the help window and its labels
inline constexpr Colour LightOrange{255, 192, 128};  // text of the text boxes, options, labels
inline constexpr Colour PaleYellow{255, 255, 192};   // text of the key box
inline constexpr Colour Pink{255, 192, 255};         // face of both buttons
inline constexpr Colour PaleRed{255, 192, 192};      // the help window's shortcut list

// The key box's font as drawn, at scale 1; every other control uses the interface font.
inline constexpr std::u16string_view KeyFontFamily = u"Times New Roman";
inline constexpr double KeyFontPoints = 8.25;

// The factor by which a binding scales both windows: the smallest at which `fits(factor)` holds
// for every caption of both in its interface font, never below 1. It grows in steps of one pixel
// of the main window's drawn width, up to three times the drawing (enough for any interface font
// a desktop offers); a larger factor only gives a caption more room, so the first step that fits
// is found by halving.
template <class Fits>
double SmallestFittingScale(Fits fits) {
    constexpr int drawnWidth = Form1Layout.Width / TwipsPerPixel;
    const auto factorAt = [](int step) {
        return static_cast<double>(drawnWidth + step) / drawnWidth;
    };
    int low = 0;
    int high = 3 * drawnWidth;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (fits(factorAt(middle))) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return factorAt(low);
}

namespace layout_detail {
constexpr bool Inside(const Form& form) {
    for (const Place& place : form.Places) {
        if (place.Left < 0 || place.Top < 0 || place.Width <= 0 || place.Height <= 0 ||
            place.Right() > form.Width || place.Bottom() > form.Height) {
            return false;
        }
    }
    return true;
}
constexpr bool NamedOnce(const Form& form) {
    for (std::size_t i = 0; i < form.Places.size(); ++i) {
        for (std::size_t j = i + 1; j < form.Places.size(); ++j) {
            if (form.Places[i].Name == form.Places[j].Name) {
                return false;
            }
        }
    }
    return true;
}
constexpr bool Overlaps(const Place& a, const Place& b) {
    return a.Left < b.Right() && b.Left < a.Right() && a.Top < b.Bottom() && b.Top < a.Bottom();
}
constexpr bool EveryPairOverlaps() {
    for (const Overlap& overlap : DrawnAbove) {
        if (!Overlaps(Form1Layout.At(NameOf(overlap.Above)),
                      Form1Layout.At(NameOf(overlap.Below)))) {
            return false;
        }
    }
    return true;
}
}  // namespace layout_detail

static_assert(layout_detail::Inside(Form1Layout) && layout_detail::Inside(Form2Layout),
              "every control must lie inside its window");
static_assert(layout_detail::NamedOnce(Form1Layout) && layout_detail::NamedOnce(Form2Layout),
              "every control of a window must have its own name");
static_assert(Form1Places.size() == static_cast<std::size_t>(Control::Form2) - 1,
              "the main window must place every one of its controls");
static_assert(layout_detail::EveryPairOverlaps(), "a control drawn above another must overlap it");

}  // namespace schnackomat::rules
