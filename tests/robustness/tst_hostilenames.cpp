// Hostile file names through rename, delete, save and the desktop launcher: kept as typed, nothing run.
#include "app/Environment.h"
#include "app/Module1.h"
#include "chooser/FrmColScegli.h"
#include "platform/dialogs/CommonDialog.h"
#include "platform/picture/ImageBox.h"
#include "platform/dialogs/InputBox.h"
#include "platform/system/Launcher.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/controls/PopupMenu.h"
#include "sheet/Form1.h"
#include "support/Encoded.h"
#include "support/TestMain.h"

#include <QDirIterator>
#include <QLabel>
#include <QProcess>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// A name that a shell would act on leaves this file behind when anything runs it.
const QString Signal = QStringLiteral("SEGNALE");

QImage solid(int width, int height, QRgb rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return image;
}

} // namespace

class TestHostileNames : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void renameToTheName_data() { names(); }
    void renameToTheName();
    void renameFromTheName_data() { names(); }
    void renameFromTheName();
    void deleteTheName_data() { names(); }
    void deleteTheName();
    void saveUnderTheName_data() { names(); }
    void saveUnderTheName();
    void desktopGetsTheNameAsOneArgument_data() { names(); }
    void desktopGetsTheNameAsOneArgument();
    void nameFromAnotherSystem_data() { otherSystemNames(); }
    void nameFromAnotherSystem();
    void startUpPicksANameFromAnotherSystem_data() { otherSystemNames(); }
    void startUpPicksANameFromAnotherSystem();

private:
    void names();
    // Names as bytes that need not be UTF-8, and the text they are shown as.
    void otherSystemNames();
    QByteArray writeNative(const QByteArray &name) const;
    QString drawings() const { return m_program->filePath(QStringLiteral("Immagini")); }
    // Every name below the program folder, the home folder and the working folder.
    QStringList everything() const;
    void verifyNothingRan() const;

    QTemporaryDir m_opener;
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<PictureBox> m_sheet;
    MessageBox::Recorder m_messages;
    InputBox::Recorder m_inputs;
    PopupMenu::Recorder m_menus;
    CommonDialog::Recorder m_dialog;
    Launcher::Recorder m_launches;
};

void TestHostileNames::init()
{
    Module1::reset();
    m_program = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_program->path()).mkdir(QStringLiteral("Immagini")));
    QVERIFY(QDir::setCurrent(m_program->path()));
    Module1::Percorso = m_program->path() + QLatin1Char('/');
    m_messages = {};
    m_inputs = {};
    m_menus = {};
    m_dialog = {};
    m_launches = {};
    MessageBox::recordForTests(&m_messages);
    InputBox::recordForTests(&m_inputs);
    PopupMenu::recordForTests(&m_menus);
    CommonDialog::recordForTests(&m_dialog);
    Launcher::recordForTests(&m_launches);
    m_sheet = std::make_unique<PictureBox>();
    QVERIFY(solid(40, 30, qRgb(0, 0, 255)).save(drawings() + QStringLiteral("/altro.bmp"), "BMP"));
}

void TestHostileNames::cleanup()
{
    MessageBox::recordForTests(nullptr);
    InputBox::recordForTests(nullptr);
    PopupMenu::recordForTests(nullptr);
    CommonDialog::recordForTests(nullptr);
    Launcher::recordForTests(nullptr);
    m_sheet.reset();
    QDir::setCurrent(QDir::tempPath());
    m_program.reset();
}

void TestHostileNames::names()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("blanks") << " due  spazi .bmp";
    QTest::newRow("quotes") << "\"virgolette\" e 'apici'.bmp";
    QTest::newRow("leading dash") << "-rf.bmp";
    QTest::newRow("looks like an option") << "--help=SEGNALE.bmp";
    QTest::newRow("semicolons") << "a;touch SEGNALE;b.bmp";
    QTest::newRow("dollar signs and backquotes") << "$HOME $(touch SEGNALE) `touch SEGNALE` ${IFS}.bmp";
    QTest::newRow("newline") << "prima riga\ntouch SEGNALE.bmp";
    QTest::newRow("non-Latin letters") << "猫 кошка γάτα قطة.bmp";
    QTest::newRow("wildcards") << "* ? [a-z].bmp";
    QTest::newRow("percent and backslash") << "%s %n 100% a\\b.bmp";
    QTest::newRow("redirection and pipe") << "a > SEGNALE | b & c.bmp";
}

QStringList TestHostileNames::everything() const
{
    QStringList found;
    for (const QString &root : {m_program->path(), QDir::homePath()}) {
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(it.next());
    }
    found.sort();
    return found;
}

void TestHostileNames::verifyNothingRan() const
{
    for (const QString &path : everything())
        QVERIFY2(QFileInfo(path).fileName() != Signal, qPrintable(path));
}

// The file takes exactly the typed name; the other file and the folder stay.
void TestHostileNames::renameToTheName()
{
    QFETCH(QString, name);
    QVERIFY(solid(50, 20, qRgb(255, 255, 0)).save(drawings() + QStringLiteral("/sole.bmp"), "BMP"));
    FrmColScegli chooser(m_sheet.get());
    chooser.List1->setListIndex(1);
    m_menus.choices = {QStringLiteral("MenuRinomina")};
    m_inputs.answers = {name};
    chooser.List1_MouseDown(2, 0, 5, 5);

    QVERIFY(m_messages.texts.isEmpty());
    QStringList files = QDir(drawings()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    QStringList expected = {QStringLiteral("altro.bmp"), name};
    expected.sort();
    QCOMPARE(files, expected);
    QCOMPARE(chooser.List1->list(1), name);
    QCOMPARE(chooser.FileScelto, drawings() + QLatin1Char('/') + name);
    QCOMPARE(QImage(drawings() + QLatin1Char('/') + name).size(), QSize(50, 20));
    verifyNothingRan();
}

void TestHostileNames::renameFromTheName()
{
    QFETCH(QString, name);
    QVERIFY(solid(50, 20, qRgb(255, 255, 0)).save(drawings() + QLatin1Char('/') + name, "BMP"));
    FrmColScegli chooser(m_sheet.get());
    const int index = chooser.List1->list(0) == name ? 0 : 1;
    QCOMPARE(chooser.List1->list(index), name);
    chooser.List1->setListIndex(index);
    QCOMPARE(chooser.Image1->picture().size(), QSize(50, 20));
    m_menus.choices = {QStringLiteral("MenuRinomina")};
    m_inputs.answers = {QStringLiteral("normale.bmp")};
    chooser.List1_MouseDown(2, 0, 5, 5);

    QVERIFY(m_messages.texts.isEmpty());
    QCOMPARE(m_inputs.defaultTexts, QStringList{name});
    QStringList files = QDir(drawings()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    QCOMPARE(files, QStringList({"altro.bmp", "normale.bmp"}));
    verifyNothingRan();
}

// Only the named file goes: a name that looks like an option or a pattern
// touches nothing else.
void TestHostileNames::deleteTheName()
{
    QFETCH(QString, name);
    QVERIFY(solid(50, 20, qRgb(255, 255, 0)).save(drawings() + QLatin1Char('/') + name, "BMP"));
    FrmColScegli chooser(m_sheet.get());
    const int index = chooser.List1->list(0) == name ? 0 : 1;
    chooser.List1->setListIndex(index);
    const QStringList before = everything();
    m_menus.choices = {QStringLiteral("menuCancellaFile")};
    m_messages.answers = {MessageBox::Ok};
    chooser.List1_MouseDown(2, 0, 5, 5);

    QCOMPARE(m_messages.texts, QStringList{QStringLiteral("Sei sicuro di vole cancellare il file ") + name
                                           + QStringLiteral(" ?")});
    QStringList after = before;
    after.removeOne(drawings() + QLatin1Char('/') + name);
    QCOMPARE(everything(), after);
    QCOMPARE(chooser.List1->listCount(), 1);
    QCOMPARE(chooser.List1->list(0), QStringLiteral("altro.bmp"));
}

// The sheet is written under exactly the name, and the launcher gets that name.
void TestHostileNames::saveUnderTheName()
{
    QFETCH(QString, name);
    Form1::Options options;
    options.programFolder = m_program->path();
    options.random = [] { return 0.0; };
    Form1 form(options);
    const QString path = m_program->filePath(name);
    m_dialog.fileNames = {path};
    form.Command5_Click();

    QVERIFY(m_messages.texts.isEmpty());
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(QImage(path, "BMP").size(), form.Picture1->image().size());
    QCOMPARE(m_launches.arguments, QStringList{path});
    QStringList top = QDir(m_program->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    top.sort();
    QStringList expected = {QStringLiteral("Immagini"), name};
    expected.sort();
    QCOMPARE(top, expected);
    verifyNothingRan();
}

// On Linux Qt's desktop services run the opener as the command line "opener" +
// the address in its encoded form, split at blanks and double quotes, with no
// shell. The address of any name must come out as one argument that names the
// file, and a stand-in opener run with it must receive exactly that.
void TestHostileNames::desktopGetsTheNameAsOneArgument()
{
    QFETCH(QString, name);
    const QString file = drawings() + QLatin1Char('/') + name;
    QVERIFY(solid(5, 5, qRgb(0, 0, 0)).save(file, "BMP"));
    const QUrl url = Launcher::urlFor(file);
    QCOMPARE(url.toLocalFile(), file);
    const QStringList command = QProcess::splitCommand(m_opener.filePath(QStringLiteral("xdg-open")) + QLatin1Char(' ')
                                                       + QString::fromLatin1(url.toEncoded()));
    QCOMPARE(command.size(), 2);

    const QString record = m_program->filePath(QStringLiteral("argomenti"));
    QProcess opener;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PINTAVO_OPENER_RECORD"), record);
    opener.setProcessEnvironment(environment);
    opener.start(command.first(), command.mid(1));
    QVERIFY(opener.waitForFinished(10000));
    QFile got(record);
    QVERIFY(got.open(QIODevice::ReadOnly));
    const QList<QByteArray> fields = got.readAll().split('\0');
    QCOMPARE(fields.value(0), QByteArray("1"));
    const QUrl received = QUrl::fromEncoded(fields.value(1), QUrl::StrictMode);
    QVERIFY2(received.isValid(), fields.value(1).constData());
    QCOMPARE(received.toLocalFile(), file);
    verifyNothingRan();
}

void TestHostileNames::otherSystemNames()
{
    QTest::addColumn<QByteArray>("native");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Latin-1") << QByteArray("perch\xe8.bmp") << QStringLiteral("perchè.bmp");
    QTest::newRow("Windows-1252 quotes") << QByteArray("\x93sole\x94.gif") << QStringLiteral("“sole”.gif");
    QTest::newRow("UTF-8 cut short") << QByteArray("caf\xc3.jpg") << QStringLiteral("cafÃ.jpg");
    QTest::newRow("UTF-8") << QByteArray("perch\xc3\xa9.bmp") << QStringLiteral("perché.bmp");
}

// A 50 x 20 bitmap under exactly these bytes in the drawings; its native path.
QByteArray TestHostileNames::writeNative(const QByteArray &name) const
{
    const QByteArray path = QFile::encodeName(drawings()) + '/' + name;
    const QByteArray bitmap = encoded(solid(50, 20, qRgb(255, 255, 0)), "BMP");
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && ::write(fd, bitmap.constData(), size_t(bitmap.size())) == bitmap.size();
    if (fd < 0 || ::close(fd) != 0 || !written)
        qFatal("cannot write %s", path.constData());
    return path;
}

// Listed, counted, previewed, chosen, renamed and deleted like any other.
void TestHostileNames::nameFromAnotherSystem()
{
    QFETCH(QByteArray, native);
    QFETCH(QString, shown);
    const QByteArray path = writeNative(native);
    FrmColScegli chooser(m_sheet.get());
    QCOMPARE(chooser.List1->list(1), shown);
    QCOMPARE(chooser.Label17->text(), QStringLiteral("N. 2 Immagini"));
    chooser.List1->setListIndex(1);
    QCOMPARE(chooser.FileScelto, drawings() + QLatin1Char('/') + shown);
    QCOMPARE(chooser.Image1->picture().size(), QSize(50, 20));
    chooser.Command1_Click();
    QCOMPARE(m_sheet->picture().size(), QSize(50, 20));

    m_menus.choices = {QStringLiteral("menuCancellaFile")};
    m_messages.answers = {MessageBox::Ok};
    chooser.List1_MouseDown(2, 0, 5, 5);
    QCOMPARE(m_messages.texts, QStringList{QStringLiteral("Sei sicuro di vole cancellare il file ") + shown
                                           + QStringLiteral(" ?")});
    QCOMPARE(::access(path.constData(), F_OK), -1);
    QCOMPARE(chooser.List1->listCount(), 1);

    writeNative(native);
    chooser.PrendiLeFoto();
    chooser.List1->setListIndex(1);
    m_menus.choices = {QStringLiteral("MenuRinomina")};
    m_inputs.answers = {QStringLiteral("nuovo.bmp")};
    chooser.List1_MouseDown(2, 0, 5, 5);
    QCOMPARE(m_inputs.defaultTexts, QStringList{shown});
    QCOMPARE(m_messages.texts.size(), 1);
    QCOMPARE(::access(path.constData(), F_OK), -1);
    QCOMPARE(chooser.List1->list(1), QStringLiteral("nuovo.bmp"));
    QCOMPARE(QImage(drawings() + QStringLiteral("/nuovo.bmp")).size(), QSize(50, 20));
}

void TestHostileNames::startUpPicksANameFromAnotherSystem()
{
    QFETCH(QByteArray, native);
    QFETCH(QString, shown);
    writeNative(native);
    Form1::Options options;
    options.programFolder = m_program->path();
    options.random = [] { return 0.15; }; // the second file
    Form1 form(options);
    QCOMPARE(form.Picture1->picture().size(), QSize(50, 20));
    QCOMPARE(form.Picture1->fileName(), drawings() + QLatin1Char('/') + shown);
}

// A stand-in for the desktop's opener that writes the arguments it was given
// where PINTAVO_OPENER_RECORD says.
void TestHostileNames::initTestCase()
{
    QVERIFY(m_opener.isValid());
    QFile opener(m_opener.filePath(QStringLiteral("xdg-open")));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\n"
                 "printf '%s\\0' \"$#\" \"$@\" > \"$PINTAVO_OPENER_RECORD\"\n");
    opener.close();
    QVERIFY(opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

PINTAVO_GUI_TEST_MAIN(TestHostileNames)
#include "tst_hostilenames.moc"
