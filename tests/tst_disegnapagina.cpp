// The page composition measured on paper: where the sheet lands and how the credit line is set.
#include "print/DisegnaPagina.h"
#include "print/PageGeometry.h"

#include "support/Quarters.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QTest>

namespace {

// 100 dots per centimetre: every length of the page is a whole number of dots.
constexpr int Dpi = 254;
constexpr int DotsPerMetre = 10000;

using namespace Quarters;

QImage quarters(int width, int height)
{
    return Quarters::sheet(width, height);
}

// The whole A4 page at Dpi, white, with the page drawn on it in inch coordinates.
QImage printedPage(const PageContent &content, double ratio = 1)
{
    QImage page(2100, 2970, QImage::Format_RGB32);
    page.setDotsPerMeterX(DotsPerMetre);
    page.setDotsPerMeterY(DotsPerMetre);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.scale(Dpi, Dpi);
    DisegnaPagina(painter, ratio, content);
    return page;
}

bool isSheetColour(QRgb c)
{
    return c == Red || c == Green || c == Blue || c == Yellow;
}

QRect sheetBounds(const QImage &page)
{
    QRect bounds;
    for (int y = 0; y < page.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if (isSheetColour(line[x] | 0xFF000000u))
                bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

// Ink of the credit line: dark pixels in the top band, above any picture.
QRect inkBounds(const QImage &page, int bandHeight)
{
    QRect bounds;
    for (int y = 0; y < bandHeight; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128 && !isSheetColour(page.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A paint device that records what is drawn on it instead of drawing it.
class RecordingEngine : public QPaintEngine
{
public:
    struct Text
    {
        QPointF baseline; // in device dots
        QString text;
        QFont font;
    };
    QList<Text> texts;
    QList<QRectF> images; // in device dots

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawImage(const QRectF &r, const QImage &, const QRectF &, Qt::ImageConversionFlags) override
    {
        images.append(state->transform().mapRect(r));
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        texts.append({state->transform().map(p), item.text(), item.font()});
    }
    Type type() const override { return QPaintEngine::User; }
};

class RecordingDevice : public QPaintDevice
{
public:
    explicit RecordingDevice(int dpi) : m_dpi(dpi) {}
    mutable RecordingEngine engine;
    QPaintEngine *paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return int(210 / 25.4 * m_dpi);
        case PdmHeight: return int(297 / 25.4 * m_dpi);
        case PdmWidthMM: return 210;
        case PdmHeightMM: return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return m_dpi;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        default: return 0;
        }
    }

private:
    int m_dpi;
};

} // namespace

class TestDisegnaPagina : public QObject
{
    Q_OBJECT
private slots:
    void pictureOnPaper_data();
    void pictureOnPaper();
    void pictureReachingBeyondThePage();
    void creditLineOnPaper_data();
    void creditLineOnPaper();
    void creditLineInkSitsBelowItsTop();
    void creditLineWithoutPicture_data();
    void creditLineWithoutPicture();
    void painterStateIsKept();
};

void TestDisegnaPagina::pictureOnPaper_data()
{
    QTest::addColumn<QSize>("sheet");
    QTest::addColumn<QSize>("copy");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QRect>("dots"); // the picture on the page, in hundredths of a centimetre
    QTest::newRow("zoom 20, square: 10 x 10 cm at 5.5 cm, 9.85 cm")
        << QSize(400, 400) << QSize(400, 400) << 20 << QRect(550, 985, 1000, 1000);
    QTest::newRow("zoom 42, square: 21 cm wide from the left edge")
        << QSize(400, 400) << QSize(400, 400) << 42 << QRect(0, 435, 2100, 2100);
    QTest::newRow("zoom 20, twice as tall as wide: 10 x 20 cm")
        << QSize(400, 800) << QSize(400, 800) << 20 << QRect(550, 485, 1000, 2000);
    QTest::newRow("zoom 20, twice as wide as tall: 10 x 5 cm")
        << QSize(800, 400) << QSize(800, 400) << 20 << QRect(550, 1235, 1000, 500);
    QTest::newRow("zoom 1: half a centimetre") << QSize(400, 400) << QSize(400, 400) << 1
                                               << QRect(1025, 1460, 50, 50);
    QTest::newRow("zoom 100, square: 50 cm, cut to the page")
        << QSize(1000, 1000) << QSize(1000, 1000) << 100 << QRect(0, 0, 2100, 2970);
    // The sheet's proportions count, not the copy's.
    QTest::newRow("zoom 30, sheet twice as tall as its copy")
        << QSize(400, 800) << QSize(400, 400) << 30 << QRect(300, -15, 1500, 3000).intersected(QRect(0, 0, 2100, 2970));
}

void TestDisegnaPagina::pictureOnPaper()
{
    QFETCH(QSize, sheet);
    QFETCH(QSize, copy);
    QFETCH(int, zoom);
    QFETCH(QRect, dots);
    const QImage page = printedPage({quarters(copy.width(), copy.height()), QSizeF(sheet), zoom});
    QCOMPARE(sheetBounds(page), dots);
    // The middle of the sheet is the middle of the page, whatever the zoom.
    QCOMPARE(page.pixel(1049, 1484), Red);
    QCOMPARE(page.pixel(1050, 1484), Green);
    QCOMPARE(page.pixel(1049, 1485), Blue);
    QCOMPARE(page.pixel(1050, 1485), Yellow);
}

// At zoom 100 the 50 cm picture is wider and taller than the page: its four
// quarters meet at the page's middle and fill its corners.
void TestDisegnaPagina::pictureReachingBeyondThePage()
{
    const QImage page = printedPage({quarters(1000, 1000), QSizeF(1000, 1000), 100});
    QCOMPARE(page.pixel(0, 2969), Blue);
    QCOMPARE(page.pixel(2099, 0), Green);
    QCOMPARE(page.pixel(2099, 2969), Yellow);
    QCOMPARE(page.pixel(0, 300), Red);
}

void TestDisegnaPagina::creditLineOnPaper_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("scaleX"); // device dots per inch of the surface's coordinates
    QTest::addColumn<double>("scaleY");
    QTest::addColumn<double>("points");
    QTest::newRow("printer, zoom 20") << 20 << 1.0 << 1200.0 << 1200.0 << 8.0;
    QTest::newRow("printer, zoom 1") << 1 << 1.0 << 1200.0 << 1200.0 << 8.0;
    QTest::newRow("printer, zoom 100") << 100 << 1.0 << 1200.0 << 1200.0 << 8.0;
    QTest::newRow("preview, ratio 0.45") << 20 << 0.45 << 43.0 << 43.0 << 3.6;
    QTest::newRow("preview with axes scaled apart") << 20 << 0.4 << 40.0 << 45.0 << 3.2;
    QTest::newRow("smallest ratio") << 20 << 0.01 << 1.0 << 1.0 << 0.08;
}

void TestDisegnaPagina::creditLineOnPaper()
{
    QFETCH(int, zoom);
    QFETCH(double, ratio);
    QFETCH(double, scaleX);
    QFETCH(double, scaleY);
    QFETCH(double, points);
    RecordingDevice device(1200);
    QPainter painter(&device);
    painter.scale(scaleX, scaleY);
    DisegnaPagina(painter, ratio, {quarters(4, 4), QSizeF(4, 4), zoom});
    painter.end();

    QCOMPARE(device.engine.texts.size(), 1);
    const RecordingEngine::Text &t = device.engine.texts.first();
    QCOMPARE(t.text, QStringLiteral("Stampato con 'Pintavo freeware' - http://www.pintavo.example/"));
    QCOMPARE(t.font.family(), QStringLiteral("Arial"));
    QCOMPARE(QFontInfo(t.font).family(), QStringLiteral("Liberation Sans"));
    // The size is in the device's own points, whatever the coordinates' scale.
    QCOMPARE(t.font.pointSizeF(), points);
    // The position is the top of the line, 2.4 inches from the left and 0.1 from the top.
    // Text is placed to 1/64 of a device dot.
    const QFontMetricsF metrics(t.font, &device);
    QVERIFY(qAbs(t.baseline.x() - 2.4 * scaleX) <= 1.0 / 64);
    QVERIFY(qAbs(t.baseline.y() - metrics.ascent() - 0.1 * scaleY) <= 1.0 / 64);
    // The picture, drawn first, lands where the page's arithmetic puts it.
    QCOMPARE(device.engine.images.size(), 1);
    const QRectF inches = *PageGeometry::pictureRect(zoom, QSizeF(4, 4));
    QCOMPARE(device.engine.images.first(),
             QRectF(inches.x() * scaleX, inches.y() * scaleY, inches.width() * scaleX, inches.height() * scaleY));
}

// On paper the credit line's ink starts at its position and is as tall as an
// 8-point line, with or without a picture below it.
void TestDisegnaPagina::creditLineInkSitsBelowItsTop()
{
    const QImage withPicture = printedPage({quarters(40, 40), QSizeF(40, 40), 42});
    const QRect ink = inkBounds(withPicture, 200);
    const double line = 8.0 / 72 * Dpi; // the 8-point line's height in dots
    QVERIFY2(qAbs(ink.left() - 2.4 * Dpi) <= 3, qPrintable(QStringLiteral("left %1").arg(ink.left())));
    QVERIFY(ink.top() >= 0.1 * Dpi);
    QVERIFY(ink.bottom() <= 0.1 * Dpi + 1.3 * line);
    QVERIFY2(ink.height() >= 0.7 * line && ink.height() <= 1.3 * line,
             qPrintable(QStringLiteral("ink height %1, line %2").arg(ink.height()).arg(line)));
    const QImage withoutPicture = printedPage({QImage(), QSizeF(40, 40), 42});
    QCOMPARE(inkBounds(withoutPicture, 200), ink);
}

void TestDisegnaPagina::creditLineWithoutPicture_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QSizeF>("sheet");
    QTest::newRow("no picture") << QImage() << QSizeF(40, 40);
    QTest::newRow("sheet with no width") << quarters(40, 40) << QSizeF(0, 40);
}

// A picture that cannot be painted leaves the rest of the page.
void TestDisegnaPagina::creditLineWithoutPicture()
{
    QFETCH(QImage, picture);
    QFETCH(QSizeF, sheet);
    const QImage page = printedPage({picture, sheet, 20});
    QVERIFY(sheetBounds(page).isEmpty());
    QVERIFY(!inkBounds(page, 200).isEmpty());
}

void TestDisegnaPagina::painterStateIsKept()
{
    QImage page(200, 300, QImage::Format_RGB32);
    QPainter painter(&page);
    painter.scale(20, 25);
    QFont font(QStringLiteral("Liberation Serif"), 17);
    painter.setFont(font);
    painter.setPen(Qt::blue);
    const QTransform before = painter.worldTransform();
    DisegnaPagina(painter, 0.5, {quarters(4, 4), QSizeF(4, 4), 20});
    QCOMPARE(painter.worldTransform(), before);
    QCOMPARE(painter.font(), font);
    QCOMPARE(painter.pen().color(), QColor(Qt::blue));
}

QTEST_MAIN(TestDisegnaPagina)
#include "tst_disegnapagina.moc"
