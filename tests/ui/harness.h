// A main window driven by fakes: message boxes that record what they showed, a clipboard that
// records what it was told, and a random source that gives known letters.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

#include "schnackomat/random.h"
#include "schnackomat/ui/binding.h"
#include "schnackomat/ui/form1.h"
#include "schnackomat/ui/platform.h"

namespace schnackomat::ui::testing {

struct ShownMessage {
    QString Text;
    QString Title;
    MessageButtons Buttons;
    MessageIcon Icon;
};

class FakeMessageBoxes final : public MessageBoxes {
  public:
    MessageAnswer Show(QWidget*, const QString& text, const QString& title, MessageButtons buttons,
                       MessageIcon icon) override {
        Shown.push_back({text, title, buttons, icon});
        if (OnShow) {
            OnShow();
        }
        if (!Answers.empty()) {
            const MessageAnswer answer = Answers.front();
            Answers.erase(Answers.begin());
            return answer;
        }
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }

    std::vector<ShownMessage> Shown;
    std::vector<MessageAnswer> Answers;  // given in this order; then Yes or OK
    std::function<void()> OnShow;        // runs while the box would be open
};

// Records every call as "clear" or "set:<text>".
class FakeClipboard final : public Clipboard {
  public:
    void Clear() override { Calls.append(QStringLiteral("clear")); }
    void SetText(const QString& text) override { Calls.append(QStringLiteral("set:") + text); }

    // The texts set, in order.
    QStringList Texts() const {
        QStringList texts;
        for (const QString& call : Calls) {
            if (call.startsWith(QStringLiteral("set:"))) {
                texts.append(call.mid(4));
            }
        }
        return texts;
    }

    QStringList Calls;
};

class FakeLinkOpener final : public LinkOpener {
  public:
    void Open(const QUrl& target) override { Opened.push_back(target); }
    std::vector<QUrl> Opened;
};

// Always draws the same value, so every random letter is known.
class FixedRandomSource final : public RandomSource {
  public:
    std::uint32_t NextBelow(std::uint32_t bound) override { return Value % bound; }
    std::uint32_t Value = 0;
};

// A shown, active main window with fakes.
class Harness {
  public:
    Harness() : form_(std::make_unique<Form1>(messageBoxes_, clipboard_, linkOpener_, random_)) {
        form_->show();
        form_->activateWindow();
        active_ = QTest::qWaitForWindowActive(form_.get());
    }

    Form1& Form() { return *form_; }
    bool Active() const { return active_; }
    FakeMessageBoxes& MessageBoxes() { return messageBoxes_; }
    FakeClipboard& Clipboard() { return clipboard_; }
    FakeLinkOpener& LinkOpener() { return linkOpener_; }
    FixedRandomSource& Random() { return random_; }

    template <typename Control>
    Control* Find(const char* name) {
        return form_->findChild<Control*>(QString::fromLatin1(name));
    }
    QPlainTextEdit* Text1() { return Find<QPlainTextEdit>("Text1"); }
    QPlainTextEdit* Text2() { return Find<QPlainTextEdit>("Text2"); }
    QLineEdit* Text3() { return Find<QLineEdit>("Text3"); }
    QCheckBox* Check(int number) {
        return Find<QCheckBox>(QStringLiteral("Check%1").arg(number).toLatin1().constData());
    }

    // Gives a text box the focus the way the user does, with the Tab key's focus reason.
    void Focus(QWidget* control) {
        control->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    // Selects the whole text of a box and deletes it with Backspace.
    void ClearByKeyboard(QWidget* box) {
        Focus(box);
        QMetaObject::invokeMethod(box, "selectAll");
        QTest::keyClick(box, Qt::Key_Backspace);
    }

  private:
    FakeMessageBoxes messageBoxes_;
    FakeClipboard clipboard_;
    FakeLinkOpener linkOpener_;
    FixedRandomSource random_;
    std::unique_ptr<Form1> form_;
    bool active_ = false;
};

inline QString Text(const QWidget* box) {
    return ReadText(box);
}

}  // namespace schnackomat::ui::testing
