// The text box binding: texts survive a write and a read unit for unit, writes of the same text
// raise no change event, and key presses give the character codes the rules expect.
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "schnackomat/ui/binding.h"

using schnackomat::ui::ReadText;
using schnackomat::ui::ToEngineText;
using schnackomat::ui::ToQString;
using schnackomat::ui::TypedCharacter;
using schnackomat::ui::WriteText;

class BindingTest : public QObject {
    Q_OBJECT

  private slots:
    void TextSurvivesWriteAndRead_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("plain") << QStringLiteral("Das ist cool");
        QTest::newRow("no-break space") << QStringLiteral("a\u00A0b\u00A0");
        QTest::newRow("emoji") << QStringLiteral("hallo \U0001F600 welt \U0001F44D");
        QTest::newRow("umlauts") << QStringLiteral("Größe ÄÖÜ ß");
        QTest::newRow("line breaks") << QStringLiteral("eins\nzwei\n\ndrei\n");
        QTest::newRow("only line breaks") << QStringLiteral("\n\n");
        QTest::newRow("tab and control characters") << QStringLiteral("a\tb\x01\x7f");
    }
    void TextSurvivesWriteAndRead() {
        QFETCH(QString, text);
        QPlainTextEdit box;
        WriteText(&box, text);
        QCOMPARE(ReadText(&box), text);
        // And through the engine's text type, unit for unit.
        QCOMPARE(ToQString(ToEngineText(ReadText(&box))), text);
        QCOMPARE(ToEngineText(text).size(), static_cast<std::size_t>(text.size()));
    }

    void TypedTextReadsAsTyped() {
        QPlainTextEdit box;
        box.insertPlainText(QStringLiteral("a\u00A0b"));
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, QStringLiteral("c"));
        QCOMPARE(ReadText(&box), QStringLiteral("a\u00A0b\nc"));
    }

    void WriteRaisesChangeOnlyForNewText_data() {
        QTest::addColumn<bool>("lineBox");
        QTest::newRow("multi-line box") << false;
        QTest::newRow("single-line box") << true;
    }
    void WriteRaisesChangeOnlyForNewText() {
        QFETCH(bool, lineBox);
        QPlainTextEdit multiLine;
        QLineEdit singleLine;
        QWidget* box = lineBox ? static_cast<QWidget*>(&singleLine) : &multiLine;
        QSignalSpy changes(box, SIGNAL(textChanged(QString)));
        QSignalSpy multiChanges(box, SIGNAL(textChanged()));
        const auto changeCount = [&] { return lineBox ? changes.count() : multiChanges.count(); };

        WriteText(box, QStringLiteral("abc"));
        QCOMPARE(changeCount(), 1);
        WriteText(box, QStringLiteral("abc"));
        QCOMPARE(changeCount(), 1);
        WriteText(box, QStringLiteral("abd"));
        QCOMPARE(changeCount(), 2);
        QCOMPARE(ReadText(box), QStringLiteral("abd"));
    }

    void KeyPressGivesCharacterCode_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");  // -1: the key types nothing
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("a") << int(Qt::Key_A) << none << "a" << int('a');
        QTest::newRow("A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << int('A');
        QTest::newRow("umlaut") << int(Qt::Key_Adiaeresis) << none << "ä" << 0xE4;
        QTest::newRow("space") << int(Qt::Key_Space) << none << " " << int(' ');
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << "" << 1;
        QTest::newRow("Ctrl+V with text") << int(Qt::Key_V) << ctrl << "\x16" << 22;
        QTest::newRow("Ctrl+V without text") << int(Qt::Key_V) << ctrl << "" << 22;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << "" << 26;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
        QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << ctrl << "" << 127;
        QTest::newRow("Return") << int(Qt::Key_Return) << none << "\r" << 13;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << -1;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << -1;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << "" << -1;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << "" << -1;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << -1;
    }
    void KeyPressGivesCharacterCode() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        const std::optional<char16_t> typed = TypedCharacter(event);
        QCOMPARE(typed.has_value(), code >= 0);
        if (typed) {
            QCOMPARE(int(*typed), code);
        }
    }
};

QTEST_MAIN(BindingTest)
#include "binding_test.moc"
