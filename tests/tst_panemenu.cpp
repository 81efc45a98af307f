// The web pane's right-click menu: its Italian items where the click lands, and what each does.
#include "app/Environment.h"
#include "platform/browser/PaneView.h"
#include "support/Encoded.h"
#include "support/SeamRecorders.h"
#include "support/TestMain.h"

#include <QClipboard>
#include <QMenu>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QWebEngineHistory>
#include <sys/mount.h>

const QString FullDisk = QStringLiteral("full disk"); // as `before`: the picture is saved onto a full disk

class TestPaneMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void items_data();
    void items();

private:
    // The answer of a script run in the page, as text.
    QString evaluate(const QString &script);
    QString url(const char *name) const { return QUrl::fromLocalFile(m_dir.filePath(QLatin1String(name))).toString(); }

    QTemporaryDir m_dir;
    QByteArray m_picture = encoded(QImage(8, 6, QImage::Format_RGB32), "PNG");
    // The whole drawing that a small copy on the page stands for, as on the start page.
    QByteArray m_whole = encoded(QImage(30, 20, QImage::Format_RGB32), "PNG");
    std::unique_ptr<PaneView> m_view;
    SeamRecorders m_seams;
};

void TestPaneMenu::initTestCase()
{
    QFile picture(m_dir.filePath(QStringLiteral("punto.png")));
    QVERIFY(picture.open(QIODevice::WriteOnly) && picture.write(m_picture) == m_picture.size());
    QVERIFY(picture.copy(m_dir.filePath(QStringLiteral("piccolo.png"))));
    QVERIFY(picture.copy(m_dir.filePath(QStringLiteral("a.p|n)g(.x|y")))); // the type list's own marks in a name
    QFile whole(m_dir.filePath(QStringLiteral("intero.png")));
    QVERIFY(whole.open(QIODevice::WriteOnly) && whole.write(m_whole) == m_whole.size());
    QFile page(m_dir.filePath(QStringLiteral("prova.htm")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<title>prova</title><body style='margin:0'><img src='punto.png' width=40 height=40>"
               "<p><a href='a.htm'>collegamento</a><p id='testo'>testo da copiare<p><input id='campo'>"
               "<img src='piccolo.png' data-disegno='intero.png' width=40 height=40 style='position:absolute; left:100px; top:200px'>"
               "<img src='a.p%7Cn)g(.x%7Cy' width=40 height=40 style='position:absolute; left:200px; top:200px'>");
}

void TestPaneMenu::init()
{
    m_seams.start();
    m_view = std::make_unique<PaneView>();
    m_view->resize(400, 300);
    m_view->show();
    // Two pages, so that Back has somewhere to go.
    m_view->setHtml(QStringLiteral("<title>prima</title>"));
    QTRY_COMPARE(m_view->title(), QStringLiteral("prima"));
    m_view->load(QUrl(url("prova.htm")));
    QTRY_COMPARE(evaluate(QStringLiteral("document.images.length == 3 && Array.from(document.images).every(i => i.complete)")), QStringLiteral("true"));
}

QString TestPaneMenu::evaluate(const QString &script)
{
    QString answer = QStringLiteral("no answer");
    bool done = false;
    m_view->page()->runJavaScript(script, [&](const QVariant &value) {
        answer = value.toString();
        done = true;
    });
    return QTest::qWaitFor([&done] { return done; }, 5000) ? answer : QString();
}

void TestPaneMenu::items_data()
{
    QTest::addColumn<QPoint>("spot");
    QTest::addColumn<QString>("before"); // a script run first
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("look"); // what shows the item's work: a script, "clipboard", or a file to save
    QTest::addColumn<QString>("seen");

    const QStringList page{"Indietro", "Avanti", "Ricarica"};
    const QStringList picture{"Copia immagine", "Copia indirizzo dell'immagine", "Salva immagine..."};
    const QString select = QStringLiteral("getSelection().selectAllChildren(document.getElementById('testo'))");
    const QString cannot = m_dir.filePath(QStringLiteral("punto.png/salvato.png"));
    QTest::newRow("page: back") << QPoint(300, 250) << "" << page << "Indietro" << "document.title" << "prima";
    QTest::newRow("page: reload") << QPoint(300, 250) << "document.title = 'cambiato'" << page << "Ricarica"
                                  << "document.title" << "prova";
    QTest::newRow("picture: copy") << QPoint(20, 20) << "" << picture << "Copia immagine" << "clipboard"
                                   << "picture 8 x 6";
    QTest::newRow("picture: copy its address") << QPoint(20, 20) << "" << picture << "Copia indirizzo dell'immagine"
                                               << "clipboard" << url("punto.png");
    QTest::newRow("picture: save") << QPoint(20, 20) << "" << picture << "Salva immagine..."
                                   << m_dir.filePath(QStringLiteral("salvato.png")) << "the picture";
    QTest::newRow("picture: save where it cannot go") << QPoint(20, 20) << "" << picture << "Salva immagine..." << cannot
                                                      << "Impossibile salvare l'immagine \"" + cannot + "\".";
    const QString full = m_dir.filePath(QStringLiteral("pieno/salvato.png"));
    QTest::newRow("picture: save onto a full disk") << QPoint(20, 20) << FullDisk << picture << "Salva immagine..." << full
                                                    << "Impossibile salvare l'immagine \"" + full + "\".";
    QTest::newRow("picture named a.p|n)g(.x|y: save") << QPoint(220, 220) << "" << picture << "Salva immagine..."
                                                     << m_dir.filePath(QStringLiteral("strano")) << "the picture";
    QTest::newRow("small copy of a drawing: copy") << QPoint(120, 220) << "" << picture << "Copia immagine"
                                                   << "clipboard" << "picture 30 x 20";
    QTest::newRow("small copy of a drawing: save") << QPoint(120, 220) << "" << picture << "Salva immagine..."
                                                   << m_dir.filePath(QStringLiteral("salvato.png")) << "the whole drawing";
    QTest::newRow("link: copy its address") << QPoint(10, 64) << "" << QStringList{"Copia indirizzo del collegamento"}
                                            << "Copia indirizzo del collegamento" << "clipboard" << url("a.htm");
    QTest::newRow("selected text: copy") << QPoint(10, 98) << select << QStringList{"Copia"} << "Copia" << "clipboard"
                                         << "testo da copiare";
    QTest::newRow("field: paste") << QPoint(10, 136) << ""
                                  << QStringList{"Annulla", "Ripeti", "", "Taglia", "Copia", "Incolla", "",
                                                 "Seleziona tutto"}
                                  << "Incolla" << "document.getElementById('campo').value" << "incollato";
}

void TestPaneMenu::items()
{
    QFETCH(QPoint, spot);
    QFETCH(QString, before);
    QFETCH(QStringList, menu);
    QFETCH(QString, item);
    QFETCH(QString, look);
    QFETCH(QString, seen);
    QApplication::clipboard()->setText(QStringLiteral("incollato"));
    if (!before.isEmpty() && before != FullDisk)
        evaluate(before);
    // A full disk: a small tmpfs, filled up.
    const QByteArray folder = QFile::encodeName(QFileInfo(look).path());
    const auto unmount = qScopeGuard([&] { before == FullDisk && umount2(folder.constData(), MNT_DETACH); });
    if (before == FullDisk) {
        if (!QDir().mkpath(folder) || mount("tmpfs", folder.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("a full disk is a small tmpfs, which only root may mount");
        QFile filler(folder + "/riempitivo");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write("x") > 0) {}
    }
    m_seams.dialog.fileNames = {look};
    QTest::mousePress(m_view->focusProxy(), Qt::RightButton, {}, spot);
    QTest::mouseRelease(m_view->focusProxy(), Qt::RightButton, {}, spot);
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    auto *shown = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QStringList captions;
    for (const QAction *action : shown->actions())
        captions << action->text();
    QCOMPARE(captions, menu);
    QAction *chosen = shown->actions().at(captions.indexOf(item));
    QVERIFY(chosen->isEnabled());
    shown->close();
    chosen->trigger();

    const auto now = [&]() -> QString {
        const QImage copied = QApplication::clipboard()->image();
        QFile saved(look);
        if (look == QLatin1String("clipboard"))
            return copied.isNull() ? QApplication::clipboard()->text()
                                   : QStringLiteral("picture %1 x %2").arg(copied.width()).arg(copied.height());
        if (!look.startsWith(QLatin1Char('/')))
            return evaluate(look);
        const QByteArray bytes = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
        if (bytes == m_picture || bytes == m_whole)
            return QLatin1String(bytes == m_picture ? "the picture" : "the whole drawing");
        return m_seams.messages.texts.join(QLatin1Char('\n'));
    };
    QTRY_COMPARE(now(), seen);
    // A save that fails leaves nothing behind, not even a part of the file.
    if (before == FullDisk)
        QTRY_COMPARE(QDir(folder).entryList(QDir::Files), QStringList{"riempitivo"});
    // Where a picture is saved, the dialog proposes its own name in the user's folder.
    if (look.startsWith(QLatin1Char('/')))
        QCOMPARE(m_seams.dialog.fileNameWhenShown,
                 QDir::homePath() + (seen == QLatin1String("the whole drawing") ? "/intero.png" : spot.x() > 200 ? "/a.p|n)g(.x|y" : "/punto.png"));
    if (look.startsWith(QLatin1Char('/'))) // with its type first, where the name gives a plain one
        QCOMPARE(CommonDialog::nameFilters(m_seams.dialog.filterWhenShown).constFirst(), spot.x() > 200 ? "Tutti i file (*)" : "Immagine PNG (*.png)");
}

PINTAVO_GUI_TEST_MAIN(TestPaneMenu)
#include "tst_panemenu.moc"
