// The main window: its controls, the focus flags, and live conversion in both directions.
#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <cmath>
#include <initializer_list>

#include "harness.h"
#include "scaling.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/ui/help_window.h"
#include "schnackomat/ui/layout.h"

using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    // At the desktop's font every control keeps its place as drawn, scaled with the window.
    void ControlsHaveTheirCaptionsAndPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Text1") << "Text1"
                               << "";
        QTest::newRow("Text2") << "Text2"
                               << "";
        QTest::newRow("Text3") << "Text3"
                               << "qorvu";
        QTest::newRow("Command1") << "Command1"
                                  << "Ende";
        QTest::newRow("Command2") << "Command2"
                                  << "?";
        QTest::newRow("Check1") << "Check1"
                                << "1337";
        QTest::newRow("Check2") << "Check2"
                                << "Pfiii- && Benaldo- Style";
        QTest::newRow("Check3") << "Check3"
                                << "1337-Wörters";
        QTest::newRow("Check4") << "Check4"
                                << "The Matrix-Style";
        QTest::newRow("Label1") << "Label1"
                                << "Gemacht für schnackomat.example von";
        QTest::newRow("Label2") << "Label2"
                                << "Anmerkung: Die schwule Farbe wollte";
        QTest::newRow("Label4") << "Label4"
                                << "Pfiii!";
    }
    void ControlsHaveTheirCaptionsAndPlaces() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QMap<QString, QRect> drawn;
        {
            const ApplicationFont small(FontThatFitsTheDrawing());
            drawn = Places(Form1());
        }
        Harness harness;
        auto* control = harness.Form().findChild<QWidget*>(name);
        QVERIFY(control);
        const double scale = harness.Form().width() / 592.0;
        QVERIFY2(ScaledBox(control->geometry(), drawn.value(name), scale),
                 qPrintable(QStringLiteral("%1 x %2").arg(scale).arg(name)));
        QString shown;
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            shown = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
        } else {
            shown = ReadText(control);
        }
        QCOMPARE(shown, caption);
    }

    // At a font small enough for the layout as drawn, both windows have their drawn sizes and
    // the key box its drawn font.
    void WindowsHaveTheirDrawnSizesWhereTheFontFits() {
        const ApplicationFont small(FontThatFitsTheDrawing());
        Harness harness;
        QCOMPARE(harness.Form().size(), QSize(592, 387));
        QCOMPARE(harness.Text3()->font().pointSizeF(), 8.25);
        const Form2 help;
        QCOMPARE(help.size(), QSize(443, 388));
    }

    // One factor scales both windows: every control's box, each window's size and the key
    // box's font, at any font.
    void OneFactorScalesBothWindows_data() {
        QTest::addColumn<double>("points");
        QTest::newRow("8 pt") << 8.0;
        QTest::newRow("10 pt") << 10.0;
        QTest::newRow("13 pt") << 13.0;
        QTest::newRow("18 pt") << 18.0;
    }
    void OneFactorScalesBothWindows() {
        QFETCH(double, points);
        QMap<QString, QRect> drawn;
        QMap<QString, QRect> drawnHelp;
        {
            const ApplicationFont small(FontThatFitsTheDrawing());
            drawn = Places(Form1());
            drawnHelp = Places(Form2());
        }
        const ApplicationFont font(InterfaceFontOfSize(points));
        const Form1 form;
        const Form2 help;
        const double scale = form.width() / 592.0;
        QVERIFY(scale > 1.0);
        QVERIFY(Scaled(form.height(), 387, scale));
        QVERIFY(Scaled(help.width(), 443, scale));
        QVERIFY(Scaled(help.height(), 388, scale));
        // The key box's font is not the interface font; it grows with its box.
        const auto* key = form.findChild<QLineEdit*>(QStringLiteral("Text3"));
        QVERIFY(std::abs(key->font().pointSizeF() - 8.25 * scale) < 0.01);
        // Label3 and Label5 follow the credit line as measured (HostNameLinkCoversTheHostName).
        for (const auto& [name, box] : Places(form).asKeyValueRange()) {
            if (name != QStringLiteral("Label3") && name != QStringLiteral("Label5")) {
                QVERIFY2(ScaledBox(box, drawn.value(name), scale), qPrintable(name));
            }
        }
        for (const auto& [name, box] : Places(help).asKeyValueRange()) {
            QVERIFY2(ScaledBox(box, drawnHelp.value(name), scale), qPrintable(name));
        }
    }

    // The factor is the smallest that fits: one step less and some caption of one of the two
    // windows would not fit its box.
    void TheFactorIsTheSmallestThatFits_data() {
        QTest::addColumn<double>("points");
        QTest::newRow("default") << QApplication::font().pointSizeF();
        QTest::newRow("11 pt") << 11.0;
        QTest::newRow("15 pt") << 15.0;
    }
    void TheFactorIsTheSmallestThatFits() {
        QFETCH(double, points);
        const ApplicationFont font(InterfaceFontOfSize(points));
        const Form1 form;
        const double scale = form.width() / 592.0;
        QVERIFY(scale > 1.0);
        const QFont used = form.font();
        const QStyle& style = *form.style();
        QCOMPARE(LayoutScale(used, style), scale);
        QVERIFY(CaptionsFit(schnackomat::rules::Form1Layout, scale, used, style));
        QVERIFY(CaptionsFit(schnackomat::rules::Form2Layout, scale, used, style));
        const double smaller = (form.width() - 1) / 592.0;
        QVERIFY(!CaptionsFit(schnackomat::rules::Form1Layout, smaller, used, style) ||
                !CaptionsFit(schnackomat::rules::Form2Layout, smaller, used, style));
    }

    // The interface font keeps the size the desktop gives it.
    void WindowsUseTheDesktopFontAtItsOwnSize_data() {
        QTest::addColumn<double>("points");
        QTest::newRow("default") << QApplication::font().pointSizeF();
        QTest::newRow("12 pt") << 12.0;
    }
    void WindowsUseTheDesktopFontAtItsOwnSize() {
        QFETCH(double, points);
        const ApplicationFont font(InterfaceFontOfSize(points));
        const Form1 form;
        const Form2 help;
        for (const QWidget* window : std::initializer_list<const QWidget*>{&form, &help}) {
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                QCOMPARE(label->font().pointSizeF(), points);
                QCOMPARE(label->font().family(), QApplication::font().family());
            }
        }
        for (const QCheckBox* box : form.findChildren<QCheckBox*>()) {
            QCOMPARE(box->font().pointSizeF(), points);
        }
    }

    void OverlappingControlsAreStacked_data() {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("Check3 over Check1") << "Check3"
                                            << "Check1";
        QTest::newRow("Label4 over Label2") << "Label4"
                                            << "Label2";
        QTest::newRow("Label5 over Label1") << "Label5"
                                            << "Label1";
    }
    void OverlappingControlsAreStacked() {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        Harness harness;
        auto* upperControl = harness.Form().findChild<QWidget*>(upper);
        auto* lowerControl = harness.Form().findChild<QWidget*>(lower);
        QVERIFY(upperControl->geometry().intersects(lowerControl->geometry()));
        const QPoint inBoth =
            upperControl->geometry().intersected(lowerControl->geometry()).center();
        QCOMPARE(harness.Form().childAt(inBoth), upperControl);
    }

    // The host name link lies exactly over the host name in the credit line: drawn alone, the
    // credit line shows in the link's place the very pixels the link shows.
    void HostNameLinkCoversTheHostName() {
        Harness harness;
        auto* line = harness.Find<QLabel>("Label1");
        auto* host = harness.Find<QLabel>("Label5");
        auto* author = harness.Find<QLabel>("Label3");
        QCOMPARE(host->text(), QStringLiteral("schnackomat.example"));
        QVERIFY(line->text().contains(host->text()));
        QCOMPARE(host->y(), line->y());
        QCOMPARE(host->height(), line->height());
        const QImage lineImage = line->grab().toImage();
        const QImage hostImage = host->grab().toImage();
        const QRect hostInLine(host->pos() - line->pos(), host->size());
        QCOMPARE(lineImage.copy(hostInLine), hostImage);
        // The author's name follows the line's last word, on the same row, before the remark.
        const QFontMetrics metrics(line->font());
        QVERIFY(author->x() >= line->x() + metrics.horizontalAdvance(line->text()));
        QVERIFY(author->x() <= line->x() + metrics.horizontalAdvance(line->text() + "  "));
        QCOMPARE(author->y(), line->y());
        QVERIFY(author->geometry().right() < harness.Find<QLabel>("Label2")->x());
    }

    void CaptionsFitTheirBoxes_data() {
        QTest::addColumn<double>("points");
        QTest::newRow("drawn") << FontThatFitsTheDrawing().pointSizeF();
        QTest::newRow("default") << QApplication::font().pointSizeF();
        QTest::newRow("9.5 pt") << 9.5;
        QTest::newRow("12 pt") << 12.0;
        QTest::newRow("16 pt") << 16.0;
        QTest::newRow("24 pt") << 24.0;
    }
    void CaptionsFitTheirBoxes() {
        QFETCH(double, points);
        const ApplicationFont font(InterfaceFontOfSize(points));
        const Form1 form;
        for (QLabel* label : form.findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
            QVERIFY2(metrics.height() <= label->height(), qPrintable(label->objectName()));
        }
        for (QCheckBox* box : form.findChildren<QCheckBox*>()) {
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            const QRect contents =
                box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            const QFontMetrics metrics(box->font());
            QVERIFY2(contents.right() < box->width(), qPrintable(box->objectName()));
            QVERIFY2(metrics.horizontalAdvance(box->text().replace("&&", "&")) <= contents.width(),
                     qPrintable(box->objectName()));
            QVERIFY2(metrics.height() <= box->height(), qPrintable(box->objectName()));
        }
        for (QPushButton* button : form.findChildren<QPushButton*>()) {
            const QFontMetrics metrics(button->font());
            QVERIFY2(metrics.horizontalAdvance(button->text()) < button->width(),
                     qPrintable(button->objectName()));
            QVERIFY2(metrics.height() < button->height(), qPrintable(button->objectName()));
        }
        // The help window: its text wrapped within its box, each shortcut line on one line.
        const Form2 help;
        for (QLabel* label : help.findChildren<QLabel*>()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName()));
        }
    }

    // Only the box the keys go to shows its selection in the active colour.
    void OnlyTheFocusedBoxShowsAnActiveSelection_data() {
        QTest::addColumn<QString>("focused");
        QTest::newRow("Text1") << "Text1";
        QTest::newRow("Text2") << "Text2";
        QTest::newRow("Text3") << "Text3";
    }
    void OnlyTheFocusedBoxShowsAnActiveSelection() {
        QFETCH(QString, focused);
        Harness harness;
        QTest::keyClicks(harness.Text1(), "abc");
        harness.Focus(harness.Find<QWidget>(focused.toLatin1().constData()));
        const QColor active = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
        for (QWidget* box :
             std::initializer_list<QWidget*>{harness.Text1(), harness.Text2(), harness.Text3()}) {
            const QColor shown = box->palette().color(QPalette::Active, QPalette::Highlight);
            QVERIFY2((shown == active) == (box->objectName() == focused),
                     qPrintable(box->objectName()));
        }
    }

    // The edit menu keeps its entries; in Text1 it names no key that appends a word there
    // instead, while the other boxes show their keys as usual.
    void EditMenuNamesOnlyKeysThatDoWhatItSays_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("keyShown");
        QTest::newRow("Text1 undo") << "Text1"
                                    << "edit-undo" << false;
        QTest::newRow("Text1 redo") << "Text1"
                                    << "edit-redo" << false;
        QTest::newRow("Text1 select all") << "Text1"
                                          << "select-all" << false;
        QTest::newRow("Text1 cut") << "Text1"
                                   << "edit-cut" << true;
        QTest::newRow("Text1 copy") << "Text1"
                                    << "edit-copy" << true;
        QTest::newRow("Text1 paste") << "Text1"
                                     << "edit-paste" << true;
        QTest::newRow("Text2 undo") << "Text2"
                                    << "edit-undo" << true;
        QTest::newRow("Text2 select all") << "Text2"
                                          << "select-all" << true;
    }
    void EditMenuNamesOnlyKeysThatDoWhatItSays() {
        QFETCH(QString, box);
        QFETCH(QString, entry);
        QFETCH(bool, keyShown);
        QGuiApplication::styleHints()->setShowShortcutsInContextMenus(true);
        Harness harness;
        auto* edit = harness.Find<QPlainTextEdit>(box.toLatin1().constData());
        QMap<QString, QString> entries;
        QTimer::singleShot(0, [&entries] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (const QAction* action : menu->actions()) {
                    entries.insert(action->objectName(), action->text());
                }
                menu->close();
            }
        });
        const QPoint at(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->viewport()->mapToGlobal(at));
        QApplication::sendEvent(edit->viewport(), &event);
        QTRY_VERIFY(entries.contains(entry));
        QCOMPARE(entries.value(entry).contains(u'\t'), keyShown);
    }

    void TabVisitsControlsInOrder() {
        Harness harness;
        const QStringList order{"Text2",    "Command1", "Check1", "Check2", "Check4",
                                "Command2", "Text3",    "Check3", "Text1"};
        for (const QString& expected : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected);
        }
    }

    void FocusSetsTheFlags() {
        Harness harness;
        Form1& form = harness.Form();
        QTest::keyClicks(harness.Text1(), "abc");
        const QString converted = Text(harness.Text2());

        QTest::keyClick(harness.Text1(), Qt::Key_Tab);  // to Text2
        QVERIFY(form.Text2Leads());
        QVERIFY(!form.Text1Leads());
        QCOMPARE(harness.Text2()->textCursor().selectedText(), converted);
        QCOMPARE(Text(harness.Text1()), QStringLiteral("abc"));
        QCOMPARE(Text(harness.Text2()), converted);

        QTest::keyClick(harness.Text2(), Qt::Key_Tab);  // to Command1
        QVERIFY(!form.Text1Leads());
        QVERIFY(!form.Text2Leads());

        harness.Text1()->setFocus(Qt::BacktabFocusReason);
        QVERIFY(form.Text1Leads());
        QVERIFY(!form.Text2Leads());
        QCOMPARE(harness.Text1()->textCursor().selectedText(), QStringLiteral("abc"));
        QCOMPARE(harness.Text1()->textCursor().selectionStart(), 0);
    }

    void TypingConvertsForwardOnEveryKey_data() {
        QTest::addColumn<bool>("leet");
        QTest::addColumn<bool>("slang");
        QTest::addColumn<bool>("leetWords");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("converted");
        QTest::newRow("start options")
            << true << false << true << "Wir gehen morgen schwimmen, bist du dabei?"
            << "Wi2 63h0rn m0260rn 5chwimm0rn, 8i57 du d483i?";
        QTest::newRow("leet only") << true << false << false << "Kiste"
                                   << "Ki573";
        QTest::newRow("slang and leet")
            << true << true << false << "Ich mache heute eine Party. Das ist cool!"
            << "!ch 7u h3u73 !33n p4442dy 0d32 50 m4ch3n 0d32 50. wuuuh d45 !5 1337 0d32 50! "
               "zy0000m  wh473v32";
        QTest::newRow("no option") << false << false << false << "Hallo Welt."
                                   << "Hallo Welt.";
    }
    void TypingConvertsForwardOnEveryKey() {
        QFETCH(bool, leet);
        QFETCH(bool, slang);
        QFETCH(bool, leetWords);
        QFETCH(QString, typed);
        QFETCH(QString, converted);
        Harness harness;
        harness.Check(1)->setChecked(leet);
        harness.Check(2)->setChecked(slang);
        harness.Check(3)->setChecked(leetWords);
        QCOMPARE(QApplication::focusWidget(), harness.Text1());

        QTest::keyClicks(harness.Text1(), typed);
        QCOMPARE(Text(harness.Text1()), typed);
        QCOMPARE(Text(harness.Text2()), converted);
        // One clear and one set per keystroke; the last set is the output.
        const FakeClipboard& clipboard = harness.Clipboard();
        QCOMPARE(clipboard.Calls.size(), 2 * typed.size());
        for (qsizetype i = 0; i < clipboard.Calls.size(); i += 2) {
            QCOMPARE(clipboard.Calls[i], QStringLiteral("clear"));
        }
        QCOMPARE(clipboard.Texts().last(), converted);
    }

    void ClipboardFollowsEachKeystroke() {
        Harness harness;  // "1337" and "1337-Wörters" ticked
        QTest::keyClicks(harness.Text1(), "ab");
        QCOMPARE(harness.Clipboard().Calls, QStringList({"clear", "set:4", "clear", "set:48"}));
        QTest::keyClick(harness.Text1(), Qt::Key_Backspace);
        QTest::keyClick(harness.Text1(), Qt::Key_Backspace);
        QCOMPARE(Text(harness.Text2()), QString());
        QCOMPARE(harness.Clipboard().Calls.mid(4),
                 QStringList({"clear", "set:4", "clear", "set:"}));
    }

    void DeletingEverythingConvertsTheEmptyText() {
        Harness harness;
        harness.Check(2)->setChecked(true);
        QTest::keyClicks(harness.Text1(), "x");
        QTest::keyClick(harness.Text1(), Qt::Key_Backspace);
        QCOMPARE(Text(harness.Text1()), QString());
        QCOMPARE(Text(harness.Text2()), QStringLiteral(" wh473v32"));
        QCOMPARE(harness.Clipboard().Texts().last(), QStringLiteral(" wh473v32"));
    }

    void TypingIntoTheOutputConvertsBack_data() {
        QTest::addColumn<bool>("slang");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("converted");
        QTest::newRow("leet") << false << "h4ll0 w3lt!"
                              << "hallo welt!";
        QTest::newRow("leet and slang") << true << "h4ll0 w3lt!"
                                        << "hallo welti";
        QTest::newRow("upper case, no digits") << true << "Hallo Welt"
                                               << "hallo welt";
    }
    void TypingIntoTheOutputConvertsBack() {
        QFETCH(bool, slang);
        QFETCH(QString, typed);
        QFETCH(QString, converted);
        Harness harness;
        harness.Check(2)->setChecked(slang);
        harness.Clipboard().Calls.clear();
        harness.Focus(harness.Text2());
        QVERIFY(harness.Form().Text2Leads());

        QTest::keyClicks(harness.Text2(), typed);
        QCOMPARE(Text(harness.Text2()), typed);
        QCOMPARE(Text(harness.Text1()), converted);
        QVERIFY(harness.Clipboard().Calls.isEmpty());
    }

    void WithoutOptionsTheBoxesMirrorEachOther() {
        Harness harness;
        harness.Check(1)->setChecked(false);
        harness.Check(3)->setChecked(false);
        const QString text = QStringLiteral("a\u00A0b \U0001F600\nzweite Zeile\u00A0");
        harness.Text1()->insertPlainText(text);
        QCOMPARE(Text(harness.Text2()), text);
        QCOMPARE(harness.Clipboard().Texts().last(), text);

        harness.Focus(harness.Text2());
        harness.Text2()->moveCursor(QTextCursor::End);
        harness.Text2()->insertPlainText(QStringLiteral("\U0001F44D"));
        QCOMPARE(Text(harness.Text1()), text + QStringLiteral("\U0001F44D"));
    }

    void ControlKeysAndEmptyBoxesAreHarmless() {
        Harness harness;
        harness.Check(2)->setChecked(true);
        for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
            QTest::keyClick(harness.Text1(), Qt::Key(key), Qt::ControlModifier);
        }
        QTest::keyClick(harness.Text1(), Qt::Key_Backspace);
        QTest::keyClick(harness.Text1(), Qt::Key_Delete);
        harness.Focus(harness.Text2());
        QTest::keyClick(harness.Text2(), Qt::Key_Backspace);
        QTest::keyClick(harness.Text2(), Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(harness.Text2(), Qt::Key_Home);
        QTest::keyClick(harness.Text2(), Qt::Key_Return);
        QCOMPARE(Text(harness.Text2()), QStringLiteral("\n"));
        QCOMPARE(Text(harness.Text1()), QStringLiteral("\n"));
        QVERIFY(harness.MessageBoxes().Shown.empty());
    }

    // Every way of pasting into the input box inserts the clipboard's text at the caret, over
    // the selection, and converts the result once, as typing does.
    void PastingIntoTheInputConvertsIt_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Ctrl+V") << "Ctrl+V";
        QTest::newRow("Shift+Insert") << "Shift+Insert";
        QTest::newRow("edit menu") << "edit menu";
        QTest::newRow("drop") << "drop";
    }
    void PastingIntoTheInputConvertsIt() {
        QFETCH(QString, how);
        Harness harness;
        harness.Check(1)->setChecked(false);
        harness.Check(3)->setChecked(false);
        QPlainTextEdit* box = harness.Text1();
        QTest::keyClicks(box, QStringLiteral("Das war cool"));
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        const QString pasted = QStringLiteral("ist \u0633\u0644\u0627\u0645\r\nso");
        QGuiApplication::clipboard()->setText(pasted);
        harness.Clipboard().Calls.clear();

        if (how == QStringLiteral("Ctrl+V")) {
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (how == QStringLiteral("Shift+Insert")) {
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (how == QStringLiteral("edit menu")) {
            QTimer::singleShot(0, [] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    for (QAction* action : menu->actions()) {
                        if (action->objectName() == QStringLiteral("edit-paste")) {
                            action->trigger();
                        }
                    }
                    menu->close();
                }
            });
            const QPoint at(5, 5);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->viewport()->mapToGlobal(at));
            QApplication::sendEvent(box->viewport(), &event);
        } else {
            QMimeData data;
            data.setText(pasted);
            const QPoint at = box->cursorRect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box->viewport(), &enter);
            QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box->viewport(), &move);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box->viewport(), &drop);
        }

        // A drop inserts where it lands, here at the caret after the selection.
        const QString expected =
            how == QStringLiteral("drop")
                ? QStringLiteral("Das warist \u0633\u0644\u0627\u0645\nso cool")
                : QStringLiteral("Das ist \u0633\u0644\u0627\u0645\nso cool");
        QTRY_COMPARE(Text(box), expected);
        QCOMPARE(Text(harness.Text2()), expected);
        QCOMPARE(harness.Clipboard().Calls, QStringList({"clear", "set:" + expected}));
    }

    // The text boxes set every script as any Qt text box does: kerning pairs and ligatures of
    // Latin text, joined Arabic, emoji and combining accents come out as the same glyphs at the
    // same places as in a text box Qt makes, with the window's font.
    void TextBoxesSetTextAsQtDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("kerning pairs and ligatures")
            << QStringLiteral("AVAVAV To Ty WA LT fi fl ffi Schiff \u00F6ffnen");
        QTest::newRow("Arabic") << QStringLiteral(
            "\u0633\u0644\u0627\u0645 \u0639\u0644\u064A\u0643\u0645");
        QTest::newRow("emoji") << QStringLiteral(
            "ok \U0001F600 \U0001F44D\U0001F3FD \U0001F1E9\U0001F1EA");
        QTest::newRow("combining accent") << QStringLiteral("Cafe\u0301 e\u0301 a\u0308");
    }
    void TextBoxesSetTextAsQtDoes() {
        QFETCH(QString, text);
        Harness harness;
        harness.Check(1)->setChecked(false);
        harness.Check(3)->setChecked(false);
        harness.Text1()->insertPlainText(text);
        QCOMPARE(Text(harness.Text2()), text);
        // Where the caret stands before each character: kerning, ligatures, joined forms and
        // marks on their letters all move it.
        const auto caretPlaces = [](const QPlainTextEdit* box) {
            const QTextBlock block = box->document()->firstBlock();
            (void)box->document()->documentLayout()->blockBoundingRect(block);
            const QTextLine line = block.layout()->lineAt(0);
            QList<qreal> places;
            for (int position = 0; position <= block.length() - 1; ++position) {
                places.append(line.cursorToX(position));
            }
            return places;
        };
        for (QPlainTextEdit* box : {harness.Text1(), harness.Text2()}) {
            QWidget window;
            window.setFont(harness.Form().font());
            QPlainTextEdit own(&window);
            own.resize(box->size());
            own.setLineWrapMode(box->lineWrapMode());
            own.setWordWrapMode(box->wordWrapMode());
            own.setPlainText(text);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(box->font(), own.font());
            QCOMPARE(caretPlaces(box), caretPlaces(&own));
        }
    }

    void CensorShowsOncePerRunBeforeTheOutputChanges() {
        Harness harness;
        harness.Check(2)->setChecked(true);
        QStringList outputWhileShown;
        QStringList clipboardWhileShown;
        harness.MessageBoxes().OnShow = [&] {
            outputWhileShown.append(Text(harness.Text2()));
            clipboardWhileShown.append(
                harness.Clipboard().Texts().value(harness.Clipboard().Texts().size() - 1));
        };
        QTest::keyClicks(harness.Text1(), "muhah");
        QVERIFY(harness.MessageBoxes().Shown.empty());
        const QString before = Text(harness.Text2());

        QTest::keyClicks(harness.Text1(), "a");
        QCOMPARE(harness.MessageBoxes().Shown.size(), std::size_t{1});
        const ShownMessage& message = harness.MessageBoxes().Shown.front();
        QCOMPARE(
            message.Text,
            QStringLiteral("Achtung! Verstoß gegen den 1337n355-Kodex!! Wort wurde zensiert!"));
        QCOMPARE(message.Title, QStringLiteral("Schnackomat V3.0"));
        QCOMPARE(message.Buttons, MessageButtons::Ok);
        QCOMPARE(message.Icon, MessageIcon::None);
        QCOMPARE(outputWhileShown, QStringList{before});
        QCOMPARE(clipboardWhileShown, QStringList{before});
        QVERIFY(Text(harness.Text2()).contains(QStringLiteral("-*-*-*")));
        QCOMPARE(Text(harness.Text1()), QStringLiteral("muhaha"));

        // Every further keystroke runs the censor again, however often the word occurs.
        QTest::keyClicks(harness.Text1(), " muhaha");
        QCOMPARE(harness.MessageBoxes().Shown.size(), std::size_t{1 + 7});
        QCOMPARE(QApplication::focusWidget(), harness.Text1());
        QVERIFY(harness.Form().Text1Leads());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
