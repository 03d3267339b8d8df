// The key box: only "a" to "z" and Backspace are typed, the key is kept lower case without
// spaces, and every change decodes the output box again.
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "harness.h"

using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

namespace {

// Codes "hallo" with the key box holding `key`, then leaves the focus in the key box.
void CodeWithKey(Harness& harness, const QString& key) {
    harness.Check(4)->setChecked(true);
    harness.Focus(harness.Text3());
    harness.Text3()->setText(key);
    harness.Focus(harness.Text1());
    QTest::keyClicks(harness.Text1(), "hallo");
    harness.Focus(harness.Text3());
}

}  // namespace

class KeyBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void FilterDiscardsAllButSmallLetters_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::newRow("capital") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A";
        QTest::newRow("digit") << int(Qt::Key_1) << int(Qt::NoModifier) << "1";
        QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier) << " ";
        QTest::newRow("umlaut") << int(Qt::Key_Adiaeresis) << int(Qt::NoModifier) << "ä";
        QTest::newRow("sharp s") << int(Qt::Key_ssharp) << int(Qt::NoModifier) << "ß";
        QTest::newRow("punctuation") << int(Qt::Key_Period) << int(Qt::NoModifier) << ".";
        QTest::newRow("brace") << int(Qt::Key_BraceLeft) << int(Qt::NoModifier) << "{";
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16";
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier) << "\x18";
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << "\r";
    }
    void FilterDiscardsAllButSmallLetters() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        Harness harness;
        QGuiApplication::clipboard()->setText(QStringLiteral("xyz"));
        harness.Focus(harness.Text3());
        harness.Text3()->setCursorPosition(2);
        QTest::sendKeyEvent(QTest::Click, harness.Text3(), Qt::Key(key), text,
                            Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Text(harness.Text3()), QStringLiteral("qorvu"));
    }

    void LettersBackspaceAndEditingKeysWork() {
        Harness harness;
        harness.Focus(harness.Text3());
        harness.Text3()->setCursorPosition(5);
        QTest::keyClicks(harness.Text3(), "xyz");
        QCOMPARE(Text(harness.Text3()), QStringLiteral("qorvuxyz"));
        QTest::keyClick(harness.Text3(), Qt::Key_Backspace);
        QCOMPARE(Text(harness.Text3()), QStringLiteral("qorvuxy"));
        QTest::keyClick(harness.Text3(), Qt::Key_Home);
        QTest::keyClick(harness.Text3(), Qt::Key_Delete);
        QCOMPARE(Text(harness.Text3()), QStringLiteral("orvuxy"));
        // Every change puts the caret at the end; the arrows move it as usual.
        QCOMPARE(harness.Text3()->cursorPosition(), 6);
        QTest::keyClick(harness.Text3(), Qt::Key_Left);
        QTest::keyClicks(harness.Text3(), "k");
        QCOMPARE(Text(harness.Text3()), QStringLiteral("orvuxky"));
        QTest::keyClick(harness.Text3(), Qt::Key_End);
        QTest::keyClicks(harness.Text3(), "abcdefghijk");
        QCOMPARE(Text(harness.Text3()).size(), 15);
    }

    void PastedKeyIsNormalised_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("key");
        QTest::newRow("capitals and spaces") << "Ab C"
                                             << "abc";
        QTest::newRow("umlaut capitals") << "ÄÖ Ü"
                                         << "äöü";
        QTest::newRow("digits and punctuation stay") << "a1 b!"
                                                     << "a1b!";
        QTest::newRow("only spaces") << "   "
                                     << "";
        QTest::newRow("already normal") << "nowiknowall"
                                        << "nowiknowall";
    }
    void PastedKeyIsNormalised() {
        QFETCH(QString, pasted);
        QFETCH(QString, key);
        Harness harness;
        harness.Focus(harness.Text3());
        harness.Text3()->clear();
        QGuiApplication::clipboard()->setText(pasted);
        harness.Text3()->paste();
        QCOMPARE(Text(harness.Text3()), key);
        QCOMPARE(harness.Text3()->cursorPosition(), key.size());
        QCOMPARE(harness.Text3()->selectedText(), QString());
    }

    void ChangeDecodesTheOutputAgain() {
        Harness harness;  // "1337" and "1337-Wörters" ticked, no Matrix code
        QTest::keyClicks(harness.Text1(), "hallo");
        harness.Focus(harness.Text2());
        harness.Text2()->setPlainText(QStringLiteral("h4ll0 w3l7"));
        harness.Focus(harness.Text3());
        QTest::keyClick(harness.Text3(), Qt::Key_End);
        QTest::keyClicks(harness.Text3(), "x");
        QCOMPARE(Text(harness.Text1()), QStringLiteral("hallo welt"));
        QCOMPARE(QApplication::focusWidget(), harness.Text3());
        QVERIFY(!harness.Form().Text1Leads());
        QVERIFY(!harness.Form().Text2Leads());
        // The output is never coded again from the key box.
        QCOMPARE(Text(harness.Text2()), QStringLiteral("h4ll0 w3l7"));
    }

    void NoDecodingWhileABoxIsEmpty_data() {
        QTest::addColumn<bool>("emptyInput");
        QTest::addColumn<bool>("emptyOutput");
        QTest::addColumn<bool>("emptyKey");
        QTest::newRow("input empty") << true << false << false;
        QTest::newRow("output empty") << false << true << false;
        QTest::newRow("key emptied") << false << false << true;
    }
    void NoDecodingWhileABoxIsEmpty() {
        QFETCH(bool, emptyInput);
        QFETCH(bool, emptyOutput);
        QFETCH(bool, emptyKey);
        Harness harness;
        harness.Check(1)->setChecked(false);
        harness.Check(3)->setChecked(false);
        if (!emptyInput) {
            QTest::keyClicks(harness.Text1(), "eins");
        }
        harness.Focus(harness.Text2());
        harness.Text2()->setPlainText(emptyOutput ? QString() : QStringLiteral("zwei"));
        const QString input = Text(harness.Text1());
        harness.Focus(harness.Text3());
        if (emptyKey) {
            harness.ClearByKeyboard(harness.Text3());
        } else {
            QTest::keyClick(harness.Text3(), Qt::Key_End);
            QTest::keyClicks(harness.Text3(), "k");
        }
        QCOMPARE(Text(harness.Text1()), input);
    }

    void MasterCodeOpensAnyCodedText() {
        Harness harness;
        CodeWithKey(harness, QStringLiteral("geheim"));
        const QString coded = Text(harness.Text2());
        QVERIFY(!coded.isEmpty());
        harness.ClearByKeyboard(harness.Text3());
        QCOMPARE(Text(harness.Text1()), QStringLiteral("hallo"));  // an empty key decodes nothing

        const QString masterCode = QStringLiteral("nowiknowall");
        const QString randomLetters(coded.size() / 6 + 1, u'a');
        for (qsizetype typed = 1; typed <= masterCode.size(); ++typed) {
            QTest::keyClicks(harness.Text3(), masterCode.mid(typed - 1, 1));
            QCOMPARE(Text(harness.Text3()), masterCode.left(typed));
            QCOMPARE(Text(harness.Text1()),
                     typed < masterCode.size() ? randomLetters : QStringLiteral("hallo"));
            QCOMPARE(QApplication::focusWidget(), harness.Text3());
            QVERIFY(!harness.Form().Text1Leads());
            QVERIFY(!harness.Form().Text2Leads());
        }
        QCOMPARE(Text(harness.Text2()), coded);
    }

    void WrongKeyGivesRandomLettersAndTheRightOneDecodes() {
        Harness harness;
        harness.Random().Value = 3;  // every random letter is "d"
        CodeWithKey(harness, QStringLiteral("abc"));
        const QString coded = Text(harness.Text2());
        QTest::keyClick(harness.Text3(), Qt::Key_End);
        QTest::keyClicks(harness.Text3(), "d");
        QCOMPARE(Text(harness.Text1()), QString(coded.size() / 6 + 1, u'd'));
        QTest::keyClick(harness.Text3(), Qt::Key_Backspace);
        QCOMPARE(Text(harness.Text3()), QStringLiteral("abc"));
        QCOMPARE(Text(harness.Text1()), QStringLiteral("hallo"));
        QVERIFY(harness.Clipboard().Texts().size() == 5);  // only the five typed letters
    }
};

QTEST_MAIN(KeyBoxTest)
#include "key_box_test.moc"
