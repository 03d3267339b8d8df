// The main window: the input box Text1, the output box Text2, the key box Text3, the four
// option boxes, the two buttons and the credit labels, bound to the window rules that turn every
// edit into a forward or reverse conversion.
#pragma once

#include <QWidget>

#include <cstddef>
#include <string>
#include <string_view>

#include "schnackomat/random.h"
#include "schnackomat/rules/toolkit.h"
#include "schnackomat/rules/window_rules.h"
#include "schnackomat/ui/platform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QMoveEvent;
class QPlainTextEdit;
class QPushButton;

namespace schnackomat::ui {

// The window creates the controls and is the Qt toolkit of the window rules: it hands every
// event of its controls to them and carries out what they ask of the controls, the clipboard,
// the message boxes and the shell.
class Form1 : public QWidget, private rules::Toolkit {
    Q_OBJECT

  public:
    explicit Form1(MessageBoxes& messageBoxes = DefaultMessageBoxes(),
                   Clipboard& clipboard = DefaultClipboard(),
                   LinkOpener& linkOpener = DefaultLinkOpener(),
                   RandomSource& random = DefaultRandomSource(), QWidget* parent = nullptr);

    // Which text box the user is editing: an edit of Text1 converts forward only while
    // Text1Leads is set, an edit of Text2 converts back only while Text2Leads is set. Never
    // both at once.
    bool Text1Leads() const { return rules_.Text1Leads(); }
    bool Text2Leads() const { return rules_.Text2Leads(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void CreateControls();
    void PlaceControls();
    void ConnectRules();
    // Puts the window's frame in the middle of the screen's free area.
    void CentreOnScreen();

    // The widget of a control (the window itself for Form1), and the control of a widget (Form1
    // for anything that is not one of the controls).
    QWidget* Widget(rules::Control control) const;
    rules::Control ControlOf(const QObject* widget) const;

    // The toolkit of the rules.
    std::u16string ReadText(rules::Control box) override;
    std::size_t TextLength(rules::Control box) override;
    void WriteText(rules::Control box, std::u16string_view text) override;
    void Select(rules::Control box, std::size_t start, std::size_t length) override;
    int ReadValue(rules::Control box) override;
    void WriteValue(rules::Control box, int value) override;
    void Focus(rules::Control control) override;
    void SetTextColour(rules::Control label, rules::Colour colour) override;
    MessageAnswer ShowMessage(const rules::Message& message) override;
    void ClearClipboard() override;
    void SetClipboardText(std::u16string_view text) override;
    void OpenLink(std::string_view target) override;
    void ShowHelpWindow() override;
    void CloseHelpWindow() override;
    void CloseMainWindow() override;

    MessageBoxes& messageBoxes_;
    Clipboard& clipboard_;
    LinkOpener& linkOpener_;
    rules::WindowRules rules_;

    // Set once the window has been centred again by the frame the window manager gave it.
    bool centredByFrame_ = false;

    QPlainTextEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
};

}  // namespace schnackomat::ui
