// The Ctrl+letter shortcuts and Ctrl+Backspace of the input box, typed as the user types them.
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

#include "harness.h"

using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

class ShortcutKeysTest : public QObject {
    Q_OBJECT

  private:
    // A window with no option ticked, so that Text2 mirrors Text1 exactly.
    static void Untick(Harness& harness) {
        harness.Check(1)->setChecked(false);
        harness.Check(3)->setChecked(false);
        harness.Focus(harness.Text1());
    }

  private slots:
    void EachShortcutAppendsItsWordAtTheEnd_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("word");
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "standard ";
        QTest::newRow("Ctrl+D") << int(Qt::Key_D) << "wuuuh ";
        QTest::newRow("Ctrl+E") << int(Qt::Key_E) << "whatever ";
        QTest::newRow("Ctrl+G") << int(Qt::Key_G) << "gaylord ";
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << "leet ";
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << "weeeeeiß nich ";
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << "oha ";
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << "paaardy ";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << "oder so ";
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << "stylisch ";
        QTest::newRow("Ctrl+U") << int(Qt::Key_U) << "martello duro ";
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << "whäääy ";
        QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << "mystisch ";
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << "zyoooooooom ";
    }

    void EachShortcutAppendsItsWordAtTheEnd() {
        QFETCH(int, key);
        QFETCH(QString, word);
        Harness harness;
        QVERIFY(harness.Active());
        Untick(harness);
        QTest::keyClicks(harness.Text1(), QStringLiteral("ab cd"));
        // The caret in the middle and a selection: the word still goes to the very end.
        QTextCursor cursor = harness.Text1()->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        harness.Text1()->setTextCursor(cursor);

        QTest::keyClick(harness.Text1(), Qt::Key(key), Qt::ControlModifier);

        const QString expected = QStringLiteral("ab cd") + word;
        QCOMPARE(Text(harness.Text1()), expected);
        QCOMPARE(harness.Text1()->textCursor().position(), int(expected.size()));
        QVERIFY(!harness.Text1()->textCursor().hasSelection());
        // The appended word reaches the output and the clipboard like typed text.
        QCOMPARE(Text(harness.Text2()), expected);
        QCOMPARE(harness.Clipboard().Texts().last(), expected);
        // The box's own meaning of the key does not follow: typing goes on at the end.
        QTest::keyClicks(harness.Text1(), QStringLiteral("x"));
        QCOMPARE(Text(harness.Text1()), expected + QStringLiteral("x"));
    }

    void AppendedWordsAreConvertedWithTheOptions() {
        Harness harness;
        harness.Focus(harness.Text1());  // 1337 and 1337-Wörters ticked at start
        QTest::keyClicks(harness.Text1(), QStringLiteral("hallo"));
        QTest::keyClick(harness.Text1(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(Text(harness.Text1()), QStringLiteral("hallopaaardy "));
        QCOMPARE(Text(harness.Text2()), QStringLiteral("h4110p4442dy "));
    }

    void OtherControlLettersAppendNothing_data() {
        QTest::addColumn<int>("key");
        for (int key : {Qt::Key_B, Qt::Key_C, Qt::Key_F, Qt::Key_H, Qt::Key_I, Qt::Key_J, Qt::Key_K,
                        Qt::Key_M, Qt::Key_Q, Qt::Key_R, Qt::Key_X}) {
            QTest::newRow(QKeySequence(key).toString().toLatin1().constData()) << key;
        }
    }

    void OtherControlLettersAppendNothing() {
        QFETCH(int, key);
        Harness harness;
        Untick(harness);
        QTest::keyClicks(harness.Text1(), QStringLiteral("hallo"));
        QTest::keyClick(harness.Text1(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(Text(harness.Text1()), QStringLiteral("hallo"));
    }

    void ControlBackspaceDeletesTheLastWord_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two words") << "hallo welt"
                                   << "hallo";
        QTest::newRow("trailing space") << "hallo welt "
                                        << "hallo welt";
        QTest::newRow("two trailing spaces") << "a  "
                                             << "a ";
        QTest::newRow("one word") << "hallo"
                                  << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("line break") << "a b\nc"
                                    << "a";
    }

    void ControlBackspaceDeletesTheLastWord() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        Harness harness;
        Untick(harness);
        harness.Text1()->insertPlainText(text);
        harness.Text1()->moveCursor(QTextCursor::Start);

        QTest::keyClick(harness.Text1(), Qt::Key_Backspace, Qt::ControlModifier);

        QCOMPARE(Text(harness.Text1()), expected);
        QCOMPARE(harness.Text1()->textCursor().position(), int(expected.size()));
        QCOMPARE(Text(harness.Text2()), expected);
    }

    void OnlyTheInputBoxHasShortcuts() {
        Harness harness;
        Untick(harness);
        harness.Focus(harness.Text2());
        QTest::keyClicks(harness.Text2(), QStringLiteral("ab"));
        QTest::keyClick(harness.Text2(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(Text(harness.Text2()), QStringLiteral("ab"));
        QCOMPARE(Text(harness.Text1()), QStringLiteral("ab"));
    }
};

QTEST_MAIN(ShortcutKeysTest)
#include "shortcut_keys_test.moc"
