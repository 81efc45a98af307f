// Starting a program by its file name: what starts, what does not.
#include "platform/system/ProgramStarter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestProgramStarter : public QObject
{
    Q_OBJECT
private slots:
    void startsOnlyPrograms_data();
    void startsOnlyPrograms();
    void nameIsNotACommandLine();
    void recorderTakesTheNames();
};

void TestProgramStarter::startsOnlyPrograms_data()
{
    QTest::addColumn<QString>("name"); // {dir} is the test's folder
    QTest::addColumn<bool>("started");
    QTest::newRow("a program") << QStringLiteral("{dir}/strumento") << true;
    QTest::newRow("a program with blanks in its path") << QStringLiteral("{dir}/con spazi/strumento") << true;
    QTest::newRow("a missing file") << QStringLiteral("{dir}/manca") << false;
    QTest::newRow("a file that is no program") << QStringLiteral("{dir}/testo.txt") << false;
    QTest::newRow("a folder") << QStringLiteral("{dir}") << false;
    QTest::newRow("an empty name") << QString() << false;
}

void TestProgramStarter::startsOnlyPrograms()
{
    QFETCH(QString, name);
    QFETCH(bool, started);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("con spazi")));
    for (const QString &program : {QStringLiteral("strumento"), QStringLiteral("con spazi/strumento")}) {
        QFile file(dir.filePath(program));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nexit 0\n");
        file.close();
        QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    QFile text(dir.filePath(QStringLiteral("testo.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.close();

    name.replace(QStringLiteral("{dir}"), dir.path());
    QCOMPARE(ProgramStarter::start(name), started);
}

// The name is run as one file name: what would be arguments or shell syntax in
// a command line is part of the name, so nothing else runs.
void TestProgramStarter::nameIsNotACommandLine()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString marker = dir.filePath(QStringLiteral("eseguito"));
    QVERIFY(!ProgramStarter::start(QStringLiteral("/bin/touch ") + marker));
    QVERIFY(!ProgramStarter::start(QStringLiteral("true; touch ") + marker));
    QTest::qWait(200);
    QVERIFY(!QFile::exists(marker));
}

void TestProgramStarter::recorderTakesTheNames()
{
    ProgramStarter::Recorder recorder;
    recorder.answer = false;
    ProgramStarter::recordForTests(&recorder);
    QVERIFY(!ProgramStarter::start(QStringLiteral("/bin/true")));
    QVERIFY(!ProgramStarter::start(QString()));
    ProgramStarter::recordForTests(nullptr);
    QCOMPARE(recorder.fileNames, QStringList{QStringLiteral("/bin/true")});
}

QTEST_GUILESS_MAIN(TestProgramStarter)
#include "tst_programstarter.moc"
