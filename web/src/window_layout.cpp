#include "window_layout.h"

#include <emscripten.h>

#include <array>
#include <cstddef>
#include <string_view>

#include "schnackomat/rules/window_layout.h"

// The bodies below are JavaScript, kept as written.
// clang-format off
EM_JS(void, page_form, (const char* form, int width, int height), {
    Module.page.drawForm(UTF8ToString(form), width, height);
});

EM_JS(void, page_place,
      (const char* form, const char* name, std::size_t nameLength, int left, int top, int width,
       int height, const char* kind),
      {
          Module.page.drawPlace(UTF8ToString(form), UTF8ToString(name, nameLength), left, top,
                                width, height, UTF8ToString(kind));
      });

EM_JS(void, page_drawn_above,
      (const char* above, std::size_t aboveLength, const char* below, std::size_t belowLength), {
    Module.page.drawAbove(UTF8ToString(above, aboveLength), UTF8ToString(below, belowLength));
});

EM_JS(void, page_colour, (const char* name, int red, int green, int blue), {
    Module.page.drawColour(UTF8ToString(name), red, green, blue);
});

EM_JS(void, page_key_font, (const char16_t* family, std::size_t length, double points), {
    Module.page.drawKeyFont(Module.page.utf16(family, length), points);
});
// clang-format on

namespace schnackomat::web {

namespace {

using rules::CaptionKind;

// What the page measures a caption by, named as the page's script names it. Names go to the
// script as text and length: the drawing keeps them as views.
constexpr const char* KindName(CaptionKind kind) {
    switch (kind) {
        case CaptionKind::None:
            return "none";
        case CaptionKind::Line:
            return "line";
        case CaptionKind::Wrapped:
            return "wrapped";
        case CaptionKind::CheckBox:
            return "check-box";
        case CaptionKind::Button:
            return "button";
    }
    return "none";
}

struct NamedForm {
    const char* Name;
    const rules::Form& Layout;
};

constexpr std::array Forms{
    NamedForm{"Form1", rules::Form1Layout},
    NamedForm{"Form2", rules::Form2Layout},
};

struct NamedColour {
    const char* Name;
    rules::Colour Colour;
};

// The page's style sheet knows each colour by these names.
constexpr std::array Colours{
    NamedColour{"purple", rules::Purple},
    NamedColour{"dark-purple", rules::DarkPurple},
    NamedColour{"light-orange", rules::LightOrange},
    NamedColour{"pale-yellow", rules::PaleYellow},
    NamedColour{"pink", rules::Pink},
    NamedColour{"pale-red", rules::PaleRed},
};

}  // namespace

void ShowWindowLayout() {
    for (const NamedForm& form : Forms) {
        page_form(form.Name, form.Layout.Width, form.Layout.Height);
        for (const rules::Place& place : form.Layout.Places) {
            page_place(form.Name, place.Name.data(), place.Name.size(), place.Left, place.Top,
                       place.Width, place.Height, KindName(place.Kind));
        }
    }
    for (const rules::Overlap& overlap : rules::DrawnAbove) {
        const std::string_view above = rules::ControlName(overlap.Above);
        const std::string_view below = rules::ControlName(overlap.Below);
        page_drawn_above(above.data(), above.size(), below.data(), below.size());
    }
    for (const NamedColour& colour : Colours) {
        page_colour(colour.Name, colour.Colour.Red, colour.Colour.Green, colour.Colour.Blue);
    }
    page_key_font(rules::KeyFontFamily.data(), rules::KeyFontFamily.size(), rules::KeyFontPoints);
}

}  // namespace schnackomat::web
