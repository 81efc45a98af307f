// The chooser's picture-name test and folder scan: which names are listed, how many, and the count.
#include "chooser/PictureScan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPictureScan : public QObject
{
    Q_OBJECT
private slots:
    void pictureName_data();
    void pictureName();

    void listsPictureFilesSpelledAsOnDisk();
    void countsPastTheThousandth();
    void emptyAndMissingFolders();
    void countCaption_data();
    void countCaption();

private:
    void touch(const QString &folder, const QString &name);
};

void TestPictureScan::pictureName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("picture");
    QTest::newRow("Cat.JPG") << "Cat.JPG" << true;
    QTest::newRow("dog.gif") << "dog.gif" << true;
    QTest::newRow("Sun.Bmp") << "Sun.Bmp" << true;
    QTest::newRow("scan.jpeg, five letters") << "scan.jpeg" << true;
    QTest::newRow("SCAN.JPEG") << "SCAN.JPEG" << true;
    QTest::newRow("scan.JpEg, mixed case") << "scan.JpEg" << true;
    QTest::newRow("old.jpe, a piece of .JPEG") << "old.jpe" << true;
    QTest::newRow("iff") << "a.iff" << true;
    QTest::newRow("cur") << "a.cur" << true;
    QTest::newRow("ico") << "a.ico" << true;
    QTest::newRow("dib") << "a.dib" << true;
    QTest::newRow("emf") << "a.emf" << true;
    QTest::newRow("wmf") << "a.wmf" << true;
    QTest::newRow("rle") << "a.rle" << true;
    QTest::newRow("blank inside the name") << "la mia casa.bmp" << true;
    QTest::newRow("accented name") << "perché.gif" << true;
    QTest::newRow("readme, no extension") << "readme" << false;
    QTest::newRow("a.png") << "a.png" << false;
    QTest::newRow("b.tiff") << "b.tiff" << false;
    QTest::newRow("c.jp, too short an extension") << "c.jp" << false;
    QTest::newRow("a.peg, no piece starting at a dot") << "a.peg" << false;
    QTest::newRow("extension inside the name") << "foto.bmp.zip" << false;
    QTest::newRow("one letter more") << "a.jpgx" << false;
    QTest::newRow("bmp without dot") << "bmp" << false;
    QTest::newRow("xbmp without dot") << "xbmp" << false;
    QTest::newRow("empty name") << "" << false;
    QTest::newRow("three letters, no dot") << "a.b" << false;
    // Such names begin with a dot and so are hidden: the folder scan never offers them.
    QTest::newRow("three letters from the list") << ".jp" << true;
    QTest::newRow("fullwidth letters do not count") << QString::fromUtf8("a.\xEF\xBC\xA2MP") << false;
}

void TestPictureScan::pictureName()
{
    QFETCH(QString, name);
    QTEST(isPictureName(name), "picture");
}

void TestPictureScan::touch(const QString &folder, const QString &name)
{
    QFile file(folder + QLatin1Char('/') + name);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.fileName()));
}

void TestPictureScan::listsPictureFilesSpelledAsOnDisk()
{
    QTemporaryDir dir;
    for (const char *name : {"Cat.JPG", "dog.gif", "Sun.Bmp", "scan.jpeg", "old.jpe", "readme", "a.png",
                             "b.tiff", "c.jp", ".d.bmp"})
        touch(dir.path(), QLatin1String(name));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("album.bmp")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("dog.gif")), dir.filePath(QStringLiteral("link.gif"))));

    const PictureScan scan = scanPictures(dir.path());
    const QStringList expected = {"Cat.JPG", "dog.gif", "link.gif", "old.jpe", "scan.jpeg", "Sun.Bmp"};
    QCOMPARE(scan.NomiFoto, expected);
    QCOMPARE(scan.count, 6);
    QCOMPARE(scanPictures(dir.path() + QLatin1Char('/')).NomiFoto, expected);
}

void TestPictureScan::countsPastTheThousandth()
{
    QTemporaryDir dir;
    for (int i = 1; i <= 1205; ++i)
        touch(dir.path(), QStringLiteral("disegno%1.bmp").arg(i, 4, 10, QLatin1Char('0')));
    touch(dir.path(), QStringLiteral("nota.txt"));
    const PictureScan scan = scanPictures(dir.path());
    QCOMPARE(scan.count, 1205);
    QCOMPARE(scan.NomiFoto.size(), PictureScan::MaxListed);
    QCOMPARE(scan.NomiFoto.first(), QStringLiteral("disegno0001.bmp"));
    QCOMPARE(scan.NomiFoto.last(), QStringLiteral("disegno1000.bmp"));
}

void TestPictureScan::emptyAndMissingFolders()
{
    QTemporaryDir dir;
    touch(dir.path(), QStringLiteral("nota.txt"));
    const PictureScan none = scanPictures(dir.path());
    QVERIFY(none.NomiFoto.isEmpty());
    QCOMPARE(none.count, 0);
    const PictureScan missing = scanPictures(dir.filePath(QStringLiteral("sparita")));
    QVERIFY(missing.NomiFoto.isEmpty());
    QCOMPARE(missing.count, 0);
    QCOMPARE(scanPictures(QString()).count, 0);
}

void TestPictureScan::countCaption_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("caption");
    QTest::newRow("none") << 0 << "N. 0 Immagini";
    QTest::newRow("twelve") << 12 << "N. 12 Immagini";
    QTest::newRow("past the list, no thousands separator") << 1205 << "N. 1205 Immagini";
}

void TestPictureScan::countCaption()
{
    QFETCH(int, count);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTEST(pictureCountCaption(count), "caption");
}

QTEST_GUILESS_MAIN(TestPictureScan)
#include "tst_picturescan.moc"
