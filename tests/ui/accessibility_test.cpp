// Screen readers and keyboard-only use: every control has a German accessible name and
// description, and the Tab key reaches every control in the window's order.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "harness.h"
#include "schnackomat/ui/help_window.h"

using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void EveryControlIsNamedInGerman_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("Text1") << "Text1"
                               << "Eingabe";
        QTest::newRow("Text2") << "Text2"
                               << "Ausgabe";
        QTest::newRow("Text3") << "Text3"
                               << "Schlüssel";
        QTest::newRow("Check1") << "Check1"
                                << "1337";
        QTest::newRow("Check2") << "Check2"
                                << "Pfiii- & Benaldo- Style";
        QTest::newRow("Check3") << "Check3"
                                << "1337-Wörters";
        QTest::newRow("Check4") << "Check4"
                                << "The Matrix-Style";
        QTest::newRow("Command1") << "Command1"
                                  << "Ende";
        QTest::newRow("Command2") << "Command2"
                                  << "Hilfe";
        QTest::newRow("Label3") << "Label3"
                                << "Benaldo";
        QTest::newRow("Label4") << "Label4"
                                << "Pfiii!";
        QTest::newRow("Label5") << "Label5"
                                << "schnackomat.example";
    }

    void EveryControlIsNamedInGerman() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        Harness harness;
        const QWidget* widget = harness.Find<QWidget>(control.toLatin1().constData());
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->accessibleName(), name);
        QVERIFY(widget->accessibleDescription().size() > 10);
    }

    void TabVisitsEveryControlInOrder() {
        Harness harness;
        QVERIFY(harness.Active());
        const QStringList order{"Text1",  "Text2",    "Command1", "Check1", "Check2",
                                "Check4", "Command2", "Text3",    "Check3", "Text1"};
        harness.Focus(harness.Text1());
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
        }
    }

    void TheKeyboardAloneWorksTheOptionsAndTheHelp() {
        Harness harness;
        harness.Focus(harness.Text1());
        QTest::keyClicks(harness.Text1(), QStringLiteral("ja"));
        harness.Focus(harness.Check(2));
        QTest::keyClick(harness.Check(2), Qt::Key_Space);
        QVERIFY(harness.Check(2)->isChecked());
        QCOMPARE(QApplication::focusWidget(), harness.Text1());
        QCOMPARE(Text(harness.Text2()), QStringLiteral("j0 wh473v32"));

        auto* help = harness.Find<QPushButton>("Command2");
        harness.Focus(help);
        QTest::keyClick(help, Qt::Key_Space);
        bool shown = false;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form2 = qobject_cast<Form2*>(window)) {
                shown = form2->isVisible();
                QCOMPARE(form2->accessibleName(), QStringLiteral("Hilfe"));
                form2->close();
            }
        }
        QVERIFY(shown);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
