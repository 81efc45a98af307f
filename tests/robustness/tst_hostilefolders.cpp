// Folders that vanish while shown, cannot be read, hold 20,000 files or loop on themselves.
#include "app/Environment.h"
#include "app/Module1.h"
#include "chooser/FrmColScegli.h"
#include "platform/controls/DrivePlaces.h"
#include "platform/controls/FolderList.h"
#include "platform/picture/ImageBox.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "robustness/RootAccess.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QPushButton>
#include <memory>

namespace {

QImage solid(int width, int height, QRgb rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return image;
}

QStringList entries(const ListBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->listCount(); ++i)
        texts.append(list->list(i));
    return texts;
}

} // namespace

class TestHostileFolders : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void vanishedWhileShown_data();
    void vanishedWhileShown();
    void unreadableFolder_data();
    void unreadableFolder();
    void unreadablePicture();
    void twentyThousandFiles();
    void linkLoop();
    void driveListOffersPlaces_data();
    void driveListOffersPlaces();

private:
    QString drawings() const { return m_program->filePath(QStringLiteral("Immagini")); }

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<PictureBox> m_sheet;
    QImage m_drawing;
    MessageBox::Recorder m_messages;
};

void TestHostileFolders::init()
{
    Module1::reset();
    m_program = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_program->path()).mkdir(QStringLiteral("Immagini")));
    QVERIFY(QDir::setCurrent(m_program->path()));
    Module1::Percorso = m_program->path() + QLatin1Char('/');
    m_messages = {};
    MessageBox::recordForTests(&m_messages);
    m_sheet = std::make_unique<PictureBox>();
    m_drawing = solid(30, 20, qRgb(10, 200, 10));
    m_sheet->setPicture(m_drawing);
}

void TestHostileFolders::cleanup()
{
    MessageBox::recordForTests(nullptr);
    m_sheet.reset();
    QDir::setCurrent(QDir::tempPath());
    if (m_program)
        QFile::setPermissions(m_program->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_program.reset();
}

void TestHostileFolders::vanishedWhileShown_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("removed") << "removed";
    QTest::newRow("renamed away") << "renamed";
    QTest::newRow("replaced by a file of its name") << "file";
    QTest::newRow("its parent removed") << "parent";
}

// Everything the user can still press works on what is left: the previewed
// picture stays, accepting a vanished file leaves the sheet, a new scan empties
// the list, and the folder list goes on to a folder that exists.
void TestHostileFolders::vanishedWhileShown()
{
    QFETCH(QString, how);
    const QString parent = m_program->filePath(QStringLiteral("sopra"));
    const QString shown = parent + QStringLiteral("/sparira");
    QVERIFY(QDir().mkpath(shown));
    QVERIFY(solid(40, 30, qRgb(0, 0, 255)).save(shown + QStringLiteral("/a.bmp"), "BMP"));
    QVERIFY(solid(50, 20, qRgb(255, 0, 0)).save(shown + QStringLiteral("/b.bmp"), "BMP"));
    FrmColScegli chooser(m_sheet.get());
    QVERIFY(chooser.Dir1->setPath(shown));
    QCOMPARE(entries(chooser.List1), QStringList({"a.bmp", "b.bmp"}));
    QCOMPARE(chooser.Image1->picture().size(), QSize(40, 30));

    if (how == QLatin1String("removed"))
        QVERIFY(QDir(shown).removeRecursively());
    else if (how == QLatin1String("renamed"))
        QVERIFY(QDir().rename(shown, m_program->filePath(QStringLiteral("altrove"))));
    else if (how == QLatin1String("parent"))
        QVERIFY(QDir(parent).removeRecursively());
    else {
        QVERIFY(QDir(shown).removeRecursively());
        QFile file(shown);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    chooser.List1->setListIndex(1);
    QCOMPARE(chooser.FileScelto, shown + QStringLiteral("/b.bmp"));
    QCOMPARE(chooser.Image1->picture().size(), QSize(40, 30));
    chooser.Command1_Click();
    QCOMPARE(m_sheet->picture(), m_drawing);

    chooser.Command4->click();
    chooser.PrendiLeFoto();
    QCOMPARE(chooser.List1->listCount(), 0);
    QCOMPARE(chooser.Label17->text(), QStringLiteral("N. 0 Immagini"));
    QVERIFY(!chooser.Dir1->setPath(shown));
    QVERIFY(chooser.Dir1->setPath(drawings()));
    QCOMPARE(chooser.Dir1->path(), drawings());
    QVERIFY(m_messages.texts.isEmpty());
}

void TestHostileFolders::unreadableFolder_data()
{
    QTest::addColumn<int>("permissions");
    QTest::newRow("nothing allowed") << 0;
    QTest::newRow("may be entered, not listed") << int(QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

// A double click opens the folder: the list and count of the folder left behind
// go. As root the permission bits alone would not stop the listing: the test
// drops root's right to pass them first.
void TestHostileFolders::unreadableFolder()
{
    QFETCH(int, permissions);
    const QString locked = drawings() + QStringLiteral("/chiusa");
    QVERIFY(QDir().mkpath(locked));
    QVERIFY(solid(40, 30, qRgb(0, 0, 255)).save(locked + QStringLiteral("/a.bmp"), "BMP"));
    QVERIFY(solid(50, 20, qRgb(255, 0, 0)).save(drawings() + QStringLiteral("/b.bmp"), "BMP"));
    FrmColScegli chooser(m_sheet.get());
    chooser.show();
    QCOMPARE(entries(chooser.List1), QStringList{"b.bmp"});
    QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions(permissions)));
    WithoutRootAccess asUser;
    QVERIFY(asUser.active());

    const int row = chooser.Dir1->listCount() - 1;
    QCOMPARE(chooser.Dir1->entryPath(row), locked);
    QTest::mouseDClick(chooser.Dir1->viewport(), Qt::LeftButton, {},
                       chooser.Dir1->visualItemRect(chooser.Dir1->item(row)).center());
    QCOMPARE(chooser.Dir1->path(), locked);
    QCOMPARE(chooser.List1->listCount(), 0);
    QCOMPARE(chooser.Label17->text(), QStringLiteral("N. 0 Immagini"));
    QCOMPARE(chooser.Image1->picture().size(), QSize(50, 20));
    // The picture previewed last is still the one chosen.
    chooser.Command1_Click();
    QCOMPARE(m_sheet->picture().size(), QSize(50, 20));
    QVERIFY(m_messages.texts.isEmpty());
}

void TestHostileFolders::unreadablePicture()
{
    QVERIFY(solid(40, 30, qRgb(0, 0, 255)).save(drawings() + QStringLiteral("/a.bmp"), "BMP"));
    QVERIFY(solid(50, 20, qRgb(255, 0, 0)).save(drawings() + QStringLiteral("/b.bmp"), "BMP"));
    QVERIFY(QFile::setPermissions(drawings() + QStringLiteral("/b.bmp"), QFileDevice::Permissions()));
    WithoutRootAccess asUser;
    QVERIFY(asUser.active());
    FrmColScegli chooser(m_sheet.get());
    QCOMPARE(entries(chooser.List1), QStringList({"a.bmp", "b.bmp"}));
    chooser.List1->setListIndex(1);
    QCOMPARE(chooser.Image1->picture().size(), QSize(40, 30));
    chooser.Command1_Click();
    QCOMPARE(m_sheet->picture(), m_drawing);
    QVERIFY(m_messages.texts.isEmpty());
}

// The list holds the first thousand, the count tells them all, and the first
// one is previewed; the speed of the scan is measured in bench/.
void TestHostileFolders::twentyThousandFiles()
{
    const QString many = m_program->filePath(QStringLiteral("tantissime"));
    QVERIFY(QDir().mkpath(many));
    QVERIFY(solid(40, 30, qRgb(0, 0, 255)).save(many + QStringLiteral("/00000.bmp"), "BMP"));
    for (int i = 1; i < 20000; ++i) {
        QFile file(many + QStringLiteral("/%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    for (int i = 0; i < 500; ++i) {
        QFile file(many + QStringLiteral("/nota%1.txt").arg(i));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    FrmColScegli chooser(m_sheet.get());
    QVERIFY(chooser.Dir1->setPath(many));
    QCOMPARE(chooser.List1->listCount(), 1000);
    QCOMPARE(chooser.Label17->text(), QStringLiteral("N. 20000 Immagini"));
    QCOMPARE(chooser.List1->list(999), QStringLiteral("00999.jpg"));
    QCOMPARE(chooser.Image1->picture().size(), QSize(40, 30));
    chooser.List1->setListIndex(500);
    QCOMPARE(chooser.Image1->picture().size(), QSize(40, 30));
}

// A link to the folder itself and one to its parent: the chooser lists the
// pictures once, walks into the loop as deep as the system lets it and comes
// back out.
void TestHostileFolders::linkLoop()
{
    const QString loop = m_program->filePath(QStringLiteral("giro"));
    QVERIFY(QDir().mkpath(loop));
    QVERIFY(solid(40, 30, qRgb(0, 0, 255)).save(loop + QStringLiteral("/a.bmp"), "BMP"));
    QVERIFY(QFile::link(QStringLiteral("."), loop + QStringLiteral("/ancora")));
    QVERIFY(QFile::link(QStringLiteral(".."), loop + QStringLiteral("/su")));
    QVERIFY(QFile::link(QStringLiteral("anello.bmp"), loop + QStringLiteral("/anello.bmp")));
    QVERIFY(QFile::link(QStringLiteral("b.bmp"), loop + QStringLiteral("/c.bmp")));
    QVERIFY(QFile::link(QStringLiteral("c.bmp"), loop + QStringLiteral("/b.bmp")));

    FrmColScegli chooser(m_sheet.get());
    QVERIFY(chooser.Dir1->setPath(loop));
    QCOMPARE(entries(chooser.List1), QStringList{"a.bmp"});
    QString deep = loop;
    for (int i = 0; i < 40; ++i)
        deep += QStringLiteral("/ancora");
    QVERIFY(chooser.Dir1->setPath(deep));
    QCOMPARE(entries(chooser.List1), QStringList{"a.bmp"});
    QCOMPARE(chooser.Image1->picture().size(), QSize(40, 30));
    chooser.Command1_Click();
    QCOMPARE(m_sheet->picture().size(), QSize(40, 30));
    // The system follows at most 40 links in one path: one more is refused and
    // the chooser stays where it was.
    QVERIFY(!chooser.Dir1->setPath(deep + QStringLiteral("/su")));
    QCOMPARE(chooser.Dir1->path(), deep);
    QCOMPARE(entries(chooser.List1), QStringList{"a.bmp"});
    QVERIFY(chooser.Dir1->setPath(loop + QStringLiteral("/ancora/su")));
    QCOMPARE(entries(chooser.List1), QStringList());
    QVERIFY(m_messages.texts.isEmpty());
}

// Mounts as "folder type", "file" after a single mounted file; the roots offered, home /home/bimbo.
void TestHostileFolders::driveListOffersPlaces_data()
{
    QTest::addColumn<QString>("mounts");
    QTest::addColumn<QString>("offered");
    QTest::newRow("no system mount") << "/ ext4, /proc proc, /dev devtmpfs, /run tmpfs, /boot/efi vfat, /srv/d ext4"
                                     << "/, /home/bimbo";
    QTest::newRow("sticks and disks") << "/media/bimbo/La mia chiavetta vfat, /run/media/bimbo/F exfat, /mnt ext4"
                                      << "/, /home/bimbo, /media/bimbo/La mia chiavetta, /mnt, /run/media/bimbo/F";
    QTest::newRow("remote folder in the home") << "/home/bimbo/remoto fuse.sshfs" << "/, /home/bimbo, /home/bimbo/remoto";
    QTest::newRow("single mounted files") << "/etc/hosts ext4 file, /mnt/a.img ext4 file, /home/bimbo/a.txt ext4 file"
                                          << "/, /home/bimbo";
    QTest::newRow("system mounts in the places") << "/mnt/sandbox/python tmpfs, /media/cd squashfs, /home/bimbo/x overlay"
                                                 << "/, /home/bimbo";
    QTest::newRow("under a hidden folder") << "/home/bimbo/.gvfs fuse.sshfs, /media/.n/a vfat" << "/, /home/bimbo";
    QTest::newRow("container root, home disk") << "/ overlay, /home/bimbo ext4, /home ext4" << "/, /home/bimbo";
    QTest::newRow("mounted twice") << "/media/usb vfat, /media/usb/ vfat" << "/, /home/bimbo, /media/usb";
}

void TestHostileFolders::driveListOffersPlaces()
{
    QFETCH(QString, mounts);
    QList<MountEntry> entries;
    for (QString mount : mounts.split(QStringLiteral(", "))) {
        const bool file = mount.endsWith(QLatin1String(" file"));
        mount.chop(file ? 5 : 0);
        const qsizetype space = mount.lastIndexOf(QLatin1Char(' '));
        entries.append({mount.left(space), QString(), mount.mid(space + 1).toLatin1(), !file});
    }
    QStringList offered;
    for (const DriveVolume &volume : drivePlaces(entries, QStringLiteral("/home/bimbo")))
        offered.append(volume.root);
    QTEST(offered.join(QStringLiteral(", ")), "offered");
}

PINTAVO_GUI_TEST_MAIN(TestHostileFolders)
#include "tst_hostilefolders.moc"
