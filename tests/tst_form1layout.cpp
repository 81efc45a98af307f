// The main window's layout arithmetic, statement by statement.
#include "sheet/Form1Layout.h"

#include <QTest>

namespace {

Form1Geometry designGeometry(int sheetWidth)
{
    return {QRect(60, 150, sheetWidth, 8895), QRect(90, 0, 6825, 135), QRect(6930, 60, 1545, 7815),
            QRect(8550, 600, 10575, 5160), QRect(8550, 60, 4515, 525), QRect(1740, 150, 2265, 315)};
}

} // namespace

class TestForm1Layout : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void layoutTwiceChangesNothing();
};

void TestForm1Layout::layout_data()
{
    QTest::addColumn<int>("sheetWidth");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("frame1");
    QTest::addColumn<QRect>("webBrowser1");
    QTest::addColumn<QRect>("frame2");
    QTest::addColumn<QRect>("text1");

    QTest::newRow("design sheet, 1024 x 768 window")
        << 6840 << QSize(15360, 11520) << QRect(6920, 60, 1545, 7815) << QRect(8485, 600, 6815, 10920)
        << QRect(8485, 60, 6815, 525) << QRect(1740, 150, 4825, 315);
    QTest::newRow("wider drawing pushes both columns right")
        << 9000 << QSize(28800, 16200) << QRect(9080, 60, 1545, 7815) << QRect(10645, 600, 18095, 15600)
        << QRect(10645, 60, 18095, 525) << QRect(1740, 150, 16105, 315);
    QTest::newRow("browser exactly as wide as nothing")
        << 6840 << QSize(8545, 11520) << QRect(6920, 60, 1545, 7815) << QRect(8485, 600, 0, 10920)
        << QRect(8485, 60, 0, 525) << QRect(1740, 150, 2265, 315);
    // Too narrow: the browser keeps its width, and the statements after it read
    // that kept width.
    QTest::newRow("window too narrow for the browser")
        << 6840 << QSize(8000, 11520) << QRect(6920, 60, 1545, 7815) << QRect(8485, 600, 10575, 10920)
        << QRect(8485, 60, 10575, 525) << QRect(1740, 150, 8585, 315);
    QTest::newRow("address bar would be negative")
        << 12000 << QSize(15360, 11520) << QRect(12080, 60, 1545, 7815) << QRect(13645, 600, 1655, 10920)
        << QRect(13645, 60, 1655, 525) << QRect(1740, 150, 2265, 315);
    QTest::newRow("window shorter than the browser's top")
        << 6840 << QSize(15360, 500) << QRect(6920, 60, 1545, 7815) << QRect(8485, 600, 6815, 5160)
        << QRect(8485, 60, 6815, 525) << QRect(1740, 150, 4825, 315);
}

void TestForm1Layout::layout()
{
    QFETCH(int, sheetWidth);
    QFETCH(QSize, window);
    Form1Geometry g = designGeometry(sheetWidth);
    layoutForm1(g, window);
    QTEST(g.frame1, "frame1");
    QTEST(g.webBrowser1, "webBrowser1");
    QTEST(g.frame2, "frame2");
    QTEST(g.text1, "text1");
    QCOMPARE(g.picture2, QRect(60, 0, sheetWidth, 135));
    QCOMPARE(g.picture1, QRect(60, 150, sheetWidth, 8895));
}

void TestForm1Layout::layoutTwiceChangesNothing()
{
    Form1Geometry once = designGeometry(6840);
    layoutForm1(once, QSize(19200, 14400));
    Form1Geometry twice = once;
    layoutForm1(twice, QSize(19200, 14400));
    QCOMPARE(twice.frame1, once.frame1);
    QCOMPARE(twice.webBrowser1, once.webBrowser1);
    QCOMPARE(twice.frame2, once.frame2);
    QCOMPARE(twice.text1, once.text1);
}

QTEST_GUILESS_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
