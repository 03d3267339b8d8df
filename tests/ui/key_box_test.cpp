// The key box: only "a" to "z" and Backspace are typed, the key is kept lower case without
// spaces, and every change decodes the output box again.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
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

// Pastes `text` into the key box at its very start the way `way` names: by the edit menu, by
// dragging it onto the box, or with the middle mouse button from the selection. False if the way
// could not be gone.
bool PasteAtTheStart(QLineEdit* box, const QString& way, const QString& text) {
    const QPoint start(1, box->height() / 2);
    if (way == u"edit menu") {
        QGuiApplication::clipboard()->setText(text);
        box->setCursorPosition(0);
        QContextMenuEvent request(QContextMenuEvent::Keyboard, start, box->mapToGlobal(start));
        QCoreApplication::sendEvent(box, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return false;
        }
        // The menu's paste entry is the one that names the paste key.
        const QString pasteKey =
            u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* entry : menu->actions()) {
            if (entry->text().endsWith(pasteKey) && entry->isEnabled()) {
                menu->setActiveAction(entry);
                QTest::keyClick(menu, Qt::Key_Return);
                return true;
            }
        }
        menu->close();
        return false;
    }
    if (way == u"drop") {
        QMimeData dragged;
        dragged.setText(text);
        QDragEnterEvent enter(start, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QDragMoveEvent move(start, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &move);
        QDropEvent drop(start, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &drop);
        return enter.isAccepted() && drop.isAccepted();
    }
    QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
    QTest::mouseClick(box, Qt::MiddleButton, Qt::NoModifier, start);
    return true;
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

    // Whichever way a text comes into the key box, only its first line goes in: what stood
    // after the place of the insertion stays, and the key box's rule never sees a line break.
    void EveryWayOfPastingKeepsTheFirstLine_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("key");
        for (const char* way : {"edit menu", "drop", "middle click"}) {
            const auto row = [way](const char* name) -> QTestData& {
                return QTest::addRow("%s, %s", way, name) << QString::fromLatin1(way);
            };
            row("key with its line break") << QString() << "qorvu\n"
                                           << "qorvu";
            row("second line") << QString() << "Ab C\nzweite Zeile"
                               << "abc";
            row("CR LF") << QString() << "eins\r\nzwei"
                         << "eins";
            row("lone CR") << QString() << "eins\rzwei"
                           << "eins";
            row("empty first line") << QString() << "\nzwei" << QString();
            row("before the held key") << "qorvu"
                                       << "ab\ncd"
                                       << "abqorvu";
        }
    }
    void EveryWayOfPastingKeepsTheFirstLine() {
        QFETCH(QString, way);
        QFETCH(QString, held);
        QFETCH(QString, pasted);
        QFETCH(QString, key);
        if (way == u"middle click" && !QGuiApplication::clipboard()->supportsSelection()) {
            QSKIP("the platform has no selection to paste with the middle mouse button");
        }
        Harness harness;
        harness.Focus(harness.Text3());
        if (held.isEmpty()) {
            harness.ClearByKeyboard(harness.Text3());
        }
        QCOMPARE(Text(harness.Text3()), held);
        QStringList seen;
        QObject::connect(harness.Text3(), &QLineEdit::textChanged,
                         [&seen](const QString& text) { seen.append(text); });

        QVERIFY(PasteAtTheStart(harness.Text3(), way, pasted));

        QCOMPARE(Text(harness.Text3()), key);
        QCOMPARE(harness.Text3()->cursorPosition(), key.size());
        for (const QString& text : seen) {
            QVERIFY2(!text.contains(u'\n') && !text.contains(u'\r'), qPrintable(text));
        }
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
