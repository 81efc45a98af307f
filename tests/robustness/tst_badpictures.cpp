// Bad, lying and huge pictures, and things named like pictures, on every road into the program.
#include "app/Environment.h"
#include "app/Module1.h"
#include "chooser/FrmColScegli.h"
#include "platform/picture/ImageBox.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/PictureFile.h"
#include "sheet/Form1.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QMimeData>
#include <QtEndian>
#include <memory>
#include <sys/stat.h>

namespace {

enum Outcome { Opens, Refused, TooLarge };
enum Kind { Bytes, Folder, Pipe, Link, Sparse }; // Sparse: the bytes, then zeros up to a gigabyte

QImage solid(int width, int height, QRgb rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A bitmap whose header gives another size than its pixels hold.
QByteArray bmpClaiming(qint32 width, qint32 height)
{
    QByteArray bytes = encoded(solid(16, 16, qRgb(255, 255, 255)), "BMP");
    qToLittleEndian(width, bytes.data() + 18);
    qToLittleEndian(height, bytes.data() + 22);
    return bytes;
}

// A JPEG whose frame header gives another size than its data hold.
QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray bytes = encoded(solid(16, 16, qRgb(255, 255, 255)), "JPEG");
    const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    Q_ASSERT(frame > 0);
    qToBigEndian(height, bytes.data() + frame + 5);
    qToBigEndian(width, bytes.data() + frame + 7);
    return bytes;
}

// The smallest GIF: one white pixel. Qt writes no GIF, so it is spelled out.
QByteArray onePixelGif()
{
    return QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00"
                      ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                      35);
}

QByteArray gifClaiming(quint16 width, quint16 height)
{
    QByteArray bytes = onePixelGif();
    qToLittleEndian(width, bytes.data() + 6);
    qToLittleEndian(height, bytes.data() + 8);
    qToLittleEndian(width, bytes.data() + 23);
    qToLittleEndian(height, bytes.data() + 25);
    return bytes;
}

// A seed of the picture fuzzer, less its last `missing` bytes.
QByteArray seedCut(const char *name, int missing)
{
    QFile file(QStringLiteral(PINTAVO_FUZZ_CORPUS "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no seed %s", name);
    const QByteArray bytes = file.readAll();
    return bytes.left(bytes.size() - missing);
}

// An icon (type 1) or cursor (type 2) file of two images, the second less its last `missing` bytes.
QByteArray twoImageIcon(quint16 type, int missing)
{
    const QByteArray one = encoded(solid(16, 16, qRgb(255, 255, 255)), "ICO");
    const QByteArray image = one.mid(22);
    QByteArray bytes = one.left(22) + one.mid(6, 16) + image + image;
    qToLittleEndian(type, bytes.data() + 2);
    qToLittleEndian(quint16(2), bytes.data() + 4);
    qToLittleEndian(quint32(38), bytes.data() + 18);
    qToLittleEndian(quint32(38 + image.size()), bytes.data() + 34);
    return bytes.left(bytes.size() - missing);
}

// A picture's bytes as another program offers them: Qt's platform layer adds
// application/x-qt-image beside any picture type, decoded by QImage::fromData.
class OtherProgramsPicture : public QMimeData
{
public:
    OtherProgramsPicture(const QString &type, const QByteArray &bytes) { setData(type, bytes); }
    QStringList formats() const override { return QMimeData::formats() << QStringLiteral("application/x-qt-image"); }
    bool hasFormat(const QString &type) const override { return formats().contains(type); }

protected:
    QVariant retrieveData(const QString &type, QMetaType as) const override
    {
        if (type == QLatin1String("application/x-qt-image"))
            return QImage::fromData(data(QMimeData::formats().constFirst()));
        return QMimeData::retrieveData(type, as);
    }
};

} // namespace

class TestBadPictures : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loaderAnswers_data() { table(); }
    void loaderAnswers();
    void chooserKeepsPreviewAndSheet_data() { table(); }
    void chooserKeepsPreviewAndSheet();
    void startUpGoesOnWithAnEmptySheet_data() { table(); }
    void startUpGoesOnWithAnEmptySheet();
    void dropKeepsTheDrawing_data() { table(); }
    void dropKeepsTheDrawing();
    void droppedBytesKeepTheDrawing_data() { table(true); }
    void droppedBytesKeepTheDrawing();
    void droppedPictureDataTooLarge();
    void fuzzerFilesAreSafe_data();
    void fuzzerFilesAreSafe();

private:
    // Without the rows that are no bytes (folders, pipes, links) when bytesOnly.
    void table(bool bytesOnly = false);
    void dropOnASheet(QMimeData *data);
    // Puts the row's file into `folder` under its name and returns its path.
    QString place(const QString &folder);
    QString drawings() const { return m_program->filePath(QStringLiteral("Immagini")); }

    std::unique_ptr<QTemporaryDir> m_program;
    MessageBox::Recorder m_messages;
};

void TestBadPictures::init()
{
    Module1::reset();
    m_program = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_program->path()).mkdir(QStringLiteral("Immagini")));
    Module1::Percorso = m_program->path() + QLatin1Char('/');
    m_messages = {};
    MessageBox::recordForTests(&m_messages);
}

void TestBadPictures::cleanup()
{
    MessageBox::recordForTests(nullptr);
    m_program.reset();
}

void TestBadPictures::table(bool bytesOnly)
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("outcome");

    const QByteArray bmp = encoded(solid(64, 64, qRgb(255, 255, 255)), "BMP");
    const QByteArray jpeg = encoded(solid(64, 64, qRgb(255, 255, 255)), "JPEG");
    QImage mono(6000, 6000, QImage::Format_Mono);
    mono.fill(1);

    // A file that ends before its pixels do, half downloaded say, is no picture.
    QTest::newRow("bmp cut after its header") << "corto.bmp" << int(Bytes) << bmp.left(60) << int(Refused);
    QTest::newRow("bmp cut in half") << "mezzo.bmp" << int(Bytes) << bmp.left(bmp.size() / 2) << int(Refused);
    QTest::newRow("8-bit bmp cut short") << "corto8.bmp" << int(Bytes)
                                         << encoded(solid(64, 64, qRgb(0, 0, 0)).convertToFormat(QImage::Format_Indexed8), "BMP").chopped(100)
                                         << int(Refused);
    QTest::newRow("4-bit bmp cut short") << "corto4.bmp" << int(Bytes) << seedCut("ring4.bmp", 20) << int(Refused);
    QTest::newRow("1-bit bmp cut short") << "corto1.bmp" << int(Bytes) << seedCut("ring1.bmp", 10) << int(Refused);
    QTest::newRow("8-bit rle cut short") << "corto8.rle" << int(Bytes) << seedCut("ring-rle8.bmp", 20) << int(Refused);
    QTest::newRow("4-bit rle cut short") << "corto4.rle" << int(Bytes) << seedCut("ring-rle4.bmp", 4) << int(Refused);
    QTest::newRow("icon whose second image is cut") << "corto.ico" << int(Bytes) << twoImageIcon(1, 30) << int(Refused);
    QTest::newRow("cursor whose second image is cut") << "corto.cur" << int(Bytes) << twoImageIcon(2, 30) << int(Refused);
    QTest::newRow("icon of two whole images") << "intero.ico" << int(Bytes) << twoImageIcon(1, 0) << int(Opens);
    QTest::newRow("gif cut in its pixels") << "tagliato.gif" << int(Bytes) << seedCut("ring.gif", 20) << int(Refused);
    QTest::newRow("gif whose second frame is cut") << "corto2.gif" << int(Bytes) << seedCut("ring-two-frames.gif", 30) << int(Refused);
    QTest::newRow("gif without its trailer") << "senzafine.gif" << int(Bytes) << seedCut("ring.gif", 1) << int(Opens);
    QTest::newRow("jpeg cut in its pixels") << "corto.jpg" << int(Bytes) << seedCut("ring.jpg", 20) << int(Refused);
    QTest::newRow("jpeg without its end marker") << "senzafine.jpg" << int(Bytes) << seedCut("ring.jpg", 2) << int(Refused);
    QTest::newRow("jpeg with bytes after its end marker") << "coda.jpg" << int(Bytes) << seedCut("ring.jpg", 0) + "coda"
                                                          << int(Opens);
    QTest::newRow("jpeg cut in half") << "mezzo.jpg" << int(Bytes) << jpeg.left(jpeg.size() / 2) << int(Refused);
    QTest::newRow("gif cut short") << "corto.gif" << int(Bytes) << onePixelGif().left(20) << int(Refused);
    QTest::newRow("bmp says 200 x 200 over 16 x 16 pixels") << "bugia.bmp" << int(Bytes) << bmpClaiming(200, 200) << int(Refused);
    QTest::newRow("bmp with a negative width") << "storto.bmp" << int(Bytes) << bmpClaiming(-16, 16) << int(Refused);
    QTest::newRow("bmp claims 60000 x 60000") << "enorme.bmp" << int(Bytes) << bmpClaiming(60000, 60000) << int(TooLarge);
    QTest::newRow("jpeg claims 60000 x 60000") << "enorme.jpg" << int(Bytes) << jpegClaiming(60000, 60000) << int(TooLarge);
    QTest::newRow("gif claims 60000 x 60000") << "enorme.gif" << int(Bytes) << gifClaiming(60000, 60000) << int(TooLarge);
    QTest::newRow("6000 x 6000 real pixels, past the memory limit") << "grande.bmp" << int(Bytes) << encoded(mono, "BMP") << int(TooLarge);
    QImage wide(40000, 1, QImage::Format_Mono);
    wide.fill(1);
    QTest::newRow("40000 x 1, wider than the painter draws") << "larga.bmp" << int(Bytes) << encoded(wide, "BMP") << int(TooLarge);
    QTest::newRow("20000 x 1, thin but small") << "striscia.bmp" << int(Bytes)
                                               << encoded(solid(20000, 1, qRgb(0, 0, 0)), "BMP") << int(Opens);
    QTest::newRow("text named jpg") << "testo.jpg" << int(Bytes) << QByteArray("non sono un disegno\n") << int(Refused);
    QTest::newRow("web page named bmp") << "pagina.bmp" << int(Bytes) << QByteArray("<html><body>404</body></html>") << int(Refused);
    QTest::newRow("empty gif") << "vuoto.gif" << int(Bytes) << QByteArray() << int(Refused);
    if (bytesOnly)
        return;
    QTest::newRow("folder named bmp") << "cartella.bmp" << int(Folder) << QByteArray() << int(Refused);
    QTest::newRow("named pipe named bmp") << "tubo.bmp" << int(Pipe) << QByteArray() << int(Refused);
    QTest::newRow("link to an endless device") << "zeri.bmp" << int(Link) << QByteArray("/dev/zero") << int(Refused);
    QTest::newRow("link to itself") << "anello.bmp" << int(Link) << QByteArray("anello.bmp") << int(Refused);
    QTest::newRow("link to nothing") << "perso.bmp" << int(Link) << QByteArray("non-esiste.bmp") << int(Refused);
    QByteArray rle = bmpClaiming(16, 2147483647).left(54);
    rle[28] = 8, rle[30] = 1; // 8 bits a pixel, run-length coded
    QTest::newRow("rle8 claims 16 x 2147483647 over a gigabyte of zeros") << "infinita.bmp" << int(Sparse) << rle << int(TooLarge);
}

QString TestBadPictures::place(const QString &folder)
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QByteArray, bytes);
    const QString path = folder + QLatin1Char('/') + name;
    switch (kind) {
    case Sparse:
    case Bytes: {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || (kind == Sparse && !file.resize(1 << 30)))
            qFatal("cannot write %s", qPrintable(path));
        break;
    }
    case Folder:
        QDir().mkpath(path);
        break;
    case Pipe:
        if (mkfifo(QFile::encodeName(path).constData(), 0644) != 0)
            qFatal("cannot make the pipe %s", qPrintable(path));
        break;
    case Link:
        QFile::link(QString::fromUtf8(bytes), path);
        break;
    }
    return path;
}

// The loader gives a picture or a refusal that says why, for a file and for its bytes.
void TestBadPictures::loaderAnswers()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(int, outcome);
    const QString path = place(m_program->path());
    auto failure = PictureFailure::Unreadable;
    // A file that claims far more than it holds is judged by its header: nothing reads on through it.
    const auto bytesRead = [] { QFile io("/proc/self/io"); return io.open(QIODevice::ReadOnly) ? io.readLine().mid(7).toLongLong() : 0; };
    const qint64 readBefore = bytesRead();
    const auto picture = loadPicture(path, &failure);
    QVERIFY(kind != Sparse || bytesRead() - readBefore < 1024 * 1024);
    QCOMPARE(bool(picture), outcome == Opens);
    if (picture)
        QVERIFY(!picture->isNull());
    else
        QCOMPARE(failure, outcome == TooLarge ? PictureFailure::TooLarge : PictureFailure::Unreadable);
    if (kind == Bytes) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(bool(loadPicture(&buffer)), outcome == Opens);
    }
}

// The preview keeps its picture, the sheet its drawing; only a chosen picture
// too large to open is told about.
void TestBadPictures::chooserKeepsPreviewAndSheet()
{
    QFETCH(QString, name);
    QFETCH(int, outcome);
    QVERIFY(solid(40, 30, qRgb(0, 0, 255)).save(drawings() + QStringLiteral("/0-buono.bmp"), "BMP"));
    place(drawings());
    PictureBox sheet;
    const QImage drawing = solid(30, 20, qRgb(10, 200, 10));
    sheet.setPicture(drawing);
    FrmColScegli chooser(&sheet);
    QCOMPARE(chooser.Image1->picture().size(), QSize(40, 30));

    int index = -1;
    for (int i = 0; i < chooser.List1->listCount(); ++i)
        if (chooser.List1->list(i) == name)
            index = i;
    if (index < 0) {
        // Not an ordinary file: the scan leaves it out, and nothing can choose it.
        QVERIFY(!QFileInfo(drawings() + QLatin1Char('/') + name).isFile());
        QCOMPARE(chooser.List1->listCount(), 1);
        return;
    }
    chooser.List1->setListIndex(index);
    QCOMPARE(chooser.FileScelto, drawings() + QLatin1Char('/') + name);
    if (outcome != Opens)
        QCOMPARE(chooser.Image1->picture().size(), QSize(40, 30));
    chooser.Command1_Click();
    QVERIFY(chooser.isHidden());
    if (outcome == Opens)
        QVERIFY(sheet.picture() != drawing);
    else
        QCOMPARE(sheet.picture(), drawing);
    QCOMPARE(m_messages.texts, outcome == TooLarge ? QStringList{pictureTooLargeMessage()} : QStringList());
}

// The first drawing at start-up is a bad one: the sheet stays empty, silently.
// Asked for on the command line, it leaves the same start-up and a message
// that names it.
void TestBadPictures::startUpGoesOnWithAnEmptySheet()
{
    QFETCH(QString, name);
    QFETCH(int, outcome);
    const QString path = place(drawings());
    Form1::Options options;
    options.programFolder = m_program->path();
    options.random = [] { return 0.0; };
    for (const QString &asked : {QString(), path}) {
        options.pictureFile = asked;
        Form1 form(options);
        form.show();
        QCoreApplication::processEvents();
        QVERIFY(form.isVisible());
        const bool listed = QFileInfo(path).isFile();
        QCOMPARE(form.Picture1->picture().isNull(), outcome != Opens || !listed);
        QCOMPARE(m_messages.texts.size(), asked.isEmpty() || outcome == Opens ? 0 : 1);
        if (!m_messages.texts.isEmpty())
            QVERIFY(m_messages.texts.takeFirst().startsWith(QStringLiteral("Impossibile aprire il file \"%1\"").arg(path)));
    }
}

// A dropped bad file leaves the drawing and its colouring; a dropped picture
// too large to open is told about once the drop is over.
void TestBadPictures::dropKeepsTheDrawing()
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(place(m_program->path()))});
    dropOnASheet(&data);
}

// The same pictures dragged out of another program, as the bytes of their files.
void TestBadPictures::droppedBytesKeepTheDrawing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    OtherProgramsPicture data(QStringLiteral("image/") + QFileInfo(name).suffix(), bytes);
    dropOnASheet(&data);
}

void TestBadPictures::dropOnASheet(QMimeData *data)
{
    QFETCH(int, outcome);
    QWidget window;
    auto *sheet = new PictureBox(&window);
    sheet->setAutoSize(true);
    sheet->setAutomaticDrop(true);
    const QImage drawing = solid(30, 20, qRgb(10, 200, 10));
    sheet->setPicture(drawing);
    sheet->pset(3, 3, ColorValue(0x0000FF));
    const QImage coloured = sheet->image();

    window.show();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet, &dropped);
    QVERIFY(m_messages.texts.isEmpty());
    QCoreApplication::processEvents();
    if (outcome == Opens) {
        QVERIFY(sheet->picture() != drawing);
    } else {
        QCOMPARE(sheet->picture(), drawing);
        QCOMPARE(sheet->image(), coloured);
    }
    QCOMPARE(m_messages.texts, outcome == TooLarge ? QStringList{pictureTooLargeMessage()} : QStringList());
}

// Picture data dropped as it stands (not a file) passes the same size test.
void TestBadPictures::droppedPictureDataTooLarge()
{
    QWidget window;
    auto *sheet = new PictureBox(&window);
    sheet->setAutomaticDrop(true);
    const QImage drawing = solid(30, 20, qRgb(10, 200, 10));
    sheet->setPicture(drawing);
    window.show();
    QMimeData data;
    data.setImageData(solid(40000, 2, qRgb(0, 0, 0)));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet, &dropped);
    QCoreApplication::processEvents();
    QCOMPARE(sheet->picture(), drawing);
    QCOMPARE(m_messages.texts, QStringList{pictureTooLargeMessage()});
}

void TestBadPictures::fuzzerFilesAreSafe_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(QStringLiteral(PINTAVO_FUZZ_CORPUS));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    QVERIFY(names.size() >= 20);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
}

// The fuzzer's seeds and every input it ever found at fault, through what the
// fuzzer does: read, put on a sheet set up like the main window's, filled, and
// shown in the chooser's preview.
void TestBadPictures::fuzzerFilesAreSafe()
{
    QFETCH(QString, path);
    auto failure = PictureFailure::Unreadable;
    const auto picture = loadPicture(path, &failure);
    if (!picture)
        return;
    QVERIFY(!isTooLargeForTheSheet(picture->size()));
    PictureBox sheet;
    sheet.setBorderWidth(2);
    sheet.setAutoSize(true);
    sheet.setBackColor(ColorValue(0xFFFFFF));
    sheet.setPicture(*picture);
    QCOMPARE(sheet.image().size(), picture->size());
    sheet.setFillColor(ColorValue(0x0000FF));
    sheet.extFloodFill(0, 0, sheet.point(0, 0), FloodFillType::Surface);
    ImageBox preview;
    preview.setPicture(*picture);
    preview.setStretch(true);
    preview.setTwipsRect(QRectF(0, 0, 3645, 3645));
    QVERIFY(!preview.grab().isNull());
}

PINTAVO_GUI_TEST_MAIN(TestBadPictures)
#include "tst_badpictures.moc"
