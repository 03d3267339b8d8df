// The text box binding: texts survive a write and a read unit for unit, writes of the same text
// raise no change event, a write that rewrites only the changed part of a multi-line box leaves
// it exactly as a whole-text write does, and key presses give the character codes the rules
// expect.
#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>
#include <random>

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
    QString Raw;
    int BlockCount;
    int Position;
    int Anchor;
    bool UndoAvailable;
    bool RedoAvailable;
    bool Modified;
    int Scroll;
};

BoxState StateOf(QPlainTextEdit* box) {
    QCoreApplication::processEvents();
    const QTextDocument* document = box->document();
    return {document->toRawText(),        document->blockCount(),
            box->textCursor().position(), box->textCursor().anchor(),
            document->isUndoAvailable(),  document->isRedoAvailable(),
            document->isModified(),       box->verticalScrollBar()->value()};
}

// Writes `text` into `box` as the window's rules give it: engine text, compared and edited in
// place without a copy of the whole text.
void WriteEngineText(QWidget* box, const QString& text) {
    WriteText(box, ToEngineText(text));
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

    // A write from `old` to `text` into a box leaves it as setPlainText(text) leaves a box that
    // held `old`: the same stored text and paragraphs, the caret at 0 with no selection, the
    // view at the top, no undo or redo steps. It raises one change event when the stored text
    // changes and none when it does not; then it leaves the box as it was.
    void WriteMatchesWholeTextWrite_data() {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("text");
        const QString emoji = QStringLiteral("\U0001F600");
        const QString lines =
            Repeated(QStringLiteral("Eine Zeile Text, die sich wiederholt.\n"), 300);
        const QString longLine = Repeated(QStringLiteral("lang "), 20000);
        QTest::newRow("empty to text") << QString() << QStringLiteral("hallo");
        QTest::newRow("text to empty") << QStringLiteral("hallo\nwelt") << QString();
        QTest::newRow("empty to empty") << QString() << QString();
        QTest::newRow("equal") << QStringLiteral("Das ist cool") << QStringLiteral("Das ist cool");
        QTest::newRow("equal with line breaks") << lines << lines;
        QTest::newRow("equal but CR LF") << QStringLiteral("a\nb") << QStringLiteral("a\r\nb");
        QTest::newRow("equal but CR") << QStringLiteral("a\nb") << QStringLiteral("a\rb");
        QTest::newRow("equal but U+2029") << QStringLiteral("a\nb") << QStringLiteral("a\u2029b");
        QTest::newRow("LF to U+2028") << QStringLiteral("a\nb") << QStringLiteral("a\u2028b");
        QTest::newRow("U+2028 to LF") << QStringLiteral("a\u2028b") << QStringLiteral("a\nb");
        QTest::newRow("append") << QStringLiteral("Das ist") << QStringLiteral("Das ist cool");
        QTest::newRow("prepend") << QStringLiteral("ist cool") << QStringLiteral("Das ist cool");
        QTest::newRow("prefix change")
            << QStringLiteral("Xas ist cool") << QStringLiteral("Das ist cool");
        QTest::newRow("suffix change")
            << QStringLiteral("Das ist coox") << QStringLiteral("Das ist cool");
        QTest::newRow("middle change")
            << QStringLiteral("Das war cool") << QStringLiteral("Das ist cool");
        QTest::newRow("middle insert")
            << QStringLiteral("Das cool") << QStringLiteral("Das ist cool");
        QTest::newRow("middle delete")
            << QStringLiteral("Das ist so cool") << QStringLiteral("Das ist cool");
        QTest::newRow("whole change") << QStringLiteral("abc") << QStringLiteral("xyz");
        QTest::newRow("filler at both ends")
            << QStringLiteral("q01101 10010r") << QStringLiteral("k01101 10010 11100z");
        QTest::newRow("repeated letters") << QStringLiteral("aaaa") << QStringLiteral("aaaaaa");
        QTest::newRow("repeated letters shrink")
            << QStringLiteral("abababab") << QStringLiteral("abab");
        QTest::newRow("emoji appended")
            << QStringLiteral("hallo ") << QStringLiteral("hallo ") + emoji;
        QTest::newRow("emoji removed")
            << QStringLiteral("hallo ") + emoji << QStringLiteral("hallo ");
        QTest::newRow("high surrogate shared")
            << QStringLiteral("x\U0001F600y") << QStringLiteral("x\U0001F601y");
        QTest::newRow("low surrogate shared")
            << QStringLiteral("x\U0001F600y") << QStringLiteral("x\U0001F400y");
        QTest::newRow("pair next to pair") << QStringLiteral("\U0001F600\U0001F600")
                                           << QStringLiteral("\U0001F600\U0001F601\U0001F600");
        QTest::newRow("pair for letter") << QStringLiteral("a\U0001F600b") << QStringLiteral("acb");
        QTest::newRow("letter for pair") << QStringLiteral("acb") << QStringLiteral("a\U0001F600b");
        QTest::newRow("lone high surrogate") << QStringLiteral("a") + QChar(0xD83D)
                                             << QStringLiteral("a") + QChar(0xD83D) + QChar(0xDE00);
        QTest::newRow("CR LF inserted")
            << QStringLiteral("eins zwei") << QStringLiteral("eins\r\nzwei");
        QTest::newRow("CR LF after LF")
            << QStringLiteral("eins\nzwei") << QStringLiteral("eins\n\r\nzwei");
        QTest::newRow("CR before existing LF")
            << QStringLiteral("eins\nzwei") << QStringLiteral("eins\r\r\nzwei");
        QTest::newRow("lone CR inserted")
            << QStringLiteral("eins zwei") << QStringLiteral("eins\rzwei");
        QTest::newRow("CR at end") << QStringLiteral("eins") << QStringLiteral("eins\r");
        QTest::newRow("line break removed")
            << QStringLiteral("eins\nzwei") << QStringLiteral("einszwei");
        QTest::newRow("line break added")
            << QStringLiteral("einszwei") << QStringLiteral("eins\nzwei");
        QTest::newRow("only line breaks") << QStringLiteral("\n\n") << QStringLiteral("\n\n\n");
        QTest::newRow("U+2029 inserted") << QStringLiteral("ab") << QStringLiteral("a\u2029b");
        QTest::newRow("frame marks") << QStringLiteral("ab") << QStringLiteral("a\uFDD0b\uFDD1");
        QTest::newRow("no-break space kept") << QStringLiteral("a b") << QStringLiteral("a\u00A0b");
        QTest::newRow("no-break space to space")
            << QStringLiteral("a\u00A0b") << QStringLiteral("a b");
        QTest::newRow("umlauts") << QStringLiteral("Grösse") << QStringLiteral("Größe");
        QTest::newRow("many lines, end changed") << lines << lines + QStringLiteral("x");
        QTest::newRow("many lines, start changed") << lines << QStringLiteral("x") + lines;
        QTest::newRow("many lines, middle changed")
            << lines << QString(lines).replace(5000, 3, QStringLiteral("neu\nund"));
        QTest::newRow("many lines to few") << lines << lines.left(100);
        QTest::newRow("long line, middle changed")
            << longLine << QString(longLine).replace(50000, 1, QStringLiteral("LANG"));
        QTest::newRow("long line, end changed") << longLine << longLine + QStringLiteral("!");
        QTest::newRow("long line broken") << longLine << QString(longLine).insert(60000, u'\n');
        // Changes in several places at once, as a new Matrix text brings them: new filler at
        // both ends and the typed character somewhere between.
        const QString filler = Repeated(QStringLiteral("01101 "), 5);
        const QString otherFiller = Repeated(QStringLiteral("10010 "), 5);
        QTest::newRow("many lines, both ends and middle")
            << filler + lines + QStringLiteral("11100 ")
            << otherFiller + QString(lines).insert(6000, QStringLiteral("00001 ")) +
                   QStringLiteral("00011 ");
        QTest::newRow("many lines, both ends, typed at end")
            << filler + lines + QStringLiteral("11100 ")
            << otherFiller + lines + QStringLiteral("10111 00011 ");
        QTest::newRow("long line, both ends and middle")
            << filler + longLine + QStringLiteral("11100 ")
            << otherFiller + QString(longLine).remove(40000, 5) + QStringLiteral("00011 ");
        QTest::newRow("many lines, emoji filler at both ends")
            << emoji + lines + emoji + QStringLiteral("a")
            << QStringLiteral("\U0001F601") + lines + QStringLiteral("\U0001F601b");
        QTest::newRow("many lines, several changes near the start")
            << lines
            << QString(lines).replace(2, 1, u'X').replace(100, 1, u'Y').replace(200, 1, u'Z');
    }
    void WriteMatchesWholeTextWrite() {
        QFETCH(QString, old);
        QFETCH(QString, text);
        ShownBox box;
        ShownBox reference;
        Prepare(box.get(), old);
        Prepare(reference.get(), old);
        const BoxState before = StateOf(box.get());
        QVERIFY(before.UndoAvailable);

        QSignalSpy changes(box.get(), &QPlainTextEdit::textChanged);
        WriteText(box.get(), text);
        const BoxState after = StateOf(box.get());
        reference->setPlainText(text);
        const BoxState expected = StateOf(reference.get());

        // The same write as engine text leaves the same state, the read text included.
        ShownBox engineBox;
        Prepare(engineBox.get(), old);
        (void)ReadText(engineBox.get());  // the box knows its text, as after a key press
        QSignalSpy engineChanges(engineBox.get(), &QPlainTextEdit::textChanged);
        WriteEngineText(engineBox.get(), text);
        const BoxState engineAfter = StateOf(engineBox.get());
        QCOMPARE(engineAfter.Raw, after.Raw);
        QCOMPARE(engineAfter.BlockCount, after.BlockCount);
        QCOMPARE(engineAfter.Position, after.Position);
        QCOMPARE(engineAfter.Anchor, after.Anchor);
        QCOMPARE(engineAfter.UndoAvailable, after.UndoAvailable);
        QCOMPARE(engineAfter.Scroll, after.Scroll);
        QCOMPARE(engineChanges.count(), changes.count());
        QCOMPARE(ReadText(engineBox.get()), ReadText(reference.get()));

        QCOMPARE(after.Raw, expected.Raw);
        QCOMPARE(after.BlockCount, expected.BlockCount);
        QCOMPARE(ReadText(box.get()), ReadText(reference.get()));
        if (expected.Raw == before.Raw) {
            QCOMPARE(changes.count(), 0);
            QCOMPARE(after.Position, before.Position);
            QCOMPARE(after.Anchor, before.Anchor);
            QCOMPARE(after.UndoAvailable, before.UndoAvailable);
            QCOMPARE(after.Scroll, before.Scroll);
            return;
        }
        QCOMPARE(changes.count(), 1);
        QCOMPARE(after.Position, expected.Position);
        QCOMPARE(after.Anchor, expected.Anchor);
        QCOMPARE(after.Position, 0);
        QCOMPARE(after.Anchor, 0);
        QCOMPARE(after.UndoAvailable, false);
        QCOMPARE(after.RedoAvailable, false);
        QCOMPARE(after.Modified, expected.Modified);
        QCOMPARE(after.Scroll, expected.Scroll);
        QCOMPARE(after.Scroll, 0);
    }

    // Thousands of random edits, each written into one box with WriteText and into another with
    // setPlainText: both boxes always hold the same text, and each write that changes it raises
    // exactly one change event.
    void RandomWritesMatchWholeTextWrites() {
        const QList<QString> pieces{
            QStringLiteral("a"),          QStringLiteral("b"),      QStringLiteral("ß"),
            QStringLiteral(" "),          QStringLiteral("\n"),     QStringLiteral("\r"),
            QStringLiteral("\r\n"),       QStringLiteral("\u2029"), QStringLiteral("\u2028"),
            QStringLiteral("\u00A0"),     QStringLiteral("1337"),   QStringLiteral("\U0001F600"),
            QStringLiteral("\U0001F601"), QString(QChar(0xD83D)),   QString(QChar(0xDE00)),
        };
        std::mt19937 generator(20240611);
        const auto below = [&](int bound) {
            return std::uniform_int_distribution<int>(0, bound - 1)(generator);
        };
        const auto randomText = [&](int maxPieces) {
            QString text;
            for (int count = below(maxPieces + 1); count > 0; --count) {
                text += pieces[below(static_cast<int>(pieces.size()))];
            }
            return text;
        };

        QPlainTextEdit box;
        QPlainTextEdit engineBox;  // written with engine text
        QPlainTextEdit reference;
        QSignalSpy changes(&box, &QPlainTextEdit::textChanged);
        QSignalSpy engineChanges(&engineBox, &QPlainTextEdit::textChanged);
        QString text;
        for (int step = 0; step < 4000; ++step) {
            QString next = text;
            switch (below(5)) {
                case 0: {  // replace a span with random text
                    const int from = below(static_cast<int>(next.size()) + 1);
                    const int length = below(static_cast<int>(next.size()) - from + 1);
                    next.replace(from, length, randomText(4));
                    break;
                }
                case 1:  // new filler at both ends, as the Matrix code writes
                    next = randomText(2) + next.mid(below(3)) + randomText(2);
                    next.chop(below(3));
                    break;
                case 2:  // an entirely new text
                    next = randomText(30);
                    break;
                case 3:  // the same text again
                    break;
                default:  // typing at the end
                    next += randomText(1);
                    break;
            }
            const QString oldRaw = reference.document()->toRawText();
            const qsizetype before = changes.count();
            const qsizetype engineBefore = engineChanges.count();
            WriteText(&box, next);
            WriteEngineText(&engineBox, next);
            reference.setPlainText(next);
            const QString newRaw = reference.document()->toRawText();
            QCOMPARE(box.document()->toRawText(), newRaw);
            QCOMPARE(box.document()->blockCount(), reference.document()->blockCount());
            QCOMPARE(changes.count() - before, newRaw == oldRaw ? 0 : 1);
            QCOMPARE(engineBox.document()->toRawText(), newRaw);
            QCOMPARE(engineBox.document()->blockCount(), reference.document()->blockCount());
            QCOMPARE(engineChanges.count() - engineBefore, newRaw == oldRaw ? 0 : 1);
            QCOMPARE(ReadText(&engineBox), ReadText(&reference));
            QVERIFY(!engineBox.document()->isUndoAvailable());
            if (newRaw != oldRaw) {
                QCOMPARE(box.textCursor().position(), 0);
                QVERIFY(!box.textCursor().hasSelection());
            }
            QVERIFY(!box.document()->isUndoAvailable());
            text = next;
        }
    }

    // A write that changes a long text in several places rewrites only those places: the
    // paragraphs between them stay the document's own (they keep a mark set on them before),
    // and the box holds the same text as after a whole-text write.
    void WriteKeepsParagraphsBetweenChanges_data() {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("keptBlock");
        QString lines;
        for (int line = 0; line < 400; ++line) {
            lines += QStringLiteral("01101 10010 11100 %1\n").arg(line);
        }
        const QString filler = Repeated(QStringLiteral("11001 "), 5);
        const QString otherFiller = Repeated(QStringLiteral("00010 "), 5);
        QTest::newRow("new filler at both ends")
            << filler + lines + QStringLiteral("11100 ")
            << otherFiller + lines + QStringLiteral("10111 ") << 200;
        QTest::newRow("new filler at both ends, a group added at the end")
            << filler + lines + QStringLiteral("11100 ")
            << otherFiller + lines + QStringLiteral("00001 10111 ") << 390;
        QTest::newRow("new filler at both ends, a group added in the middle")
            << filler + lines + QStringLiteral("11100 ")
            << otherFiller + QString(lines).insert(lines.size() / 2, QStringLiteral("00001 ")) +
                   QStringLiteral("10111 ")
            << 100;
        QTest::newRow("new filler at the start only")
            << filler + lines << otherFiller + lines << 399;
        QTest::newRow("new filler at the end only")
            << lines + QStringLiteral("11100 ") << lines + QStringLiteral("10111 ") << 1;
    }
    void WriteKeepsParagraphsBetweenChanges() {
        QFETCH(QString, old);
        QFETCH(QString, text);
        QFETCH(int, keptBlock);
        constexpr int Mark = 4711;
        ShownBox box;
        WriteText(box.get(), old);
        box->document()->findBlockByNumber(keptBlock).setUserState(Mark);
        QSignalSpy changes(box.get(), &QPlainTextEdit::textChanged);

        WriteText(box.get(), text);

        QCOMPARE(changes.count(), 1);
        QCOMPARE(box->document()->findBlockByNumber(keptBlock).userState(), Mark);
        QPlainTextEdit reference;
        reference.setPlainText(text);
        QCOMPARE(box->document()->toRawText(), reference.document()->toRawText());
        QCOMPARE(ReadText(box.get()), text);
        QCOMPARE(box->textCursor().position(), 0);
        QVERIFY(!box->document()->isUndoAvailable());
    }

    // Random changes in several places of a long text at once (same-length runs at the ends,
    // like new Matrix filler, and edits between them), with line breaks, surrogate pairs and
    // the units the document stores differently at the places that change: the box always holds
    // what a whole-text write gives it, after exactly one change event.
    void RandomChangesInSeveralPlaces_data() {
        QTest::addColumn<QString>("pieces");
        QTest::addColumn<int>("seed");
        QTest::newRow("letters and line breaks") << QStringLiteral("ab \n") << 1;
        QTest::newRow("groups") << QStringLiteral("01 ") << 2;
        QTest::newRow("surrogate pairs") << QStringLiteral("a\U0001F600\U0001F601\n") << 3;
        QTest::newRow("CR and separators") << QStringLiteral("ab\r\n\u2028\u2029") << 4;
        QTest::newRow("lone surrogates")
            << QStringLiteral("a") + QChar(0xD83D) + QChar(0xDE00) << 5;
    }
    void RandomChangesInSeveralPlaces() {
        QFETCH(QString, pieces);
        QFETCH(int, seed);
        std::mt19937 generator(static_cast<unsigned>(seed));
        const auto below = [&](qsizetype bound) {
            return std::uniform_int_distribution<qsizetype>(0, bound - 1)(generator);
        };
        const auto randomText = [&](qsizetype length) {
            QString text;
            while (text.size() < length) {
                text += pieces[below(pieces.size())];
            }
            return text;
        };
        QPlainTextEdit box;
        QPlainTextEdit engineBox;  // written with engine text
        QSignalSpy changes(&box, &QPlainTextEdit::textChanged);
        QSignalSpy engineChanges(&engineBox, &QPlainTextEdit::textChanged);
        QString text = randomText(3000);
        WriteText(&box, text);
        WriteEngineText(&engineBox, text);
        for (int step = 0; step < 300; ++step) {
            QString next = text;
            const qsizetype head = std::min<qsizetype>(below(40), next.size());
            next.replace(0, head, randomText(head).left(head));
            const qsizetype tail = std::min<qsizetype>(below(12), next.size());
            next.replace(next.size() - tail, tail, randomText(tail).left(tail));
            for (qsizetype edits = below(3); edits > 0; --edits) {
                const qsizetype at = below(next.size() + 1);
                next.replace(at, below(3), randomText(below(4)));
            }
            QPlainTextEdit reference;
            reference.setPlainText(text);
            const QString oldRaw = reference.document()->toRawText();
            reference.setPlainText(next);
            const qsizetype before = changes.count();
            const qsizetype engineBefore = engineChanges.count();
            WriteText(&box, next);
            WriteEngineText(&engineBox, next);
            const bool changed = reference.document()->toRawText() != oldRaw;
            for (QPlainTextEdit* written : {&box, &engineBox}) {
                QCOMPARE(written->document()->toRawText(), reference.document()->toRawText());
                QCOMPARE(written->document()->blockCount(), reference.document()->blockCount());
                QCOMPARE(ReadText(written), ReadText(&reference));
                QVERIFY(!written->document()->isUndoAvailable());
            }
            QCOMPARE(changes.count() - before, changed ? 1 : 0);
            QCOMPARE(engineChanges.count() - engineBefore, changed ? 1 : 0);
            text = next;
        }
    }

    // An edited paragraph keeps its whole layout after it has been laid out, whether the user
    // typed into it or a write changed it, so that the caret and the painting reuse it.
    void EditedParagraphKeepsItsLayout_data() {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<int>("paragraph");
        QTest::newRow("typed into the only paragraph") << true << 0;
        QTest::newRow("typed into the last paragraph") << true << 2;
        QTest::newRow("written into the only paragraph") << false << 0;
        QTest::newRow("written into the middle paragraph") << false << 1;
    }
    void EditedParagraphKeepsItsLayout() {
        QFETCH(bool, typed);
        QFETCH(int, paragraph);
        ShownBox box;
        schnackomat::ui::KeepParagraphLayouts(box.get());
        QStringList lines(3, Repeated(QStringLiteral("ein langer Absatz "), 200));
        const QString text = paragraph == 0 ? lines.front() : lines.join(u'\n');
        WriteText(box.get(), text);
        if (typed) {
            box->setFocus();
            box->moveCursor(QTextCursor::End);
            QTest::keyClicks(box.get(), QStringLiteral("xy"));
        } else {
            QStringList changed = text.split(u'\n');
            changed[paragraph].insert(100, QStringLiteral("neu "));
            WriteText(box.get(), changed.join(u'\n'));
        }
        QCoreApplication::processEvents();
        const QTextBlock edited = box->document()->findBlockByNumber(paragraph);
        QVERIFY(edited.layout()->cacheEnabled());
        // A box left as Qt makes it keeps no such layout.
        QPlainTextEdit plain;
        plain.setPlainText(text);
        QVERIFY(!plain.document()->firstBlock().layout()->cacheEnabled());
    }

    // A box that shapes only where the script needs it sets Latin text letter by letter at the
    // font's own advances (no kerning pairs, no ligatures), in the family and size of the
    // window around it, also after the window's font changes.
    void UnshapedBoxSetsLettersAtTheirOwnAdvances_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("kerning pairs") << QStringLiteral("AVAVAV To Ty Te WA LT");
        QTest::newRow("ligature candidates") << QStringLiteral("fi fl ffi Schiff öffnen");
        QTest::newRow("slang") << QStringLiteral("Voll krass, Alter! 1337 W4hnsinn");
    }
    void UnshapedBoxSetsLettersAtTheirOwnAdvances() {
        QFETCH(QString, text);
        QWidget window;
        QFont windowFont(QStringLiteral("DejaVu Sans"));
        windowFont.setPointSizeF(12);
        window.setFont(windowFont);
        auto* unshaped = new QPlainTextEdit(&window);
        auto* shaped = new QPlainTextEdit(&window);
        schnackomat::ui::ShapeOnlyWhereNeeded(unshaped);
        const auto naturalWidth = [](QPlainTextEdit* box) {
            const QTextBlock block = box->document()->firstBlock();
            (void)box->document()->documentLayout()->blockBoundingRect(block);
            return block.layout()->lineAt(0).naturalTextWidth();
        };
        const auto ownAdvances = [](const QString& letters, const QFont& font) {
            const QFontMetricsF metrics(font);
            qreal width = 0;
            for (const QChar letter : letters) {
                width += metrics.horizontalAdvance(letter);
            }
            return width;
        };

        for (const qreal points : {12.0, 17.0}) {
            windowFont.setPointSizeF(points);
            window.setFont(windowFont);
            const QString written = text + QString::number(points);
            WriteText(unshaped, written);
            WriteText(shaped, written);
            QCOMPARE(unshaped->font().family(), window.font().family());
            QCOMPARE(unshaped->font().pointSizeF(), points);
            QVERIFY(std::abs(naturalWidth(unshaped) - ownAdvances(written, unshaped->font())) <
                    0.01);
        }
        // The test can tell: a box left as Qt makes it sets kerning pairs closer.
        if (QTest::currentDataTag() == QStringLiteral("kerning pairs") &&
            naturalWidth(shaped) == naturalWidth(unshaped)) {
            QSKIP("the font applies no kerning to tell shaped from unshaped text");
        }
    }

    // Such a box shapes again while its text holds characters that need it, whether written or
    // typed, and stops once they are gone.
    void BoxShapesWhileTextNeedsIt_data() {
        QTest::addColumn<QStringList>("texts");  // written one after the other
        QTest::addColumn<QString>("typed");      // then typed at the caret
        QTest::addColumn<bool>("shaped");
        const QString arabic = QStringLiteral("\u0633\u0644\u0627\u0645");
        QTest::newRow("German") << QStringList{QStringLiteral("Größe")} << QString() << false;
        QTest::newRow("accents, Greek, Cyrillic, symbols")
            << QStringList{QStringLiteral("Cafe\u0301 \u03B1\u03B2 \u0436 \u2013 \u20AC \u2192")}
            << QString() << false;
        QTest::newRow("Arabic written")
            << QStringList{QStringLiteral("Hallo ") + arabic} << QString() << true;
        QTest::newRow("Arabic typed") << QStringList{QStringLiteral("Hallo ")} << arabic << true;
        QTest::newRow("Arabic written away")
            << QStringList{QStringLiteral("Hallo ") + arabic, QStringLiteral("Hallo")} << QString()
            << false;
        QTest::newRow("Arabic written, Latin typed")
            << QStringList{arabic} << QStringLiteral("ab") << true;
        QTest::newRow("Hebrew") << QStringList{QStringLiteral("\u05E9\u05DC\u05D5\u05DD")}
                                << QString() << true;
        QTest::newRow("Devanagari")
            << QStringList{QStringLiteral("\u0928\u092E\u0938\u094D")} << QString() << true;
        QTest::newRow("emoji") << QStringList{QStringLiteral("ok \U0001F600")} << QString() << true;
        QTest::newRow("right-to-left mark")
            << QStringList{QStringLiteral("a\u200Fb")} << QString() << true;
        QTest::newRow("emoji gone, German left")
            << QStringList{QStringLiteral("ok \U0001F600"), QStringLiteral("ok"),
                           QStringLiteral("ok \u00E4")}
            << QString() << false;
    }
    void BoxShapesWhileTextNeedsIt() {
        QFETCH(QStringList, texts);
        QFETCH(QString, typed);
        QFETCH(bool, shaped);
        ShownBox box;
        schnackomat::ui::ShapeOnlyWhereNeeded(box.get());
        for (const QString& text : texts) {
            WriteText(box.get(), text);
        }
        if (!typed.isEmpty()) {
            box->moveCursor(QTextCursor::End);
            box->insertPlainText(typed);  // as typing or pasting at the caret does
        }
        QCOMPARE(ReadText(box.get()), texts.back() + typed);
        const bool unshaped = (box->font().styleStrategy() & QFont::PreferNoShaping) != 0;
        QCOMPARE(unshaped, !shaped);
    }

    // The quick paste leaves a box as the box's own paste does: the same text, caret and
    // change events, and one undo step that brings the old text back.
    void PasteMatchesTheBoxsOwnPaste_data() {
        QTest::addColumn<QString>("old");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<bool>("readOnly");
        const QString lines = Repeated(QStringLiteral("Eine Zeile zum Einfügen.\n"), 200);
        QTest::newRow("into an empty box") << QString() << 0 << 0 << lines << false;
        QTest::newRow("at the end")
            << QStringLiteral("Das ist") << 7 << 7 << QStringLiteral(" cool") << false;
        QTest::newRow("in the middle")
            << QStringLiteral("Das cool") << 4 << 4 << QStringLiteral("ist\n") << false;
        QTest::newRow("over a selection")
            << QStringLiteral("Das war cool") << 4 << 7 << QStringLiteral("ist") << false;
        QTest::newRow("CR LF and no-break space")
            << QStringLiteral("a") << 1 << 1 << QStringLiteral("b\r\nc\u00A0d\re") << false;
        QTest::newRow("emoji") << QStringLiteral("x") << 0 << 0 << QStringLiteral("\U0001F600 ")
                               << false;
        QTest::newRow("empty clipboard") << QStringLiteral("abc") << 1 << 2 << QString() << false;
        QTest::newRow("read-only box")
            << QStringLiteral("abc") << 1 << 1 << QStringLiteral("nein") << true;
    }
    void PasteMatchesTheBoxsOwnPaste() {
        QFETCH(QString, old);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, pasted);
        QFETCH(bool, readOnly);
        ShownBox quick;
        ShownBox own;
        schnackomat::ui::PasteAsPlainText(quick.get());
        QGuiApplication::clipboard()->setText(pasted);
        QList<int> changeCounts;
        for (QPlainTextEdit* box : {quick.get(), own.get()}) {
            box->setPlainText(old);
            box->setReadOnly(readOnly);
            QTextCursor cursor = box->textCursor();
            cursor.setPosition(from);
            cursor.setPosition(to, QTextCursor::KeepAnchor);
            box->setTextCursor(cursor);
            box->setFocus();
            QSignalSpy changes(box, &QPlainTextEdit::textChanged);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            changeCounts.append(static_cast<int>(changes.count()));
        }
        QCOMPARE(quick->document()->toRawText(), own->document()->toRawText());
        QCOMPARE(ReadText(quick.get()), ReadText(own.get()));
        QCOMPARE(quick->textCursor().position(), own->textCursor().position());
        QCOMPARE(quick->textCursor().hasSelection(), own->textCursor().hasSelection());
        QCOMPARE(changeCounts.front(), changeCounts.back());
        quick->undo();
        own->undo();
        QCOMPARE(ReadText(quick.get()), ReadText(own.get()));
        QCOMPARE(ReadText(quick.get()), QString(old));
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
