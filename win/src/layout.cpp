#include "schnackomat/win/layout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "schnackomat/win/box_text.h"

namespace schnackomat::win {

namespace {

using rules::CaptionKind;

// A pixel of the drawing at `dpi`.
int DevicePixels(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

bool CaptionFits(const rules::Place& place, const RECT& box, HDC dc, UINT dpi) {
    if (place.Kind == CaptionKind::None) {
        return true;
    }
    const std::wstring caption = ShownCaption(place.Caption);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (place.Kind == CaptionKind::Wrapped) {
        RECT needed{0, 0, width, 0};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return needed.bottom - needed.top <= height;
    }
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    switch (place.Kind) {
        case CaptionKind::Line:
            return extent.cx <= width && extent.cy <= height;
        case CaptionKind::CheckBox: {
            // The tick box and the gap before the caption.
            const int indent = GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + DevicePixels(4, dpi);
            return extent.cx <= width - indent && extent.cy <= height;
        }
        case CaptionKind::Button:
            // A frame and a little room on either side of the caption.
            return extent.cx <= width - DevicePixels(8, dpi) &&
                   extent.cy <= height - DevicePixels(2, dpi);
        default:
            return true;
    }
}

}  // namespace

int Scale::Pixels(int twips) const {
    return static_cast<int>(std::lround(twips * Factor / rules::TwipsPerPixel));
}

RECT Scale::RectOf(const rules::Place& place) const {
    return {Pixels(place.Left), Pixels(place.Top), Pixels(place.Right()), Pixels(place.Bottom())};
}

SIZE Scale::SizeOf(const rules::Form& form) const {
    return {Pixels(form.Width), Pixels(form.Height)};
}

LOGFONTW InterfaceFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                   static_cast<int>(GetDpiForSystem()));
    }
    return metrics.lfMessageFont;
}

LOGFONTW KeyFont(const Scale& scale) {
    LOGFONTW font{};
    // Points at 96 DPI are 96 / 72 pixels each.
    font.lfHeight = -static_cast<int>(
        std::lround(rules::KeyFontPoints * USER_DEFAULT_SCREEN_DPI / 72.0 * scale.Factor));
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::u16string_view family = rules::KeyFontFamily;
    std::copy(family.begin(), family.end(), font.lfFaceName);
    return font;
}

bool CaptionsFit(const rules::Form& form, const Scale& scale, HDC dc, UINT dpi) {
    return std::all_of(form.Places.begin(), form.Places.end(), [&](const rules::Place& place) {
        return CaptionFits(place, scale.RectOf(place), dc, dpi);
    });
}

Scale LayoutScale(HDC dc, UINT dpi) {
    const double dpiFactor = static_cast<double>(dpi) / USER_DEFAULT_SCREEN_DPI;
    return Scale{dpiFactor * rules::SmallestFittingScale([&](double factor) {
                     const Scale scale{dpiFactor * factor};
                     return CaptionsFit(rules::Form1Layout, scale, dc, dpi) &&
                            CaptionsFit(rules::Form2Layout, scale, dc, dpi);
                 })};
}

}  // namespace schnackomat::win
