// The print page's arithmetic: preview ratio, zoom clicks, preview layout, picture proportions.
#include "print/Form8Layout.h"
#include "print/PageGeometry.h"

#include <QTest>

class TestPageGeometry : public QObject
{
    Q_OBJECT
private slots:
    void previewRatio_data();
    void previewRatio();
    void zoomAfterClick_data();
    void zoomAfterClick();
    void previewLayout_data();
    void previewLayout();
    void shortWindowMovesNothing_data();
    void shortWindowMovesNothing();
    void sheetWithoutWidthHasNoPicture_data();
    void sheetWithoutWidthHasNoPicture();
};

void TestPageGeometry::previewRatio_data()
{
    QTest::addColumn<QSizeF>("page");
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<double>("ratio");
    const QSizeF a4(210 / 25.4, 297 / 25.4);
    QTest::newRow("A4 page half the size of A4 paper") << a4 / 2 << a4 << 0.5;
    QTest::newRow("page narrower than A4: width ratio is smaller") << QSizeF(4, 6) << a4 << 4 / (210 / 25.4);
    // Letter is wider and shorter than A4: its width gives the smaller ratio.
    QTest::newRow("letter paper: width ratio is smaller") << a4 << QSizeF(8.5, 11) << (210 / 25.4) / 8.5;
    QTest::newRow("landscape A4 paper: width ratio is smaller")
        << a4 << a4.transposed() << (210 / 25.4) / (297 / 25.4);
    QTest::newRow("tall narrow paper: height ratio is smaller") << QSizeF(4, 6) << QSizeF(2, 12) << 0.5;
    QTest::newRow("equal ratios") << QSizeF(2, 3) << QSizeF(4, 6) << 0.5;
    QTest::newRow("huge paper: floor of 0.01") << QSizeF(3, 4) << QSizeF(1000, 1000) << 0.01;
    QTest::newRow("empty page: floor of 0.01") << QSizeF(0, 0) << a4 << 0.01;
    QTest::newRow("paper of no size counts as A4") << a4 / 4 << QSizeF(0, 0) << 0.25;
    QTest::newRow("paper without height counts as A4") << a4 / 4 << QSizeF(8.5, 0) << 0.25;
}

void TestPageGeometry::previewRatio()
{
    QFETCH(QSizeF, page);
    QFETCH(QSizeF, paper);
    QFETCH(double, ratio);
    QCOMPARE(PageGeometry::previewRatio(page, paper), ratio);
}

void TestPageGeometry::zoomAfterClick_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("expected");
    QTest::newRow("left widens by 5") << 20 << 1 << 25;
    QTest::newRow("right narrows by 5") << 20 << 2 << 15;
    QTest::newRow("middle narrows like right") << 20 << 4 << 15;
    QTest::newRow("left and right together narrow") << 20 << 3 << 15;
    QTest::newRow("left at 100 stays") << 100 << 1 << 100;
    QTest::newRow("left at 97 gives 100") << 97 << 1 << 100;
    QTest::newRow("left at 95 gives 100") << 95 << 1 << 100;
    QTest::newRow("right at 1 stays") << 1 << 2 << 1;
    QTest::newRow("right at 3 gives 1") << 3 << 2 << 1;
    QTest::newRow("right at 6 gives 1") << 6 << 2 << 1;
    QTest::newRow("left at 1 gives 6") << 1 << 1 << 6;
    QTest::newRow("right at 100 gives 95") << 100 << 2 << 95;
}

void TestPageGeometry::zoomAfterClick()
{
    QFETCH(int, zoom);
    QFETCH(int, button);
    QTEST(PageGeometry::zoomAfterClick(zoom, button), "expected");
}

void TestPageGeometry::previewLayout_data()
{
    QTest::addColumn<int>("windowHeight");
    QTest::addColumn<QRect>("picture1");
    QTest::addColumn<QRect>("frame1");
    // The page's width is its height / 297 x 210, to the nearest twip.
    QTest::newRow("design window") << 8015 << QRect(30, 60, 4677, 6615) << QRect(4757, -30, 1845, 2805);
    QTest::newRow("1024 x 768 screen") << 11520 << QRect(30, 60, 7156, 10120) << QRect(7236, -30, 1845, 2805);
    QTest::newRow("1280 x 1024 screen") << 15360 << QRect(30, 60, 9871, 13960) << QRect(9951, -30, 1845, 2805);
    QTest::newRow("exactly 1400: a page with no size") << 1400 << QRect(30, 60, 0, 0) << QRect(80, -30, 1845, 2805);
    QTest::newRow("297 twips tall page") << 1697 << QRect(30, 60, 210, 297) << QRect(290, -30, 1845, 2805);
}

void TestPageGeometry::previewLayout()
{
    QFETCH(int, windowHeight);
    QFETCH(QRect, picture1);
    QFETCH(QRect, frame1);
    Form8Geometry g{QRect(30, 60, 4676, 6615), QRect(4800, -30, 1845, 2805)};
    QVERIFY(layoutForm8(g, windowHeight));
    QCOMPARE(g.picture1, picture1);
    QCOMPARE(g.frame1, frame1);
    // A4 portrait proportions, to the twip.
    QVERIFY(qAbs(g.picture1.width() - g.picture1.height() * 210.0 / 297.0) <= 0.5);
}

void TestPageGeometry::shortWindowMovesNothing_data()
{
    QTest::addColumn<int>("windowHeight");
    QTest::newRow("1399 twips") << 1399;
    QTest::newRow("no height") << 0;
    QTest::newRow("negative") << -500;
}

void TestPageGeometry::shortWindowMovesNothing()
{
    QFETCH(int, windowHeight);
    const Form8Geometry before{QRect(30, 60, 4676, 6615), QRect(4800, -30, 1845, 2805)};
    Form8Geometry g = before;
    QVERIFY(!layoutForm8(g, windowHeight));
    QCOMPARE(g.picture1, before.picture1);
    QCOMPARE(g.frame1, before.frame1);
}

void TestPageGeometry::sheetWithoutWidthHasNoPicture_data()
{
    QTest::addColumn<QSizeF>("sheet");
    QTest::addColumn<bool>("printed");
    QTest::newRow("no width, some height") << QSizeF(0, 300) << false;
    QTest::newRow("empty sheet") << QSizeF(0, 0) << false;
    QTest::newRow("negative width") << QSizeF(-5, 30) << false;
    QTest::newRow("a line of pixels: width but no height") << QSizeF(300, 0) << true;
}

void TestPageGeometry::sheetWithoutWidthHasNoPicture()
{
    QFETCH(QSizeF, sheet);
    QFETCH(bool, printed);
    const auto rect = PageGeometry::pictureRect(20, sheet);
    QCOMPARE(rect.has_value(), printed);
    if (printed)
        QCOMPARE(rect->height(), 0.0);
}

QTEST_GUILESS_MAIN(TestPageGeometry)
#include "tst_pagegeometry.moc"
