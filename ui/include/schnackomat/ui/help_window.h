// The help window: a small frameless window with a short help text and the list of the
// Ctrl+letter shortcuts. A click anywhere on it closes it.
#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QMouseEvent;

namespace schnackomat::ui {

class Form2 : public QWidget {
    Q_OBJECT

  public:
    // The help text shown at the top of the window.
    static const QString HelpText;

    // The fourteen lines of the shortcut list, top to bottom (Label2 to Label15).
    static const std::array<QString, 14> ShortcutCaptions;

    // Builds the window as a top-level window without owner; it deletes itself when closed.
    explicit Form2(QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The font of all labels: the default family, sized so that the help text fits its box
    // and every shortcut line fits its width.
    static QFont LabelFont();
};

// Shows the one help window without blocking and without owner, so that it stays open when the
// window that asked for it closes. If it is already open, that same window is raised and
// activated; otherwise a new one is created and centred on `centreOn` (or on the screen when
// `centreOn` is null). Returns the shown window.
Form2* ShowHelpWindow(const QWidget* centreOn = nullptr);

// Closes the help window, if one is open, as a click on it does.
void CloseHelpWindow();

}  // namespace schnackomat::ui
