// Where the chooser's preview goes: scale and centring in twips, worked examples to the twip.
#include "chooser/PreviewGeometry.h"

#include <QTest>

class TestPreviewGeometry : public QObject
{
    Q_OBJECT
private slots:
    void geometry_data();
    void geometry();
    void emptyPictureHasNoPlace();
};

void TestPreviewGeometry::geometry_data()
{
    QTest::addColumn<QSize>("pixels"); // the picture's own size
    QTest::addColumn<int>("perPixel"); // twips per pixel, across and down
    QTest::addColumn<QRectF>("expected");
    // The frame is 261 x 273 pixels: at most 3645 twips wide and 3825 high.
    QTest::newRow("400 x 300 bitmap, width fills") << QSize(400, 300) << 15 << QRectF(65, 530.625, 3645, 2733.75);
    QTest::newRow("100 x 100 icon, enlarged") << QSize(100, 100) << 15 << QRectF(65, 75, 3645, 3645);
    QTest::newRow("200 x 600 bitmap, height fills") << QSize(200, 600) << 15 << QRectF(1250, -15, 1275, 3825);
    QTest::newRow("tie: the frame's own proportions") << QSize(486, 510) << 15 << QRectF(65, -15, 3645, 3825);
    QTest::newRow("exactly the largest size") << QSize(243, 255) << 15 << QRectF(65, -15, 3645, 3825);
    QTest::newRow("camera photo 4000 x 3000, reduced") << QSize(4000, 3000) << 15 << QRectF(65, 530.625, 3645, 2733.75);
    QTest::newRow("one pixel high line") << QSize(4000, 1) << 15 << QRectF(65, 1897.044375, 3645, 0.91125);
    QTest::newRow("one pixel wide line") << QSize(1, 3000) << 15 << QRectF(1886.8625, -15, 1.275, 3825);
    // On a 125% screen: the largest size follows, the offsets stay whole twips.
    QTest::newRow("400 x 300 at 12 twips per pixel") << QSize(400, 300) << 12 << QRectF(38, 394.5, 2916, 2187);
}

void TestPreviewGeometry::geometry()
{
    QFETCH(QSize, pixels);
    QFETCH(int, perPixel);
    QFETCH(QRectF, expected);
    const QSizeF twips(pixels.width() * double(perPixel), pixels.height() * double(perPixel));
    const QRectF got = previewGeometry(QSize(261, 273), twips, perPixel, perPixel);
    const auto near = [](double a, double b) { return qAbs(a - b) < 0.01; };
    QVERIFY2(near(got.left(), expected.left()) && near(got.top(), expected.top())
                 && near(got.width(), expected.width()) && near(got.height(), expected.height()),
             qPrintable(QStringLiteral("got %1, %2, %3 x %4").arg(got.left()).arg(got.top())
                            .arg(got.width()).arg(got.height())));
}

void TestPreviewGeometry::emptyPictureHasNoPlace()
{
    QVERIFY(previewGeometry(QSize(261, 273), QSizeF(0, 0), 15, 15).isEmpty());
    QVERIFY(previewGeometry(QSize(261, 273), QSizeF(1500, 0), 15, 15).isEmpty());
}

QTEST_GUILESS_MAIN(TestPreviewGeometry)
#include "tst_previewgeometry.moc"
