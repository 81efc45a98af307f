// Commands on the whole sheet: undo all, blank sheet, save, exit, the menu bar, drops and paste.
#include "app/Environment.h"
#include "app/Module1.h"
#include "chooser/FrmColScegli.h"
#include "platform/dialogs/CommonDialog.h"
#include "platform/picture/DroppedPicture.h"
#include "platform/system/Launcher.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/PictureFile.h"
#include "platform/controls/TwipsGeometry.h"
#include "platform/browser/WebBrowser.h"
#include "print/Form8.h"
#include "sheet/Form1.h"
#include "support/SeamRecorders.h"
#include "support/Encoded.h"
#include "support/PixelArt.h"
#include "support/KeyPresses.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QAbstractItemView>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>
#include <QtEndian>
#include <memory>
#include <utility>

namespace {

QImage ring()
{
    return pixelArt({
        "........",
        ".####...",
        ".#..#...",
        ".####...",
        "........",
    });
}

void drop(QWidget *target, QMimeData *data)
{
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
}

// A clipboard whose owner never answers: each question comes back empty (on
// X11 after seconds), and two more presses made meanwhile wait in the queue.
struct SilentClipboard : QMimeData
{
    QStringList formats() const override
    {
        const QCursor *pointer = QApplication::overrideCursor();
        busy = ++questions == 1 && pointer && pointer->shape() == Qt::BusyCursor;
        for (int i = 0; questions == 1 && i < 2; ++i)
            QCoreApplication::postEvent(QApplication::focusWidget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier));
        return {};
    }
    bool hasFormat(const QString &) const override { return !formats().isEmpty(); }
    QVariant retrieveData(const QString &, QMetaType) const override { return formats(); }
    mutable int questions = 0;
    mutable bool busy = false;
};

// Serves one body to every request, as a tiny web server on the loopback address;
// a held server keeps its answers back until released, as a slow web site would.
class OnePageServer : public QTcpServer
{
public:
    explicit OnePageServer(QByteArray body, bool held = false) : m_body(std::move(body)), m_held(held)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    m_waiting.append(socket);
                    if (!m_held)
                        release();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    int waiting() const { return int(m_waiting.size()); }
    void release()
    {
        for (const QPointer<QTcpSocket> &socket : std::exchange(m_waiting, {})) {
            if (!socket || socket->state() != QAbstractSocket::ConnectedState)
                continue;
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/bmp\r\nConnection: close\r\nContent-Length: "
                          + QByteArray::number(m_body.size()) + "\r\n\r\n" + m_body);
            socket->disconnectFromHost();
        }
    }

private:
    QByteArray m_body;
    bool m_held;
    QList<QPointer<QTcpSocket>> m_waiting;
};

// Sends a picture in pieces at a steady pace, as a slow line does: `pieces` parts of
// the body (or bytes of a promised megabyte, without a body) and then, with
// `stopAfter` set, nothing more.
class PacedServer : public QTcpServer
{
public:
    PacedServer(QByteArray body, int pieces, int everyMs, int stopAfter = -1)
    {
        connect(this, &QTcpServer::newConnection, this, [this, body, pieces, everyMs, stopAfter] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                const qint64 length = body.isEmpty() ? 1000000 : body.size();
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/bmp\r\nContent-Length: "
                              + QByteArray::number(length) + "\r\n\r\n");
                const qint64 piece = body.isEmpty() ? 1 : (body.size() + pieces - 1) / pieces;
                auto *pace = new QTimer(socket);
                connect(pace, &QTimer::timeout, socket, [this, socket, body, piece, stopAfter] {
                    if (m_sent == stopAfter || (!body.isEmpty() && m_sent * piece >= body.size()))
                        return;
                    const QByteArray part = body.isEmpty() ? QByteArray(1, '\0') : body.mid(m_sent * piece, piece);
                    if (socket->write(part) == part.size())
                        ++m_sent;
                });
                pace->start(everyMs);
            }
        });
    }
    int sent() const { return m_sent; }

private:
    int m_sent = 0;
};

DroppedPicture *dropReader(PictureBox *box)
{
    return box->findChild<DroppedPicture *>();
}

} // namespace

class TestSheetCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void undoAllBringsTheDrawingBack_data();
    void undoAllBringsTheDrawingBack();
    void blankSheetIsOneWhiteArea();
    void saveWritesExactlyThatName_data();
    void saveWritesExactlyThatName();
    void saveOfBlanksWritesNothing_data();
    void saveOfBlanksWritesNothing();
    void cancelledSaveKeepsTheEarlierFile();
    void saveDialogDeletesNothing_data();
    void saveDialogDeletesNothing();
    void failedSaveTellsAndKeepsTheEarlierFile_data();
    void failedSaveTellsAndKeepsTheEarlierFile();
    void previewShowsTheColouredSheet();
    void loadThroughTheChooser_data();
    void loadThroughTheChooser();
    void exitEndsTheRun();
    void closeBoxEndsTheRun();
    void menuBarInOrder();
    void dropReplacesTheDrawing_data();
    void dropReplacesTheDrawing();
    void dropOfAWebPicture();
    void lateWebDropLeavesNewerWork_data();
    void lateWebDropLeavesNewerWork();
    void webDropWaitsForASteadyLine_data();
    void webDropWaitsForASteadyLine();
    void webDropGivesWayToWindows_data();
    void webDropGivesWayToWindows();
    void dropOfNoPictureChangesNothing_data();
    void dropOfNoPictureChangesNothing();
    void dragOverTheWindowRunsTheLayout();
    void pasteIsADrop_data();
    void pasteIsADrop();

private:
    std::unique_ptr<Form1> makeForm();
    // Answers the chooser once it is up: accepts or cancels it.
    void answerChooser(QTimer &poll, bool accept);
    QImage colouredSheet(Form1 &form);

    std::unique_ptr<QTemporaryDir> m_dir;
    SeamRecorders m_seams;
};

void TestSheetCommands::init()
{
    Module1::reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_seams.start();
}

void TestSheetCommands::cleanup()
{
    m_dir.reset();
}

std::unique_ptr<Form1> TestSheetCommands::makeForm()
{
    Form1::Options options;
    options.programFolder = m_dir->path();
    options.random = [] { return 0.0; };
    auto form = std::make_unique<Form1>(options);
    form->show();
    return form;
}

QImage TestSheetCommands::colouredSheet(Form1 &form)
{
    form.Picture1->setPicture(ring());
    form.Label1_Click(12);
    form.Picture1_MouseDown(1, 0, 0, 0);
    form.Command6_Click();
    form.Slider4->setValue(0);
    form.Picture1_MouseDown(1, 0, 2, 2);
    form.Label1_Click(9);
    return form.Picture1->image();
}

void TestSheetCommands::undoAllBringsTheDrawingBack_data()
{
    QTest::addColumn<QString>("before");
    QTest::newRow("right after loading") << "load";
    QTest::newRow("after colouring and pen") << "colour";
    QTest::newRow("after the blank sheet") << "blank";
    QTest::newRow("empty sheet") << "empty";
}

void TestSheetCommands::undoAllBringsTheDrawingBack()
{
    QFETCH(QString, before);
    const auto form = makeForm();
    QImage expected = ring();
    if (before == QLatin1String("empty")) {
        form->Picture1->fillBox(3, 3, 9, 9, ColorValue(0x0000FF));
        expected = QImage(form->Picture1->image().size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
    } else {
        form->Picture1->setPicture(ring());
        if (before == QLatin1String("colour"))
            QVERIFY(colouredSheet(*form) != ring());
        if (before == QLatin1String("blank")) {
            colouredSheet(*form);
            form->Command7_Click();
        }
    }
    QTest::mouseClick(form->Command4, Qt::LeftButton);
    QCOMPARE(form->Picture1->image(), expected);
}

void TestSheetCommands::blankSheetIsOneWhiteArea()
{
    const auto form = makeForm();
    const QString drawing = m_dir->filePath(QStringLiteral("Immagini/anello.bmp"));
    colouredSheet(*form);
    form->Picture1->setPicture(ring(), drawing);
    form->Picture1_MouseDown(1, 0, 5, 5); // the pen is still on
    QTest::mouseClick(form->Command7, Qt::LeftButton);
    QCOMPARE(form->Picture1->fileName(), QString()); // printed as a plain drawing
    QImage white(ring().size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QCOMPARE(form->Picture1->image(), white);
    QCOMPARE(form->Picture1->picture(), ring());
    form->Label1_Click(10);
    form->Picture1_MouseDown(1, 0, 7, 4);
    QImage green(ring().size(), QImage::Format_RGB32);
    green.fill(QColor(0, 255, 0));
    QCOMPARE(form->Picture1->image(), green);
    // Undo all brings the drawing back, and with it the name it is printed under.
    QTest::mouseClick(form->Command4, Qt::LeftButton);
    QCOMPARE(form->Picture1->fileName(), drawing);
}

void TestSheetCommands::saveWritesExactlyThatName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("no extension") << "disegno";
    QTest::newRow("bmp") << "casa.bmp";
    QTest::newRow("another extension, still a bmp") << "foto.jpg";
    QTest::newRow("blanks and shell characters")
        << " a b; rm -rf $HOME `x` 'q' \"d\" & |.bmp";
    QTest::newRow("leading dash and non-Latin letters") << "-n gatto 猫 кошка.bmp";
}

void TestSheetCommands::saveWritesExactlyThatName()
{
    QFETCH(QString, name);
    const auto form = makeForm();
    const QImage sheet = colouredSheet(*form);
    const QString path = m_dir->filePath(name);
    m_seams.dialog.fileNames = {path};
    QTest::mouseClick(form->Command5, Qt::LeftButton);

    QCOMPARE(m_seams.dialog.saveShown, 1);
    QCOMPARE(CommonDialog::nameFilters(form->CommonDialog1.filter()), QStringList{"BMP Files (*.bmp)"});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));
    QCOMPARE(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32), sheet);
    QCOMPARE(m_seams.launcher.arguments, QStringList{path});
    QVERIFY(m_seams.messages.texts.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{name});
}

void TestSheetCommands::saveOfBlanksWritesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("a folder and blanks") << "%1/   ";
    QTest::newRow("nothing") << "";
}

void TestSheetCommands::saveOfBlanksWritesNothing()
{
    QFETCH(QString, name);
    const auto form = makeForm();
    colouredSheet(*form);
    m_seams.dialog.fileNames = {name.arg(m_dir->path())};
    form->Command5_Click();
    QVERIFY(QDir(m_dir->path()).isEmpty());
    QVERIFY(m_seams.launcher.arguments.isEmpty());
    QVERIFY(m_seams.messages.texts.isEmpty());
}

void TestSheetCommands::cancelledSaveKeepsTheEarlierFile()
{
    const auto form = makeForm();
    colouredSheet(*form);
    const QString path = m_dir->filePath(QStringLiteral("primo.bmp"));
    m_seams.dialog.fileNames = {path};
    form->Command5_Click();
    QFile first(path);
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray saved = first.readAll();
    first.close();

    form->Command7_Click();
    m_seams.dialog.fileNames = {std::nullopt};
    form->Command5_Click();
    QCOMPARE(m_seams.dialog.fileNameWhenShown, QString());
    QVERIFY(first.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), saved);
    QCOMPARE(m_seams.launcher.arguments, QStringList{path});
}

void TestSheetCommands::saveDialogDeletesNothing_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("key");
    QTest::newRow("Delete on a folder of drawings") << "Disegni" << int(Qt::Key_Delete);
    QTest::newRow("Delete on a drawing") << "casa.bmp" << int(Qt::Key_Delete);
    QTest::newRow("F2 and a new name on a folder") << "Disegni" << int(Qt::Key_F2);
}

void TestSheetCommands::saveDialogDeletesNothing()
{
    QFETCH(QString, entry);
    QFETCH(int, key);
    QDir folder(m_dir->path());
    QVERIFY(folder.mkdir(QStringLiteral("Disegni")));
    QVERIFY(ring().save(folder.filePath(QStringLiteral("Disegni/gatto.bmp")), "BMP"));
    QVERIFY(ring().save(folder.filePath(QStringLiteral("casa.bmp")), "BMP"));
    CommonDialog::recordForTests(nullptr);
    CommonDialog dialog;
    dialog.setFilter(QStringLiteral("BMP Files (*.bmp)|*.bmp|"));
    dialog.setFileName(folder.filePath(QStringLiteral("nuovo.bmp")));

    // A child's keys on the entry once Qt has listed it, "Sì" to any question, then Annulla.
    // A timer is not run again while it runs, so questions asked from within a key
    // press have a timer of their own.
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [] {
        if (auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            if (QAbstractButton *yes = question->button(QMessageBox::Yes))
                yes->click();
            else
                question->reject();
        }
    });
    answer.start(50);
    bool reached = false;
    int ticks = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (files && (reached || ++ticks > 200))
            files->reject();
        if (!files || !files->isVisible())
            return;
        for (QAbstractItemView *view : files->findChildren<QAbstractItemView *>()) {
            if (!view->isVisible() || !view->model() || !view->objectName().endsWith(QLatin1String("View")))
                continue;
            const QModelIndexList found = view->model()->match(view->model()->index(0, 0, view->rootIndex()),
                                                               Qt::DisplayRole, entry, 1, Qt::MatchExactly);
            if (found.isEmpty())
                continue;
            reached = true;
            view->setFocus();
            view->setCurrentIndex(found.first());
            QTest::keyClick(view, Qt::Key(key));
            if (QWidget *editor = QApplication::focusWidget(); editor && editor != view && view->isAncestorOf(editor)) {
                QTest::keyClicks(editor, QStringLiteral("altro"));
                QTest::keyClick(editor, Qt::Key_Return);
            }
            return;
        }
    });
    poll.start(50);
    dialog.ShowSave();
    CommonDialog::recordForTests(&m_seams.dialog);

    QVERIFY(reached);
    QCOMPARE(dialog.fileName(), QString());
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"casa.bmp", "Disegni"}));
    QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("Disegni/gatto.bmp"))));
}

void TestSheetCommands::failedSaveTellsAndKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("name is a folder") << "cartella";
    QTest::newRow("folder that does not exist") << "manca/disegno.bmp";
    QTest::newRow("inside a file") << "vecchio.bmp/disegno.bmp";
}

void TestSheetCommands::failedSaveTellsAndKeepsTheEarlierFile()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("cartella")));
    QFile earlier(m_dir->filePath(QStringLiteral("vecchio.bmp")));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("il disegno di ieri");
    earlier.close();
    const auto form = makeForm();
    colouredSheet(*form);
    m_seams.dialog.fileNames = {m_dir->filePath(name)};
    form->Command5_Click();
    QCOMPARE(m_seams.messages.texts.size(), 1);
    QVERIFY(m_seams.messages.texts.first().startsWith(QStringLiteral("Non è stato possibile salvare")));
    QVERIFY(m_seams.launcher.arguments.isEmpty());
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("il disegno di ieri"));
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("cartella"))).isDir());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2);
}

void TestSheetCommands::previewShowsTheColouredSheet()
{
    const auto form = makeForm();
    const QImage sheet = colouredSheet(*form);
    QString title;
    QImage copy;
    // The preview lets events run while it loads: wait until it is really up.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *preview = qobject_cast<Form8 *>(QApplication::activeModalWidget());
        if (!preview || !preview->isVisible())
            return;
        poll.stop();
        title = preview->windowTitle();
        copy = preview->Image1->picture();
        preview->Command1_Click();
    });
    poll.start(20);
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Pintavo - Anteprima di stampa"));
    QCOMPARE(copy.convertToFormat(QImage::Format_RGB32), sheet);
    QCOMPARE(form->Picture1->image(), sheet);
}

void TestSheetCommands::answerChooser(QTimer &poll, bool accept)
{
    connect(&poll, &QTimer::timeout, this, [&poll, accept] {
        auto *chooser = qobject_cast<FrmColScegli *>(QApplication::activeModalWidget());
        if (!chooser || !chooser->isVisible())
            return;
        poll.stop();
        if (accept)
            chooser->Command1_Click();
        else
            chooser->Command2_Click();
    });
    poll.start(20);
}

void TestSheetCommands::loadThroughTheChooser_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accept") << true;
    QTest::newRow("cancel") << false;
}

void TestSheetCommands::loadThroughTheChooser()
{
    QFETCH(bool, accept);
    const auto form = makeForm();
    const QImage coloured = colouredSheet(*form);
    QImage wide(600, 200, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Immagini")));
    QVERIFY(wide.save(m_dir->filePath(QStringLiteral("Immagini/largo.bmp")), "BMP"));
    QTimer poll;
    answerChooser(poll, accept);
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(form->Picture1->image(), accept ? wide : coloured);
    QCOMPARE(twipsRect(form->Frame1).left(), twipsRect(form->Picture1).right() + 1 + 20);
    QCOMPARE(twipsRect(form->WebBrowser1).left(), twipsRect(form->Frame1).right() + 1 + 20);

    // The menu item opens the same chooser, as it was left.
    QTimer again;
    answerChooser(again, false);
    form->findChild<QAction *>(QStringLiteral("menuc"))->trigger();
    QCOMPARE(form->Picture1->image(), accept ? wide : coloured);
}

void TestSheetCommands::exitEndsTheRun()
{
    const auto form = makeForm();
    colouredSheet(*form);
    // The chooser left loaded but hidden must not keep the program alive.
    QTimer poll;
    answerChooser(poll, false);
    form->Command2_Click();
    QTimer::singleShot(0, form.get(), [&form] { QTest::mouseClick(form->Command1, Qt::LeftButton); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    watchdog.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(m_seams.messages.texts.isEmpty());
    QCOMPARE(m_seams.dialog.saveShown, 0);
}

void TestSheetCommands::closeBoxEndsTheRun()
{
    const auto form = makeForm();
    QTimer::singleShot(0, form.get(), [&form] { form->close(); });
    // Gone with the test: a later test's windows would close at once.
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    watchdog.start(10000);
    QCOMPARE(QApplication::exec(), 0);
}

void TestSheetCommands::menuBarInOrder()
{
    const auto form = makeForm();
    QStringList seen;
    for (QAction *top : form->menuBar()->actions()) {
        seen << top->menu()->objectName() + QLatin1Char('=') + top->text();
        for (QAction *a : top->menu()->actions())
            seen << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    QCOMPARE(seen, (QStringList{
                       "menuf=&File", "MenuE=&Esci", "menumma=-", "menuvirg=Ricerca con Virgilio", "menumm=-",
                       "menuc=&Apri file da colorare", "menupi=&?", "menuhelp=&Help", "menumama=-",
                       "menusit=Visita sito dell'autore ...", "menuscr=Scrivi all'autore ...", "menumamas=-",
                       "menuznf=Zanfir ...", "MenuAbo=&About"}));
}

void TestSheetCommands::dropReplacesTheDrawing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("picture data") << "data";
    QTest::newRow("local file address with its html, as the browser pane hands it") << "file";
    QTest::newRow("file address as plain text") << "text";
}

void TestSheetCommands::dropReplacesTheDrawing()
{
    QFETCH(QString, kind);
    const auto form = makeForm();
    colouredSheet(*form);
    const QImage dropped = pixelArt({"..#..", ".#.#.", "..#..", "....."});
    const QString path = m_dir->filePath(QStringLiteral("trascinata.gif"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(encoded(dropped, "PNG"));
    file.close();
    auto *data = new QMimeData;
    if (kind == QLatin1String("data")) {
        data->setImageData(dropped);
    } else if (kind == QLatin1String("file")) {
        data->setUrls({QUrl::fromLocalFile(path)});
        data->setHtml(QStringLiteral("<img src=\"http://www.example.com/gatto.gif\">"));
    } else {
        data->setText(QUrl::fromLocalFile(path).toString());
    }
    drop(form->Picture1, data);
    QCOMPARE(form->Picture1->picture().convertToFormat(QImage::Format_RGB32), dropped);
    QCOMPARE(form->Picture1->image(), dropped);
    form->Command4_Click();
    QCOMPARE(form->Picture1->image(), dropped);
    delete data;
}

void TestSheetCommands::dropOfAWebPicture()
{
    const QImage dropped = pixelArt({"#..#", ".##.", "#..#"});
    OnePageServer server(encoded(dropped, "BMP"));
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const auto form = makeForm();
    colouredSheet(*form);
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("http://127.0.0.1:%1/disegni/farfalla.bmp").arg(server.serverPort()))});
    drop(form->Picture1, &data);
    QTRY_COMPARE_WITH_TIMEOUT(form->Picture1->image(), dropped, 10000);
}

// A web picture dropped before the child went on working must not arrive over
// that work: whatever changes the sheet first gives the fetch up.
void TestSheetCommands::lateWebDropLeavesNewerWork_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("nothing: the picture arrives") << "nothing";
    QTest::newRow("a fill") << "fill";
    QTest::newRow("the pen") << "pen";
    QTest::newRow("a drawing loaded") << "load";
    QTest::newRow("undo all") << "undo";
    QTest::newRow("blank sheet") << "blank";
    QTest::newRow("another drop") << "drop";
}

void TestSheetCommands::lateWebDropLeavesNewerWork()
{
    QFETCH(QString, meanwhile);
    const QImage late = pixelArt({"#..#", ".##.", "#..#"});
    OnePageServer server(encoded(late, "BMP"), true);
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const auto form = makeForm();
    colouredSheet(*form);
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Immagini")));
    QImage wide(60, 20, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QVERIFY(wide.save(m_dir->filePath(QStringLiteral("Immagini/largo.bmp")), "BMP"));

    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("http://127.0.0.1:%1/farfalla.bmp").arg(server.serverPort()))});
    drop(form->Picture1, &data);
    QTRY_COMPARE(server.waiting(), 1);
    QCOMPARE(form->Picture1->cursor().shape(), Qt::BusyCursor);

    QTimer poll;
    QMimeData other;
    if (meanwhile == QLatin1String("fill")) {
        QTest::mouseClick(form->Picture1, Qt::LeftButton, {}, QPoint(3, 3));
    } else if (meanwhile == QLatin1String("pen")) {
        form->Command6_Click();
        form->Slider4->setValue(2);
        QTest::mouseClick(form->Picture1, Qt::LeftButton, {}, QPoint(7, 4));
    } else if (meanwhile == QLatin1String("load")) {
        answerChooser(poll, true);
        QTest::mouseClick(form->Command2, Qt::LeftButton);
    } else if (meanwhile == QLatin1String("undo")) {
        QTest::mouseClick(form->Command4, Qt::LeftButton);
    } else if (meanwhile == QLatin1String("blank")) {
        QTest::mouseClick(form->Command7, Qt::LeftButton);
    } else if (meanwhile == QLatin1String("drop")) {
        other.setImageData(wide);
        drop(form->Picture1, &other);
    }
    const bool keeps = meanwhile != QLatin1String("nothing");
    const QImage work = form->Picture1->image();
    QCOMPARE(dropReader(form->Picture1)->fetching(), !keeps);
    server.release();
    if (!keeps) {
        QTRY_COMPARE(form->Picture1->image(), late);
    } else {
        // Long enough for an answer over the loopback to arrive.
        QTest::qWait(500);
        QCOMPARE(form->Picture1->image(), work);
    }
    QCOMPARE(form->Picture1->cursor().shape(), Qt::ArrowCursor);
}

void TestSheetCommands::webDropWaitsForASteadyLine_data()
{
    QTest::addColumn<int>("pieces");     // of the picture, or bytes of a promised megabyte
    QTest::addColumn<int>("stopAfter");  // pieces sent before the server falls silent; -1: never
    QTest::addColumn<int>("wholeLimit"); // ms; the silence limit is 2 s throughout
    QTest::addColumn<bool>("arrives");
    // Scaled down: a picture over a slow line takes longer than the wait for one
    // byte, and ends within the whole limit. The limits stay well above the
    // pauses of a busy machine.
    QTest::newRow("steady line, longer than the silence limit") << 30 << -1 << 20000 << true;
    QTest::newRow("falls silent halfway") << 30 << 15 << 60000 << false;
    QTest::newRow("trickles for ever") << 0 << -1 << 3000 << false;
}

void TestSheetCommands::webDropWaitsForASteadyLine()
{
    QFETCH(int, pieces);
    QFETCH(int, stopAfter);
    QFETCH(int, wholeLimit);
    QFETCH(bool, arrives);
    QCOMPARE(DroppedPicture::WebSilenceMs, 20000);
    QVERIFY(DroppedPicture::WebWholeMs >= 120000);
    PacedServer server(pieces ? encoded(ring(), "BMP") : QByteArray(), std::max(pieces, 1), 100, stopAfter);
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const auto form = makeForm();
    const QImage sheet = colouredSheet(*form);
    DroppedPicture *reader = dropReader(form->Picture1);
    reader->setWebTimeLimits(2000, wholeLimit);
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("http://127.0.0.1:%1/lento.bmp").arg(server.serverPort()))});
    QElapsedTimer clock;
    clock.start();
    drop(form->Picture1, &data);
    QVERIFY(reader->fetching());
    QTRY_VERIFY_WITH_TIMEOUT(!reader->fetching(), 30000);
    // Whatever happened took longer than one wait for a byte: no limit cut it early.
    QVERIFY(clock.elapsed() > 2000 || !arrives);
    if (arrives)
        QCOMPARE(form->Picture1->image().convertToFormat(QImage::Format_RGB32), ring().convertToFormat(QImage::Format_RGB32));
    else
        QCOMPARE(form->Picture1->image(), sheet);
    QVERIFY(server.sent() > 5);
    QCOMPARE(form->Picture1->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(m_seams.messages.texts.isEmpty());
}

// The child who presses "Salva Lavoro" right after dropping a slow web picture
// saves the drawing on the sheet: a window opening gives the fetch up.
void TestSheetCommands::webDropGivesWayToWindows_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("save dialog") << "save";
    QTest::newRow("colour dialog") << "colour";
    QTest::newRow("message box") << "message";
    QTest::newRow("print preview") << "preview";
    QTest::newRow("chooser, closed") << "chooser";
    QTest::newRow("about box") << "about";
}

void TestSheetCommands::webDropGivesWayToWindows()
{
    QFETCH(QString, window);
    OnePageServer server(encoded(pixelArt({"#..#", ".##.", "#..#"}), "BMP"), true);
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const auto form = makeForm();
    const QImage work = colouredSheet(*form);
    DroppedPicture *reader = dropReader(form->Picture1);
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("http://127.0.0.1:%1/farfalla.bmp").arg(server.serverPort()))});
    drop(form->Picture1, &data);
    QTRY_COMPARE(server.waiting(), 1);

    // The fetch is given up as the window opens: while it is up, nothing waits
    // for the server's answer any more.
    bool gaveWay = false;
    const auto whileOpen = [&] {
        gaveWay = !reader->fetching();
        server.release();
        QCoreApplication::processEvents();
    };
    m_seams.dialog.whileShown = whileOpen;
    m_seams.messages.whileShown = whileOpen;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *up = QApplication::activeModalWidget();
        if (!up || !up->isVisible())
            return;
        poll.stop();
        whileOpen();
        up->close();
    });
    poll.start(20);
    const QString saved = m_dir->filePath(QStringLiteral("lavoro.bmp"));
    m_seams.dialog.fileNames = {saved};
    if (window == QLatin1String("save"))
        form->Command5_Click();
    else if (window == QLatin1String("colour"))
        form->Label2_Click();
    else if (window == QLatin1String("message"))
        form->menuhelp_Click();
    else if (window == QLatin1String("preview"))
        form->Command3_Click();
    else if (window == QLatin1String("chooser"))
        form->Command2_Click();
    else
        form->MenuAbo_Click();

    QVERIFY(gaveWay);
    QCOMPARE(form->Picture1->image(), work);
    QCOMPARE(form->Picture1->cursor().shape(), Qt::ArrowCursor);
    if (window == QLatin1String("save"))
        QCOMPARE(QImage(saved).convertToFormat(QImage::Format_RGB32), work);
}

void TestSheetCommands::dropOfNoPictureChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("asFile");
    QTest::addColumn<bool>("told");
    QTest::newRow("text that is no picture") << QByteArray("ciao, non sono un disegno") << false << false;
    QTest::newRow("a file that is no picture") << QByteArray("ciao, non sono un disegno") << true << false;
    QByteArray huge = encoded(ring(), "BMP").left(54);
    qToLittleEndian<qint32>(60000, huge.data() + 18);
    qToLittleEndian<qint32>(60000, huge.data() + 22);
    QTest::newRow("a picture too large to open") << huge + QByteArray(100, '\0') << true << true;
}

void TestSheetCommands::dropOfNoPictureChangesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, asFile);
    QFETCH(bool, told);
    const auto form = makeForm();
    const QImage sheet = colouredSheet(*form);
    QMimeData data;
    if (asFile) {
        const QString path = m_dir->filePath(QStringLiteral("strano.bmp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        data.setUrls({QUrl::fromLocalFile(path)});
    } else {
        data.setText(QString::fromUtf8(content));
    }
    drop(form->Picture1, &data);
    QCoreApplication::processEvents();
    QCOMPARE(form->Picture1->image(), sheet);
    QCOMPARE(form->Picture1->picture(), ring());
    QCOMPARE(m_seams.messages.texts, told ? QStringList{pictureTooLargeMessage()} : QStringList());
}

// The palette column follows a dropped picture only when the window lays itself
// out again: dragging over the window does it.
void TestSheetCommands::dragOverTheWindowRunsTheLayout()
{
    const auto form = makeForm();
    QImage wide(600, 100, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QMimeData data;
    data.setImageData(wide);
    drop(form->Picture1, &data);
    QCOMPARE(form->Picture1->picture().width(), 600);
    const int before = twipsRect(form->Frame1).left();
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->centralWidget(), &enter);
    QVERIFY(twipsRect(form->Frame1).left() != before);
    QCOMPARE(twipsRect(form->Frame1).left(), twipsRect(form->Picture1).right() + 1 + 20);
}

void TestSheetCommands::pasteIsADrop_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<bool>("told");
    const QKeyCombination ctrlV(Qt::ControlModifier, Qt::Key_V);
    const QKeyCombination shiftIns(Qt::ShiftModifier, Qt::Key_Insert);
    QTest::newRow("picture data, Ctrl+V") << "data" << ctrlV << "sheet" << true << false;
    QTest::newRow("picture data, Shift+Ins") << "data" << shiftIns << "sheet" << true << false;
    QTest::newRow("local file as text/uri-list") << "file" << ctrlV << "sheet" << true << false;
    QTest::newRow("file address as plain text") << "text" << shiftIns << "sheet" << true << false;
    QTest::newRow("web address, fetched") << "web" << ctrlV << "sheet" << true << false;
    QTest::newRow("picture too large") << "huge" << shiftIns << "sheet" << false << true;
    QTest::newRow("words that are no picture") << "words" << ctrlV << "sheet" << false << false;
    QTest::newRow("empty clipboard") << "empty" << shiftIns << "sheet" << false << false;
    QTest::newRow("owner that never answers, 3 quick presses: asked once, busy") << "silent" << ctrlV << "sheet" << false << false;
    QTest::newRow("Ctrl+V in Text1 pastes the words there") << "text" << ctrlV << "Text1" << false << false;
    QTest::newRow("Shift+Ins in Text1 pastes the words there") << "text" << shiftIns << "Text1" << false << false;
    QTest::newRow("Ctrl+V in the web pane is the page's") << "data" << ctrlV << "pane" << false << false;
}

void TestSheetCommands::pasteIsADrop()
{
    QFETCH(QString, clipboard);
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, focus);
    QFETCH(bool, pasted);
    QFETCH(bool, told);
    const QImage picture = pixelArt({"..#..", ".#.#.", "..#..", "....."});
    OnePageServer server(encoded(picture, "BMP"));
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QString path = m_dir->filePath(QStringLiteral("incollata.png"));
    QVERIFY(picture.save(path, "PNG"));
    QMimeData *data = clipboard == QLatin1String("silent") ? new SilentClipboard : new QMimeData;
    if (clipboard == QLatin1String("data"))
        data->setImageData(picture);
    else if (clipboard == QLatin1String("file"))
        data->setUrls({QUrl::fromLocalFile(path)});
    else if (clipboard == QLatin1String("text"))
        data->setText(QUrl::fromLocalFile(path).toString());
    else if (clipboard == QLatin1String("web"))
        data->setUrls({QUrl(QStringLiteral("http://127.0.0.1:%1/gatto.bmp").arg(server.serverPort()))});
    else if (clipboard == QLatin1String("huge"))
        data->setImageData(QImage(40000, 2, QImage::Format_RGB32));
    else if (clipboard == QLatin1String("words"))
        data->setText(QStringLiteral("ciao, non sono un disegno"));
    QApplication::clipboard()->setMimeData(data);

    const auto form = makeForm();
    const QImage sheet = colouredSheet(*form);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QWidget *place = form->Picture1;
    if (focus == QLatin1String("Text1")) {
        place = form->Text1;
    } else if (focus == QLatin1String("pane")) {
        QTRY_VERIFY(form->WebBrowser1->view());
        place = form->WebBrowser1->view()->focusProxy();
    }
    place->setFocus();
    QCOMPARE(QApplication::focusWidget(), place);
    const QString address = form->Text1->text();
    KeyPresses reached(place, keys.key());
    QTest::keyClick(place, keys.key(), keys.keyboardModifiers());
    QCoreApplication::processEvents();
    if (!pasted) {
        QCOMPARE(form->Picture1->image(), sheet);
        QCOMPARE(form->Picture1->picture(), ring());
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(form->Picture1->image(), picture, 10000);
        QCOMPARE(form->Picture1->picture().convertToFormat(QImage::Format_RGB32), picture);
        // One step of the history: Ctrl+Z gives the coloured drawing back.
        QTest::keyClick(form->Picture1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->Picture1->image(), sheet);
        QCOMPARE(form->Picture1->picture(), ring());
    }
    QCOMPARE(m_seams.messages.texts, told ? QStringList{pictureTooLargeMessage()} : QStringList());
    if (focus == QLatin1String("Text1"))
        QCOMPARE(form->Text1->text(), address + data->text());
    else if (focus == QLatin1String("pane"))
        QCOMPARE(reached.count, 1);
    if (const auto *silent = dynamic_cast<const SilentClipboard *>(data))
        QVERIFY(silent->questions == 1 && silent->busy && !QApplication::overrideCursor());
}

PINTAVO_GUI_TEST_MAIN(TestSheetCommands)
#include "tst_sheetcommands.moc"
