// The command line: what it asks for, and the picture it names opened or refused with a reason.
#include "app/CommandLine.h"
#include "platform/picture/PictureFile.h"
#include "robustness/RootAccess.h"
#include "support/Encoded.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using CommandLine::Request;

namespace {

// One picture of every kind the program opens, as the file manager would
// hand it over: name and content.
QList<std::pair<QString, QByteArray>> picturesOfEveryKind()
{
    QImage ring(8, 8, QImage::Format_RGB32);
    ring.fill(Qt::white);
    ring.setPixel(3, 3, qRgb(0, 0, 0));
    const auto corpus = [](const char *name) {
        QFile file(QStringLiteral(PINTAVO_FUZZ_CORPUS "/") + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray svg("<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'>"
                         "<circle cx='4' cy='4' r='3' fill='none' stroke='black'/></svg>");
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"), {QStringLiteral("-c")});
    gzip.write(svg);
    gzip.closeWriteChannel();
    gzip.waitForFinished();
    QList<std::pair<QString, QByteArray>> pictures = {
        {"anello.dib", corpus("ring.dib")}, {"anello.rle", corpus("ring-rle8.bmp")}, {"anello.gif", corpus("ring.gif")},
        {"anello.svg", svg}, {"anello.svgz", gzip.readAllStandardOutput()}, {"anello.pnm", encoded(ring, "ppm")}};
    for (const char *format : {"bmp", "jpg", "png", "ico", "cur", "pbm", "pgm", "ppm", "xbm", "xpm"})
        pictures.append({QStringLiteral("anello.") + QLatin1String(format), encoded(ring, format)});
    return pictures;
}

// The types the desktop entry offers the program for.
QStringList desktopEntryTypes()
{
    QFile entry(QStringLiteral(PINTAVO_DESKTOP_ENTRY));
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    for (const QByteArray &line : entry.readAll().split('\n'))
        if (line.startsWith("MimeType="))
            return QString::fromUtf8(line.mid(9)).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return {};
}

// A type by its own name, not an alias (image/x-icon is image/vnd.microsoft.icon).
QString canonical(const QString &type)
{
    return QMimeDatabase().mimeTypeForName(type).name();
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void openPicture_data();
    void openPicture();
    void desktopEntryOffersWhatOpens_data();
    void desktopEntryOffersWhatOpens();
    void desktopEntryOffersNothingElse();

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

void TestCommandLine::desktopEntryOffersWhatOpens_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    for (const auto &[name, content] : picturesOfEveryKind())
        QTest::newRow(qPrintable(name)) << name << content;
}

// File managers offer "Apri con Pintavo" for the types its desktop entry lists,
// each file's type worked out from its name and content.
void TestCommandLine::desktopEntryOffersWhatOpens()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QVERIFY(!content.isEmpty());
    const QString path = m_dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QString message;
    QVERIFY2(CommandLine::openPicture(path, &message).has_value(), qPrintable(message));
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QStringList offered = desktopEntryTypes();
    std::transform(offered.begin(), offered.end(), offered.begin(), canonical);
    QVERIFY2(offered.contains(type), qPrintable(type));
}

void TestCommandLine::desktopEntryOffersNothingElse()
{
    QStringList opened;
    for (const auto &[name, content] : picturesOfEveryKind())
        opened << QMimeDatabase().mimeTypeForFileNameAndData(name, content).name();
    const QStringList offered = desktopEntryTypes();
    QVERIFY(!offered.isEmpty());
    for (const QString &type : offered)
        QVERIFY2(opened.contains(canonical(type)), qPrintable(type));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
