// The flood fill over raw pixels, against a plain breadth-first reference.
#include "platform/picture/FloodFill.h"
#include "support/PixelArt.h"
#include "support/ReferenceFill.h"

#include <QMetaType>
#include <QRandomGenerator>
#include <QTest>
#include <vector>

Q_DECLARE_METATYPE(FloodFillType)

namespace {

constexpr quint32 White = 0xFFFFFFFF;
constexpr quint32 Black = 0xFF000000;
constexpr quint32 Red = 0xFFFF0000;
constexpr quint32 Blue = 0xFF0000FF;

struct Fill
{
    QImage image;
    FloodFillResult result;
};

Fill fill(QImage image, QPoint start, quint32 color, quint32 with, FloodFillType type)
{
    auto *bits = reinterpret_cast<quint32 *>(image.bits());
    const FloodFillResult r = floodFill(bits, image.width(), image.height(), image.bytesPerLine() / 4,
                                        start, color, with, type);
    return {image, r};
}

} // namespace

class TestFloodFill : public QObject
{
    Q_OBJECT
private slots:
    void matchesReference_data();
    void matchesReference();
    void shapes_data();
    void shapes();
    void nothingHappens_data();
    void nothingHappens();
    void respectsStride();
    void fillsHugeSheetWithoutRecursion_data();
    void fillsHugeSheetWithoutRecursion();
    void fillsSerpentineCorridor();
};

void TestFloodFill::matchesReference_data()
{
    QTest::addColumn<FloodFillType>("type");
    QTest::addColumn<int>("colours");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<int>("maxRun");
    QTest::newRow("surface, two colours") << FloodFillType::Surface << 2 << 11u << 40 << 1;
    QTest::newRow("surface, three colours") << FloodFillType::Surface << 3 << 12u << 40 << 1;
    QTest::newRow("border, two colours") << FloodFillType::Border << 2 << 13u << 40 << 1;
    QTest::newRow("border, three colours") << FloodFillType::Border << 3 << 14u << 40 << 1;
    // Wide pictures of long runs: the fill paints them in blocks, both ways along
    // a row, and a border fill's record of visited pixels has to grow sideways.
    QTest::newRow("surface, long runs") << FloodFillType::Surface << 2 << 15u << 300 << 80;
    QTest::newRow("border, long runs") << FloodFillType::Border << 3 << 16u << 300 << 80;
}

// Several hundred small random pictures with random starts, fill colours that may
// equal a colour already present, and strides wider than the rows. The runs the
// fill hands back must name exactly the pixels it changed.
void TestFloodFill::matchesReference()
{
    QFETCH(FloodFillType, type);
    QFETCH(int, colours);
    QFETCH(quint32, seed);
    QFETCH(int, maxWidth);
    QFETCH(int, maxRun);
    QRandomGenerator random(seed);
    const quint32 palette[4] = {White, Black, Red, Blue};
    for (int round = 0; round < 300; ++round) {
        const int width = random.bounded(1, maxWidth);
        const int height = random.bounded(1, 40);
        const int stride = width + random.bounded(0, 3);
        // Few colours and clustered runs make areas with holes, gaps and tongues.
        std::vector<quint32> pixels(size_t(stride) * size_t(height), 0xFFABCDEF);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width;) {
                const quint32 colour = palette[random.bounded(colours)];
                const int run = maxRun > 1 ? random.bounded(1, maxRun + 1) : 1;
                for (int n = run; n > 0 && x < width; --n)
                    pixels[size_t(y * stride + x++)] = colour;
            }
        const QPoint start(random.bounded(-1, width + 1), random.bounded(-1, height + 1));
        const quint32 color = palette[random.bounded(colours)];
        const quint32 with = palette[random.bounded(4)];
        const std::vector<quint32> before = pixels;
        std::vector<quint32> expected = pixels;

        std::vector<FloodFillRun> runs;
        const FloodFillResult got = floodFill(pixels.data(), width, height, stride, start, color, with, type, &runs);
        const FloodFillResult want = referenceFloodFill(expected.data(), width, height, stride, start, color, with, type);
        const QByteArray where = QByteArray("round ") + QByteArray::number(round);
        QVERIFY2(pixels == expected, where);
        QCOMPARE(got.pixels, want.pixels);
        QCOMPARE(got.changed, want.changed);

        // The runs cover every changed pixel once, and nothing else.
        std::vector<int> covered(pixels.size(), 0);
        for (const FloodFillRun &run : runs) {
            QVERIFY2(run.y >= 0 && run.y < height && run.x1 >= 0 && run.x1 <= run.x2 && run.x2 < width, where);
            for (int x = run.x1; x <= run.x2; ++x)
                ++covered[size_t(run.y * stride + x)];
        }
        for (size_t i = 0; i < pixels.size(); ++i)
            QVERIFY2(covered[i] == (pixels[i] != before[i] ? 1 : 0), where + " pixel " + QByteArray::number(qulonglong(i)));
    }
}

void TestFloodFill::shapes_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QStringList>("after");

    // A diagonal of black touching only at corners still closes an area.
    QTest::newRow("diagonal wall holds")
        << QStringList{"...#", "..#.", ".#..", "#..."} << QPoint(0, 0)
        << QStringList{"rrr#", "rr#.", "r#..", "#..."};
    QTest::newRow("corner contact is no way through")
        << QStringList{".#..", "#...", "...."} << QPoint(0, 0)
        << QStringList{"r#..", "#...", "...."};
    QTest::newRow("one pixel gap leaks")
        << QStringList{"..#..", "..#..", ".....", "..#.."} << QPoint(0, 0)
        << QStringList{"rr#rr", "rr#rr", "rrrrr", "rr#rr"};
    QTest::newRow("closed ring keeps its inside")
        << QStringList{".....", ".###.", ".#.#.", ".###.", "....."} << QPoint(0, 0)
        << QStringList{"rrrrr", "r###r", "r#.#r", "r###r", "rrrrr"};
    QTest::newRow("click on an outline recolours the whole outline")
        << QStringList{".....", ".###.", ".#.#.", ".###.", "....#"} << QPoint(1, 1)
        << QStringList{".....", ".rrr.", ".r.r.", ".rrr.", "....#"};
    QTest::newRow("near shades stay")
        << QStringList{"..w..", ".w.w.", "..k..", "....."} << QPoint(0, 0)
        << QStringList{"rrwrr", "rw.wr", "rrkrr", "rrrrr"};
    QTest::newRow("u-shape filled around the bend")
        << QStringList{".#.#.", ".#.#.", ".###.", "....."} << QPoint(0, 0)
        << QStringList{"r#.#r", "r#.#r", "r###r", "rrrrr"};
    QTest::newRow("spiral reached to its centre")
        << QStringList{".......", "######.", ".....#.", ".###.#.", ".#.#.#.", ".#...#.", ".#####.", "......."}
        << QPoint(0, 0)
        << QStringList{"rrrrrrr", "######r", "rrrrr#r", "r###r#r", "r#r#r#r", "r#rrr#r", "r#####r", "rrrrrrr"};
}

// Surface fills of white with red on hand-drawn shapes.
void TestFloodFill::shapes()
{
    QFETCH(QStringList, before);
    QFETCH(QPoint, start);
    QFETCH(QStringList, after);
    const QImage image = pixelArt(before);
    const Fill f = fill(image, start, image.pixel(start), Red, FloodFillType::Surface);
    QCOMPARE(f.image, pixelArt(after));
}

void TestFloodFill::nothingHappens_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<quint32>("color");
    QTest::addColumn<quint32>("with");
    QTest::addColumn<FloodFillType>("type");
    QTest::newRow("left of the picture") << QPoint(-1, 1) << White << Red << FloodFillType::Surface;
    QTest::newRow("above the picture") << QPoint(1, -1) << White << Red << FloodFillType::Surface;
    QTest::newRow("right of the picture") << QPoint(3, 1) << White << Red << FloodFillType::Surface;
    QTest::newRow("below the picture") << QPoint(1, 3) << White << Red << FloodFillType::Surface;
    QTest::newRow("start is not the colour") << QPoint(1, 1) << White << Red << FloodFillType::Surface;
    QTest::newRow("area already has the colour") << QPoint(0, 0) << White << White << FloodFillType::Surface;
    QTest::newRow("start on the border colour") << QPoint(1, 1) << Black << Red << FloodFillType::Border;
    QTest::newRow("border start outside") << QPoint(5, 5) << Black << Red << FloodFillType::Border;
}

void TestFloodFill::nothingHappens()
{
    QFETCH(QPoint, start);
    QFETCH(quint32, color);
    QFETCH(quint32, with);
    QFETCH(FloodFillType, type);
    const QImage image = pixelArt({"...", ".#.", "..."});
    const Fill f = fill(image, start, color, with, type);
    QCOMPARE(f.result.pixels, 0);
    QVERIFY(f.result.changed.isEmpty());
    QCOMPARE(f.image, image);
}

// Padding between rows belongs to nobody and is never written.
void TestFloodFill::respectsStride()
{
    const int width = 5, height = 4, stride = 8;
    std::vector<quint32> pixels(size_t(stride * height), 0x12345678);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y * stride + x)] = White;
    const FloodFillResult r = floodFill(pixels.data(), width, height, stride, {2, 2}, White, Blue,
                                        FloodFillType::Surface);
    QCOMPARE(r.pixels, qint64(width * height));
    QCOMPARE(r.changed, QRect(0, 0, width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < stride; ++x)
            QCOMPARE(pixels[size_t(y * stride + x)], x < width ? Blue : 0x12345678u);
}

void TestFloodFill::fillsHugeSheetWithoutRecursion_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<quint32>("color");
    QTest::addColumn<FloodFillType>("type");
    QTest::newRow("surface") << QSize(4096, 4096) << QPoint(2048, 2048) << White << FloodFillType::Surface;
    // Sides that are no multiple of 64 or 16 leave part-filled words and blocks at
    // the edges, where the record of visited pixels stops growing.
    QTest::newRow("surface, odd sides") << QSize(4001, 3001) << QPoint(3999, 1) << White << FloodFillType::Surface;
    QTest::newRow("border, odd sides") << QSize(4001, 3001) << QPoint(1234, 2999) << Black << FloodFillType::Border;
}

void TestFloodFill::fillsHugeSheetWithoutRecursion()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, start);
    QFETCH(quint32, color);
    QFETCH(FloodFillType, type);
    QImage sheet(size, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    std::vector<FloodFillRun> runs{{-1, -1, -1}};
    auto *bits = reinterpret_cast<quint32 *>(sheet.bits());
    const FloodFillResult r = floodFill(bits, sheet.width(), sheet.height(), sheet.bytesPerLine() / 4, start, color,
                                        Red, type, &runs);
    const Fill f{sheet, r};
    QCOMPARE(f.result.pixels, qint64(size.width()) * size.height());
    QCOMPARE(f.result.changed, sheet.rect());
    // What was in the list of runs stays; the runs added cover the sheet.
    QVERIFY(!runs.empty());
    QCOMPARE(runs.front().y, -1);
    qint64 inRuns = 0;
    for (size_t i = 1; i < runs.size(); ++i)
        inRuns += runs[i].x2 - runs[i].x1 + 1;
    QCOMPARE(inRuns, f.result.pixels);
    QImage allRed(sheet.size(), QImage::Format_RGB32);
    allRed.fill(QColor(Qt::red));
    QCOMPARE(f.image, allRed);
}

// A one-pixel corridor winding through the whole picture: the deepest the span
// stack gets, and every step of it must be walked.
void TestFloodFill::fillsSerpentineCorridor()
{
    const int size = 1025;
    QImage maze(size, size, QImage::Format_RGB32);
    maze.fill(Qt::black);
    qint64 corridor = 0;
    for (int y = 0; y < size; y += 2) {
        for (int x = 0; x < size; ++x)
            maze.setPixel(x, y, White);
        corridor += size;
        if (y + 1 < size) {
            maze.setPixel((y / 2) % 2 ? 0 : size - 1, y + 1, White);
            ++corridor;
        }
    }
    const Fill f = fill(maze, {0, 0}, White, Red, FloodFillType::Surface);
    QCOMPARE(f.result.pixels, corridor);
    QImage expected = maze;
    auto *bits = reinterpret_cast<quint32 *>(expected.bits());
    referenceFloodFill(bits, size, size, expected.bytesPerLine() / 4, {0, 0}, White, Red, FloodFillType::Surface);
    QCOMPARE(f.image, expected);
}

QTEST_GUILESS_MAIN(TestFloodFill)
#include "tst_floodfill.moc"
