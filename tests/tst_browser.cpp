// The browser pane, its address bar, the pages beside the program and the maker's links.
#include "about/frmAbout.h"
#include "app/AppInfo.h"
#include "app/Environment.h"
#include "app/Module1.h"
#include "platform/system/Launcher.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/browser/WebBrowser.h"
#include "sheet/Form1.h"
#include "support/TestMain.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

namespace {

void writePage(const QString &path, const QString &title)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<html><head><title>%1</title></head><body>%1</body></html>").arg(title).toUtf8());
}

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addressesAsAnAddressBarReadsThem_data();
    void addressesAsAnAddressBarReadsThem();
    void startsOnTheStartPage();
    void addressesBeforeThePaneIsUp_data();
    void addressesBeforeThePaneIsUp();
    void laterAddressesDoNotWaitForASlowPage_data();
    void laterAddressesDoNotWaitForASlowPage();
    void backShowsTheStartPageInTheBar();
    void backWithoutHistoryIsHarmless();
    void enterLoadsExactlyTheTypedText_data();
    void enterLoadsExactlyTheTypedText();
    void otherKeysLoadNothing();
    void znfButtonAndMenuOpenTheBundlePage();
    void webSearchShowsItsFullAddress();
    void helpMessage();
    void makerLinksGoToTheDesktop();
    void aboutOpensFromTheMenu();

private:
    std::unique_ptr<Form1> makeForm() const;
    // "znf" presses ZNF, "menu" Menu, "enter" Enter on a.htm in the address bar.
    void pressOn(const QString &press);

    QTemporaryDir m_program;
    std::unique_ptr<Form1> m_form;
    Launcher::Recorder m_launcher;
    MessageBox::Recorder m_messages;
};

void TestBrowser::initTestCase()
{
    writePage(m_program.filePath(QStringLiteral("menu/menu.htm")), QStringLiteral("menu"));
    writePage(m_program.filePath(QStringLiteral("znf.htm")), QStringLiteral("znf"));
    writePage(m_program.filePath(QStringLiteral("a.htm")), QStringLiteral("a"));
    writePage(m_program.filePath(QStringLiteral("b c.htm")), QStringLiteral("b"));
}

void TestBrowser::init()
{
    Module1::reset();
    m_launcher = {};
    m_messages = {};
    Launcher::recordForTests(&m_launcher);
    MessageBox::recordForTests(&m_messages);
    m_form = makeForm();
    m_form->show();
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("menu"));
}

std::unique_ptr<Form1> TestBrowser::makeForm() const
{
    Form1::Options options;
    options.programFolder = m_program.path();
    options.random = [] { return 0.0; };
    return std::make_unique<Form1>(options);
}

void TestBrowser::pressOn(const QString &press)
{
    if (press == QLatin1String("znf"))
        m_form->Command10_Click();
    else if (press == QLatin1String("menu"))
        m_form->Command9_Click();
    else if (press == QLatin1String("enter")) {
        m_form->Text1->setText(m_program.filePath(QStringLiteral("a.htm")));
        m_form->Text1_KeyDown(13, 0);
    }
}

void TestBrowser::cleanup()
{
    m_form.reset();
    Launcher::recordForTests(nullptr);
    MessageBox::recordForTests(nullptr);
}

void TestBrowser::addressesAsAnAddressBarReadsThem_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QUrl>("url");
    QTest::newRow("absolute path") << "/opt/pintavo/menu/menu.htm" << QUrl("file:///opt/pintavo/menu/menu.htm");
    QTest::newRow("path with blanks") << "/tmp/b c.htm" << QUrl::fromLocalFile("/tmp/b c.htm");
    QTest::newRow("web address without scheme") << "www.pintavo.example" << QUrl("http://www.pintavo.example");
    QTest::newRow("web address with scheme") << "https://www.example.com/a?b=c" << QUrl("https://www.example.com/a?b=c");
    QTest::newRow("file address") << "file:///tmp/x.htm" << QUrl("file:///tmp/x.htm");
}

void TestBrowser::addressesAsAnAddressBarReadsThem()
{
    QFETCH(QString, address);
    QTEST(WebBrowser::urlFromAddress(address), "url");
}

void TestBrowser::startsOnTheStartPage()
{
    const QString start = m_program.path() + QStringLiteral("/menu/menu.htm");
    QCOMPARE(m_form->Text1->text(), start);
    QCOMPARE(m_form->WebBrowser1->url(), QUrl::fromLocalFile(start));
}

void TestBrowser::addressesBeforeThePaneIsUp_data()
{
    QTest::addColumn<QString>("press"); // what the user does before the window is first painted
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("titleAfterBack");
    QTest::newRow("nothing") << "" << "menu" << "menu/menu.htm" << "menu";
    QTest::newRow("ZNF") << "znf" << "znf" << "znf.htm" << "menu";
    QTest::newRow("Menu") << "menu" << "menu" << "menu/menu.htm" << "menu";
    QTest::newRow("address bar") << "enter" << "a" << "a.htm" << "menu";
}

void TestBrowser::addressesBeforeThePaneIsUp()
{
    QFETCH(QString, press);
    QFETCH(QString, title);
    QFETCH(QString, bar);
    QFETCH(QString, titleAfterBack);
    m_form = makeForm();
    const QString start = m_program.path() + QStringLiteral("/menu/menu.htm");
    QCOMPARE(m_form->Text1->text(), start);
    QVERIFY(!m_form->WebBrowser1->view());
    pressOn(press);
    QCOMPARE(m_form->Text1->text(), m_program.filePath(bar));
    QVERIFY(!m_form->WebBrowser1->view());

    m_form->show();
    QTRY_COMPARE(m_form->WebBrowser1->title(), title);
    // The start page, sent first, must not come in over the later choice.
    QTest::qWait(300);
    QCOMPARE(m_form->WebBrowser1->title(), title);
    QCOMPARE(m_form->Text1->text(), m_program.filePath(bar));
    m_form->Command8_Click();
    QTRY_COMPARE(m_form->WebBrowser1->title(), titleAfterBack);
    QCOMPARE(m_form->Text1->text(), start);
}

void TestBrowser::laterAddressesDoNotWaitForASlowPage_data()
{
    QTest::addColumn<QString>("press"); // what the user does once the slow page shows
    QTest::addColumn<QString>("title");
    QTest::newRow("Menu") << "menu" << "menu";
    QTest::newRow("ZNF") << "znf" << "znf";
    QTest::newRow("address bar") << "enter" << "a";
}

// A page sent before the pane is up, from a server that sends its head and
// never the rest, must not hold the user's later addresses.
void TestBrowser::laterAddressesDoNotWaitForASlowPage()
{
    QFETCH(QString, press);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    connect(&server, &QTcpServer::newConnection, &server, [&server] {
        while (QTcpSocket *socket = server.nextPendingConnection())
            connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                socket->readAll();
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 100000\r\n\r\n"
                              "<html><head><title>lenta</title></head><body>");
            });
    });
    m_form = makeForm();
    m_form->Text1->setText(QStringLiteral("http://127.0.0.1:%1/lenta.htm").arg(server.serverPort()));
    m_form->Text1_KeyDown(13, 0);
    m_form->show();
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("lenta"));
    pressOn(press);
    QFETCH(QString, title);
    QTRY_COMPARE(m_form->WebBrowser1->title(), title);
}

void TestBrowser::backShowsTheStartPageInTheBar()
{
    m_form->Text1->setText(m_program.filePath(QStringLiteral("a.htm")));
    QTest::keyClick(m_form->Text1, Qt::Key_Return);
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("a"));
    m_form->Text1->setText(m_program.filePath(QStringLiteral("b c.htm")));
    QTest::keyClick(m_form->Text1, Qt::Key_Return);
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("b"));
    QTest::mouseClick(m_form->Command8, Qt::LeftButton);
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("a"));
    QCOMPARE(m_form->Text1->text(), Module1::Percorso + QStringLiteral("menu/menu.htm"));
}

void TestBrowser::backWithoutHistoryIsHarmless()
{
    m_form->Text1->setText(QStringLiteral("qualcosa"));
    m_form->Command8_Click();
    QCOMPARE(m_form->Text1->text(), Module1::Percorso + QStringLiteral("menu/menu.htm"));
    QTest::qWait(100);
    QCOMPARE(m_form->WebBrowser1->title(), QStringLiteral("menu"));
}

void TestBrowser::enterLoadsExactlyTheTypedText_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter);
}

void TestBrowser::enterLoadsExactlyTheTypedText()
{
    QFETCH(int, key);
    const QString typed = m_program.filePath(QStringLiteral("b c.htm"));
    m_form->Text1->setText(typed);
    QTest::keyClick(m_form->Text1, Qt::Key(key));
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("b"));
    QCOMPARE(m_form->WebBrowser1->url(), QUrl::fromLocalFile(typed));
    QCOMPARE(m_form->Text1->text(), typed);
}

void TestBrowser::otherKeysLoadNothing()
{
    m_form->Text1->setText(m_program.filePath(QStringLiteral("a.ht")));
    QTest::keyClick(m_form->Text1, Qt::Key_End);
    QTest::keyClick(m_form->Text1, Qt::Key_M);
    QCOMPARE(m_form->Text1->text(), m_program.filePath(QStringLiteral("a.htm")));
    QTest::keyClick(m_form->Text1, Qt::Key_Tab);
    QTest::qWait(200);
    QCOMPARE(m_form->WebBrowser1->title(), QStringLiteral("menu"));
}

void TestBrowser::znfButtonAndMenuOpenTheBundlePage()
{
    const QString znf = Module1::Percorso + QStringLiteral("znf.htm");
    QTest::mouseClick(m_form->Command10, Qt::LeftButton);
    QCOMPARE(m_form->Text1->text(), znf);
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("znf"));
    m_form->Command9_Click();
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("menu"));
    m_form->findChild<QAction *>(QStringLiteral("menuznf"))->trigger();
    QCOMPARE(m_form->Text1->text(), znf);
    QTRY_COMPARE(m_form->WebBrowser1->title(), QStringLiteral("znf"));
}

void TestBrowser::webSearchShowsItsFullAddress()
{
    m_form->findChild<QAction *>(QStringLiteral("menuvirg"))->trigger();
    QCOMPARE(m_form->Text1->text(),
             QStringLiteral("http://search.virgilio.it/search/cgi/search.cgi"
                            "?qs=da%20colorare&dom=i&lr=&pdom=s&hits=10&offset=0&switch=1&f=ut"));
}

void TestBrowser::helpMessage()
{
    m_form->findChild<QAction *>(QStringLiteral("menuhelp"))->trigger();
    QCOMPARE(m_messages.texts,
             QStringList{QStringLiteral("Pintavo da Studio Pintavo - http://www.pintavo.example/ - Il primo programma "
                                        "che permette di colorare qualsiasi immagine scaricata da Internet, trascina "
                                        "l'immagine sull'apposito box e colorala a piacere")});
}

void TestBrowser::makerLinksGoToTheDesktop()
{
    m_form->findChild<QAction *>(QStringLiteral("menusit"))->trigger();
    m_form->findChild<QAction *>(QStringLiteral("menuscr"))->trigger();
    QCOMPARE(m_launcher.arguments,
             (QStringList{AppInfo::MakerSite, QStringLiteral("mailto:") + AppInfo::MakerEmail}));
    QCOMPARE(m_launcher.arguments.last(), QStringLiteral("mailto:autore@pintavo.example"));
}

void TestBrowser::aboutOpensFromTheMenu()
{
    QString seen;
    QTimer::singleShot(0, this, [&seen] {
        if (auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget())) {
            seen = about->windowTitle();
            about->accept();
        }
    });
    m_form->findChild<QAction *>(QStringLiteral("MenuAbo"))->trigger();
    QCOMPARE(seen, QStringLiteral("Informazioni su Pintavo"));
}

PINTAVO_GUI_TEST_MAIN(TestBrowser)
#include "tst_browser.moc"
