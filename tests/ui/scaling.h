// Windows built at a chosen interface font, and their controls' places compared across fonts.
#pragma once

#include <QApplication>
#include <QFont>
#include <QMap>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cmath>

namespace schnackomat::ui::testing {

// Sets the application's interface font for as long as it lives.
class ApplicationFont {
  public:
    explicit ApplicationFont(const QFont& font) : previous_(QApplication::font()) {
        QApplication::setFont(font);
    }
    ~ApplicationFont() { QApplication::setFont(previous_); }
    ApplicationFont(const ApplicationFont&) = delete;
    ApplicationFont& operator=(const ApplicationFont&) = delete;

  private:
    QFont previous_;
};

// The desktop's interface family at `points`.
inline QFont InterfaceFontOfSize(double points) {
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    return font;
}

// A size so small that every caption fits the windows as they were drawn.
inline QFont FontThatFitsTheDrawing() {
    return InterfaceFontOfSize(6);
}

// The boxes of a window's named controls, by name.
inline QMap<QString, QRect> Places(const QWidget& window) {
    QMap<QString, QRect> places;
    for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->objectName().isEmpty()) {
            places.insert(child->objectName(), child->geometry());
        }
    }
    return places;
}

// Whether `value` is `reference` times `scale`, allowing for both having been rounded to whole
// pixels.
inline bool Scaled(int value, int reference, double scale) {
    return std::abs(value - reference * scale) <= 0.5 + 0.5 * scale;
}

// Whether every edge of `box` is the same edge of `reference` times `scale`, allowing for rounding.
inline bool ScaledBox(const QRect& box, const QRect& reference, double scale) {
    return Scaled(box.left(), reference.left(), scale) &&
           Scaled(box.top(), reference.top(), scale) &&
           Scaled(box.left() + box.width(), reference.left() + reference.width(), scale) &&
           Scaled(box.top() + box.height(), reference.top() + reference.height(), scale);
}

}  // namespace schnackomat::ui::testing
