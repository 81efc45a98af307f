// The about box: its controls and texts, the ways out, the maker's links and the system information button.
#include "about/frmAbout.h"
#include "app/AppInfo.h"
#include "app/Environment.h"
#include "app/Module1.h"
#include "platform/system/Launcher.h"
#include "platform/controls/LineControl.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/system/ProgramStarter.h"
#include "platform/system/Registry.h"
#include "platform/controls/TwipsGeometry.h"
#include "support/TestMain.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <memory>

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString NotAvailable = QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili.");

QString textOf(const QWidget *control)
{
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return QString();
}

} // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadSetsCaptionTitleAndVersion();
    void controlTexts_data();
    void controlTexts();
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void threeColouredLines();
    void pictures();
    void modalWithoutOwner();

    void keysPressOk_data();
    void keysPressOk();
    void enterOnSystemInfoKeepsTheBoxOpen();
    void closeBoxCloses();

    void znfOpensTheBundlePageAndCloses();
    void makerPictureOpensTheSiteAndCloses();

    void systemInfo_data();
    void systemInfo();

private:
    std::unique_ptr<frmAbout> showAbout();

    MessageBox::Recorder m_messages;
    Launcher::Recorder m_launched;
    ProgramStarter::Recorder m_started;
};

void TestFrmAbout::init()
{
    Module1::reset();
    Module1::Percorso = QStringLiteral("/opt/pintavo/");
    Registry::clear();
    m_messages = {};
    m_launched = {};
    m_started = {};
    MessageBox::recordForTests(&m_messages);
    Launcher::recordForTests(&m_launched);
    ProgramStarter::recordForTests(&m_started);
}

void TestFrmAbout::cleanup()
{
    MessageBox::recordForTests(nullptr);
    Launcher::recordForTests(nullptr);
    ProgramStarter::recordForTests(nullptr);
}

std::unique_ptr<frmAbout> TestFrmAbout::showAbout()
{
    auto about = std::make_unique<frmAbout>();
    about->show();
    if (!QTest::qWaitForWindowActive(about.get()))
        qWarning("the about box did not become active");
    return about;
}

void TestFrmAbout::loadSetsCaptionTitleAndVersion()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su Pintavo"));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("Pintavo"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Versione 1.0.1"));
    QCOMPARE(about.lblTitle->font().pointSizeF(), 12.0);
    QVERIFY(about.lblTitle->font().bold());
    QCOMPARE(about.lblVersion->font().pointSizeF(), 8.25);
}

void TestFrmAbout::controlTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("description")
        << QStringLiteral("lblDescription")
        << QStringLiteral("Con questo programma freeware puoi colorare tutte le immagini che vuoi,in questa "
                          "versione freeware ce ne sono una trentina, altre le puoi scaricare da Internet ed "
                          "utilizzare direttamente semplicemente trascinandole nell'apposito box.")
        << QString();
    QTest::newRow("Zanfir note")
        << QStringLiteral("lblDisclaimer")
        << QStringLiteral("Nella versione di Pintavo fornita nel Zanfir troverai centinaia di altre immagini.")
        << QString();
    QTest::newRow("emblem") << QStringLiteral("Picture2") << QString() << QStringLiteral("Prodotto Italiano");
    QTest::newRow("maker's picture") << QStringLiteral("Picture1") << QString()
                                     << QStringLiteral("Visita il sito dell'autore ...");
    QTest::newRow("bundle button") << QStringLiteral("Command10") << QStringLiteral("ZNF")
                                   << QStringLiteral("Visualizza contenuto Zanfir");
    QTest::newRow("OK has a picture and no caption") << QStringLiteral("cmdOK") << QString() << QString();
    QTest::newRow("system information") << QStringLiteral("cmdSysInfo") << QStringLiteral("&System Info...")
                                        << QString();
}

void TestFrmAbout::controlTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    frmAbout about;
    const auto *control = about.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(textOf(control), text);
    QCOMPARE(control->toolTip(), toolTip);
}

void TestFrmAbout::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("picIcon") << QStringLiteral("picIcon") << QRect(330, 240, 480, 480);
    QTest::newRow("lblTitle") << QStringLiteral("lblTitle") << QRect(1890, 300, 3675, 465);
    QTest::newRow("lblVersion") << QStringLiteral("lblVersion") << QRect(2310, 840, 2865, 225);
    QTest::newRow("lblDescription") << QStringLiteral("lblDescription") << QRect(2550, 1080, 2445, 2250);
    QTest::newRow("Picture2") << QStringLiteral("Picture2") << QRect(6420, 2880, 480, 480);
    QTest::newRow("lblDisclaimer") << QStringLiteral("lblDisclaimer") << QRect(195, 3675, 3870, 435);
    QTest::newRow("Picture1") << QStringLiteral("Picture1") << QRect(180, 4140, 1800, 435);
    QTest::newRow("Command10") << QStringLiteral("Command10") << QRect(2040, 4170, 525, 405);
    QTest::newRow("cmdOK") << QStringLiteral("cmdOK") << QRect(5655, 3645, 1260, 510);
    QTest::newRow("cmdSysInfo") << QStringLiteral("cmdSysInfo") << QRect(5670, 4230, 1245, 405);
}

void TestFrmAbout::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    frmAbout about;
    const auto *control = about.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(twipsRect(control), twips);
    QVERIFY(about.rect().contains(control->geometry()));
}

void TestFrmAbout::threeColouredLines()
{
    frmAbout about;
    QCOMPARE(about.size(), QSize(478, 329)); // an inner area of 7170 x 4935 twips
    QVERIFY(!about.Line1[1]);
    const struct { int index; int y; quint32 color; QRgb rgb; } expected[] = {
        {0, 3430, 0x0000FF, qRgb(255, 0, 0)},
        {3, 3470, 0xFFFFFF, qRgb(255, 255, 255)},
        {2, 3510, 0x008000, qRgb(0, 128, 0)},
    };
    const QImage shot = about.grab().toImage();
    for (const auto &line : expected) {
        const LineControl *control = about.Line1[size_t(line.index)];
        QVERIFY(control);
        QCOMPARE(control->objectName(), QStringLiteral("Line1"));
        QCOMPARE(control->property("Index").toInt(), line.index);
        QCOMPARE(control->line(), QLine(180, line.y, 6900, line.y));
        QCOMPARE(control->borderWidth(), 2);
        QCOMPARE(control->borderColor().value(), line.color);

        // Drawn 2 pixels thick across the box, from x 12 to x 460, and no further.
        int rows = 0;
        for (int y = line.y / 15 - 3; y <= line.y / 15 + 3; ++y)
            rows += shot.pixel(200, y) == line.rgb;
        QCOMPARE(rows, 2);
        const int y = line.y / 15;
        const int row = shot.pixel(12, y) == line.rgb ? y : y - 1;
        QCOMPARE(shot.pixel(12, row), line.rgb);
        QCOMPARE(shot.pixel(459, row), line.rgb);
        QVERIFY(shot.pixel(11, row) != line.rgb);
        QVERIFY(shot.pixel(460, row) != line.rgb);
    }
}

void TestFrmAbout::pictures()
{
    frmAbout about;
    for (PictureBox *box : {about.picIcon, about.Picture2, about.Picture1}) {
        QVERIFY2(!box->picture().isNull(), qPrintable(box->objectName()));
        QCOMPARE(box->picture().size(), box->size());
    }
    QCOMPARE(about.Picture1->picture().size(), QSize(120, 29));
    QCOMPARE(about.picIcon->picture().size(), QSize(32, 32));
    QCOMPARE(about.Picture2->picture().size(), QSize(32, 32));

    // The emblem shows the flag's three colours side by side.
    const QImage emblem = about.Picture2->image();
    const auto near = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) < 40 && qAbs(qGreen(a) - qGreen(b)) < 40 && qAbs(qBlue(a) - qBlue(b)) < 40;
    };
    QVERIFY(near(emblem.pixel(9, 12), qRgb(0, 146, 70)));
    QVERIFY(near(emblem.pixel(16, 20), qRgb(255, 255, 255)));
    QVERIFY(near(emblem.pixel(23, 12), qRgb(206, 43, 55)));

    QVERIFY(!about.cmdOK->icon().isNull());
    QCOMPARE(about.cmdOK->iconSize(), QSize(32, 32));

    const QCursor pointer = about.Picture1->cursor();
    QCOMPARE(pointer.shape(), Qt::BitmapCursor);
    QCOMPARE(pointer.pixmap().size(), QSize(32, 32));
    QVERIFY(pointer.pixmap().toImage().pixelColor(6, 6).alpha() > 0);
    // Only the picture has its own pointer; the rest of the box keeps the usual one.
    QCOMPARE(about.cursor().shape(), Qt::ArrowCursor);
}

void TestFrmAbout::modalWithoutOwner()
{
    frmAbout about;
    QVERIFY(!about.parentWidget());
    QCOMPARE(about.windowModality(), Qt::ApplicationModal);
    QVERIFY(about.cmdOK->isDefault());
}

void TestFrmAbout::keysPressOk_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::newRow("Enter") << int(Qt::Key_Return) << QStringLiteral("cmdOK");
    QTest::newRow("Enter of the keypad") << int(Qt::Key_Enter) << QStringLiteral("cmdOK");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << QStringLiteral("cmdOK");
    QTest::newRow("Esc on System Info") << int(Qt::Key_Escape) << QStringLiteral("cmdSysInfo");
    QTest::newRow("Esc on ZNF") << int(Qt::Key_Escape) << QStringLiteral("Command10");
}

// OK is both default and cancel button: it closes the box as accepted, and
// nothing else happens.
void TestFrmAbout::keysPressOk()
{
    QFETCH(int, key);
    QFETCH(QString, focus);
    const auto about = showAbout();
    QCOMPARE(QApplication::focusWidget(), about->cmdOK);
    QSignalSpy pressed(about->cmdOK, &QPushButton::clicked);
    auto *focused = about->findChild<QWidget *>(focus);
    focused->setFocus();
    QCOMPARE(QApplication::focusWidget(), focused);

    QTest::keyClick(focused, Qt::Key(key));

    QCOMPARE(pressed.count(), 1);
    QVERIFY(!about->isVisible());
    QCOMPARE(about->result(), int(QDialog::Accepted));
    QVERIFY(m_launched.arguments.isEmpty());
    QVERIFY(m_started.fileNames.isEmpty());
    QVERIFY(m_messages.texts.isEmpty());
}

// Enter presses the button that has the focus, like a click on it.
void TestFrmAbout::enterOnSystemInfoKeepsTheBoxOpen()
{
    Registry::setValue(Registry::LocalMachine, ToolKey, QStringLiteral("PATH"), Registry::Text,
                       Registry::textData(QStringLiteral("/usr/bin/hardinfo")));
    const auto about = showAbout();
    about->cmdSysInfo->setFocus();
    QTest::keyClick(about->cmdSysInfo, Qt::Key_Return);
    QCOMPARE(m_started.fileNames, QStringList{QStringLiteral("/usr/bin/hardinfo")});
    QVERIFY(about->isVisible());
}

void TestFrmAbout::closeBoxCloses()
{
    const auto about = showAbout();
    QVERIFY(about->close());
    QVERIFY(!about->isVisible());
    QVERIFY(m_launched.arguments.isEmpty());
}

void TestFrmAbout::znfOpensTheBundlePageAndCloses()
{
    const auto about = showAbout();
    QTest::mouseClick(about->Command10, Qt::LeftButton);
    QCOMPARE(m_launched.arguments, QStringList{QStringLiteral("/opt/pintavo/znf.htm")});
    QVERIFY(!about->isVisible());
}

void TestFrmAbout::makerPictureOpensTheSiteAndCloses()
{
    const auto about = showAbout();
    // Pressing and moving off before letting go is no click.
    QTest::mousePress(about->Picture1, Qt::LeftButton, {}, QPoint(60, 14));
    QTest::mouseRelease(about->Picture1, Qt::LeftButton, {}, QPoint(200, 14));
    QVERIFY(m_launched.arguments.isEmpty());
    QVERIFY(about->isVisible());

    QTest::mouseClick(about->Picture1, Qt::LeftButton, {}, QPoint(60, 14));
    QCOMPARE(m_launched.arguments, QStringList{AppInfo::MakerSite});
    QCOMPARE(m_launched.arguments.first(), QStringLiteral("http://www.pintavo.example/"));
    QVERIFY(!about->isVisible());
}

void TestFrmAbout::systemInfo_data()
{
    QTest::addColumn<QString>("pathValue");   // the tool's full name under the first key; null: no such key
    QTest::addColumn<quint32>("pathType");
    QTest::addColumn<bool>("location");       // the second key names the test's folder
    QTest::addColumn<QString>("fileInFolder");
    QTest::addColumn<bool>("fileIsFolder");
    QTest::addColumn<quint32>("keyAccess");   // the rights both keys may be opened with
    QTest::addColumn<bool>("starts");         // what starting the program answers
    QTest::addColumn<QString>("started");     // {dir} is the test's folder; empty: nothing started
    QTest::addColumn<bool>("message");

    const quint32 text = Registry::Text;
    const quint32 all = Registry::AllAccess;
    const QString tool = QStringLiteral("/usr/bin/hardinfo");
    const QString none;
    QTest::newRow("full name under the first key") << tool << text << false << none << false << all << true << tool
                                                   << false;
    QTest::newRow("full name that does not start") << tool << text << false << none << false << all << false << tool
                                                   << true;
    QTest::newRow("first key wins over the folder")
        << tool << text << true << QStringLiteral("MSINFO32.EXE") << false << all << true << tool << false;
    QTest::newRow("first key of another type starts nothing")
        << tool << quint32(Registry::Binary) << true << QStringLiteral("MSINFO32.EXE") << false << all << true << none
        << true;
    QTest::newRow("folder holding the tool")
        << QString() << text << true << QStringLiteral("MSINFO32.EXE") << false << all << true
        << QStringLiteral("{dir}/MSINFO32.EXE") << false;
    QTest::newRow("folder holding it in small letters")
        << QString() << text << true << QStringLiteral("msinfo32.exe") << false << all << true
        << QStringLiteral("{dir}/msinfo32.exe") << false;
    QTest::newRow("tool in the folder that does not start")
        << QString() << text << true << QStringLiteral("MSINFO32.EXE") << false << all << false
        << QStringLiteral("{dir}/MSINFO32.EXE") << true;
    QTest::newRow("folder without the tool") << QString() << text << true << QStringLiteral("MSINFO.EXE") << false
                                             << all << true << none << true;
    QTest::newRow("folder with a folder of that name")
        << QString() << text << true << QStringLiteral("MSINFO32.EXE") << true << all << true << none << true;
    QTest::newRow("neither key") << QString() << text << false << none << false << all << true << none << true;
    QTest::newRow("keys that may only be read")
        << tool << text << true << QStringLiteral("MSINFO32.EXE") << false << quint32(Registry::ReadAccess) << true
        << none << true;
}

void TestFrmAbout::systemInfo()
{
    QFETCH(QString, pathValue);
    QFETCH(quint32, pathType);
    QFETCH(bool, location);
    QFETCH(QString, fileInFolder);
    QFETCH(bool, fileIsFolder);
    QFETCH(quint32, keyAccess);
    QFETCH(bool, starts);
    QFETCH(QString, started);
    QFETCH(bool, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (!fileInFolder.isEmpty()) {
        if (fileIsFolder) {
            QVERIFY(QDir(dir.path()).mkdir(fileInFolder));
        } else {
            QFile file(dir.filePath(fileInFolder));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    if (!pathValue.isNull()) {
        Registry::setValue(Registry::LocalMachine, ToolKey, QStringLiteral("PATH"), pathType,
                           Registry::textData(pathValue));
        Registry::setKeyAccess(Registry::LocalMachine, ToolKey, keyAccess);
    }
    if (location) {
        Registry::setValue(Registry::LocalMachine, LocationKey, QStringLiteral("MSINFO"), Registry::Text,
                           Registry::textData(dir.path()));
        Registry::setKeyAccess(Registry::LocalMachine, LocationKey, keyAccess);
    }
    m_started.answer = starts;

    const auto about = showAbout();
    QTest::mouseClick(about->cmdSysInfo, Qt::LeftButton);

    started.replace(QStringLiteral("{dir}"), dir.path());
    QCOMPARE(m_started.fileNames, started.isEmpty() ? QStringList() : QStringList{started});
    QCOMPARE(m_messages.texts, message ? QStringList{NotAvailable} : QStringList());
    QVERIFY(about->isVisible());
    QVERIFY(m_launched.arguments.isEmpty());
    QCOMPARE(Registry::openKeyCount(), 0);
}

PINTAVO_GUI_TEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
