// Saving onto a full disk or over a read-only file: the earlier file stays and the user is told; in a read-only folder it is written in place.
#include "app/Environment.h"
#include "app/Module1.h"
#include "platform/dialogs/CommonDialog.h"
#include "platform/system/Launcher.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "robustness/RootAccess.h"
#include "sheet/Form1.h"
#include "support/Encoded.h"
#include "support/SeamRecorders.h"
#include "support/TestMain.h"

#include <csignal>
#include <memory>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

const QByteArray Earlier("il disegno di ieri");

// Lowers the soft limit on the size of written files, with the signal that
// would end the process ignored, so a write past it fails as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_signal);
    }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_signal)(int) = nullptr;
    bool m_active = false;
};

} // namespace

class TestFailingSave : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void saveOverAnEarlierFile_data();
    void saveOverAnEarlierFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_mounted;
    SeamRecorders m_seams;
};

void TestFailingSave::init()
{
    Module1::reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_seams.start();
}

void TestFailingSave::cleanup()
{
    if (!m_mounted.isEmpty())
        umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
    m_mounted.clear();
    m_dir.reset();
}

void TestFailingSave::saveOverAnEarlierFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<bool>("saved");
    QTest::newRow("full disk: a file size limit") << "limit" << false << false;
    QTest::newRow("full disk: a small tmpfs") << "tmpfs" << false << false;
    QTest::newRow("read-only earlier file") << "file" << false << false;
    QTest::newRow("read-only folder") << "" << true << true;
    QTest::newRow("read-only folder, earlier file longer than the bitmap") << "long" << true << true;
    QTest::newRow("read-only folder, full disk: a file size limit") << "limit" << true << false;
    QTest::newRow("read-only folder, full disk: a small tmpfs") << "tmpfs" << true << false;
    QTest::newRow("read-only folder, read-only earlier file") << "file" << true << false;
}

void TestFailingSave::saveOverAnEarlierFile()
{
    QFETCH(QString, how);
    QFETCH(bool, readOnlyFolder);
    QFETCH(bool, saved);
    QString folder = m_dir->filePath(QStringLiteral("disegni"));
    QVERIFY(QDir().mkpath(folder));
    if (how == QLatin1String("tmpfs")) {
        if (geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root; the file size limit stands for a full disk");
        if (mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("this machine does not let root mount a tmpfs here; the file size limit stands for a full disk");
        m_mounted = folder;
    }
    const QString path = folder + QStringLiteral("/disegno.bmp");
    const QByteArray before = how == QLatin1String("long") ? QByteArray(1024 * 1024, 'x') : Earlier;
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write(before);
    earlier.close();

    Form1::Options options;
    options.programFolder = m_dir->path();
    options.random = [] { return 0.0; };
    Form1 form(options);
    form.show();
    form.Picture1->fillBox(0, 0, 40, 40, ColorValue(0x0000FF));
    QVERIFY(form.Picture1->image().sizeInBytes() > 64 * 1024);
    m_seams.dialog.fileNames = {path};

    std::unique_ptr<FileSizeLimit> limit;
    std::unique_ptr<WithoutRootAccess> asUser;
    if (how == QLatin1String("limit")) {
        limit = std::make_unique<FileSizeLimit>(4096);
        QVERIFY(limit->active());
    } else if (how == QLatin1String("file")) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    if (readOnlyFolder) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                  | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        asUser = std::make_unique<WithoutRootAccess>();
        QVERIFY(asUser->active());
    }
    form.Command5_Click();
    limit.reset();
    asUser.reset();

    QVERIFY(earlier.open(QIODevice::ReadOnly));
    if (saved) {
        QVERIFY(m_seams.messages.texts.isEmpty());
        QCOMPARE(m_seams.launcher.arguments, QStringList{path});
        QCOMPARE(earlier.readAll(), encoded(form.Picture1->image().convertToFormat(QImage::Format_RGB888), "BMP"));
    } else {
        QCOMPARE(m_seams.messages.texts.size(), 1);
        QVERIFY(m_seams.messages.texts.first().startsWith(
            QStringLiteral("Non è stato possibile salvare il disegno nel file \"") + path));
        QVERIFY(m_seams.launcher.arguments.isEmpty());
        QCOMPARE(earlier.readAll(), before);
    }
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("disegno.bmp")});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

PINTAVO_GUI_TEST_MAIN(TestFailingSave)
#include "tst_failingsave.moc"
