// The text box binding: texts survive a write and a read unit for unit, a write replaces the
// whole text and raises one change event only when the text changes, reads follow every change,
// and key presses give the character codes the rules expect.
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include "schnackomat/ui/binding.h"

using schnackomat::ui::ReadText;
using schnackomat::ui::ToEngineText;
using schnackomat::ui::ToQString;
using schnackomat::ui::TypedCharacter;
using schnackomat::ui::WriteText;

namespace {

// A shown multi-line box of the main window's size, so that it lays out and scrolls.
class ShownBox {
  public:
    ShownBox() {
        box_.resize(577, 161);
        box_.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box_.show();
    }
    QPlainTextEdit* operator->() { return &box_; }
    QPlainTextEdit* get() { return &box_; }

  private:
    QPlainTextEdit box_;
};

// Gives a box `text` with a history: a selection, the view scrolled down and undo steps.
void Prepare(QPlainTextEdit* box, const QString& text) {
    box->setPlainText(text);
    QTextCursor cursor = box->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("#"));
    cursor.deletePreviousChar();
    cursor.setPosition(0, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
}

// The state of a box that a write may change and the rules may see.
struct BoxState {
    QString Read;
    int Position;
    int Anchor;
    bool UndoAvailable;
    bool RedoAvailable;
    int Scroll;
};

BoxState StateOf(QPlainTextEdit* box) {
    QCoreApplication::processEvents();
    const QTextDocument* document = box->document();
    return {ReadText(box),
            box->textCursor().position(),
            box->textCursor().anchor(),
            document->isUndoAvailable(),
            document->isRedoAvailable(),
            box->verticalScrollBar()->value()};
}

QString Repeated(const QString& piece, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

}  // namespace

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

    void LineBreaksReadAsNewLine_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("read");
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\n") << QStringLiteral("a\nb\n");
        QTest::newRow("lone CR") << QStringLiteral("a\rb\r") << QStringLiteral("a\nb\n");
        QTest::newRow("CR CR LF") << QStringLiteral("a\r\r\nb") << QStringLiteral("a\n\nb");
        QTest::newRow("LF CR") << QStringLiteral("a\n\rb") << QStringLiteral("a\n\nb");
        QTest::newRow("paragraph separator")
            << QStringLiteral("a\u2029b") << QStringLiteral("a\nb");
        QTest::newRow("line separator") << QStringLiteral("a\u2028b") << QStringLiteral("a\nb");
    }
    void LineBreaksReadAsNewLine() {
        QFETCH(QString, written);
        QFETCH(QString, read);
        QPlainTextEdit box;
        WriteText(&box, QStringLiteral("x"));
        WriteText(&box, written);
        QCOMPARE(ReadText(&box), read);
        QPlainTextEdit reference;
        reference.setPlainText(written);
        QCOMPARE(ReadText(&reference), read);
    }

    // A write that changes the text leaves the box as a new one holding it: the caret at 0 with
    // nothing selected, no undo or redo steps, after one change event in which the box already
    // reads as the new text; only the view stays where it was. A write of the text the box
    // holds, however its line breaks are written, changes nothing and raises nothing.
    void WriteReplacesTheWholeText_data() {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");  // what the box reads as afterwards
        const QString lines =
            Repeated(QStringLiteral("Eine Zeile Text, die sich wiederholt.\n"), 300);
        const QString longLine = Repeated(QStringLiteral("lang "), 20000);
        const QString changedLine = QString(longLine).replace(50000, 1, QStringLiteral("LANG"));
        QTest::newRow("empty to text") << QString() << "hallo"
                                       << "hallo";
        QTest::newRow("text to empty") << "hallo\nwelt" << QString() << QString();
        QTest::newRow("empty to empty") << QString() << QString() << QString();
        QTest::newRow("equal") << "Das ist cool"
                               << "Das ist cool"
                               << "Das ist cool";
        QTest::newRow("equal with line breaks") << lines << lines << lines;
        QTest::newRow("equal but CR LF") << "a\nb"
                                         << "a\r\nb"
                                         << "a\nb";
        QTest::newRow("equal but CR") << "a\nb"
                                      << "a\rb"
                                      << "a\nb";
        QTest::newRow("equal but U+2029") << "a\nb"
                                          << "a\u2029b"
                                          << "a\nb";
        QTest::newRow("equal but U+2028") << "a\nb"
                                          << "a\u2028b"
                                          << "a\nb";
        QTest::newRow("CR LF inserted") << "eins zwei"
                                        << "eins\r\nzwei"
                                        << "eins\nzwei";
        QTest::newRow("CR CR LF") << "eins\nzwei"
                                  << "eins\r\r\nzwei"
                                  << "eins\n\nzwei";
        QTest::newRow("frame marks") << "ab"
                                     << "a\uFDD0b\uFDD1"
                                     << "a\nb\n";
        QTest::newRow("middle change") << "Das war cool"
                                       << "Das ist cool"
                                       << "Das ist cool";
        QTest::newRow("no-break space kept") << "a b"
                                             << "a\u00A0b"
                                             << "a\u00A0b";
        QTest::newRow("emoji appended") << "hallo "
                                        << "hallo \U0001F600"
                                        << "hallo \U0001F600";
        QTest::newRow("pair for letter") << "a\U0001F600b"
                                         << "acb"
                                         << "acb";
        QTest::newRow("many lines, end changed")
            << lines << lines + QStringLiteral("x") << lines + QStringLiteral("x");
        QTest::newRow("long line, middle changed") << longLine << changedLine << changedLine;
    }
    void WriteReplacesTheWholeText() {
        QFETCH(QString, old);
        QFETCH(QString, text);
        QFETCH(QString, read);
        ShownBox box;
        Prepare(box.get(), old);
        const BoxState before = StateOf(box.get());
        QVERIFY(before.UndoAvailable);
        QStringList readInChange;
        QObject::connect(box.get(), &QPlainTextEdit::textChanged,
                         [&] { readInChange.append(ReadText(box.get())); });

        WriteText(box.get(), text);

        const BoxState after = StateOf(box.get());
        QCOMPARE(after.Read, read);
        QCOMPARE(after.Scroll, before.Scroll);
        if (read == before.Read) {
            QCOMPARE(readInChange, QStringList());
            QCOMPARE(after.Position, before.Position);
            QCOMPARE(after.Anchor, before.Anchor);
            QCOMPARE(after.UndoAvailable, true);
            return;
        }
        QCOMPARE(readInChange, QStringList{read});
        QCOMPARE(after.Position, 0);
        QCOMPARE(after.Anchor, 0);
        QCOMPARE(after.UndoAvailable, false);
        QCOMPARE(after.RedoAvailable, false);
    }

    // The rules fix a box's text, not its view: a write leaves the view where the user scrolled
    // it, or at the end of a new text too short to reach that place.
    void WriteKeepsTheView_data() {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("place");  // where the user left the view: top, middle or end
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("atNewEnd");  // else at the same place
        const QString line = QStringLiteral("Eine Zeile Text, die sich wiederholt.\n");
        const QString lines = Repeated(line, 300);
        const QString fewerLines = Repeated(line, 100);
        const QString wrapped = Repeated(Repeated(QStringLiteral("umbrochen "), 150) + u'\n', 60);
        const QString longLine = Repeated(QStringLiteral("lang "), 20000);
        const QString changedLine = QString(longLine).replace(50000, 1, QStringLiteral("LANG"));
        QTest::newRow("top") << lines << "top" << lines + u'x' << false;
        QTest::newRow("middle") << lines << "middle" << u'x' + lines << false;
        QTest::newRow("end") << lines << "end" << lines + u'x' << false;
        QTest::newRow("end of wrapped lines") << wrapped << "end" << wrapped + u'x' << false;
        QTest::newRow("middle of one long line") << longLine << "middle" << changedLine << false;
        QTest::newRow("end of one long line") << longLine << "end" << changedLine << false;
        QTest::newRow("end, shorter text") << lines << "end" << fewerLines << true;
        QTest::newRow("middle, beyond the shorter text") << lines << "middle" << fewerLines << true;
        QTest::newRow("end, text that fits") << lines << "end"
                                             << "kurz" << true;
        QTest::newRow("end, empty text") << lines << "end" << QString() << true;
    }
    void WriteKeepsTheView() {
        QFETCH(QString, old);
        QFETCH(QString, place);
        QFETCH(QString, text);
        QFETCH(bool, atNewEnd);
        ShownBox box;
        WriteText(box.get(), old);
        QScrollBar* view = box->verticalScrollBar();
        QCoreApplication::processEvents();
        const int maximum = view->maximum();
        QVERIFY(maximum > 0);
        view->setValue(place == u"top" ? 0 : place == u"middle" ? maximum / 2 : maximum);
        const int before = view->value();
        QSignalSpy changes(box.get(), &QPlainTextEdit::textChanged);

        WriteText(box.get(), text);

        QCOMPARE(changes.count(), 1);
        QCOMPARE(ReadText(box.get()), text);
        QCoreApplication::processEvents();
        if (atNewEnd) {
            QVERIFY(view->maximum() < before);
            QCOMPARE(view->value(), view->maximum());
        } else {
            QCOMPARE(view->value(), before);
        }
    }

    // Whatever changes a box after a write, reading it gives what it holds then.
    void ReadFollowsEveryChange_data() {
        QTest::addColumn<int>("change");
        QTest::newRow("typing") << 0;
        QTest::newRow("undo of typing") << 1;
        QTest::newRow("cursor edit") << 2;
        QTest::newRow("setPlainText") << 3;
        QTest::newRow("clear") << 4;
        QTest::newRow("same-length cursor edit") << 5;
        QTest::newRow("another write") << 6;
    }
    void ReadFollowsEveryChange() {
        QFETCH(int, change);
        ShownBox box;
        WriteText(box.get(), QStringLiteral("eins\nzwei"));
        QCOMPARE(ReadText(box.get()), QStringLiteral("eins\nzwei"));
        box->moveCursor(QTextCursor::End);
        QTextCursor cursor(box->document());
        switch (change) {
            case 0:
                QTest::keyClicks(box.get(), QStringLiteral("x"));
                break;
            case 1:
                QTest::keyClicks(box.get(), QStringLiteral("x"));
                QCOMPARE(ReadText(box.get()), QStringLiteral("eins\nzweix"));
                box->undo();
                break;
            case 2:
                cursor.insertText(QStringLiteral("null\n"));
                break;
            case 3:
                box->setPlainText(QStringLiteral("drei"));
                break;
            case 4:
                box->clear();
                break;
            case 5:
                cursor.setPosition(1);
                cursor.setPosition(2, QTextCursor::KeepAnchor);
                cursor.insertText(QStringLiteral("I"));
                break;
            default:
                WriteText(box.get(), QStringLiteral("eins\r\nzwei\u2028drei"));
                break;
        }
        QString held = box->document()->toRawText();
        held.replace(QChar(0x2029), u'\n').replace(QChar(0x2028), u'\n');
        QCOMPARE(ReadText(box.get()), held);
    }

    // The change event of a write may read the box and write it again; afterwards the box reads
    // as it holds.
    void ReadAfterNestedChanges_data() {
        QTest::addColumn<bool>("nestedWrite");
        QTest::newRow("nested write") << true;
        QTest::newRow("nested cursor edit") << false;
    }
    void ReadAfterNestedChanges() {
        QFETCH(bool, nestedWrite);
        QPlainTextEdit box;
        QStringList seen;
        bool nested = false;
        QObject::connect(&box, &QPlainTextEdit::textChanged, [&] {
            seen.append(ReadText(&box));
            if (nested) {
                return;
            }
            nested = true;
            if (nestedWrite) {
                WriteText(&box, ReadText(&box) + QStringLiteral("!"));
            } else {
                QTextCursor(box.document()).insertText(QStringLiteral("?"));
            }
        });
        WriteText(&box, QStringLiteral("hallo"));
        const QString expected = nestedWrite ? QStringLiteral("hallo!") : QStringLiteral("?hallo");
        QCOMPARE(seen, QStringList({QStringLiteral("hallo"), expected}));
        QCOMPARE(ReadText(&box), expected);
        WriteText(&box, QStringLiteral("hallo"));
        QCOMPARE(ReadText(&box), QStringLiteral("hallo"));
    }

    void WriteLeavesTheUsersUndoStepsOfAnEqualText() {
        QPlainTextEdit box;
        QTest::keyClicks(&box, QStringLiteral("abc"));
        QVERIFY(box.document()->isUndoAvailable());
        WriteText(&box, QStringLiteral("abc"));
        QVERIFY(box.document()->isUndoAvailable());
        WriteText(&box, QStringLiteral("abcd"));
        QVERIFY(!box.document()->isUndoAvailable());
        // Undo still works for what the user types next, and only for that.
        QTest::keyClicks(&box, QStringLiteral("x"));
        box.undo();
        QCOMPARE(ReadText(&box), QStringLiteral("abcd"));
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
        QSignalSpy changes(box, lineBox ? SIGNAL(textChanged(QString)) : SIGNAL(textChanged()));
        QVERIFY(changes.isValid());
        const auto changeCount = [&] { return changes.count(); };

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
