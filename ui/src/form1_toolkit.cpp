// Form1 as the Qt toolkit of the window rules: Qt's events of the controls go to the rules, and
// the rules' reads and writes go to the controls, the clipboard, the message boxes and the shell.
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include <algorithm>
#include <array>
#include <optional>

#include "schnackomat/ui/binding.h"
#include "schnackomat/ui/form1.h"
#include "schnackomat/ui/help_window.h"

namespace schnackomat::ui {

using rules::Control;

namespace {

// The controls of the main window.
constexpr std::array AllControls{
    Control::Text1,  Control::Text2,  Control::Text3,    Control::Check1,   Control::Check2,
    Control::Check3, Control::Check4, Control::Command1, Control::Command2, Control::Label1,
    Control::Label2, Control::Label3, Control::Label4,   Control::Label5,
};

}  // namespace

QWidget* Form1::Widget(Control control) const {
    switch (control) {
        case Control::Text1:
            return Text1;
        case Control::Text2:
            return Text2;
        case Control::Text3:
            return Text3;
        case Control::Check1:
            return Check1;
        case Control::Check2:
            return Check2;
        case Control::Check3:
            return Check3;
        case Control::Check4:
            return Check4;
        case Control::Command1:
            return Command1;
        case Control::Command2:
            return Command2;
        case Control::Label1:
            return Label1;
        case Control::Label2:
            return Label2;
        case Control::Label3:
            return Label3;
        case Control::Label4:
            return Label4;
        case Control::Label5:
            return Label5;
        case Control::Form1:
        case Control::Form2:
            break;
    }
    return const_cast<Form1*>(this);
}

Control Form1::ControlOf(const QObject* widget) const {
    const auto found = std::find_if(AllControls.begin(), AllControls.end(),
                                    [&](Control control) { return Widget(control) == widget; });
    return found != AllControls.end() ? *found : Control::Form1;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((watched == Text1 || watched == Text2) &&
        (type == QEvent::FocusIn || type == QEvent::FocusOut)) {
        // A popup menu or another window taking the keyboard for a while (a message box, a
        // window switch) does not move the focus between the window's controls, so it leaves
        // the flags and the selection alone.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            const Control box = watched == Text1 ? Control::Text1 : Control::Text2;
            type == QEvent::FocusIn ? rules_.FocusGained(box) : rules_.FocusLost(box);
        }
        return false;
    }
    if ((watched == Text1 || watched == Text3) && type == QEvent::KeyPress) {
        // A key the rules swallow does not reach the box: no Ctrl+A (select all) or Ctrl+Z
        // (undo) after a shortcut word, no character the key box does not take.
        const std::optional<char16_t> character = TypedCharacter(*static_cast<QKeyEvent*>(event));
        return character && rules_.KeyTyped(ControlOf(watched), *character) == 0;
    }
    if (auto* label = qobject_cast<QLabel*>(watched)) {
        if (type == QEvent::MouseMove) {
            rules_.MouseMoved(ControlOf(label));
        } else if (type == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                label->rect().contains(mouse->position().toPoint())) {
                rules_.Clicked(ControlOf(label));
            }
        }
        return false;
    }
    if (watched == Text3 && type == QEvent::InputMethod) {
        // Composed characters arrive without a key press; they pass the same filter.
        auto* input = static_cast<QInputMethodEvent*>(event);
        QString kept;
        for (const QChar character : input->commitString()) {
            if (rules_.KeyTyped(Control::Text3, character.unicode()) != 0) {
                kept += character;
            }
        }
        if (kept != input->commitString()) {
            input->setCommitString(kept, input->replacementStart(), input->replacementLength());
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    // Moves over a control that does not take them come here too; only the bare ground counts.
    if (childAt(event->position().toPoint()) == nullptr) {
        rules_.MouseMoved(Control::Form1);
    }
    QWidget::mouseMoveEvent(event);
}

std::u16string Form1::ReadText(Control box) {
    return ToEngineText(ui::ReadText(Widget(box)));
}

std::size_t Form1::TextLength(Control box) {
    return static_cast<std::size_t>(ui::ReadText(Widget(box)).size());
}

void Form1::WriteText(Control box, std::u16string_view text) {
    ui::WriteText(Widget(box), ToQString(text));
}

void Form1::Select(Control box, std::size_t start, std::size_t length) {
    QWidget* widget = Widget(box);
    const int from = static_cast<int>(start);
    const int to = static_cast<int>(start + length);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        if (start == 0 && length > 0 && length == TextLength(box)) {
            // Selecting everything leaves the view where it is, as the box's own select-all does.
            edit->selectAll();
            return;
        }
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setSelection(from, to - from);
        if (length == 0) {
            line->setCursorPosition(from);
        }
    }
}

int Form1::ReadValue(Control box) {
    const auto* check = qobject_cast<const QCheckBox*>(Widget(box));
    return check != nullptr && check->isChecked() ? 1 : 0;
}

void Form1::WriteValue(Control box, int value) {
    if (auto* check = qobject_cast<QCheckBox*>(Widget(box))) {
        check->setChecked(value == 1);
    }
}

void Form1::Focus(Control control) {
    Widget(control)->setFocus();
}

void Form1::SetTextColour(Control label, rules::Colour colour) {
    QWidget* widget = Widget(label);
    QPalette palette = widget->palette();
    const QColor text(colour.Red, colour.Green, colour.Blue);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
}

MessageAnswer Form1::ShowMessage(const rules::Message& message) {
    return messageBoxes_.Show(this, ToQString(message.Text), ToQString(message.Title),
                              message.Buttons, message.Icon);
}

void Form1::ClearClipboard() {
    clipboard_.Clear();
}

void Form1::SetClipboardText(std::u16string_view text) {
    clipboard_.SetText(ToQString(text));
}

void Form1::OpenLink(std::string_view target) {
    linkOpener_.Open(QUrl(QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size()))));
}

void Form1::ShowHelpWindow() {
    ui::ShowHelpWindow(this);
}

void Form1::CloseHelpWindow() {
    ui::CloseHelpWindow();
}

void Form1::CloseMainWindow() {
    close();
}

}  // namespace schnackomat::ui
