// The "Ende" button's three questions, the "?" button, and the credit links.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "harness.h"
#include "schnackomat/ui/help_window.h"

using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

Q_DECLARE_METATYPE(MessageAnswer)

namespace {

const QString FirstQuestion = QStringLiteral("Sind Sie sicher?");
const QString SecondQuestion = QStringLiteral(
    "Wirklich ganz sicher? Vorsicht, Sie könnten möglicherweise das Programm damit "
    "beenden...!");
const QColor Normal(255, 192, 128);
const QColor Lit(255, 255, 128);

QColor TextColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// Moves the pointer to the middle of `target` (or to `offset` within the window).
void PointAt(QWidget* window, QPoint offset) {
    QTest::mouseMove(window, offset);
    QCoreApplication::processEvents();
}

QPoint CentreOf(const QWidget* control) {
    return control->geometry().center();
}

}  // namespace

class ExitAndLinksTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        // A help window left open by a test would be found by the next one.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<Form2*>(window) != nullptr) {
                window->close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void EndeAsksTwiceThenSaysGoodbyeAndCloses_data() {
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<int>("boxesShown");
        QTest::addColumn<bool>("closed");
        QTest::newRow("no at first") << QList<MessageAnswer>{MessageAnswer::No} << 1 << false;
        QTest::newRow("yes, then no")
            << QList<MessageAnswer>{MessageAnswer::Yes, MessageAnswer::No} << 2 << false;
        QTest::newRow("yes, yes") << QList<MessageAnswer>{MessageAnswer::Yes, MessageAnswer::Yes}
                                  << 3 << true;
    }

    void EndeAsksTwiceThenSaysGoodbyeAndCloses() {
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(int, boxesShown);
        QFETCH(bool, closed);
        Harness harness;
        QVERIFY(harness.Active());
        harness.Focus(harness.Text1());
        QTest::keyClicks(harness.Text1(), QStringLiteral("hallo"));
        const QString output = Text(harness.Text2());
        harness.MessageBoxes().Answers.assign(answers.begin(), answers.end());

        QTest::mouseClick(harness.Find<QPushButton>("Command1"), Qt::LeftButton);

        const std::vector<ShownMessage>& shown = harness.MessageBoxes().Shown;
        QCOMPARE(int(shown.size()), boxesShown);
        QCOMPARE(shown[0].Text, FirstQuestion);
        QCOMPARE(shown[0].Title, QStringLiteral("Beenden"));
        QVERIFY(shown[0].Buttons == MessageButtons::YesNo);
        QVERIFY(shown[0].Icon == MessageIcon::Question);
        if (boxesShown >= 2) {
            QCOMPARE(shown[1].Text, SecondQuestion);
            QCOMPARE(shown[1].Title, QStringLiteral("In echt jetzt?!"));
            QVERIFY(shown[1].Buttons == MessageButtons::YesNo);
            QVERIFY(shown[1].Icon == MessageIcon::Question);
        }
        if (boxesShown == 3) {
            QCOMPARE(shown[2].Text, QStringLiteral("Wuuuuuh!"));
            QCOMPARE(shown[2].Title, QStringLiteral("Whääy"));
            QVERIFY(shown[2].Buttons == MessageButtons::Ok);
            QVERIFY(shown[2].Icon == MessageIcon::Information);
        }
        QCOMPARE(harness.Form().isVisible(), !closed);
        QCOMPARE(Text(harness.Text1()), QStringLiteral("hallo"));
        QCOMPARE(Text(harness.Text2()), output);
    }

    void EscapePressesEnde() {
        Harness harness;
        harness.Focus(harness.Text1());
        harness.MessageBoxes().Answers = {MessageAnswer::No};
        QTest::keyClick(harness.Text1(), Qt::Key_Escape);
        QCOMPARE(int(harness.MessageBoxes().Shown.size()), 1);
        QCOMPARE(harness.MessageBoxes().Shown[0].Text, FirstQuestion);
        QVERIFY(harness.Form().isVisible());
    }

    void TheCloseBoxClosesWithoutAsking() {
        Harness harness;
        QVERIFY(harness.Form().close());
        QVERIFY(harness.MessageBoxes().Shown.empty());
    }

    void TheQuestionMarkShowsOneHelpWindowThatOutlivesTheMainWindow() {
        Harness harness;
        auto* help = harness.Find<QPushButton>("Command2");
        QTest::mouseClick(help, Qt::LeftButton);
        QTest::mouseClick(help, Qt::LeftButton);
        QList<Form2*> windows;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form2 = qobject_cast<Form2*>(window);
                form2 != nullptr && form2->isVisible()) {
                windows.append(form2);
            }
        }
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->parentWidget() == nullptr);
        QVERIFY(harness.Form().isVisible());  // not modal: the main window stays usable

        harness.Form().close();
        QVERIFY(windows[0]->isVisible());
    }

    void BothWindowsCarryTheIcon() {
        Harness harness;
        QVERIFY(!harness.Form().windowIcon().isNull());
        QTest::mouseClick(harness.Find<QPushButton>("Command2"), Qt::LeftButton);
        Form2* help = ShowHelpWindow();
        QVERIFY(!help->windowIcon().isNull());
    }

    void LinkLabelsLightUpUntilThePointerCrossesTheBareWindow() {
        Harness harness;
        QWidget* window = &harness.Form();
        QLabel* label1 = harness.Find<QLabel>("Label1");
        QLabel* label2 = harness.Find<QLabel>("Label2");
        QLabel* label3 = harness.Find<QLabel>("Label3");
        QLabel* label4 = harness.Find<QLabel>("Label4");
        QLabel* label5 = harness.Find<QLabel>("Label5");
        for (QLabel* link : {label3, label4, label5}) {
            QCOMPARE(TextColour(link), Normal);
        }

        // From Label5 over the rest of Label1 onto Label3: no bare window on the way.
        PointAt(window, CentreOf(label5));
        QCOMPARE(TextColour(label5), Lit);
        PointAt(window, QPoint(label1->geometry().left() + 2, CentreOf(label1).y()));
        PointAt(window, CentreOf(harness.Text2()));
        QCOMPARE(TextColour(label5), Lit);
        PointAt(window, CentreOf(label3));
        QCOMPARE(TextColour(label3), Lit);
        QCOMPARE(TextColour(label5), Lit);
        QCOMPARE(TextColour(label1), Normal);

        PointAt(window, CentreOf(label4));
        QCOMPARE(TextColour(label4), Lit);

        // The bare gap between the bottom line and the output box turns all three back.
        PointAt(window, QPoint(CentreOf(label2).x(), label2->geometry().top() - 4));
        for (QLabel* link : {label3, label4, label5}) {
            QCOMPARE(TextColour(link), Normal);
        }
    }

    void LinkLabelsOpenTheirTargets_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QUrl>("target");
        QTest::newRow("Benaldo") << "Label3" << QUrl("mailto:benaldo@schnackomat.example");
        QTest::newRow("Pfiii!") << "Label4" << QUrl("mailto:pfiii@schnackomat.example");
        QTest::newRow("host name") << "Label5" << QUrl("https://schnackomat.example/");
    }

    void LinkLabelsOpenTheirTargets() {
        QFETCH(QString, label);
        QFETCH(QUrl, target);
        Harness harness;
        QTest::mouseClick(harness.Find<QLabel>(label.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(harness.LinkOpener().Opened.size(), std::size_t{1});
        QCOMPARE(harness.LinkOpener().Opened[0], target);
    }

    void PlainLabelsOpenNothing() {
        Harness harness;
        QTest::mouseClick(harness.Find<QLabel>("Label1"), Qt::LeftButton, {}, QPoint(2, 8));
        QTest::mouseClick(harness.Find<QLabel>("Label2"), Qt::LeftButton);
        QVERIFY(harness.LinkOpener().Opened.empty());
    }
};

QTEST_MAIN(ExitAndLinksTest)
#include "exit_and_links_test.moc"
