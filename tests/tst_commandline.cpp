// The command line: what it asks for, and the picture it names opened or refused with a reason.
#include "app/CommandLine.h"
#include "platform/picture/PictureFile.h"
#include "robustness/RootAccess.h"
#include "support/Encoded.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using CommandLine::Request;

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void openPicture_data();
    void openPicture();

private:
    QTemporaryDir m_dir;
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("pictureFile");
    const auto row = [](const char *name, const QStringList &arguments, Request request, const QString &file) {
        QTest::newRow(name) << arguments << request << file;
    };
    row("nothing: the random drawing", {}, Request::Start, {});
    row("a picture", {"gatto.bmp"}, Request::Start, "gatto.bmp");
    row("a path with blanks", {"/home/Marta/I miei disegni/gatto.png"}, Request::Start,
        "/home/Marta/I miei disegni/gatto.png");
    row("extra arguments ignored", {"gatto.bmp", "cane.gif", "--ciao"}, Request::Start, "gatto.bmp");
    row("unknown options ignored", {"--ciao", "-x", "-", "gatto.bmp"}, Request::Start, "gatto.bmp");
    row("empty argument skipped", {"", "gatto.bmp"}, Request::Start, "gatto.bmp");
    row("--help", {"--help"}, Request::Help, {});
    row("--help after a picture", {"gatto.bmp", "--help"}, Request::Help, {});
    row("--help wins over --version", {"--version", "--help"}, Request::Help, {});
    row("--version", {"--version"}, Request::Version, {});
    row("-- makes the rest names", {"--", "--help"}, Request::Start, "--help");
    row("options still count before --", {"--version", "--", "gatto.bmp"}, Request::Version, {});
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(Request, request);
    QFETCH(QString, pictureFile);
    const CommandLine::Arguments parsed = CommandLine::parse(QStringList{"pintavo"} + arguments);
    QCOMPARE(parsed.request, request);
    QCOMPARE(parsed.pictureFile, pictureFile);
}

void TestCommandLine::openPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written as a file unless the name says otherwise
    QTest::addColumn<QSize>("size");         // of the picture opened; empty: refused
    QTest::addColumn<QString>("reason");     // the end of the message

    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QByteArray huge = encoded(picture, "BMP").left(54);
    qToLittleEndian<qint32>(60000, huge.data() + 18);
    qToLittleEndian<qint32>(60000, huge.data() + 22);
    const QString noPicture = QStringLiteral(": non è un'immagine che Pintavo sa leggere.");

    QTest::newRow("a BMP picture") << "gatto.bmp" << encoded(picture, "BMP") << QSize(6, 4) << QString();
    QTest::newRow("a PNG named .gif") << "cane.gif" << encoded(picture, "PNG") << QSize(6, 4) << QString();
    QTest::newRow("text named like a picture") << "nota.bmp" << QByteArray("non sono un disegno") << QSize()
                                               << noPicture;
    QTest::newRow("an empty file") << "vuoto.jpg" << QByteArray() << QSize() << noPicture;
    QTest::newRow("a folder") << "cartella.bmp/" << QByteArray() << QSize() << noPicture;
    QTest::newRow("missing") << "manca.bmp!" << QByteArray() << QSize() << ": il file non esiste.";
    QTest::newRow("too large") << "enorme.bmp" << huge + QByteArray(100, '\0') << QSize()
                               << ".\n" + pictureTooLargeMessage();
    QTest::newRow("unreadable") << "chiuso.bmp-" << encoded(picture, "BMP") << QSize()
                                << ": non si riesce a leggerlo (forse mancano i permessi).";
}

// A name ending in "/" is made a folder, "!" is left missing, "-" is written
// and then closed to everybody.
void TestCommandLine::openPicture()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QSize, size);
    QFETCH(QString, reason);
    QString path = m_dir.filePath(name);
    const QChar mark = name.back();
    if (mark == QLatin1Char('/') || mark == QLatin1Char('!') || mark == QLatin1Char('-'))
        path.chop(1);
    if (mark == QLatin1Char('/')) {
        QVERIFY(QDir().mkpath(path));
    } else if (mark != QLatin1Char('!')) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        if (mark == QLatin1Char('-'))
            QVERIFY(file.setPermissions({}));
    }

    QString message;
    WithoutRootAccess asUser;
    if (mark == QLatin1Char('-') && !asUser.active())
        QSKIP("root keeps reading files closed to everybody here");
    const std::optional<QImage> opened = CommandLine::openPicture(path, &message);
    if (size.isValid()) {
        QVERIFY(opened.has_value());
        QCOMPARE(opened->size(), size);
        QVERIFY(message.isEmpty());
    } else {
        QVERIFY(!opened.has_value());
        QCOMPARE(message, QStringLiteral("Impossibile aprire il file \"%1\"").arg(path) + reason);
    }
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
