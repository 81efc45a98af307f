// What the commands hand to the launcher, and that it reaches the desktop unchanged.
#include "app/AppInfo.h"
#include "platform/system/LaunchArguments.h"
#include "platform/system/Launcher.h"

#include <QTest>

class TestLaunchArguments : public QObject
{
    Q_OBJECT
private slots:
    void arguments_data();
    void arguments();
    void filesReachTheDesktopAsTheyStand_data();
    void filesReachTheDesktopAsTheyStand();
    void addressesKeepTheirScheme_data();
    void addressesKeepTheirScheme();
};

void TestLaunchArguments::arguments_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");
    QTest::newRow("saved file") << LaunchArguments::savedFile(QStringLiteral("/home/bimbo/Disegni/casa.bmp"))
                                << "/home/bimbo/Disegni/casa.bmp";
    QTest::newRow("saved file with blanks, unquoted")
        << LaunchArguments::savedFile(QStringLiteral("/home/bimbo/I miei disegni/la casa.bmp"))
        << "/home/bimbo/I miei disegni/la casa.bmp";
    QTest::newRow("maker's site") << LaunchArguments::webSite(AppInfo::MakerSite) << "http://www.pintavo.example/";
    QTest::newRow("mail to the maker") << LaunchArguments::mailTo(AppInfo::MakerEmail) << "mailto:autore@pintavo.example";
    QTest::newRow("bundle page beside the program") << LaunchArguments::bundlePage(QStringLiteral("/opt/pintavo/"))
                                                    << "/opt/pintavo/znf.htm";
    QTest::newRow("chooser's link label") << LaunchArguments::link(AppInfo::MakerSite) << "http://www.pintavo.example/";
}

void TestLaunchArguments::arguments()
{
    QFETCH(QString, argument);
    QTEST(argument, "expected");
}

void TestLaunchArguments::filesReachTheDesktopAsTheyStand_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "/home/bimbo/Disegni/casa.bmp";
    QTest::newRow("blanks") << "/home/bimbo/I miei disegni/la casa.bmp";
    QTest::newRow("shell characters") << "/tmp/a;rm -rf ~ $(ls) `id` & 'q\" | x > y.bmp";
    QTest::newRow("percent and hash") << "/tmp/100% #1?.bmp";
    QTest::newRow("accented") << "/home/bimbo/Disegni/perché.bmp";
    QTest::newRow("looks like an option") << "/tmp/--help.bmp";
}

void TestLaunchArguments::filesReachTheDesktopAsTheyStand()
{
    QFETCH(QString, file);
    const QUrl url = Launcher::urlFor(LaunchArguments::savedFile(file));
    QVERIFY(url.isValid());
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(), file);
}

void TestLaunchArguments::addressesKeepTheirScheme_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("web site") << LaunchArguments::webSite(AppInfo::MakerSite) << "http";
    QTest::newRow("mail") << LaunchArguments::mailTo(AppInfo::MakerEmail) << "mailto";
}

void TestLaunchArguments::addressesKeepTheirScheme()
{
    QFETCH(QString, argument);
    const QUrl url = Launcher::urlFor(argument);
    QVERIFY(url.isValid());
    QTEST(url.scheme(), "scheme");
    QCOMPARE(url.toString(), argument);
}

QTEST_GUILESS_MAIN(TestLaunchArguments)
#include "tst_launcharguments.moc"
