// What the programs Pintavo starts get: the environment the user started it with, and their argument as it stands.
#include "app/AppInfo.h"
#include "app/Environment.h"
#include "platform/system/LaunchArguments.h"
#include "platform/system/Launcher.h"
#include "platform/system/ProgramStarter.h"
#include "support/TestMain.h"

#include <QDesktopServices>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEnginePage>

namespace {

// Fakes of the desktop opener and of a system information tool, first on the
// PATH, each writing down its arguments and its environment beside itself.
QTemporaryDir *g_fakes = nullptr;
QProcessEnvironment g_started;

QString fake(const QString &name)
{
    return g_fakes->filePath(name);
}

bool writeFake(const QString &name)
{
    QFile script(fake(name));
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\nenv -0 > \"$0.part\" && mv \"$0.part\" \"$0.env\"\n");
    script.close();
    return script.setPermissions(script.permissions() | QFile::ExeOwner);
}

// What the fake wrote down beside itself: ".args" or ".env".
QString recorded(const QString &name, const char *what)
{
    QFile file(fake(name) + QLatin1String(what));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

} // namespace

class TestOtherPrograms : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startedWithTheUsersEnvironment_data();
    void startedWithTheUsersEnvironment();
};

void TestOtherPrograms::initTestCase()
{
    // The web engine puts settings of its own into the environment when it starts.
    QWebEnginePage page;
    QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
    page.setHtml(QStringLiteral("<p>pronto</p>"));
    QVERIFY(loaded.wait(60000));
}

void TestOtherPrograms::startedWithTheUsersEnvironment_data()
{
    QTest::addColumn<QString>("via"); // the launcher, Qt's desktop services, or the program starter
    QTest::addColumn<QString>("handed");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("arguments");
    const QString opener = QStringLiteral("xdg-open");
    QTest::newRow("saved picture") << "launcher"
                                   << LaunchArguments::savedFile(QStringLiteral("/tmp/I miei disegni/la casa;$(x).bmp"))
                                   << opener << "file:///tmp/I%20miei%20disegni/la%20casa;$(x).bmp\n";
    QTest::newRow("maker's site") << "launcher" << LaunchArguments::webSite(AppInfo::MakerSite) << opener
                                  << "http://www.pintavo.example/\n";
    QTest::newRow("mail to the maker") << "launcher" << LaunchArguments::mailTo(AppInfo::MakerEmail) << opener
                                       << "mailto:autore@pintavo.example\n";
    QTest::newRow("bundle page") << "launcher" << LaunchArguments::bundlePage(QStringLiteral("/opt/pintavo/"))
                                 << opener << "file:///opt/pintavo/znf.htm\n";
    QTest::newRow("mail link of a page in the pane") << "desktop" << "mailto:amica@example.org?subject=Ciao%20a%20te"
                                                     << opener << "mailto:amica@example.org?subject=Ciao%20a%20te\n";
    QTest::newRow("system information") << "starter" << QString() << "informazioni" << "\n";
}

void TestOtherPrograms::startedWithTheUsersEnvironment()
{
    QFETCH(QString, via);
    QFETCH(QString, handed);
    QFETCH(QString, program);
    QFile::remove(fake(program) + QStringLiteral(".env"));
    if (via == QLatin1String("launcher"))
        QVERIFY(Launcher::start(handed));
    else if (via == QLatin1String("desktop"))
        QVERIFY(QDesktopServices::openUrl(QUrl(handed)));
    else
        QVERIFY(ProgramStarter::start(fake(program)));
    QTRY_VERIFY(QFile::exists(fake(program) + QStringLiteral(".env")));
    QTEST(recorded(program, ".args"), "arguments");

    // What one has and the other lacks; the shell of the fakes sets its working folder.
    const QStringList variables = recorded(program, ".env").split(QChar(0), Qt::SkipEmptyParts);
    const QStringList startedWith = g_started.toStringList();
    const QSet<QString> got(variables.cbegin(), variables.cend()), started(startedWith.cbegin(), startedWith.cend());
    const auto others = [](QSet<QString> a, const QSet<QString> &b) {
        a.subtract(b);
        return QStringList(a.cbegin(), a.cend()).filter(QRegularExpression(QStringLiteral("^(?!PWD=)")));
    };
    QVERIFY2(others(got, started).isEmpty() && others(started, got).isEmpty(),
             qPrintable(QStringLiteral("added: %1; lost: %2")
                            .arg(others(got, started).join(QStringLiteral(", ")),
                                 others(started, got).join(QStringLiteral(", ")))));
}

int main(int argc, char *argv[])
{
    QTemporaryDir fakes;
    g_fakes = &fakes;
    if (!writeFake(QStringLiteral("xdg-open")) || !writeFake(QStringLiteral("informazioni"))) {
        qCritical("cannot write the fake programs into %s", qPrintable(fakes.path()));
        return 1;
    }
    // As the user started the program: fakes first on the PATH, and one of the
    // engine's settings already given the very value the engine gives it.
    qputenv("PATH", QFile::encodeName(fakes.path()) + ':' + qgetenv("PATH"));
    qputenv("force_s3tc_enable", "true");
    TestEnvironment::prepare();
    g_started = QProcessEnvironment::systemEnvironment();
    Environment::prepare();
    QApplication app(argc, argv);
    Launcher::openDesktopServicesHere();
    TestOtherPrograms tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_otherprograms.moc"
