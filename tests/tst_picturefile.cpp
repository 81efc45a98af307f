// Reading pictures: formats by content, the empty picture, and files that are no picture.
#include "platform/picture/PictureFile.h"
#include "support/Encoded.h"

#include <QBuffer>
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

QTEST_GUILESS_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
