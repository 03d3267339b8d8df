// The main window: the input box Text1, the output box Text2, the key box Text3, the four
// option boxes, the two buttons and the credit labels, and the rules that turn every edit into
// a forward or reverse conversion.
#pragma once

#include <QWidget>

#include "schnackomat/conversion.h"
#include "schnackomat/random.h"
#include "schnackomat/ui/platform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QMoveEvent;
class QPlainTextEdit;
class QPushButton;

namespace schnackomat::ui {

class Form1 : public QWidget {
    Q_OBJECT

  public:
    explicit Form1(MessageBoxes& messageBoxes = DefaultMessageBoxes(),
                   Clipboard& clipboard = DefaultClipboard(),
                   LinkOpener& linkOpener = DefaultLinkOpener(),
                   RandomSource& random = DefaultRandomSource(), QWidget* parent = nullptr);

    // Which text box the user is editing: an edit of Text1 converts forward only while
    // Text1Leads is set, an edit of Text2 converts back only while Text2Leads is set. Never
    // both at once.
    bool Text1Leads() const { return text1Leads_; }
    bool Text2Leads() const { return text2Leads_; }

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

    void OnText1GotFocus();
    void OnText1LostFocus();
    void OnText2GotFocus();
    void OnText2LostFocus();

    // The forward trigger: converts Text1 into Text2 and onto the clipboard while Text1 leads.
    void OnText1Changed();
    // The reverse trigger: converts Text2 back into Text1 while Text2 leads.
    void OnText2Changed();
    // The key box: keeps the key lower case without spaces and decodes Text2 again.
    void OnText3Changed();
    // Answers true when the key box must not take the typed character.
    bool OnText3KeyPress(char16_t character);
    // The Ctrl+letter shortcuts and Ctrl+Backspace of the input box; answers true when the
    // character was a shortcut and the box must not handle it as well.
    bool OnText1KeyPress(char16_t character);

    void OnCheck1Clicked();
    void OnCheck2Clicked();
    void OnCheck3Clicked();
    void OnCheck4Clicked();
    // What every option box does after its own rule: focus to Text1 and convert it again.
    void ConvertAfterOptionClick();

    // "Ende": three questions, then the window closes.
    void OnCommand1Clicked();
    // "?": the help window.
    void OnCommand2Clicked();

    // The credit links light up under the pointer and go dark again over the bare window.
    void OnLinkLabelMouseMove(QLabel* label);
    void OnForm1MouseMove();
    void OnLinkLabelClicked(QLabel* label);

    ConversionOptions CurrentOptions() const;

    MessageBoxes& messageBoxes_;
    Clipboard& clipboard_;
    LinkOpener& linkOpener_;
    RandomSource& random_;

    // Set once the window has been centred again by the frame the window manager gave it.
    bool centredByFrame_ = false;

    bool text1Leads_ = false;
    bool text2Leads_ = false;

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
