// What a text box shows when it gains the focus: its whole text selected, and the view where it
// was, however long the text.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "harness.h"

using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

class FocusSelectionTest : public QObject {
    Q_OBJECT

  private slots:
    void GainingTheFocusSelectsAllAndKeepsTheView_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("scrolledTo");  // -1: the view stays at the top
        QTest::newRow("Text1, long, at the top") << "Text1" << 400 << -1;
        QTest::newRow("Text2, long, at the top") << "Text2" << 400 << -1;
        QTest::newRow("Text2, long, scrolled") << "Text2" << 400 << 50;
        QTest::newRow("Text1, one line") << "Text1" << 1 << -1;
    }
    void GainingTheFocusSelectsAllAndKeepsTheView() {
        QFETCH(QString, box);
        QFETCH(int, lines);
        QFETCH(int, scrolledTo);
        Harness harness;
        QVERIFY(harness.Active());
        auto* target = harness.Form().findChild<QPlainTextEdit*>(box);
        auto* other = box == QStringLiteral("Text1") ? harness.Text2() : harness.Text1();
        QStringList text;
        for (int line = 0; line < lines; ++line) {
            text.append(QStringLiteral("Zeile %1").arg(line));
        }
        harness.Focus(harness.Text3());
        WriteText(target, text.join(u'\n'));
        harness.Focus(other);
        QScrollBar* scrollBar = target->verticalScrollBar();
        if (scrolledTo >= 0) {
            scrollBar->setValue(scrolledTo);
        }
        const int before = scrollBar->value();

        harness.Focus(target);

        const QTextCursor cursor = target->textCursor();
        QCOMPARE(cursor.selectionStart(), 0);
        QCOMPARE(cursor.selectionEnd(), static_cast<int>(Text(target).size()));
        QCOMPARE(scrollBar->value(), before);
        QCOMPARE(box == QStringLiteral("Text1"), harness.Form().Text1Leads());
        QCOMPARE(box == QStringLiteral("Text2"), harness.Form().Text2Leads());
    }
};

QTEST_MAIN(FocusSelectionTest)
#include "focus_selection_test.moc"
