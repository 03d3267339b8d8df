// The real modal message boxes: closing the censor box or answering "Nein" to an exit question
// hands the keyboard back to the input box exactly as it was, so the next key goes on typing.
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "harness.h"
#include "schnackomat/ui/form1.h"
#include "schnackomat/ui/platform.h"

using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

namespace {

using Answer = std::function<void(QMessageBox&)>;

void PressReturn(QMessageBox& box) {
    QTest::keyClick(&box, Qt::Key_Return);
}
void PressEscape(QMessageBox& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
}
void ClickYes(QMessageBox& box) {
    box.button(QMessageBox::Yes)->click();
}
void ClickNo(QMessageBox& box) {
    box.button(QMessageBox::No)->click();
}
void ClickOk(QMessageBox& box) {
    box.button(QMessageBox::Ok)->click();
}

// Answers every message box that opens, from inside the box's own event loop: the first boxes
// with the given answers in turn, every later one with `then`.
class BoxAnswerer : public QObject {
  public:
    BoxAnswerer(std::vector<Answer> answers, Answer then)
        : answers_(std::move(answers)), then_(std::move(then)) {
        connect(&timer_, &QTimer::timeout, this, [this] { AnswerOpenBox(); });
        timer_.start(10);
    }

    // The texts of the boxes answered, in order, and where the keyboard was while each was open.
    QStringList Texts;
    QList<QWidget*> FocusWhileOpen;

  private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        // A user answers a box that has taken the keyboard.
        if (QApplication::activeWindow() != box) {
            return;
        }
        Texts.append(box->text());
        FocusWhileOpen.append(QApplication::focusWidget());
        if (next_ < answers_.size()) {
            answers_[next_++](*box);
        } else {
            then_(*box);
        }
    }

    std::vector<Answer> answers_;
    Answer then_;
    std::size_t next_ = 0;
    QTimer timer_;
};

struct Window {
    FakeClipboard Clipboard;
    FakeLinkOpener Links;
    FixedRandomSource Random;
    Form1 Form{DefaultMessageBoxes(), Clipboard, Links, Random};

    QPlainTextEdit* Text1() { return Form.findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
};

// What the keyboard finds in the input box: its text, the caret, the selection and the flags.
QString InputState(Window& window) {
    const QTextCursor cursor = window.Text1()->textCursor();
    return QStringLiteral("\"%1\" caret %2 selected \"%3\" Text1Leads %4 Text2Leads %5")
        .arg(ReadText(window.Text1()))
        .arg(cursor.position())
        .arg(cursor.selectedText())
        .arg(window.Form.Text1Leads())
        .arg(window.Form.Text2Leads());
}

// The box takes the keyboard from the main window while it is open. When it closes, the
// desktop gives it back; the offscreen platform leaves that to the program.
void GiveTheKeyboardBack(Form1& form) {
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

}  // namespace

Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(std::vector<Answer>)

class MessageBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void ClosingTheCensorBoxLeavesTheInputAsTyped_data() {
        QTest::addColumn<Answer>("close");
        QTest::newRow("Return") << Answer(PressReturn);
        QTest::newRow("Escape") << Answer(PressEscape);
        QTest::newRow("OK clicked") << Answer(ClickOk);
    }
    void ClosingTheCensorBoxLeavesTheInputAsTyped() {
        QFETCH(Answer, close);
        Window window;
        window.Form.show();
        QVERIFY(QTest::qWaitForWindowActive(&window.Form));
        window.Form.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
        QTest::keyClicks(window.Text1(), QStringLiteral("oh muhah"));

        BoxAnswerer answerer({}, close);
        QTest::keyClick(window.Text1(), Qt::Key_A);
        QCOMPARE(answerer.Texts.size(), 1);
        QVERIFY(answerer.FocusWhileOpen.constFirst() != window.Text1());
        GiveTheKeyboardBack(window.Form);
        QCOMPARE(QApplication::focusWidget(), window.Text1());
        QCOMPARE(InputState(window),
                 QStringLiteral("\"oh muhaha\" caret 9 selected \"\" Text1Leads 1 Text2Leads 0"));

        QTest::keyClick(window.Text1(), Qt::Key_X);
        QCOMPARE(ReadText(window.Text1()), QStringLiteral("oh muhahax"));
    }

    void AnsweringNoToAnExitQuestionLeavesTheInputAsItWas_data() {
        QTest::addColumn<std::vector<Answer>>("answers");
        QTest::addColumn<int>("questions");
        QTest::newRow("first, No clicked") << std::vector<Answer>{ClickNo} << 1;
        QTest::newRow("first, Escape") << std::vector<Answer>{PressEscape} << 1;
        QTest::newRow("second, No clicked") << std::vector<Answer>{ClickYes, ClickNo} << 2;
        QTest::newRow("second, Escape") << std::vector<Answer>{PressReturn, PressEscape} << 2;
    }
    void AnsweringNoToAnExitQuestionLeavesTheInputAsItWas() {
        QFETCH(std::vector<Answer>, answers);
        QFETCH(int, questions);
        Window window;
        window.Form.show();
        QVERIFY(QTest::qWaitForWindowActive(&window.Form));
        QTest::keyClicks(window.Text1(), QStringLiteral("Hallo Welt"));
        const QString before = InputState(window);
        QVERIFY(window.Form.Text1Leads());

        BoxAnswerer answerer(answers, PressEscape);
        QTest::keyClick(window.Text1(), Qt::Key_Escape);  // presses "Ende"
        QCOMPARE(answerer.Texts.size(), questions);
        QVERIFY(!answerer.FocusWhileOpen.contains(window.Text1()));
        QVERIFY(window.Form.isVisible());
        GiveTheKeyboardBack(window.Form);
        QCOMPARE(QApplication::focusWidget(), window.Text1());
        QCOMPARE(InputState(window), before);

        QTest::keyClick(window.Text1(), Qt::Key_Exclam);
        QCOMPARE(ReadText(window.Text1()), QStringLiteral("Hallo Welt!"));
    }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
