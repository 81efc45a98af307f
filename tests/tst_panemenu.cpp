// The web pane's right-click menu: its Italian items where the click lands, and what each does.
#include "app/Environment.h"
#include "platform/browser/PaneView.h"
#include "support/Encoded.h"
#include "support/SeamRecorders.h"
#include "support/TestMain.h"

#include <QClipboard>
#include <QMenu>
#include <QTemporaryDir>
#include <QWebEngineHistory>

class TestPaneMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void items_data();
    void items();

private:
    // Runs the script in the page and waits for its answer, as text.
    QString evaluate(const QString &script);

    QTemporaryDir m_dir;
    QByteArray m_picture;
    std::unique_ptr<PaneView> m_view;
    SeamRecorders m_seams;
};

void TestPaneMenu::initTestCase()
{
    QImage dot(8, 6, QImage::Format_RGB32);
    dot.fill(Qt::red);
    m_picture = encoded(dot, "PNG");
    QFile picture(m_dir.filePath(QStringLiteral("punto.png")));
    QVERIFY(picture.open(QIODevice::WriteOnly) && picture.write(m_picture) == m_picture.size());
    QFile page(m_dir.filePath(QStringLiteral("prova.htm")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>prova</title></head><body style='margin:0'>"
               "<img src='punto.png' style='position:absolute;left:0;top:0;width:40px;height:40px'>"
               "<a href='a.htm' style='position:absolute;left:0;top:60px'>collegamento</a>"
               "<p id='testo' style='position:absolute;left:0;top:90px;margin:0'>testo da copiare</p>"
               "<input id='campo' style='position:absolute;left:0;top:130px'></body></html>");
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
    m_view->load(QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("prova.htm"))));
    QTRY_COMPARE(evaluate(QStringLiteral("document.images[0].complete")), QStringLiteral("true"));
    QVERIFY(m_view->history()->canGoBack());
}

QString TestPaneMenu::evaluate(const QString &script)
{
    QString answer;
    bool done = false;
    m_view->page()->runJavaScript(script, [&](const QVariant &value) {
        answer = value.toString();
        done = true;
    });
    return QTest::qWaitFor([&done] { return done; }, 5000) ? answer : QStringLiteral("no answer");
}

void TestPaneMenu::items_data()
{
    QTest::addColumn<QPoint>("spot");
    QTest::addColumn<QString>("before"); // script run first
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("after"); // script whose answer shows the item's work, "clipboard", "saved" or "message"
    QTest::addColumn<QString>("seen");

    const QStringList page{"Indietro", "Avanti", "Ricarica"};
    const QStringList picture{"Copia immagine", "Copia indirizzo dell'immagine", "Salva immagine..."};
    const QString pictureUrl = QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("punto.png"))).toString();
    const QString select = QStringLiteral("getSelection().selectAllChildren(document.getElementById('testo'))");
    QTest::newRow("page: back") << QPoint(300, 250) << "" << page << "Indietro" << "document.title" << "prima";
    QTest::newRow("page: reload") << QPoint(300, 250) << "document.title = 'cambiato'" << page << "Ricarica"
                                  << "document.title" << "prova";
    QTest::newRow("picture: copy") << QPoint(20, 20) << "" << picture << "Copia immagine" << "clipboard"
                                   << "picture 8 x 6";
    QTest::newRow("picture: copy its address") << QPoint(20, 20) << "" << picture << "Copia indirizzo dell'immagine"
                                               << "clipboard" << pictureUrl;
    QTest::newRow("picture: save") << QPoint(20, 20) << "" << picture << "Salva immagine..." << "saved"
                                   << "punto-salvato.png";
    QTest::newRow("picture: save where it cannot go") << QPoint(20, 20) << "" << picture << "Salva immagine..."
                                                     << "message" << "punto.png/dentro.png";
    QTest::newRow("link: copy its address") << QPoint(10, 66) << "" << QStringList{"Copia indirizzo del collegamento"}
                                            << "Copia indirizzo del collegamento" << "clipboard"
                                            << QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("a.htm"))).toString();
    QTest::newRow("selected text: copy") << QPoint(20, 98) << select << QStringList{"Copia"} << "Copia" << "clipboard"
                                         << "testo da copiare";
    QTest::newRow("field: paste") << QPoint(20, 140) << "" << QStringList{"Annulla", "Ripeti", "", "Taglia", "Copia",
                                                                          "Incolla", "", "Seleziona tutto"}
                                  << "Incolla" << "document.getElementById('campo').value" << "incollato";
}

void TestPaneMenu::items()
{
    QFETCH(QPoint, spot);
    QFETCH(QString, before);
    QFETCH(QStringList, menu);
    QFETCH(QString, item);
    QFETCH(QString, after);
    QFETCH(QString, seen);
    QApplication::clipboard()->setText(QStringLiteral("incollato"));
    if (!before.isEmpty())
        evaluate(before);
    const QString saved = m_dir.filePath(seen);
    m_seams.dialog.fileNames = {saved};

    QWidget *input = m_view->focusProxy();
    QTest::mousePress(input, Qt::RightButton, {}, spot);
    QTest::mouseRelease(input, Qt::RightButton, {}, spot);
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    auto *shown = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QStringList captions;
    QAction *chosen = nullptr;
    for (QAction *action : shown->actions()) {
        captions << action->text();
        if (action->text() == item)
            chosen = action;
    }
    QCOMPARE(captions, menu);
    QVERIFY(chosen && chosen->isEnabled());
    shown->close();
    chosen->trigger();

    const auto clipboard = [] {
        const QImage copied = QApplication::clipboard()->image();
        return copied.isNull() ? QApplication::clipboard()->text()
                               : QStringLiteral("picture %1 x %2").arg(copied.width()).arg(copied.height());
    };
    const auto savedBytes = [&saved] {
        QFile file(saved);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    if (after == QLatin1String("clipboard")) {
        QTRY_COMPARE(clipboard(), seen);
    } else if (after == QLatin1String("saved")) {
        QTRY_COMPARE(savedBytes(), m_picture);
        QCOMPARE(m_seams.dialog.saveShown, 1);
        QCOMPARE(m_seams.dialog.fileNameWhenShown, QDir::homePath() + QStringLiteral("/punto.png"));
    } else if (after == QLatin1String("message")) {
        const QString message = QStringLiteral("Impossibile salvare l'immagine \"%1\".").arg(saved);
        QTRY_COMPARE(m_seams.messages.texts, QStringList{message});
    } else {
        QTRY_COMPARE(evaluate(after), seen);
    }
}

PINTAVO_GUI_TEST_MAIN(TestPaneMenu)
#include "tst_panemenu.moc"
