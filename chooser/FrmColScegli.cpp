// FrmColScegli: building the chooser, its folder scan, preview, choice, rename and delete.
#include "chooser/FrmColScegli.h"

#include "app/AppInfo.h"
#include "app/Module1.h"
#include "chooser/PictureScan.h"
#include "chooser/PreviewGeometry.h"
#include "platform/controls/AccessibleRoles.h"
#include "platform/controls/ClickLabel.h"
#include "platform/controls/DriveList.h"
#include "platform/controls/EnterOnButtons.h"
#include "platform/system/FileAccess.h"
#include "platform/controls/FolderList.h"
#include "platform/system/FolderListing.h"
#include "platform/picture/ImageBox.h"
#include "platform/dialogs/InputBox.h"
#include "platform/controls/KeyCodes.h"
#include "platform/system/LaunchArguments.h"
#include "platform/system/Launcher.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/controls/MouseCodes.h"
#include "platform/controls/MousePointer.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/PictureFile.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/Twips.h"
#include "platform/controls/TwipsGeometry.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace {

const QString RenamePrompt = QStringLiteral(
    "Digita il nuovo nome della foto, ricordando di non cancellare l'estensione (.jpg, .bmp ecc)");
const QString RenameCaption = QStringLiteral("Rinomina un file di immagine");
const QString RenameFailed = QStringLiteral(
    "Si è verificato un errore durante il processo di ridenominazione del file, o è stato usato un nome "
    "di file errato oppure non è possibile scrivere sulla directory specificata (cd-rom, rete ecc.)");
const QString DriveFailed = QStringLiteral("Errore di lettura dal drive specificato");

// System colour 15, the face of buttons and dialogs: the background of plain labels.
constexpr quint32 ButtonFace = 0x8000000F;
// The input box's left edge, in twips from the left of the screen.
constexpr int RenameBoxLeft = 2;
// Client area of the window, in twips.
constexpr QSize ClientTwips(7485, 7665);

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &twips)
{
    return place(new QLabel(text, parent), name, twips);
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &twips,
                    const QString &toolTip)
{
    auto *b = place(new QPushButton(caption, parent), name, twips, toolTip);
    // No button is the dialog's default, so that Enter in a list is the list's own
    // (it accepts there). A focused button takes Enter itself, as it takes Space.
    b->setAutoDefault(false);
    return b;
}

QFrame *rule(QWidget *parent, int index, const QRect &twips, const QColor &color)
{
    auto *line = place(new QFrame(parent), "Line1", twips);
    line->setProperty("Index", index);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    return line;
}

} // namespace

FrmColScegli::FrmColScegli(PictureBox *sheet)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_sheet(sheet)
{
    setObjectName(QStringLiteral("FrmColScegli"));
    setWindowTitle(QStringLiteral("Scelta immagine"));
    setModal(true);
    // Where Tahoma is missing, Liberation Sans is the nearest in width of the
    // fonts the program installs; the default sans would overflow the labels.
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(8.25);
    setFont(font);
    setFixedSize(Twips::toPixels(ClientTwips.width()), Twips::toPixels(ClientTwips.height()));
    setMouseTracking(true);

    // The drive and folder lists open on the process's current folder: it is moved
    // first, so that a chooser made anew opens where the last one was left (the
    // first one of a run opens on the program's folder, then its Immagini).
    const QString start = Module1::CartellaScelta.isEmpty() ? Module1::Percorso : Module1::CartellaScelta;
    if (!start.isEmpty())
        QDir::setCurrent(start);

    createControls();
    createMenu();
    connectHandlers();
    Form_Load();
}

FrmColScegli::~FrmColScegli() = default;

void FrmColScegli::createControls()
{
    lblTitle = label(this, "lblTitle", QStringLiteral("Titolo applicazione"), QRect(360, 120, 3555, 240));
    lblTitle->setStyleSheet(QStringLiteral("color: #FF0000; font-weight: bold;"));
    Label5 = label(this, "Label5", QStringLiteral("Vers."), QRect(4020, 120, 765, 240));
    Label4 = place(new ClickLabel(this), "Label4", QRect(5070, 120, 2205, 255),
                   QStringLiteral("Visita la home page dell'autore ..."));
    Label4->setText(AppInfo::MakerSite);
    Label4->setStyleSheet(QStringLiteral("color: #0000FF; font-weight: bold; text-decoration: underline;"));
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->setBackColor(ColorValue(ButtonFace)); // a label on the window, not a field

    Line1[0] = rule(this, 2, QRect(360, 405, 6795, 15), QColor(0x80, 0x80, 0x80));
    Line1[1] = rule(this, 3, QRect(360, 420, 6795, 15), QColor(0xFF, 0xFF, 0xFF));
    Line1[2] = rule(this, 4, QRect(4380, 6435, 2775, 15), QColor(0x80, 0x80, 0x80));

    Label14 = label(this, "Label14", QStringLiteral("Selezionare la cartella"), QRect(360, 480, 2505, 240));
    Command4 = button(this, "Command4", QStringLiteral("Rivisualizza lista"), QRect(4410, 480, 1335, 225),
                      QStringLiteral("Files validi: ") + PictureExtensions);
    Label17 = label(this, "Label17", QStringLiteral("Label1"), QRect(5910, 480, 1215, 285));

    Dir1 = place(new FolderList(this), "Dir1", QRect(360, 690, 3885, 1890),
                 QStringLiteral("Seleziona la cartella scelta e le cartelle figlie."));
    Label15 = label(this, "Label15", QStringLiteral("Selezionare il drive"), QRect(360, 2580, 1545, 270));
    Drive1 = place(new DriveList(this), "Drive1", QRect(360, 2790, 3885, 315), QStringLiteral("Per cambiare unità"));

    Frame1 = place(new QGroupBox(QStringLiteral("Anteprima immagine"), this), "Frame1", QRect(360, 3210, 3915, 4095));
    Frame1->setMouseTracking(true);
    Picture1 = place(new PictureBox(Frame1), "Picture1", QRect(60, 210, 3795, 3855));
    Picture1->setBorderWidth(2);
    Picture1->setBackColor(ColorValue(ColorValue::WindowBackground));
    Image1 = new ImageBox(Picture1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(QStringLiteral("Anteprima dell'immagine clic per selezione"));
    Image1->setOrigin(QPoint(Picture1->borderWidth(), Picture1->borderWidth()));
    Image1->setTwipsRect(QRectF(0, 0, 2475, 3735));

    List1 = place(new ListBox(this), "List1", QRect(4380, 690, 2775, 5715),
                  QStringLiteral("Lista files, pulsante destro del mouse per rinominare."));
    Command1 = button(this, "Command1", QStringLiteral("&OK"), QRect(4380, 6480, 1335, 855),
                      QStringLiteral("Scegli l'immagine e continua"));
    Command2 = button(this, "Command2", QStringLiteral("&Annulla"), QRect(5850, 6480, 1335, 855),
                      QStringLiteral("Annulla la scelta e continua"));

    nameControls();

    setTabOrder(Dir1, Drive1);
    setTabOrder(Drive1, List1);
    setTabOrder(List1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command4);
    Dir1->setFocus();
}

void FrmColScegli::nameControls()
{
    AccessibleRoles::set(Label4, QAccessible::Link);
    Label4->setAccessibleName(Label4->text());
    for (QFrame *line : Line1)
        AccessibleRoles::set(line, QAccessible::Separator);
    Dir1->setAccessibleName(QStringLiteral("Cartelle"));
    AccessibleRoles::set(Drive1, QAccessible::ComboBox);
    Drive1->setAccessibleName(QStringLiteral("Unità"));
    List1->setAccessibleName(QStringLiteral("Immagini"));
    AccessibleRoles::set(Picture1, QAccessible::Pane);
    Picture1->setAccessibleName(QStringLiteral("Anteprima immagine"));
    AccessibleRoles::set(Image1, QAccessible::Graphic);
    Image1->setAccessibleName(QStringLiteral("Immagine in anteprima"));
}

void FrmColScegli::createMenu()
{
    Menudestro = new QMenu(this);
    Menudestro->setObjectName(QStringLiteral("Menudestro"));
    const auto item = [this](const char *name, const QString &caption) {
        QAction *action = Menudestro->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    menusele = item("menusele", QStringLiteral("&Scegli immagine selezionata"));
    menumeno = Menudestro->addSeparator();
    menumeno->setObjectName(QStringLiteral("menumeno"));
    MenuRinomina = item("MenuRinomina", QStringLiteral("&Rinomina immagine ..."));
    menuCancellaFile = item("menuCancellaFile", QStringLiteral("&Cancella immagine ..."));
}

void FrmColScegli::connectHandlers()
{
    connect(Dir1, &FolderList::Change, this, &FrmColScegli::Dir1_Change);
    connect(Drive1, &DriveList::Change, this, &FrmColScegli::Drive1_Change);
    connect(Command4, &QPushButton::clicked, this, &FrmColScegli::Command4_Click);
    connect(List1, &ListBox::Click, this, &FrmColScegli::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmColScegli::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmColScegli::Command2_Click);
    connect(List1, &ListBox::DblClick, this, &FrmColScegli::Command1_Click);
    connect(Image1, &ImageBox::Click, this, &FrmColScegli::Command1_Click);
    connect(menusele, &QAction::triggered, this, &FrmColScegli::Command1_Click);
    connect(List1, &ListBox::KeyDown, this, &FrmColScegli::List1_KeyDown);
    connect(Dir1, &ListBox::KeyDown, this, &FrmColScegli::List1_KeyDown);
    connect(Drive1, &DriveList::KeyDown, this, &FrmColScegli::List1_KeyDown);
    connect(List1, &ListBox::MouseDown, this, &FrmColScegli::List1_MouseDown);
    connect(Label4, &ClickLabel::Click, this, &FrmColScegli::Label4_Click);
    connect(MenuRinomina, &QAction::triggered, this, &FrmColScegli::MenuRinomina_Click);
    connect(menuCancellaFile, &QAction::triggered, this, &FrmColScegli::menuCancellaFile_Click);
    const auto arrow = [] { MousePointer::set(MousePointer::Default); };
    connect(Dir1, &ListBox::MouseMove, this, arrow);
    connect(List1, &ListBox::MouseMove, this, arrow);
    Frame1->installEventFilter(this);
    EnterOnButtons::watch(this);
}

void FrmColScegli::Form_Load()
{
    lblTitle->setText(AppInfo::Title);
    Label5->setText(QStringLiteral("Vers.%1.%2.%3")
                        .arg(AppInfo::VersionMajor)
                        .arg(AppInfo::VersionMinor)
                        .arg(AppInfo::VersionRevision));
    // A chooser made again in this run opens where the last one was left; the
    // lists were created there already. The first one goes to the drawings.
    if (Module1::CartellaScelta.isEmpty()) {
        Module1::CartellaScelta = Module1::Percorso + QStringLiteral("Immagini");
        Dir1->setPath(Module1::CartellaScelta);
        Drive1->setDrive(Module1::CartellaScelta);
        if (List1->listIndex() < 0)
            List1->setListIndex(0);
    }
    PrendiLeFoto();
}

void FrmColScegli::PrendiLeFoto()
{
    List1->clearList();
    Module1::PercorsoScelto = withTrailingSlash(Dir1->path());
    const PictureScan scan = scanPictures(Module1::PercorsoScelto);
    List1->addItems(scan.NomiFoto);
    // Names the system stores in another encoding are shown as text but
    // reached by their own bytes.
    for (int i = 0; i < scan.nativeNames.size(); ++i)
        List1->setItemData(i, scan.nativeNames[i]);
    Label17->setText(pictureCountCaption(scan.count));
    if (scan.count > 0)
        List1->setListIndex(0);
}

void FrmColScegli::Dir1_Change()
{
    // A folder opened on another volume takes the drive list along with it;
    // that is no change of drive, so Drive1_Change does not run.
    Drive1->follow(Dir1->path());
    Command4_Click();
    Module1::CartellaScelta = Dir1->path();
    PrendiLeFoto();
}

void FrmColScegli::Drive1_Change()
{
    // Opening the volume runs Dir1_Change, which rescans.
    if (Dir1->setPath(Drive1->drive()))
        return;
    MessageBox::show(DriveFailed, MessageBox::OkOnly, this);
    // Back to the program's folder; when even that cannot be read, each of these
    // fails once more and nothing is retried.
    QString programFolder = Module1::Percorso;
    if (programFolder.size() > 1 && programFolder.endsWith(QLatin1Char('/')))
        programFolder.chop(1);
    Drive1->setDrive(programFolder);
    Dir1->setPath(programFolder);
    Drive1->follow(Dir1->path());
}

void FrmColScegli::Command4_Click()
{
    Module1::PercorsoScelto = withTrailingSlash(Dir1->path());
}

void FrmColScegli::List1_Click()
{
    Image1->hide();
    Image1->setStretch(false);
    const int index = List1->listIndex();
    FileScelto = withTrailingSlash(Dir1->path()) + List1->list(index);
    m_chosenFile = nativePath(Dir1->path(), List1->itemData(index).toByteArray());
    // A file that cannot be read leaves the picture shown before.
    if (const auto picture = loadNativePicture(m_chosenFile); picture && !picture->isNull())
        Image1->setPicture(*picture);
    MousePointer::set(MousePointer::Hourglass);
    const QRectF preview = previewGeometry(Frame1->size(), Image1->twipsRect().size(),
                                           Twips::PerPixel, Twips::PerPixel);
    Image1->setStretch(true);
    if (!preview.isEmpty())
        Image1->setTwipsRect(preview);
    Image1->show();
    MousePointer::set(MousePointer::Default);
}

void FrmColScegli::Command1_Click()
{
    // No choice (after a cancel) leaves the sheet, and the child's colouring, alone;
    // so does a file that cannot be read.
    if (!FileScelto.isEmpty()) {
        auto failure = PictureFailure::Unreadable;
        if (const auto picture = loadNativePicture(m_chosenFile, &failure); picture && !picture->isNull()) {
            m_sheet->setPicture(*picture, FileScelto);
        }
        else if (failure == PictureFailure::TooLarge)
            MessageBox::show(pictureTooLargeMessage(), MessageBox::OkOnly, this);
    }
    hide();
}

void FrmColScegli::Command2_Click()
{
    FileScelto.clear();
    m_chosenFile.clear();
    hide();
}

void FrmColScegli::reject()
{
    Command2_Click();
}

void FrmColScegli::List1_KeyDown(int KeyCode, int)
{
    if (KeyCode == KeyCodes::Enter)
        Command1_Click();
    else if (KeyCode == KeyCodes::Escape)
        Command2_Click();
}

void FrmColScegli::List1_MouseDown(int Button, int, float X, float Y)
{
    if (Button != MouseCodes::Right)
        return;
    m_menuFailed = false;
    PopupMenu::show(Menudestro, List1->viewport()->mapToGlobal(QPointF(X, Y)).toPoint());
    if (m_menuFailed)
        MessageBox::show(RenameFailed, MessageBox::OkOnly, this);
}

void FrmColScegli::Label4_Click()
{
    // Whether or not the desktop could open it, the chooser goes on.
    Launcher::start(LaunchArguments::link(Label4->text()));
    MousePointer::set(MousePointer::Default);
}

void FrmColScegli::MenuRinomina_Click()
{
    const int index = List1->listIndex();
    const QString oldName = List1->list(index);
    if (oldName.isEmpty())
        return;
    const QString newName = InputBox::ask(RenamePrompt, RenameCaption, oldName, RenameBoxLeft, this);
    if (newName.isEmpty())
        return;
    // A name only: a folder in it would move the file out of the list's folder.
    // The rename never replaces an existing file, so no other picture is lost.
    // The new name is written as the system writes names, whatever the old one was.
    const QByteArray newNative = QFile::encodeName(newName);
    if (newName.contains(QLatin1Char('/'))
        || !renameFile(nativePath(Module1::PercorsoScelto, List1->itemData(index).toByteArray()),
                       nativePath(Module1::PercorsoScelto, newNative))) {
        m_menuFailed = true;
        return;
    }
    List1->setList(index, newName);
    List1->setItemData(index, newNative);
    List1->viewport()->update();
    List1_Click();
}

void FrmColScegli::menuCancellaFile_Click()
{
    const int index = List1->listIndex();
    const QString name = List1->list(index);
    if (name.isEmpty())
        return;
    const QString question = QStringLiteral("Sei sicuro di vole cancellare il file ") + name + QStringLiteral(" ?");
    if (MessageBox::show(question, MessageBox::OkCancel, this) == MessageBox::Cancel)
        return;
    // A read-only file is protected, as the desktop's file managers treat it, even
    // though the folder would let it go.
    const QByteArray path = nativePath(Module1::PercorsoScelto, List1->itemData(index).toByteArray());
    if (isReadOnlyFile(path) || !removeFile(path)) {
        MessageBox::show(QStringLiteral("Non è possibile cancellare il file ") + name
                             + QStringLiteral(" controllare che non si tratti di un file in sola lettura o "
                                              "una cartella di un CD-ROM o DVD-ROM"),
                         MessageBox::OkOnly, this);
        return;
    }
    List1->removeItem(index);
}

void FrmColScegli::closeEvent(QCloseEvent *event)
{
    event->accept();
    deleteLater();
}

void FrmColScegli::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

void FrmColScegli::mouseMoveEvent(QMouseEvent *event)
{
    MousePointer::set(MousePointer::Default);
    QDialog::mouseMoveEvent(event);
}

bool FrmColScegli::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseMove)
        MousePointer::set(MousePointer::Default);
    return QDialog::eventFilter(watched, event);
}
