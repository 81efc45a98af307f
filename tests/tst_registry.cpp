// The registry stand-in: handles, access rights, reading values, and the entries it holds on this computer.
#include "platform/system/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

// The text value `valueName` of `keyName` below the local machine; empty when it cannot be read.
QString readText(const QString &keyName, const QString &valueName)
{
    Registry::Key key = 0;
    if (Registry::openKey(Registry::LocalMachine, keyName, 0, Registry::ReadAccess, &key) != Registry::Success)
        return QString();
    char buffer[1024];
    quint32 size = sizeof buffer;
    quint32 type = 0;
    const qint32 result = Registry::queryValue(key, valueName, 0, &type, buffer, &size);
    Registry::closeKey(key);
    if (result != Registry::Success || type != Registry::Text || size == 0)
        return QString();
    return QString::fromLocal8Bit(buffer, int(size) - 1);
}

void writeProgram(const QString &path, bool executable = true)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    if (executable)
        QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser));
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanupTestCase();

    void openingFollowsTheTree_data();
    void openingFollowsTheTree();
    void handlesAreClosedOnce();
    void longValueReportsItsLength();
    void lengthWithoutBuffer();

    void systemEntriesPointAtTheInstalledProgram_data();
    void systemEntriesPointAtTheInstalledProgram();

private:
    QByteArray m_path = qgetenv("PATH");
};

void TestRegistry::init()
{
    Registry::clear();
    Registry::setValue(Registry::LocalMachine, ToolKey, QStringLiteral("PATH"), Registry::Text,
                       Registry::textData(QStringLiteral("/usr/bin/hardinfo")));
}

void TestRegistry::cleanupTestCase()
{
    qputenv("PATH", m_path);
}

void TestRegistry::openingFollowsTheTree_data()
{
    QTest::addColumn<QString>("keyName");
    QTest::addColumn<quint32>("access");
    QTest::addColumn<quint32>("options");
    QTest::addColumn<int>("result");

    const quint32 all = Registry::AllAccess;
    QTest::newRow("the key") << ToolKey << all << 0u << int(Registry::Success);
    QTest::newRow("letter case ignored") << QStringLiteral("software\\MICROSOFT\\shared tools\\msinfo") << all << 0u
                                         << int(Registry::Success);
    QTest::newRow("slashes as separators") << QStringLiteral("SOFTWARE/Microsoft/Shared Tools/MSINFO") << all << 0u
                                           << int(Registry::Success);
    QTest::newRow("a parent key") << QStringLiteral("SOFTWARE\\Microsoft") << all << 0u << int(Registry::Success);
    QTest::newRow("the root itself") << QString() << all << 0u << int(Registry::Success);
    QTest::newRow("a sibling that is not there") << QStringLiteral("SOFTWARE\\Microsoft\\Shared") << all << 0u
                                                 << int(Registry::FileNotFound);
    QTest::newRow("a child that is not there") << ToolKey + QStringLiteral("\\Altro") << all << 0u
                                               << int(Registry::FileNotFound);
    QTest::newRow("options other than 0") << ToolKey << all << 1u << int(Registry::InvalidParameter);
}

void TestRegistry::openingFollowsTheTree()
{
    QFETCH(QString, keyName);
    QFETCH(quint32, access);
    QFETCH(quint32, options);
    QFETCH(int, result);
    Registry::Key key = 0xDEAD;
    QCOMPARE(Registry::openKey(Registry::LocalMachine, keyName, options, access, &key), result);
    QCOMPARE(key != 0, result == Registry::Success);
    if (key != 0)
        QCOMPARE(Registry::closeKey(key), int(Registry::Success));
}

void TestRegistry::handlesAreClosedOnce()
{
    Registry::setKeyAccess(Registry::LocalMachine, ToolKey, Registry::ReadAccess);
    Registry::Key key = 0;
    QCOMPARE(Registry::openKey(Registry::LocalMachine, ToolKey, 0, Registry::AllAccess, &key),
             int(Registry::AccessDenied));
    QCOMPARE(key, 0u);
    QCOMPARE(Registry::closeKey(key), int(Registry::InvalidHandle));

    QCOMPARE(Registry::openKey(Registry::LocalMachine, ToolKey, 0, Registry::QueryValue, &key),
             int(Registry::Success));
    QCOMPARE(Registry::openKeyCount(), 1);
    QCOMPARE(Registry::closeKey(key), int(Registry::Success));
    QCOMPARE(Registry::closeKey(key), int(Registry::InvalidHandle));
    QCOMPARE(Registry::openKeyCount(), 0);
    quint32 size = 0;
    QCOMPARE(Registry::queryValue(key, QStringLiteral("PATH"), 0, nullptr, nullptr, &size),
             int(Registry::InvalidHandle));
}

void TestRegistry::longValueReportsItsLength()
{
    Registry::setValue(Registry::LocalMachine, ToolKey, QStringLiteral("Lungo"), Registry::Binary,
                       QByteArray(20, 'x'));
    Registry::Key key = 0;
    QCOMPARE(Registry::openKey(Registry::LocalMachine, ToolKey, 0, Registry::QueryValue, &key),
             int(Registry::Success));
    char buffer[16] = {};
    quint32 size = sizeof buffer;
    quint32 type = 0;
    QCOMPARE(Registry::queryValue(key, QStringLiteral("lungo"), 0, &type, buffer, &size), int(Registry::MoreData));
    QCOMPARE(size, 20u);
    QCOMPARE(type, quint32(Registry::Binary));
    QCOMPARE(QByteArray(buffer, sizeof buffer), QByteArray(16, '\0'));
    Registry::closeKey(key);
}

void TestRegistry::lengthWithoutBuffer()
{
    Registry::Key key = 0;
    QCOMPARE(Registry::openKey(Registry::LocalMachine, ToolKey, 0, Registry::QueryValue, &key),
             int(Registry::Success));
    quint32 size = 0;
    quint32 type = 0;
    QCOMPARE(Registry::queryValue(key, QStringLiteral("PATH"), 0, &type, nullptr, &size), int(Registry::Success));
    QCOMPARE(size, quint32(sizeof "/usr/bin/hardinfo"));
    QCOMPARE(type, quint32(Registry::Text));
    Registry::closeKey(key);
}

void TestRegistry::systemEntriesPointAtTheInstalledProgram_data()
{
    QTest::addColumn<QStringList>("installed"); // "name" or "-name" for a file that is no program
    QTest::addColumn<QString>("expected");      // empty: no entries at all

    QTest::newRow("none installed") << QStringList() << QString();
    QTest::newRow("KDE's") << QStringList{QStringLiteral("kinfocenter")} << QStringLiteral("kinfocenter");
    QTest::newRow("GNOME's") << QStringList{QStringLiteral("gnome-system-monitor")}
                             << QStringLiteral("gnome-system-monitor");
    QTest::newRow("the fuller one first")
        << QStringList{QStringLiteral("gnome-system-monitor"), QStringLiteral("hardinfo")} << QStringLiteral("hardinfo");
    QTest::newRow("a file that is no program") << QStringList{QStringLiteral("-hardinfo")} << QString();
    QTest::newRow("no program skipped for the next")
        << QStringList{QStringLiteral("-hardinfo2"), QStringLiteral("kinfocenter")} << QStringLiteral("kinfocenter");
}

void TestRegistry::systemEntriesPointAtTheInstalledProgram()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, expected);
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    for (const QString &entry : installed) {
        const bool program = !entry.startsWith(QLatin1Char('-'));
        writeProgram(bin.filePath(program ? entry : entry.mid(1)), program);
    }
    qputenv("PATH", QFile::encodeName(bin.path()));

    Registry::loadSystemEntries();

    if (expected.isEmpty()) {
        Registry::Key key = 0;
        QCOMPARE(Registry::openKey(Registry::LocalMachine, QStringLiteral("SOFTWARE"), 0, Registry::ReadAccess, &key),
                 int(Registry::FileNotFound));
        return;
    }
    QCOMPARE(readText(ToolKey, QStringLiteral("PATH")), bin.filePath(expected));
    QCOMPARE(readText(LocationKey, QStringLiteral("MSINFO")), bin.path());
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
