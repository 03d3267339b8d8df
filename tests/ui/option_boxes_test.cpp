// The option boxes: their exclusions, the nested click rules and the conversions they run,
// and the refill of an empty key box.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "harness.h"

using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

namespace {

// "1010" means Check1 ticked, Check2 clear, Check3 ticked, Check4 clear.
QString States(Harness& harness) {
    QString states;
    for (int number = 1; number <= 4; ++number) {
        states += harness.Check(number)->isChecked() ? u'1' : u'0';
    }
    return states;
}

void SetStates(Harness& harness, const QString& states) {
    // Cleared boxes first, so that no exclusion rule undoes a box set here.
    for (int pass = 0; pass < 2; ++pass) {
        for (int number = 1; number <= 4; ++number) {
            const bool ticked = states[number - 1] == u'1';
            if (ticked == (pass == 1)) {
                harness.Check(number)->setChecked(ticked);
            }
        }
    }
}

void Click(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(box->width() / 2, 6));
}

}  // namespace

class OptionBoxesTest : public QObject {
    Q_OBJECT

  private slots:
    void ClickAppliesExclusionsAndConverts_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("conversions");
        QTest::newRow("Check4 over Check1 and Check3") << "1010" << 4 << "0001" << 3;
        QTest::newRow("Check4 over Check1") << "1000" << 4 << "0001" << 2;
        QTest::newRow("Check4 over Check3") << "0010" << 4 << "0001" << 2;
        QTest::newRow("Check4 alone") << "0000" << 4 << "0001" << 1;
        QTest::newRow("Check1 over Check4") << "0001" << 1 << "1000" << 2;
        QTest::newRow("Check3 over Check4") << "0001" << 3 << "0010" << 2;
        QTest::newRow("Check1 with Check2 over Check4") << "0101" << 1 << "1100" << 2;
        QTest::newRow("clearing Check1") << "1010" << 1 << "0010" << 1;
        QTest::newRow("clearing Check4") << "0001" << 4 << "0000" << 1;
        QTest::newRow("Check2 with leet") << "1010" << 2 << "1110" << 1;
        QTest::newRow("Check2 with Matrix") << "0001" << 2 << "0101" << 1;
        QTest::newRow("clearing Check2") << "0101" << 2 << "0001" << 1;
    }
    void ClickAppliesExclusionsAndConverts() {
        QFETCH(QString, before);
        QFETCH(int, clicked);
        QFETCH(QString, after);
        QFETCH(int, conversions);
        Harness harness;
        SetStates(harness, before);
        QCOMPARE(States(harness), before);
        QTest::keyClicks(harness.Text1(), "Das ist cool");
        harness.Focus(harness.Text2());
        harness.Clipboard().Calls.clear();

        Click(harness.Check(clicked));
        QCOMPARE(States(harness), after);
        QCOMPARE(harness.Clipboard().Texts().size(), conversions);
        QCOMPARE(harness.Clipboard().Texts().last(), Text(harness.Text2()));
        QCOMPARE(QApplication::focusWidget(), harness.Text1());
        QVERIFY(harness.Form().Text1Leads());
        QVERIFY(!harness.Form().Text2Leads());
        QCOMPARE(harness.Text1()->textCursor().selectedText(), QStringLiteral("Das ist cool"));
    }

    void ClickWithEmptyInputOnlyMovesTheFocus_data() {
        QTest::addColumn<int>("clicked");
        for (int number = 1; number <= 4; ++number) {
            QTest::newRow(qPrintable(QStringLiteral("Check%1").arg(number))) << number;
        }
    }
    void ClickWithEmptyInputOnlyMovesTheFocus() {
        QFETCH(int, clicked);
        Harness harness;
        harness.Focus(harness.Text2());
        QTest::keyClicks(harness.Text2(), "h4ll0");
        QCOMPARE(Text(harness.Text1()), QStringLiteral("hallo"));
        harness.Text1()->clear();  // Text1 does not lead: no conversion
        QCOMPARE(Text(harness.Text2()), QStringLiteral("h4ll0"));

        Click(harness.Check(clicked));
        QCOMPARE(Text(harness.Text2()), QStringLiteral("h4ll0"));
        QVERIFY(harness.Clipboard().Calls.isEmpty());
        QCOMPARE(QApplication::focusWidget(), harness.Text1());
        QVERIFY(harness.Form().Text1Leads());
    }

    void SpaceBarTogglesLikeAClick() {
        Harness harness;
        QTest::keyClicks(harness.Text1(), "a");
        harness.Focus(harness.Check(2));
        harness.Clipboard().Calls.clear();
        QTest::keyClick(harness.Check(2), Qt::Key_Space);
        QVERIFY(harness.Check(2)->isChecked());
        QCOMPARE(harness.Clipboard().Texts(), QStringList{QStringLiteral("4 wh473v32")});
        QCOMPARE(QApplication::focusWidget(), harness.Text1());
    }

    // The output holds what the user typed there, which no forward conversion gives with the
    // options after the click: only a conversion run by the click makes it what is expected.
    void ClickAfterTypingIntoTheOutputOverwritesIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("converted");
        QTest::newRow("clearing 1337-Wörters") << "Kiste" << 3 << "Ki573";
        QTest::newRow("ticking the slang") << "Kiste" << 2 << "k!53 wh473v32";
        QTest::newRow("ticking the slang, other text") << "hallo" << 2 << "h4110 wh473v32";
    }
    void ClickAfterTypingIntoTheOutputOverwritesIt() {
        QFETCH(QString, typed);
        QFETCH(int, box);
        QFETCH(QString, converted);
        Harness harness;
        QTest::keyClicks(harness.Text1(), "Gehen");
        harness.Focus(harness.Text2());  // selects all of it, so typing replaces it
        QTest::keyClicks(harness.Text2(), typed);
        QCOMPARE(Text(harness.Text2()), typed);
        QCOMPARE(Text(harness.Text1()), typed);  // converted back: nothing to undo in it
        QVERIFY(converted != typed);

        Click(harness.Check(box));
        QCOMPARE(QApplication::focusWidget(), harness.Text1());
        QCOMPARE(Text(harness.Text1()), typed);
        QCOMPARE(Text(harness.Text2()), converted);
        QCOMPARE(harness.Clipboard().Texts().last(), converted);
    }

    void EmptyKeyIsRefilledByCheck4_data() {
        QTest::addColumn<QString>("before");
        QTest::newRow("ticking") << "1010";
        QTest::newRow("clearing") << "0001";
    }
    void EmptyKeyIsRefilledByCheck4() {
        QFETCH(QString, before);
        Harness harness;
        SetStates(harness, before);
        harness.ClearByKeyboard(harness.Text3());
        QCOMPARE(Text(harness.Text3()), QString());
        Click(harness.Check(4));
        QCOMPARE(Text(harness.Text3()), QStringLiteral("qorvu"));
    }

    void OtherBoxesLeaveAnEmptyKeyEmpty() {
        Harness harness;
        harness.ClearByKeyboard(harness.Text3());
        Click(harness.Check(1));
        Click(harness.Check(2));
        Click(harness.Check(3));
        QCOMPARE(Text(harness.Text3()), QString());
    }

    // One click that nests three forward runs shows the censor three times, each run with the
    // options of its moment.
    void NestedRunsEachShowTheCensor() {
        Harness harness;
        harness.Check(2)->setChecked(true);
        QTest::keyClicks(harness.Text1(), "muhaha");
        harness.MessageBoxes().Shown.clear();
        harness.Clipboard().Calls.clear();
        QStringList statesWhileShown;
        harness.MessageBoxes().OnShow = [&] { statesWhileShown.append(States(harness)); };

        Click(harness.Check(4));
        QCOMPARE(harness.MessageBoxes().Shown.size(), std::size_t{3});
        QCOMPARE(statesWhileShown, QStringList({"0111", "0101", "0101"}));
        QCOMPARE(States(harness), QStringLiteral("0101"));
        const QStringList outputs = harness.Clipboard().Texts();
        QCOMPARE(outputs.size(), 3);
        QCOMPARE(outputs.last(), Text(harness.Text2()));
        // The last run coded the censored slang text.
        QVERIFY(Text(harness.Text2()).contains(QStringLiteral("-*-*-*")));
        QVERIFY(Text(harness.Text2()).contains(QStringLiteral("11110 ")));
        QVERIFY(!Text(harness.Text2()).contains(QStringLiteral("wh473v32")));
    }
};

QTEST_MAIN(OptionBoxesTest)
#include "option_boxes_test.moc"
