// Reading pictures: formats by content, the empty picture, and files that are no picture.
#include "platform/picture/PictureFile.h"
#include "support/Encoded.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QImage sample()
{
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(3, 2, qRgb(0, 0, 0));
    return image;
}

// A BMP header that promises a huge picture and carries a few bytes of it.
QByteArray hugeBmpHeader(qint32 width, qint32 height)
{
    QByteArray bytes = encoded(sample(), "BMP").left(54);
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    qToLittleEndian<qint32>(height, bytes.data() + 22);
    return bytes + QByteArray(64, '\0');
}

// A run-length bitmap of `bits` (8 or 4) a pixel, white on index 0 and black on 1, whose runs are `runs`.
QByteArray runLengthBitmap(qint32 width, qint32 height, quint16 bits, const QByteArray &runs)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(62 + runs.size()) << quint32(0) << quint32(62) << quint32(40) << width << height << quint16(1)
        << bits << quint32(bits == 8 ? 1 : 2) << quint32(runs.size()) << quint32(0) << quint32(0) << quint32(2)
        << quint32(0) << quint32(0xFFFFFF) << quint32(0);
    out.writeRawData(runs.constData(), int(runs.size()));
    return bytes;
}

// Memory the next picture will be given, as earlier work leaves it.
void dirtyHeap()
{
    QImage(200, 100, QImage::Format_Indexed8).fill(7);
}

} // namespace

class TestPictureFile : public QObject
{
    Q_OBJECT
private slots:
    void readsByContent_data();
    void readsByContent();
    void refuses_data();
    void refuses();
    void emptyPathIsTheEmptyPicture();
    void pixelsLeftOutAreTheFirstColour_data();
    void pixelsLeftOutAreTheFirstColour();

private:
    QTemporaryDir m_dir;
};

void TestPictureFile::readsByContent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("bmp") << "a.bmp" << encoded(sample(), "BMP");
    QTest::newRow("bmp named dib") << "a.dib" << encoded(sample(), "BMP");
    QTest::newRow("bmp named rle, upper case") << "A.RLE" << encoded(sample(), "BMP");
    QTest::newRow("png named gif") << "a.gif" << encoded(sample(), "PNG");
    QTest::newRow("bmp without extension") << "disegno" << encoded(sample(), "BMP");
    QTest::newRow("ico") << "a.ico" << encoded(sample(), "ICO");
}

void TestPictureFile::readsByContent()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFile file(m_dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const auto picture = loadPicture(file.fileName());
    QVERIFY(picture.has_value());
    QCOMPARE(picture->size(), QSize(7, 5));
    QCOMPARE(picture->pixel(3, 2) & 0xFFFFFF, 0u);
    QCOMPARE(picture->pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
}

void TestPictureFile::refuses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text named bmp") << "note.bmp" << QByteArray("questo non è un disegno\n");
    QTest::newRow("empty file") << "vuoto.jpg" << QByteArray();
    QTest::newRow("claims 60000 x 60000") << "grande.bmp" << hugeBmpHeader(60000, 60000);
    QTest::newRow("claims negative width") << "storto.bmp" << hugeBmpHeader(-5, 5);
    QTest::newRow("header only") << "mezzo.bmp" << encoded(sample(), "BMP").left(20);
    QTest::newRow("runs that stop inside one") << "corsa.bmp" << runLengthBitmap(200, 100, 8, QByteArray("\0\5\1", 3));
    QTest::newRow("4-bit runs that stop inside one") << "corsa4.bmp"
                                                     << runLengthBitmap(200, 100, 4, QByteArray("\4\x11\0\3\x11", 5));
    QTest::newRow("runs that stop inside a jump") << "salto.bmp" << runLengthBitmap(200, 100, 8, QByteArray("\0\2\5", 3));
}

void TestPictureFile::refuses()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFile file(m_dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QVERIFY(!loadPicture(file.fileName()).has_value());
}

void TestPictureFile::emptyPathIsTheEmptyPicture()
{
    const auto empty = loadPicture(QString());
    QVERIFY(empty.has_value());
    QVERIFY(empty->isNull());
    QVERIFY(!loadPicture(m_dir.filePath(QStringLiteral("manca.bmp"))).has_value());
    QVERIFY(!loadPicture(m_dir.path()).has_value());
}

void TestPictureFile::pixelsLeftOutAreTheFirstColour_data()
{
    QTest::addColumn<QByteArray>("runs"); // each paints the first four pixels of the bottom row black
    QTest::newRow("end of the picture") << QByteArray("\x04\x01\x00\x01", 4);
    QTest::newRow("a jump ahead") << QByteArray("\x04\x01\x00\x02\x05\x05\x00\x01", 8);
    QTest::newRow("runs that just stop") << QByteArray("\x04\x01", 2);
}

// A whole run-length bitmap may leave pixels out; they take the first colour,
// not what the memory held.
void TestPictureFile::pixelsLeftOutAreTheFirstColour()
{
    QFETCH(QByteArray, runs);
    QByteArray bytes = runLengthBitmap(200, 100, 8, runs);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    dirtyHeap();
    const auto picture = loadPicture(&buffer);
    QVERIFY(picture.has_value());
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            QCOMPARE(picture->pixelIndex(x, y), y == 99 && x < 4 ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
