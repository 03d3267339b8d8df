// The window under hostile input: megabytes pasted into either box in every option setting,
// control characters, NUL, lone surrogates and every kind of line break. Nothing may crash,
// the box the user typed into keeps what was typed, and the other box and the clipboard always
// hold the conversion of it.
//
// SCHNACKOMAT_HOSTILE_MIB sets the size of the large texts (10 MiB unless set).
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

#include <cstdlib>
#include <variant>

#include "harness.h"
#include "schnackomat/conversion.h"
#include "schnackomat/matrix.h"

using namespace schnackomat;
using namespace schnackomat::ui;
using namespace schnackomat::ui::testing;

namespace {

qsizetype LargeSize() {
    const char* mib = std::getenv("SCHNACKOMAT_HOSTILE_MIB");
    const long value = mib != nullptr ? std::strtol(mib, nullptr, 10) : 10;
    return qsizetype{value > 0 ? value : 1} << 20;
}

QString LargeText() {
    const QString piece = QStringLiteral(
        "Ich mache heute eine Party. Das ist cool! Wir gehen, du machst: muhaha?\n"
        "ÄRGER über Straße 1234 \U0001F600 kobo  rul ... !! scheiße; wie du als ich zum.\n");
    QString text;
    text.reserve(LargeSize() / 2 + piece.size());
    while (text.size() < LargeSize() / 2) {  // units of two bytes
        text += piece;
    }
    return text;
}

ConversionOptions OptionsOf(Harness& harness) {
    ConversionOptions options;
    options.LeetCharacters = harness.Check(1)->isChecked();
    options.SlangStyle = harness.Check(2)->isChecked();
    options.LeetWords = harness.Check(3)->isChecked();
    options.MatrixStyle = harness.Check(4)->isChecked();
    options.MatrixKey = ToEngineText(Text(harness.Text3()));
    return options;
}

// Pastes `text` into a box at once, as the edit menu's paste does.
void Paste(Harness& harness, QPlainTextEdit* box, const QString& text) {
    harness.Focus(box);
    box->selectAll();
    box->insertPlainText(text);
}

}  // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

  private slots:
    void LargeTextsConvertInEverySetting_data() {
        QTest::addColumn<bool>("leet");
        QTest::addColumn<bool>("slang");
        QTest::addColumn<bool>("leetWords");
        QTest::addColumn<bool>("matrix");
        QTest::newRow("start-up options") << true << false << true << false;
        QTest::newRow("nothing") << false << false << false << false;
        QTest::newRow("slang") << false << true << false << false;
        QTest::newRow("slang and leet") << true << true << true << false;
        QTest::newRow("matrix") << false << false << false << true;
        QTest::newRow("slang and matrix") << false << true << false << true;
    }

    void LargeTextsConvertInEverySetting() {
        QFETCH(bool, leet);
        QFETCH(bool, slang);
        QFETCH(bool, leetWords);
        QFETCH(bool, matrix);
        Harness harness;
        QVERIFY(harness.Active());
        harness.MessageBoxes().OnShow = [] {};  // the censor answers itself
        harness.Check(4)->setChecked(matrix);
        harness.Check(1)->setChecked(leet);
        harness.Check(2)->setChecked(slang);
        harness.Check(3)->setChecked(leetWords);
        const ConversionOptions options = OptionsOf(harness);

        const QString text = LargeText();
        Paste(harness, harness.Text1(), text);
        QCOMPARE(Text(harness.Text1()), text);
        const QString output = Text(harness.Text2());
        QCOMPARE(harness.Clipboard().Texts().last(), output);
        if (matrix) {
            // The filler letters are random; the coded text reads back as the conversion
            // without the Matrix code, lower-cased and without digits.
            ConversionOptions uncoded = options;
            uncoded.MatrixStyle = false;
            QString expected =
                ToQString(ConvertForward(ToEngineText(text), uncoded).Text).toLower();
            expected.remove(QRegularExpression(QStringLiteral("[0-9]")));
            const BackResult decoded = MatrixDecode(ToEngineText(output), options.MatrixKey);
            QVERIFY(std::holds_alternative<std::u16string>(decoded));
            QCOMPARE(ToQString(std::get<std::u16string>(decoded)), expected);
        } else {
            QCOMPARE(output, ToQString(ConvertForward(ToEngineText(text), options).Text));
        }

        // And back: the lower box keeps what was pasted, the upper one gets its conversion.
        const qsizetype clipboardCalls = harness.Clipboard().Calls.size();
        Paste(harness, harness.Text2(), text);
        QCOMPARE(Text(harness.Text2()), text);
        const BackResult back = ConvertBack(ToEngineText(text), options);
        if (const auto* converted = std::get_if<std::u16string>(&back)) {
            QCOMPARE(Text(harness.Text1()), ToQString(*converted));
        } else {
            QCOMPARE(Text(harness.Text1()).size(), text.size() / 6 + 1);
        }
        QCOMPARE(harness.Clipboard().Calls.size(), clipboardCalls);
    }

    void StrangeCharactersAreKeptAndConverted_data() {
        QTest::addColumn<QString>("text");
        QString controls;
        for (char16_t code = 1; code < 0x20; ++code) {
            if (code != u'\r') {
                controls += QChar(code);
                controls += u'x';
            }
        }
        QTest::newRow("control characters") << controls + QChar(0x7F);
        QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
        QTest::newRow("lone high surrogate")
            << QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b");
        QTest::newRow("lone low surrogate") << QStringLiteral("a") + QChar(0xDE00);
        QTest::newRow("line feeds") << QStringLiteral("eins\nzwei\n\n");
        QTest::newRow("no-break spaces") << QStringLiteral("a\u00A0b\u00A0\u00A0c");
        QTest::newRow("emoji") << QStringLiteral("\U0001F600\U0001F44D\U0001F1E9\U0001F1EA");
    }

    void StrangeCharactersAreKeptAndConverted() {
        QFETCH(QString, text);
        Harness harness;
        harness.Check(2)->setChecked(true);
        Paste(harness, harness.Text1(), text);
        const QString kept = Text(harness.Text1());
        QCOMPARE(kept, text);
        QCOMPARE(Text(harness.Text2()),
                 ToQString(ConvertForward(ToEngineText(kept), OptionsOf(harness)).Text));
    }

    void LineBreaksOfEveryKindBecomeLineFeeds_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("CR LF") << "eins\r\nzwei\r\n"
                               << "eins\nzwei\n";
        QTest::newRow("CR") << "eins\rzwei"
                            << "eins\nzwei";
        QTest::newRow("mixed") << "a\r\n\rb\nc"
                               << "a\n\nb\nc";
        QTest::newRow("line separator") << "a\u2028b"
                                        << "a\nb";
    }

    void LineBreaksOfEveryKindBecomeLineFeeds() {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        Harness harness;
        Paste(harness, harness.Text1(), text);
        QCOMPARE(Text(harness.Text1()), kept);
        QCOMPARE(Text(harness.Text2()),
                 ToQString(ConvertForward(ToEngineText(kept), OptionsOf(harness)).Text));
    }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
