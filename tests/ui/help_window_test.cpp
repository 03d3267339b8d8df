#include <QApplication>
#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QRect>
#include <QTest>
#include <QWidget>

#include <cmath>

#include "schnackomat/ui/help_window.h"

using schnackomat::ui::Form2;
using schnackomat::ui::ShowHelpWindow;

namespace {

const QString ExpectedHelpText = QStringLiteral(
    "Särs Leutz! Ich tu euch jetzt mal kurz was zu dem proggy hier sagen tun, weil ihr nämlich "
    "auf den komischen ?-Button geklick0rt habt. Warum müsst ihr selber wissen oder so. Also mit "
    "dem proggy könnt ihr schnell und einfach im leeter-style schreiben tu0rn oder was lesen des "
    "wo euch zu komplexiziert geleetet sein tut. Dann könnt ihr noch so schreib0rn tun als wie "
    "ich oder pfiii des immer tun oder so. Wenn euch des zu krass sein tut könnt ihr des auch "
    "zurücküberstz0rn lassen, aber des is für des proggy ziemlich schwer (wir tun halt einfach "
    "ne gehobene sprache sprechen die wo net mal n pc verstehen tut. Ihr könnt auch noch so "
    "10101-Matrix-Style was schreib0rn, was des bringt weiß ich au net. Whatever. Wuuuh, genau, "
    "wenn ihr mal schnell so wichtige wörters wie wuuuh oder whäääy oder so einfügen wollt "
    "könnt ihr des auch mit krass tastenkombis machen. Jetzt hab ich kein Bock mehr. Viel spaß "
    "und so. Whatever!");

struct ExpectedLabel {
    const char* Name;
    QString Text;
    QColor Colour;
};

const QColor Purple(64, 0, 64);
const QColor Orange(255, 192, 128);
const QColor Pink(255, 192, 192);

QList<ExpectedLabel> ExpectedLabels() {
    return {
        {"Label1", ExpectedHelpText, Orange},
        {"Label2", QStringLiteral("STRG + D --> wuuuh"), Pink},
        {"Label3", QStringLiteral("STRG + W --> wh\u00E4\u00E4\u00E4y"), Pink},
        {"Label4", QStringLiteral("STRG + Z --> zyoooooom"), Pink},
        {"Label5", QStringLiteral("STRG + E --> whatever"), Pink},
        {"Label6", QStringLiteral("STRG + L --> leet"), Pink},
        {"Label7", QStringLiteral("STRG + O --> oha"), Pink},
        {"Label8", QStringLiteral("STRG + G --> gaylord"), Pink},
        {"Label9", QStringLiteral("STRG + S --> oder so"), Pink},
        {"Label10", QStringLiteral("STRG + N --> weeei\u00DF nich"), Pink},
        {"Label11", QStringLiteral("STRG + P --> paaardy"), Pink},
        {"Label12", QStringLiteral("STRG + U --> martello duro"), Pink},
        {"Label13", QStringLiteral("STRG + Y --> mystisch"), Pink},
        {"Label14", QStringLiteral("STRG + T --> stylisch"), Pink},
        {"Label15", QStringLiteral("STRG + A --> standard"), Pink},
    };
}

// Every help window that exists, open or not yet deleted.
QList<Form2*> ExistingHelpWindows() {
    QList<Form2*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Form2*>(widget)) {
            windows.append(window);
        }
    }
    return windows;
}

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        for (Form2* window : ExistingHelpWindows()) {
            window->close();
        }
        ProcessDeletes();
        QVERIFY(ExistingHelpWindows().isEmpty());
    }

    void helpTextHasItsExactLength() {
        QCOMPARE(ExpectedHelpText.size(), 914);
        QVERIFY(ExpectedHelpText.contains(QChar(0x00E4)));  // ä
        QVERIFY(ExpectedHelpText.contains(QChar(0x00FC)));  // ü
        QVERIFY(ExpectedHelpText.contains(QChar(0x00DF)));  // ß
        Form2* window = ShowHelpWindow();
        auto* label = window->findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text().size(), 914);
    }

    void showingTwiceGivesOneWindow() {
        Form2* first = ShowHelpWindow();
        QVERIFY(first != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        Form2* second = ShowHelpWindow();
        QCOMPARE(second, first);
        ProcessDeletes();
        QCOMPARE(ExistingHelpWindows().size(), 1);
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowModality(), Qt::NonModal);
    }

    void showingRaisesAHiddenWindowAgain() {
        Form2* window = ShowHelpWindow();
        window->hide();
        QCOMPARE(ShowHelpWindow(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(ExistingHelpWindows().size(), 1);
    }

    void windowGeometryAndLook() {
        Form2* window = ShowHelpWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->objectName(), QStringLiteral("Form2"));
        QCOMPARE(window->windowTitle(), QStringLiteral("?"));
        // Drawn 443 x 388, scaled as a whole with the main window.
        const double scale = window->width() / 443.0;
        QVERIFY(std::abs(window->height() - 388 * scale) <= 0.5 + 0.5 * scale);
        QCOMPARE(window->minimumSize(), window->size());
        QCOMPARE(window->maximumSize(), window->size());
        QVERIFY(window->isWindow());
        QVERIFY(window->parentWidget() == nullptr);
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window->windowType(), Qt::Window);
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!window->windowIcon().isNull());

        // The bare background, right of the shortcut list and below the help text.
        const QImage image = window->grab().toImage();
        QCOMPARE(image.pixelColor(QPoint(300, 250) * scale), Purple);
        QCOMPARE(image.pixelColor(QPoint(440, 385) * scale), Purple);
        QCOMPARE(image.pixelColor(2, 2), Purple);
    }

    void labels_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        for (const ExpectedLabel& label : ExpectedLabels()) {
            QTest::newRow(label.Name) << label.Text << label.Colour;
        }
    }

    void labels() {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        Form2* window = ShowHelpWindow();
        auto* label = window->findChild<QLabel*>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        const QRect geometry = label->geometry();
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QCOMPARE(label->palette().color(QPalette::Window), Purple);
        QVERIFY(label->autoFillBackground());
        QVERIFY(label->wordWrap());
        QCOMPARE(label->font().family(), QApplication::font().family());

        // The whole text is visible: it fits the box in height and, for the one-line shortcut
        // captions, in width.
        const QFontMetrics metrics(label->font());
        QVERIFY2(
            label->heightForWidth(geometry.width()) <= geometry.height(),
            qPrintable(QStringLiteral("needs %1 px").arg(label->heightForWidth(geometry.width()))));
        if (label->objectName() != QStringLiteral("Label1")) {
            QVERIFY2(
                metrics.horizontalAdvance(text) <= geometry.width(),
                qPrintable(QStringLiteral("needs %1 px").arg(metrics.horizontalAdvance(text))));
        }

        // The label paints its own purple ground: the pixel in its bottom-right corner is
        // background, whatever the text covers.
        const QImage image = window->grab().toImage();
        QCOMPARE(image.pixelColor(geometry.right(), geometry.bottom()), Purple);
    }

    void clickCloses_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("closes");
        QTest::newRow("background") << QString() << QPoint(300, 250) << int(Qt::LeftButton) << true;
        QTest::newRow("background corner")
            << QString() << QPoint(1, 1) << int(Qt::LeftButton) << true;
        for (const ExpectedLabel& label : ExpectedLabels()) {
            QTest::newRow(label.Name)
                << QString::fromLatin1(label.Name) << QPoint(3, 3) << int(Qt::LeftButton) << true;
        }
        QTest::newRow("right button on background")
            << QString() << QPoint(300, 250) << int(Qt::RightButton) << false;
        QTest::newRow("right button on Label1")
            << QStringLiteral("Label1") << QPoint(3, 3) << int(Qt::RightButton) << false;
    }

    void clickCloses() {
        QFETCH(QString, target);
        QFETCH(QPoint, position);
        QFETCH(int, button);
        QFETCH(bool, closes);
        QPointer<Form2> window = ShowHelpWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWidget* clicked = window;
        if (!target.isEmpty()) {
            clicked = window->findChild<QLabel*>(target);
            QVERIFY(clicked != nullptr);
        }
        QTest::mouseClick(clicked, static_cast<Qt::MouseButton>(button), {}, position);
        if (closes) {
            QTRY_VERIFY(window.isNull());
            QVERIFY(ExistingHelpWindows().isEmpty());
        } else {
            ProcessDeletes();
            QVERIFY(!window.isNull());
            QVERIFY(window->isVisible());
        }
    }

    void showingAfterCloseCreatesAFreshWindow() {
        QPointer<Form2> first = ShowHelpWindow();
        QVERIFY(QTest::qWaitForWindowExposed(first));
        const QSize firstSize = first->size();
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(300, 250));
        QTRY_VERIFY(first.isNull());

        Form2* second = ShowHelpWindow();
        QVERIFY(second != nullptr);
        QVERIFY(second->isVisible());
        QCOMPARE(ExistingHelpWindows().size(), 1);
        QCOMPARE(second->size(), firstSize);
        for (const ExpectedLabel& expected : ExpectedLabels()) {
            auto* label = second->findChild<QLabel*>(QString::fromLatin1(expected.Name));
            QVERIFY(label != nullptr);
            QCOMPARE(label->text(), expected.Text);
        }
    }

    void outlivesTheWindowThatOpenedIt() {
        auto owner = std::make_unique<QWidget>();
        owner->setGeometry(100, 100, 600, 400);
        owner->show();
        QPointer<Form2> window = ShowHelpWindow(owner.get());
        QVERIFY(window->parentWidget() == nullptr);
        QCOMPARE(window->frameGeometry().center(), owner->frameGeometry().center());
        owner.reset();
        ProcessDeletes();
        QVERIFY(!window.isNull());
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
