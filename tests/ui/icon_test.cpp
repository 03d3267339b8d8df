#include <QColor>
#include <QIcon>
#include <QImage>
#include <QTest>

#include "schnackomat/ui/icon.h"

using schnackomat::ui::SchnackomatIcon;

class IconTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsBothBuiltInSizes() {
        const QIcon icon = SchnackomatIcon();
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY2(sizes.contains(QSize(16, 16)), "no 16 px form");
        QVERIFY2(sizes.contains(QSize(32, 32)), "no 32 px form");
    }

    void drawing_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("16 px") << 16;
        QTest::newRow("32 px") << 32;
    }

    // Black arrows on a transparent ground: the left bar of the top arrow in the top-left
    // corner, the right bar of the bottom arrow in the bottom-right corner, nothing in the other
    // two corners.
    void drawing() {
        QFETCH(int, size);
        const QImage image = SchnackomatIcon().pixmap(size, size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        const int last = size - 1;
        const QColor topLeft = image.pixelColor(0, 0);
        const QColor bottomRight = image.pixelColor(last, last);
        QCOMPARE(topLeft.alpha(), 255);
        QCOMPARE(topLeft.rgb() & 0xFFFFFFu, 0u);
        QCOMPARE(bottomRight.alpha(), 255);
        QCOMPARE(bottomRight.rgb() & 0xFFFFFFu, 0u);
        QCOMPARE(image.pixelColor(last, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(0, last).alpha(), 0);
        // The gap between the two arrows is empty across the whole width.
        for (int x = 0; x < size; ++x) {
            QCOMPARE(image.pixelColor(x, size / 2).alpha(), 0);
        }
    }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
