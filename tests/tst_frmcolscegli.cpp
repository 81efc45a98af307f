// The image chooser: folders and list, preview, every way to accept or cancel, rename and delete.
#include "app/AppInfo.h"
#include "app/Environment.h"
#include "app/Module1.h"
#include "chooser/FrmColScegli.h"
#include "chooser/PictureScan.h"
#include "platform/controls/ClickLabel.h"
#include "platform/controls/DriveList.h"
#include "platform/controls/FolderList.h"
#include "platform/picture/ImageBox.h"
#include "platform/dialogs/InputBox.h"
#include "platform/system/Launcher.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/controls/MousePointer.h"
#include "platform/picture/PictureBox.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/TwipsGeometry.h"
#include "support/TestMain.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

const QString RenameFailed = QStringLiteral(
    "Si è verificato un errore durante il processo di ridenominazione del file, o è stato usato un nome "
    "di file errato oppure non è possibile scrivere sulla directory specificata (cd-rom, rete ecc.)");

QImage solid(int width, int height, QRgb rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return image;
}

// Equal to a hundredth of a twip: the sizes are single-precision numbers.
bool sameTwips(const QRectF &a, const QRectF &b)
{
    const auto near = [](double x, double y) { return qAbs(x - y) < 0.01; };
    return near(a.left(), b.left()) && near(a.top(), b.top()) && near(a.width(), b.width())
        && near(a.height(), b.height());
}

} // namespace

class TestFrmColScegli : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstOpeningListsTheDrawings();
    void windowAndControls();
    void emptyFolderKeepsThePreview();
    void listsTheFirstThousandAndCountsAll();
    void vanishedFolderGivesAnEmptyList();
    void rootFolderJoinsOneSlash();
    void folderListOpensSubFoldersAndAncestors();
    void driveChangeOpensTheVolume();
    void driveListFollowsTheFolderList();
    void unreadableDriveGoesBackToTheProgramFolder();

    void previewScalesIntoTheFrame();
    void unreadablePictureKeepsThePreview();
    void accepts_data();
    void accepts();
    void cancels_data();
    void cancels();
    void focusedButtonTakesEnterAndSpace_data();
    void focusedButtonTakesEnterAndSpace();
    void otherKeysDoNothing();
    void reopeningShowsTheChooserAsLeft();
    void acceptAfterCancelKeepsTheSheet();
    void highlightedEntryIsTakenAgainAfterACancel_data();
    void highlightedEntryIsTakenAgainAfterACancel();
    void closeBoxDiscardsAndANewChooserOpensWhereLeft();
    void storedFolderThatVanishedIsSkipped();
    void missingDrawingsFolderShowsTheProgramFolder();
    void linkOpensTheMakersSite();
    void pointerIsTheArrowAfterAPreviewAndOnMoves();

    void rightClickActsOnTheSelectedEntry();
    void renames_data();
    void renames();
    void renameLeavesEveryOtherFileAlone();
    void deleteConfirmed();
    void deleteCancelled();
    void deleteReadOnlyIsRefused();
    void deleteOfAVanishedFileIsNotRetried();
    void menuItemsWithoutSelectionDoNothing();

private:
    QString drawings() const { return m_program->filePath(QStringLiteral("Immagini")); }
    void writePicture(const QString &folder, const QString &name, const QImage &image, const char *format = "BMP");
    void writeBytes(const QString &path, const QByteArray &bytes);
    std::unique_ptr<FrmColScegli> makeChooser();
    // Runs the chooser modally, does `action` once it is up, and tells whether the
    // modal call returned by itself (it is cut short after a while otherwise).
    bool runModal(FrmColScegli &chooser, const std::function<void()> &action);
    // Shortcuts work in the active window only.
    void pressInActiveWindow(QWidget &window, Qt::Key key, Qt::KeyboardModifiers modifiers);
    QPoint entryCentre(ListBox *list, int index) const;
    QStringList entries(const ListBox *list) const;

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<PictureBox> m_sheet;
    QImage m_sheetPicture;
    MessageBox::Recorder m_messages;
    InputBox::Recorder m_inputs;
    Launcher::Recorder m_launches;
    PopupMenu::Recorder m_menus;
};

void TestFrmColScegli::init()
{
    Module1::reset();
    m_program = std::make_unique<QTemporaryDir>();
    QVERIFY(m_program->isValid());
    QVERIFY(QDir(m_program->path()).mkdir(QStringLiteral("Immagini")));
    QVERIFY(QDir::setCurrent(m_program->path()));
    Module1::Percorso = m_program->path() + QLatin1Char('/');

    m_messages = {};
    m_inputs = {};
    m_launches = {};
    m_menus = {};
    MessageBox::recordForTests(&m_messages);
    InputBox::recordForTests(&m_inputs);
    Launcher::recordForTests(&m_launches);
    PopupMenu::recordForTests(&m_menus);

    m_sheet = std::make_unique<PictureBox>();
    m_sheetPicture = solid(30, 20, qRgb(10, 200, 10));
    m_sheet->setPicture(m_sheetPicture);
    MousePointer::set(MousePointer::Default);
}

void TestFrmColScegli::cleanup()
{
    MessageBox::recordForTests(nullptr);
    InputBox::recordForTests(nullptr);
    Launcher::recordForTests(nullptr);
    PopupMenu::recordForTests(nullptr);
    m_sheet.reset();
    QDir::setCurrent(QDir::tempPath());
    m_program.reset();
}

void TestFrmColScegli::writePicture(const QString &folder, const QString &name, const QImage &image,
                                    const char *format)
{
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(image.save(folder + QLatin1Char('/') + name, format));
}

void TestFrmColScegli::writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::unique_ptr<FrmColScegli> TestFrmColScegli::makeChooser()
{
    return std::make_unique<FrmColScegli>(m_sheet.get());
}

bool TestFrmColScegli::runModal(FrmColScegli &chooser, const std::function<void()> &action)
{
    bool cutShort = false;
    QTimer::singleShot(0, &chooser, [&] {
        QVERIFY(chooser.isVisible());
        action();
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &chooser, [&] {
        cutShort = true;
        chooser.hide();
    });
    guard.start(5000);
    chooser.exec();
    return !cutShort;
}

void TestFrmColScegli::pressInActiveWindow(QWidget &window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, key, modifiers);
}

QPoint TestFrmColScegli::entryCentre(ListBox *list, int index) const
{
    return list->visualItemRect(list->item(index)).center();
}

QStringList TestFrmColScegli::entries(const ListBox *list) const
{
    QStringList texts;
    for (int i = 0; i < list->listCount(); ++i)
        texts.append(list->list(i));
    return texts;
}

// The drawings are listed by name, the first one previewed at once.
void TestFrmColScegli::firstOpeningListsTheDrawings()
{
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("A.jpg"), solid(20, 20, qRgb(255, 0, 0)), "JPEG");
    writeBytes(drawings() + QStringLiteral("/leggimi.txt"), "non sono un disegno");
    writePicture(drawings(), QStringLiteral(".nascosto.bmp"), solid(5, 5, qRgb(0, 0, 0)));

    const auto chooser = makeChooser();
    QCOMPARE(chooser->Dir1->path(), drawings());
    QCOMPARE(Module1::CartellaScelta, drawings());
    QCOMPARE(Module1::PercorsoScelto, drawings() + QLatin1Char('/'));
    QCOMPARE(entries(chooser->List1), QStringList({"A.jpg", "b.bmp"}));
    QCOMPARE(chooser->Label17->text(), QStringLiteral("N. 2 Immagini"));
    QCOMPARE(chooser->List1->listIndex(), 0);
    QCOMPARE(chooser->FileScelto, drawings() + QStringLiteral("/A.jpg"));
    QCOMPARE(chooser->Image1->picture().size(), QSize(20, 20));
    QVERIFY(!chooser->Image1->isHidden());
    QCOMPARE(QDir::currentPath(), m_program->path());
    QCOMPARE(m_sheet->picture(), m_sheetPicture);
}

void TestFrmColScegli::windowAndControls()
{
    const auto chooser = makeChooser();
    QCOMPARE(chooser->objectName(), QStringLiteral("FrmColScegli"));
    QCOMPARE(chooser->windowTitle(), QStringLiteral("Scelta immagine"));
    QCOMPARE(chooser->size(), QSize(499, 511));
    QCOMPARE(chooser->lblTitle->text(), AppInfo::Title);
    QCOMPARE(chooser->Label5->text(), QStringLiteral("Vers.1.0.1"));
    QCOMPARE(chooser->Label4->text(), AppInfo::MakerSite);
    QCOMPARE(chooser->Command4->toolTip(), QStringLiteral("Files validi: .JPG.JPEG.IFF.BMP.CUR.ICO.DIB.GIF.EMF.WMF.RLE"));
    QCOMPARE(chooser->Frame1->size(), QSize(261, 273));
    QCOMPARE(twipsRect(chooser->List1), QRect(4380, 690, 2775, 5715));
    QCOMPARE(twipsRect(chooser->Command1), QRect(4380, 6480, 1335, 855));
    for (QWidget *control : std::initializer_list<QWidget *>{
             chooser->lblTitle, chooser->Label5, chooser->Label4, chooser->Label14, chooser->Command4,
             chooser->Label17, chooser->Dir1, chooser->Label15, chooser->Drive1, chooser->Frame1,
             chooser->Picture1, chooser->Image1, chooser->List1, chooser->Command1, chooser->Command2})
        QCOMPARE(chooser->findChild<QWidget *>(control->objectName()), control);
    QStringList items;
    for (QAction *action : chooser->Menudestro->actions())
        items.append(action->objectName() + QLatin1Char('=') + action->text());
    QCOMPARE(items, QStringList({"menusele=&Scegli immagine selezionata", "menumeno=",
                                 "MenuRinomina=&Rinomina immagine ...",
                                 "menuCancellaFile=&Cancella immagine ..."}));

    QList<QWidget *> order;
    QWidget *w = chooser->Dir1;
    for (int i = 0; i < 6; ++i, w = w->nextInFocusChain()) {
        while (!(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        order.append(w);
    }
    QCOMPARE(order, QList<QWidget *>({chooser->Dir1, chooser->Drive1, chooser->List1, chooser->Command1,
                                      chooser->Command2, chooser->Command4}));
    chooser->show();
    QCOMPARE(chooser->focusWidget(), chooser->Dir1);
}

void TestFrmColScegli::emptyFolderKeepsThePreview()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    const QString empty = m_program->filePath(QStringLiteral("vuota"));
    QVERIFY(QDir().mkpath(empty));
    writeBytes(empty + QStringLiteral("/nota.txt"), "testo");
    const auto chooser = makeChooser();
    const QRectF preview = chooser->Image1->twipsRect();

    QVERIFY(chooser->Dir1->setPath(empty));
    QCOMPARE(chooser->List1->listCount(), 0);
    QCOMPARE(chooser->List1->listIndex(), -1);
    QCOMPARE(chooser->Label17->text(), QStringLiteral("N. 0 Immagini"));
    QCOMPARE(Module1::CartellaScelta, empty);
    QCOMPARE(chooser->FileScelto, drawings() + QStringLiteral("/a.bmp"));
    QCOMPARE(chooser->Image1->picture().size(), QSize(40, 30));
    QCOMPARE(chooser->Image1->twipsRect(), preview);
}

void TestFrmColScegli::listsTheFirstThousandAndCountsAll()
{
    const QString many = m_program->filePath(QStringLiteral("tante"));
    QVERIFY(QDir().mkpath(many));
    for (int i = 1; i <= 1205; ++i)
        writeBytes(many + QStringLiteral("/foto%1.jpg").arg(i, 4, 10, QLatin1Char('0')), QByteArray());
    const auto chooser = makeChooser();
    QVERIFY(chooser->Dir1->setPath(many));
    QCOMPARE(chooser->List1->listCount(), 1000);
    QCOMPARE(chooser->Label17->text(), QStringLiteral("N. 1205 Immagini"));
    QCOMPARE(chooser->List1->list(999), QStringLiteral("foto1000.jpg"));
    QCOMPARE(chooser->List1->listIndex(), 0);
    QCOMPARE(chooser->FileScelto, many + QStringLiteral("/foto0001.jpg"));
}

void TestFrmColScegli::vanishedFolderGivesAnEmptyList()
{
    const QString gone = m_program->filePath(QStringLiteral("sparira"));
    writePicture(gone, QStringLiteral("a.bmp"), solid(4, 4, qRgb(0, 0, 0)));
    const auto chooser = makeChooser();
    QVERIFY(chooser->Dir1->setPath(gone));
    QCOMPARE(chooser->List1->listCount(), 1);
    QVERIFY(QDir(gone).removeRecursively());

    chooser->Command4->click(); // recomputes the folder only, the list stays
    QCOMPARE(chooser->List1->listCount(), 1);
    chooser->PrendiLeFoto();
    QCOMPARE(chooser->List1->listCount(), 0);
    QCOMPARE(chooser->Label17->text(), QStringLiteral("N. 0 Immagini"));
    QVERIFY(!chooser->Dir1->setPath(gone + QStringLiteral("/sotto")));
    QCOMPARE(chooser->Dir1->path(), gone);
}

void TestFrmColScegli::rootFolderJoinsOneSlash()
{
    const auto chooser = makeChooser();
    QVERIFY(chooser->Dir1->setPath(QStringLiteral("/")));
    QCOMPARE(chooser->Dir1->path(), QStringLiteral("/"));
    QCOMPARE(Module1::PercorsoScelto, QStringLiteral("/"));
    QCOMPARE(Module1::CartellaScelta, QStringLiteral("/"));
    chooser->Command4_Click();
    QCOMPARE(Module1::PercorsoScelto, QStringLiteral("/"));
    if (chooser->List1->listCount() > 0)
        QCOMPARE(chooser->FileScelto, QStringLiteral("/") + chooser->List1->list(0));
    QCOMPARE(chooser->Dir1->list(0), QStringLiteral("/"));
}

void TestFrmColScegli::folderListOpensSubFoldersAndAncestors()
{
    writePicture(drawings() + QStringLiteral("/animali"), QStringLiteral("gatto.bmp"), solid(8, 8, qRgb(0, 0, 0)));
    QVERIFY(QDir(drawings()).mkdir(QStringLiteral("Zoo")));
    QVERIFY(QDir(drawings()).mkdir(QStringLiteral(".nascosta")));
    const auto chooser = makeChooser();
    chooser->show();
    QVERIFY(QTest::qWaitForWindowExposed(chooser.get()));

    FolderList *dir = chooser->Dir1;
    const int depth = int(drawings().split(QLatin1Char('/'), Qt::SkipEmptyParts).size());
    QCOMPARE(dir->listCount(), depth + 1 + 2); // the root, each folder down to Immagini, its two visible sub-folders
    QCOMPARE(dir->entryPath(depth), drawings());
    QCOMPARE(dir->entryPath(depth + 1), drawings() + QStringLiteral("/animali"));
    QCOMPARE(dir->entryPath(depth + 2), drawings() + QStringLiteral("/Zoo"));

    QTest::mouseDClick(dir->viewport(), Qt::LeftButton, {}, entryCentre(dir, depth + 1));
    QCOMPARE(dir->path(), drawings() + QStringLiteral("/animali"));
    QCOMPARE(Module1::CartellaScelta, dir->path());
    QCOMPARE(entries(chooser->List1), QStringList({"gatto.bmp"}));

    const int program = depth - 1;
    QTest::mouseDClick(dir->viewport(), Qt::LeftButton, {}, entryCentre(dir, program));
    QCOMPARE(dir->path(), m_program->path());
    QCOMPARE(chooser->Label17->text(), QStringLiteral("N. 0 Immagini"));
}

void TestFrmColScegli::driveChangeOpensTheVolume()
{
    const QString stick = m_program->filePath(QStringLiteral("chiavetta"));
    writePicture(stick, QStringLiteral("sole.gif"), solid(6, 6, qRgb(255, 255, 0)), "PNG");
    const auto chooser = makeChooser();
    chooser->Drive1->setVolumes({{QStringLiteral("/"), QString()}, {stick, QStringLiteral("CHIAVETTA")}});
    QCOMPARE(chooser->Drive1->drive(), QStringLiteral("/"));

    chooser->Drive1->setCurrentIndex(1);
    QCOMPARE(chooser->Drive1->drive(), stick);
    QCOMPARE(chooser->Dir1->path(), stick);
    QCOMPARE(entries(chooser->List1), QStringList({"sole.gif"}));
    QCOMPARE(chooser->FileScelto, stick + QStringLiteral("/sole.gif"));
    QVERIFY(m_messages.texts.isEmpty());

    chooser->Drive1->setDrive(stick + QStringLiteral("/sotto/cartella")); // the volume already shown
    QCOMPARE(chooser->Dir1->path(), stick);
}

// The drive list shows the volume of the folder opened, and opens nothing for it.
void TestFrmColScegli::driveListFollowsTheFolderList()
{
    const QString stick = m_program->filePath(QStringLiteral("chiavetta"));
    const QString onStick = stick + QStringLiteral("/disegni");
    writePicture(onStick, QStringLiteral("sole.gif"), solid(6, 6, qRgb(255, 255, 0)), "PNG");
    const auto chooser = makeChooser();
    DriveList *drives = chooser->Drive1;
    drives->setVolumes({{QStringLiteral("/"), QString()}, {stick, QStringLiteral("CHIAVETTA")}});
    QSignalSpy changes(drives, &DriveList::Change);

    QVERIFY(chooser->Dir1->setPath(onStick));
    QCOMPARE(drives->drive(), stick);
    QCOMPARE(drives->currentText(), stick + QStringLiteral("  [CHIAVETTA]"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(chooser->Dir1->path(), onStick);
    QCOMPARE(entries(chooser->List1), QStringList({"sole.gif"}));

    // The volume left behind is a choice again.
    drives->setCurrentIndex(0);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(chooser->Dir1->path(), QStringLiteral("/"));
    QVERIFY(chooser->Dir1->setPath(onStick));
    QVERIFY(chooser->Dir1->setPath(m_program->path()));
    QCOMPARE(drives->drive(), QStringLiteral("/"));
    QCOMPARE(drives->currentIndex(), 0);
    QCOMPARE(changes.count(), 1);
}

void TestFrmColScegli::unreadableDriveGoesBackToTheProgramFolder()
{
    writePicture(m_program->path(), QStringLiteral("icona.ico"), solid(16, 16, qRgb(0, 0, 0)), "ICO");
    const QString other = m_program->filePath(QStringLiteral("altro"));
    writePicture(other, QStringLiteral("x.bmp"), solid(6, 6, qRgb(0, 0, 0)));
    const QString noMedium = m_program->filePath(QStringLiteral("lettore-cd"));
    const auto chooser = makeChooser();
    chooser->Drive1->setVolumes({{m_program->path(), QStringLiteral("DISCO")}, {noMedium, QStringLiteral("CD")}});
    QVERIFY(chooser->Dir1->setPath(other));

    chooser->Drive1->setCurrentIndex(1);
    QCOMPARE(m_messages.texts, QStringList({"Errore di lettura dal drive specificato"}));
    QCOMPARE(chooser->Drive1->drive(), m_program->path());
    QCOMPARE(chooser->Dir1->path(), m_program->path());
    QCOMPARE(entries(chooser->List1), QStringList({"icona.ico"}));
}

void TestFrmColScegli::previewScalesIntoTheFrame()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(400, 300, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(200, 600, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    chooser->show();
    QVERIFY(sameTwips(chooser->Image1->twipsRect(), QRectF(65, 530.625, 3645, 2733.75)));
    QVERIFY(chooser->Image1->stretch());
    QVERIFY(chooser->Image1->isVisible());

    chooser->List1->setListIndex(1);
    QVERIFY(sameTwips(chooser->Image1->twipsRect(), QRectF(1250, -15, 1275, 3825)));
    QCOMPARE(chooser->Image1->size(), QSize(85, 255));
    const QImage shown = chooser->Image1->grab().toImage();
    QCOMPARE(shown.pixel(40, 120), qRgb(255, 0, 0));
}

void TestFrmColScegli::unreadablePictureKeepsThePreview()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writeBytes(drawings() + QStringLiteral("/b.bmp"), "non sono un disegno");
    const auto chooser = makeChooser();
    const QRectF preview = chooser->Image1->twipsRect();
    chooser->List1->setListIndex(1);
    QCOMPARE(chooser->FileScelto, drawings() + QStringLiteral("/b.bmp"));
    QCOMPARE(chooser->Image1->picture().size(), QSize(40, 30));
    QCOMPARE(chooser->Image1->twipsRect(), preview);

    QVERIFY(runModal(*chooser, [&] { chooser->Command1->click(); }));
    QVERIFY(chooser->isHidden());
    QCOMPARE(m_sheet->picture(), m_sheetPicture);
}

void TestFrmColScegli::accepts_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"OK button", "Alt+O", "double click on the entry", "click on the preview",
                            "Enter in the file list", "Enter in the folder list", "Enter in the drive list",
                            "popup item"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

// Every way to accept loads the previewed picture onto the sheet and hides the chooser.
void TestFrmColScegli::accepts()
{
    QFETCH(QString, how);
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(50, 20, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    chooser->List1->setListIndex(1);
    m_menus.choices = {QStringLiteral("menusele")};

    const bool returned = runModal(*chooser, [&] {
        if (how == QLatin1String("OK button"))
            QTest::mouseClick(chooser->Command1, Qt::LeftButton);
        else if (how == QLatin1String("Alt+O"))
            pressInActiveWindow(*chooser, Qt::Key_O, Qt::AltModifier);
        else if (how == QLatin1String("double click on the entry"))
            QTest::mouseDClick(chooser->List1->viewport(), Qt::LeftButton, {}, entryCentre(chooser->List1, 1));
        else if (how == QLatin1String("click on the preview"))
            QTest::mouseClick(chooser->Image1, Qt::LeftButton);
        else if (how == QLatin1String("Enter in the file list"))
            QTest::keyClick(chooser->List1, Qt::Key_Return);
        else if (how == QLatin1String("Enter in the folder list"))
            QTest::keyClick(chooser->Dir1, Qt::Key_Enter);
        else if (how == QLatin1String("Enter in the drive list"))
            QTest::keyClick(chooser->Drive1, Qt::Key_Return);
        else if (how == QLatin1String("popup item"))
            QTest::mouseClick(chooser->List1->viewport(), Qt::RightButton, {}, entryCentre(chooser->List1, 1));
    });
    QVERIFY(returned);
    QVERIFY(chooser->isHidden());
    QCOMPARE(m_sheet->picture().size(), QSize(50, 20));
    QCOMPARE(m_sheet->picture().pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(chooser->FileScelto, drawings() + QStringLiteral("/b.bmp"));
    QCOMPARE(m_sheet->fileName(), chooser->FileScelto);
    QVERIFY(m_messages.texts.isEmpty());
}

void TestFrmColScegli::cancels_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"Annulla button", "Alt+A", "Escape in the file list", "Escape in the folder list",
                            "Escape in the drive list", "Escape on a button"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestFrmColScegli::cancels()
{
    QFETCH(QString, how);
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    const auto chooser = makeChooser();
    const bool returned = runModal(*chooser, [&] {
        if (how == QLatin1String("Annulla button"))
            QTest::mouseClick(chooser->Command2, Qt::LeftButton);
        else if (how == QLatin1String("Alt+A"))
            pressInActiveWindow(*chooser, Qt::Key_A, Qt::AltModifier);
        else if (how == QLatin1String("Escape in the file list"))
            QTest::keyClick(chooser->List1, Qt::Key_Escape);
        else if (how == QLatin1String("Escape in the folder list"))
            QTest::keyClick(chooser->Dir1, Qt::Key_Escape);
        else if (how == QLatin1String("Escape in the drive list"))
            QTest::keyClick(chooser->Drive1, Qt::Key_Escape);
        else if (how == QLatin1String("Escape on a button"))
            QTest::keyClick(chooser->Command4, Qt::Key_Escape);
    });
    QVERIFY(returned);
    QVERIFY(chooser->isHidden());
    QVERIFY(chooser->FileScelto.isEmpty());
    QCOMPARE(m_sheet->picture(), m_sheetPicture);
}

void TestFrmColScegli::focusedButtonTakesEnterAndSpace_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    const std::pair<const char *, Qt::Key> keys[] = {
        {"Enter", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}, {"Space", Qt::Key_Space}};
    for (const auto &[keyName, key] : keys) {
        for (const char *button : {"Command1", "Command2", "Command4"})
            QTest::addRow("%s on %s", keyName, button) << QString::fromLatin1(button) << int(key);
    }
}

// "&OK" accepts, "&Annulla" cancels, "Rivisualizza lista" recomputes the folder.
void TestFrmColScegli::focusedButtonTakesEnterAndSpace()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    const auto chooser = makeChooser();
    auto *focused = chooser->findChild<QPushButton *>(button);
    QVERIFY(focused);
    Module1::PercorsoScelto.clear();
    QVERIFY(runModal(*chooser, [&] {
        chooser->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(chooser.get()));
        focused->setFocus();
        QTRY_VERIFY(focused->hasFocus());
        const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(focused, Qt::Key(key), modifiers);
        if (focused == chooser->Command4) {
            QVERIFY(chooser->isVisible());
            QCOMPARE(Module1::PercorsoScelto, drawings() + QLatin1Char('/'));
            chooser->Command2->click();
        }
    }));
    QVERIFY(chooser->isHidden());
    const bool accepted = focused == chooser->Command1;
    QCOMPARE(m_sheet->picture().size(), accepted ? QSize(40, 30) : m_sheetPicture.size());
    QCOMPARE(chooser->FileScelto.isEmpty(), !accepted);
}

void TestFrmColScegli::otherKeysDoNothing()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(50, 20, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    chooser->show();
    QTest::keyClick(chooser->List1, Qt::Key_Down);
    QCOMPARE(chooser->List1->listIndex(), 1);
    QCOMPARE(chooser->FileScelto, drawings() + QStringLiteral("/b.bmp"));
    QTest::keyClick(chooser->Dir1, Qt::Key_X);
    QTest::keyClick(chooser->List1, Qt::Key_Space);
    QVERIFY(chooser->isVisible());
    QCOMPARE(m_sheet->picture(), m_sheetPicture);
}

// Hidden, the chooser keeps its list: new files show only after another scan.
void TestFrmColScegli::reopeningShowsTheChooserAsLeft()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(50, 20, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    chooser->List1->setListIndex(1);
    QVERIFY(runModal(*chooser, [&] { chooser->Command1->click(); }));
    writePicture(drawings(), QStringLiteral("c.bmp"), solid(5, 5, qRgb(0, 0, 0)));

    QVERIFY(runModal(*chooser, [&] {
        QCOMPARE(entries(chooser->List1), QStringList({"a.bmp", "b.bmp"}));
        QCOMPARE(chooser->List1->listIndex(), 1);
        QCOMPARE(chooser->FileScelto, drawings() + QStringLiteral("/b.bmp"));
        QCOMPARE(chooser->Image1->picture().size(), QSize(50, 20));
        chooser->Command4->click();
        QCOMPARE(chooser->List1->listCount(), 2);
        chooser->Command2->click();
    }));

    QVERIFY(runModal(*chooser, [&] {
        QCOMPARE(chooser->List1->listCount(), 2);
        QVERIFY(chooser->Dir1->setPath(m_program->path()));
        QVERIFY(chooser->Dir1->setPath(drawings()));
        QCOMPARE(entries(chooser->List1), QStringList({"a.bmp", "b.bmp", "c.bmp"}));
        chooser->Command2->click();
    }));
}

// After a cancel nothing is chosen: OK must not wipe the child's colouring.
void TestFrmColScegli::acceptAfterCancelKeepsTheSheet()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    const auto chooser = makeChooser();
    QVERIFY(runModal(*chooser, [&] { chooser->Command2->click(); }));
    QVERIFY(chooser->FileScelto.isEmpty());
    QVERIFY(runModal(*chooser, [&] { chooser->Command1->click(); }));
    QVERIFY(chooser->isHidden());
    QCOMPARE(m_sheet->picture(), m_sheetPicture);
}

void TestFrmColScegli::highlightedEntryIsTakenAgainAfterACancel_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"click, then OK", "double click", "click, then the preview", "click, then Enter"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

// The cancel forgets the choice but the entry stays highlighted: a click on it takes it again.
void TestFrmColScegli::highlightedEntryIsTakenAgainAfterACancel()
{
    QFETCH(QString, how);
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(50, 20, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    chooser->List1->setListIndex(1);
    QVERIFY(runModal(*chooser, [&] { chooser->Command2->click(); }));

    QVERIFY(runModal(*chooser, [&] {
        QCOMPARE(chooser->List1->listIndex(), 1);
        QVERIFY(chooser->FileScelto.isEmpty());
        QWidget *entries = chooser->List1->viewport();
        const QPoint entry = entryCentre(chooser->List1, 1);
        if (how == QLatin1String("double click")) {
            QTest::mouseDClick(entries, Qt::LeftButton, {}, entry);
            return;
        }
        QTest::mouseClick(entries, Qt::LeftButton, {}, entry);
        QCOMPARE(chooser->FileScelto, drawings() + QStringLiteral("/b.bmp"));
        if (how == QLatin1String("click, then OK"))
            QTest::mouseClick(chooser->Command1, Qt::LeftButton);
        else if (how == QLatin1String("click, then the preview"))
            QTest::mouseClick(chooser->Image1, Qt::LeftButton);
        else
            QTest::keyClick(chooser->List1, Qt::Key_Return);
    }));
    QVERIFY(chooser->isHidden());
    QCOMPARE(m_sheet->picture().size(), QSize(50, 20));
}

void TestFrmColScegli::closeBoxDiscardsAndANewChooserOpensWhereLeft()
{
    const QString animals = drawings() + QStringLiteral("/animali");
    writePicture(animals, QStringLiteral("gatto.bmp"), solid(8, 8, qRgb(0, 0, 0)));
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    QPointer<FrmColScegli> chooser = new FrmColScegli(m_sheet.get());
    QVERIFY(chooser->Dir1->setPath(animals));
    QVERIFY(runModal(*chooser, [&] { chooser->close(); }));
    QCOMPARE(m_sheet->picture(), m_sheetPicture);
    QTRY_VERIFY(chooser.isNull());

    QCOMPARE(Module1::CartellaScelta, animals);
    QDir::setCurrent(QDir::tempPath()); // whatever else moved the current folder meanwhile
    const auto again = makeChooser();
    QCOMPARE(again->Dir1->path(), animals);
    QCOMPARE(entries(again->List1), QStringList({"gatto.bmp"}));
    QCOMPARE(again->FileScelto, animals + QStringLiteral("/gatto.bmp"));
}

void TestFrmColScegli::storedFolderThatVanishedIsSkipped()
{
    Module1::CartellaScelta = m_program->filePath(QStringLiteral("non-esiste-piu"));
    writePicture(m_program->path(), QStringLiteral("a.bmp"), solid(4, 4, qRgb(0, 0, 0)));
    const auto chooser = makeChooser();
    QCOMPARE(chooser->Dir1->path(), m_program->path()); // the folder current before
    QCOMPARE(entries(chooser->List1), QStringList({"a.bmp"}));
    QVERIFY(m_messages.texts.isEmpty());
}

void TestFrmColScegli::missingDrawingsFolderShowsTheProgramFolder()
{
    QVERIFY(QDir(drawings()).removeRecursively());
    writePicture(m_program->path(), QStringLiteral("a.bmp"), solid(4, 4, qRgb(0, 0, 0)));
    const auto chooser = makeChooser();
    QCOMPARE(chooser->Dir1->path(), m_program->path());
    QCOMPARE(entries(chooser->List1), QStringList({"a.bmp"}));
    QCOMPARE(Module1::PercorsoScelto, Module1::Percorso);
    QVERIFY(m_messages.texts.isEmpty());
}

void TestFrmColScegli::linkOpensTheMakersSite()
{
    m_launches.answer = false; // no desktop to open it: the chooser goes on all the same
    const auto chooser = makeChooser();
    chooser->show();
    QTest::mouseClick(chooser->Label4, Qt::LeftButton);
    QCOMPARE(m_launches.arguments, QStringList({AppInfo::MakerSite}));
    QVERIFY(chooser->isVisible());
    QVERIFY(m_messages.texts.isEmpty());
}

void TestFrmColScegli::pointerIsTheArrowAfterAPreviewAndOnMoves()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    const auto chooser = makeChooser();
    chooser->show();
    QCOMPARE(MousePointer::current(), MousePointer::Default);
    for (QWidget *over : std::initializer_list<QWidget *>{chooser.get(), chooser->Frame1,
                                                          chooser->Dir1->viewport(), chooser->List1->viewport()}) {
        MousePointer::set(MousePointer::Hourglass);
        QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), over->mapToGlobal(QPointF(4, 4)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(over, &move);
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }
}

void TestFrmColScegli::rightClickActsOnTheSelectedEntry()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(50, 20, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    chooser->show();
    m_menus.choices = {QStringLiteral("MenuRinomina")};
    m_inputs.answers = {QStringLiteral("c.bmp")};
    QTest::mouseClick(chooser->List1->viewport(), Qt::LeftButton, {}, entryCentre(chooser->List1, 0));
    QTest::mouseClick(chooser->List1->viewport(), Qt::RightButton, {}, entryCentre(chooser->List1, 1));
    QCOMPARE(m_menus.shown, QStringList({"Menudestro"}));
    QCOMPARE(m_inputs.defaultTexts, QStringList({"a.bmp"}));
    QCOMPARE(entries(chooser->List1), QStringList({"c.bmp", "b.bmp"}));
    QCOMPARE(chooser->List1->listIndex(), 0);

    QTest::mouseClick(chooser->List1->viewport(), Qt::MiddleButton, {}, entryCentre(chooser->List1, 1));
    QCOMPARE(m_menus.shown.size(), 1);
}

void TestFrmColScegli::renames_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("filesAfter");
    QTest::addColumn<QString>("entryAfter");
    QTest::addColumn<bool>("refused");
    const QStringList untouched = {"altro.bmp", "sun.bmp"};
    QTest::newRow("to a new name") << "moon.bmp" << QStringList({"altro.bmp", "moon.bmp"}) << "moon.bmp" << false;
    QTest::newRow("to other letter case") << "SUN.BMP" << QStringList({"altro.bmp", "SUN.BMP"}) << "SUN.BMP" << false;
    QTest::newRow("without extension") << "moon" << QStringList({"altro.bmp", "moon"}) << "moon" << false;
    QTest::newRow("to moon.txt") << "moon.txt" << QStringList({"altro.bmp", "moon.txt"}) << "moon.txt" << false;
    QTest::newRow("onto another file") << "altro.bmp" << untouched << "sun.bmp" << true;
    QTest::newRow("onto itself") << "sun.bmp" << untouched << "sun.bmp" << true;
    QTest::newRow("into a folder") << "../sun.bmp" << untouched << "sun.bmp" << true;
    QTest::newRow("input box cancelled") << "" << untouched << "sun.bmp" << false;
}

void TestFrmColScegli::renames()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, filesAfter);
    QFETCH(QString, entryAfter);
    QFETCH(bool, refused);
    writePicture(drawings(), QStringLiteral("altro.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("sun.bmp"), solid(50, 20, qRgb(255, 255, 0)));
    const auto chooser = makeChooser();
    chooser->List1->setListIndex(1);
    m_menus.choices = {QStringLiteral("MenuRinomina")};
    m_inputs.answers = {answer};
    chooser->List1_MouseDown(2, 0, 5, 5);

    QCOMPARE(m_inputs.prompts, QStringList({"Digita il nuovo nome della foto, ricordando di non cancellare "
                                            "l'estensione (.jpg, .bmp ecc)"}));
    QCOMPARE(m_inputs.captions, QStringList({"Rinomina un file di immagine"}));
    QCOMPARE(m_inputs.defaultTexts, QStringList({"sun.bmp"}));
    QStringList files = QDir(drawings()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    QCOMPARE(files, filesAfter);
    QCOMPARE(chooser->List1->list(1), entryAfter);
    QCOMPARE(chooser->List1->listIndex(), 1);
    QCOMPARE(m_messages.texts, refused ? QStringList({RenameFailed}) : QStringList());
    QCOMPARE(chooser->FileScelto, drawings() + QLatin1Char('/') + entryAfter);
    QCOMPARE(chooser->Image1->picture().size(), QSize(50, 20));
    QCOMPARE(chooser->Label17->text(), QStringLiteral("N. 2 Immagini"));

    QVERIFY(runModal(*chooser, [&] { chooser->Command1->click(); }));
    QCOMPARE(m_sheet->picture().size(), QSize(50, 20));
    // The next scan lists picture names only.
    chooser->PrendiLeFoto();
    QCOMPARE(chooser->List1->listCount(), isPictureName(entryAfter) ? 2 : 1);
}

void TestFrmColScegli::renameLeavesEveryOtherFileAlone()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(50, 20, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    m_menus.choices = {QStringLiteral("MenuRinomina")};
    m_inputs.answers = {QStringLiteral("b.bmp")};
    chooser->List1_MouseDown(2, 0, 5, 5);
    QCOMPARE(m_messages.texts, QStringList({RenameFailed}));
    QCOMPARE(QImage(drawings() + QStringLiteral("/a.bmp")).size(), QSize(40, 30));
    QCOMPARE(QImage(drawings() + QStringLiteral("/b.bmp")).size(), QSize(50, 20));
    QCOMPARE(entries(chooser->List1), QStringList({"a.bmp", "b.bmp"}));
}

void TestFrmColScegli::deleteConfirmed()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(50, 20, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    chooser->List1->setListIndex(1);
    m_menus.choices = {QStringLiteral("menuCancellaFile")};
    m_messages.answers = {MessageBox::Ok};
    chooser->List1_MouseDown(2, 0, 5, 5);

    QCOMPARE(m_messages.texts, QStringList({"Sei sicuro di vole cancellare il file b.bmp ?"}));
    QVERIFY(!QFile::exists(drawings() + QStringLiteral("/b.bmp")));
    QCOMPARE(entries(chooser->List1), QStringList({"a.bmp"}));
    QCOMPARE(chooser->List1->listIndex(), -1);
    QCOMPARE(chooser->Label17->text(), QStringLiteral("N. 2 Immagini"));
    QCOMPARE(chooser->FileScelto, drawings() + QStringLiteral("/b.bmp"));
    QCOMPARE(chooser->Image1->picture().size(), QSize(50, 20));

    // The previewed file is gone: OK leaves the sheet as it was.
    QVERIFY(runModal(*chooser, [&] { chooser->Command1->click(); }));
    QVERIFY(chooser->isHidden());
    QCOMPARE(m_sheet->picture(), m_sheetPicture);
}

void TestFrmColScegli::deleteCancelled()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    const auto chooser = makeChooser();
    m_menus.choices = {QStringLiteral("menuCancellaFile")};
    m_messages.answers = {MessageBox::Cancel};
    chooser->List1_MouseDown(2, 0, 5, 5);
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY(QFile::exists(drawings() + QStringLiteral("/a.bmp")));
    QCOMPARE(entries(chooser->List1), QStringList({"a.bmp"}));
    QCOMPARE(chooser->List1->listIndex(), 0);
}

void TestFrmColScegli::deleteReadOnlyIsRefused()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    const QString path = drawings() + QStringLiteral("/a.bmp");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const auto chooser = makeChooser();
    m_menus.choices = {QStringLiteral("menuCancellaFile")};
    m_messages.answers = {MessageBox::Ok};
    chooser->List1_MouseDown(2, 0, 5, 5);
    QCOMPARE(m_messages.texts,
             QStringList({"Sei sicuro di vole cancellare il file a.bmp ?",
                          "Non è possibile cancellare il file a.bmp controllare che non si tratti di un file in "
                          "sola lettura o una cartella di un CD-ROM o DVD-ROM"}));
    QVERIFY(QFile::exists(path));
    QCOMPARE(entries(chooser->List1), QStringList({"a.bmp"}));
    QCOMPARE(chooser->List1->listIndex(), 0);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TestFrmColScegli::deleteOfAVanishedFileIsNotRetried()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    const auto chooser = makeChooser();
    QVERIFY(QFile::remove(drawings() + QStringLiteral("/a.bmp")));
    m_menus.choices = {QStringLiteral("menuCancellaFile")};
    m_messages.answers = {MessageBox::Ok, MessageBox::Ok, MessageBox::Ok};
    chooser->List1_MouseDown(2, 0, 5, 5);
    QCOMPARE(m_messages.texts.size(), 2);
    QVERIFY(m_messages.texts.last().startsWith(QStringLiteral("Non è possibile cancellare il file a.bmp ")));
    QCOMPARE(entries(chooser->List1), QStringList({"a.bmp"}));
}

void TestFrmColScegli::menuItemsWithoutSelectionDoNothing()
{
    writePicture(drawings(), QStringLiteral("a.bmp"), solid(40, 30, qRgb(0, 0, 255)));
    writePicture(drawings(), QStringLiteral("b.bmp"), solid(50, 20, qRgb(255, 0, 0)));
    const auto chooser = makeChooser();
    m_menus.choices = {QStringLiteral("menuCancellaFile"), QStringLiteral("MenuRinomina"),
                       QStringLiteral("menuCancellaFile")};
    m_messages.answers = {MessageBox::Ok};
    chooser->List1_MouseDown(2, 0, 5, 5); // deletes a.bmp: nothing is selected now
    QCOMPARE(chooser->List1->listIndex(), -1);
    chooser->List1_MouseDown(2, 0, 5, 5);
    chooser->List1_MouseDown(2, 0, 5, 5);
    QCOMPARE(m_menus.shown.size(), 3);
    QVERIFY(m_inputs.prompts.isEmpty());
    QCOMPARE(m_messages.texts.size(), 1);
    QCOMPARE(entries(chooser->List1), QStringList({"b.bmp"}));
    QVERIFY(QFile::exists(drawings() + QStringLiteral("/b.bmp")));
}

PINTAVO_GUI_TEST_MAIN(TestFrmColScegli)
#include "tst_frmcolscegli.moc"
