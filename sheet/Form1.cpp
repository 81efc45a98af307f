// Form1: building the controls, start-up and layout.
#include "sheet/Form1.h"

#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/Module1.h"
#include "chooser/FrmColScegli.h"
#include "platform/browser/WebBrowser.h"
#include "platform/controls/ClickLabel.h"
#include "platform/controls/EnterOnButtons.h"
#include "platform/controls/TwipsGeometry.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/ModalWindows.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/PictureFile.h"
#include "platform/system/FolderListing.h"
#include "sheet/ClassicPalette.h"
#include "sheet/Form1Layout.h"
#include "sheet/Spectrum.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <random>
#include <utility>

namespace {

// A 32 x 32 picture above the caption. The picture is an SVG, so Qt's SVG icon
// engine draws it afresh for the screen's scale instead of enlarging 32 pixels.
QToolButton *pictureButton(QWidget *parent, const char *name, const QString &caption,
                           const QRect &twips, const QString &toolTip, const char *picture)
{
    auto *button = place(new QToolButton(parent), name, twips, toolTip);
    button->setText(caption);
    button->setIcon(QIcon(QStringLiteral(":/sheet/") + QLatin1String(picture)));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(32, 32));
    return button;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption,
                    const QRect &twips, const QString &toolTip = {})
{
    auto *b = place(new QPushButton(caption, parent), name, twips, toolTip);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Form1::Options Form1::Options::forProgram()
{
    Options options;
    options.programFolder = QCoreApplication::applicationDirPath();
    // Seeded from the seconds since midnight, so each start shows another drawing.
    auto engine = std::make_shared<std::mt19937>(unsigned(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    options.random = [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
    return options;
}

Form1::Form1(const Options &options, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Pintavo - Freeware da ") + AppInfo::MakerDomain);
    // The controls are sized in twips for a small 8-point face; larger fonts
    // would clip the captions of the palette column.
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    // The chooser, the preview, the about box and the dialogs open over this
    // window and must not get lost behind it or minimised away from it.
    auto *modalWindows = new ModalWindows(this);
    createControls();
    // A web picture landing while a window is open would wipe out, behind the
    // child's back, the very drawing being saved, printed or replaced there.
    connect(modalWindows, &ModalWindows::opening, Picture1, &PictureBox::abandonDrop);
    Form_Load(options);
    // The drawing shown at start is where the history begins.
    connectHistory();
    connectPaste();
}

Form1::~Form1()
{
    delete m_chooser.data();
}

void Form1::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form1Client"));
    client->setMouseTracking(true);
    setCentralWidget(client);
    resize(1024, 720);

    Picture1 = place(new PictureBox(client), "Picture1", QRect(60, 150, 6840, 8895));
    Picture1->setBorderWidth(2);
    Picture1->setAutoSize(true);
    Picture1->setBackColor(ColorValue(0xFFFFFF));

    Picture2 = place(new PictureBox(client), "Picture2", QRect(90, 0, 6825, 135),
                     QStringLiteral("Colore selezionato per la pittura "));
    Picture2->setBackColor(ColorValue(ColorValue::WindowBackground));

    Frame1 = place(new QGroupBox(QStringLiteral("Tavolozza"), client), "Frame1", QRect(6930, 60, 1545, 7815));
    static constexpr int CellLeft[4] = {60, 420, 780, 1140};
    static constexpr int RowTop[4] = {210, 390, 570, 750};
    for (int i = 0; i < 16; ++i) {
        const int row = i / 4;
        Label1[size_t(i)] = place(new ClickLabel(Frame1), "Label1",
                                  QRect(CellLeft[i % 4], RowTop[row], 315, row == 0 ? 170 : 165),
                                  QStringLiteral("Seleziona questo colore"));
        Label1[size_t(i)]->setProperty("Index", i);
        Label1[size_t(i)]->setFrameStyle(QFrame::Box | QFrame::Plain);
    }

    Picture6 = place(new PictureBox(Frame1), "Picture6", QRect(60, 930, 1185, 1785),
                     QStringLiteral("Clicca per selezionare un colore personalizzato"));
    Picture6->setBorderWidth(1);
    Picture6->setAutoSize(true);
    Picture6->setPicture(makeSpectrum());

    Label2 = place(new ClickLabel(Frame1), "Label2", QRect(1260, 930, 195, 1785),
                   QStringLiteral("Visualizza la tavolozza di Windows con tutti i colori"));
    Label2->setBackColor(ColorValue(0x00C0FFFF));
    Label2->setFrameStyle(QFrame::Box | QFrame::Plain);

    Command4 = pictureButton(Frame1, "Command4", QStringLiteral("Annulla tutto"), QRect(90, 2760, 1395, 795),
                             QStringLiteral("Annulla tutte le colorazioni eseguite"), "rubber.svg");
    Command3 = pictureButton(Frame1, "Command3", QStringLiteral("Anteprima stampa"), QRect(90, 3570, 1395, 795),
                             QStringLiteral("Anteprima di stampa del disegno ..."), "printer-preview.svg");
    Command2 = pictureButton(Frame1, "Command2", QStringLiteral("Carica Immagine"), QRect(90, 4380, 1395, 765),
                             QStringLiteral("Carica una immagine presente sul disco fisso."), "folder-drawing.svg");
    Command5 = pictureButton(Frame1, "Command5", QStringLiteral("Salva Lavoro"), QRect(90, 5160, 1395, 765),
                             QStringLiteral("Salva il disegno colorato in un file immagine"), "floppy.svg");
    Command7 = button(Frame1, "Command7", QStringLiteral("&Foglio Bianco"), QRect(90, 5940, 1395, 285),
                      QStringLiteral("Cancella tutto il contenuto del foglio "));
    Command6 = button(Frame1, "Command6", QStringLiteral("Ritocca contorni"), QRect(90, 6240, 1395, 285),
                      QStringLiteral("Ritocca con una penna nera eventuali contorni non precisi"));

    Slider4 = place(new QSlider(Qt::Horizontal, Frame1), "Slider4", QRect(60, 6540, 1455, 225),
                    QStringLiteral("Spessore della penna di ritocco"));
    Slider4->setRange(0, 8);
    Slider4->setValue(2);
    Slider4->setSingleStep(1);
    Slider4->setPageStep(5);

    Command1 = pictureButton(Frame1, "Command1", QStringLiteral("Fine"), QRect(90, 6930, 1395, 765),
                             QStringLiteral("Chiude il programma e torna a Windows"), "door.svg");

    Frame2 = place(new QGroupBox(client), "Frame2", QRect(8550, 60, 4515, 525));
    Command8 = button(Frame2, "Command8", QStringLiteral("Back"), QRect(90, 150, 525, 315),
                      QStringLiteral("Torna indietro"));
    Command9 = button(Frame2, "Command9", QStringLiteral("Menu"), QRect(630, 150, 555, 315),
                      QStringLiteral("Visualizza menù di ricerca Internet"));
    Command10 = button(Frame2, "Command10", QStringLiteral("ZNF"), QRect(1200, 150, 525, 315),
                       QStringLiteral("Visualizza contenuto Zanfir"));
    Text1 = place(new QLineEdit(Frame2), "Text1", QRect(1740, 150, 2265, 315),
                  QStringLiteral("Inserisci un indirizzo valido di Internet quindi premi <Invio>"));

    WebBrowser1 = place(new WebBrowser(client), "WebBrowser1", QRect(8550, 600, 10575, 5160));

    Picture4 = place(new PictureBox(client), "Picture4", QRect(7710, 8160, 1245, 1125));
    Picture4->hide();

    Picture1->setAutomaticDrop(true);
    connect(Picture1, &PictureBox::MouseDown, this, &Form1::Picture1_MouseDown);
    connectPalette();
    connectCommands();
    createMenus();
    nameControls();
    connectKeyboard();
}

void Form1::connectCommands()
{
    connect(Command2, &QToolButton::clicked, this, &Form1::Command2_Click);
    connect(Command4, &QToolButton::clicked, this, &Form1::Command4_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Command5, &QToolButton::clicked, this, &Form1::Command5_Click);
    connect(Command3, &QToolButton::clicked, this, &Form1::Command3_Click);
    connect(Command1, &QToolButton::clicked, this, &Form1::Command1_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    Text1->installEventFilter(this);
    EnterOnButtons::watch(this);
    // The window and the palette frame see drags only to lay the window out again.
    centralWidget()->setAcceptDrops(true);
    Frame1->setAcceptDrops(true);
}

void Form1::Form_Load(const Options &options)
{
    for (int i = 0; i < 16; ++i)
        Label1[size_t(i)]->setBackColor(ClassicPalette[size_t(i)]);

    QRect frame = twipsRect(Frame1);
    frame.moveLeft(palette1Left(twipsRect(Picture1)));
    setTwipsRect(Frame1, frame);

    Module1::Percorso = withTrailingSlash(options.programFolder);

    // A picture asked for takes the place of the random drawing; one that cannot
    // be opened leaves the usual start-up, and the user is told why.
    std::optional<QImage> asked;
    if (!options.pictureFile.isEmpty())
        asked = CommandLine::openPicture(options.pictureFile, &m_startMessage);
    if (asked) {
        Picture1->setPicture(*asked, options.pictureFile);
    } else {
        // The r-th file of the drawings folder, r from 1 to 10: with fewer files, or
        // when that file is no picture, the sheet stays empty.
        const QString folder = Module1::Percorso + QStringLiteral("Immagini");
        const QList<ListedFile> files = ordinaryFiles(folder);
        const int r = int(options.random() * 10) + 1;
        if (r <= files.size()) {
            const ListedFile &drawing = files[r - 1];
            if (const auto picture = loadNativePicture(nativePath(folder, drawing.native)))
                Picture1->setPicture(*picture, withTrailingSlash(folder) + drawing.text);
        }
    }

    setWindowState(windowState() | Qt::WindowMaximized);

    const QString startPage = Module1::Percorso + QStringLiteral("menu/menu.htm");
    WebBrowser1->Navigate(startPage);
    Text1->setText(startPage);
}

void Form1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Told only now, so that the window stands behind the message.
    if (m_firstShow && !m_startMessage.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            MessageBox::show(std::exchange(m_startMessage, QString()), MessageBox::OkOnly, this);
        });
    }
    m_firstShow = false;
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Form1::Form_Resize()
{
    Form1Geometry g{twipsRect(Picture1), twipsRect(Picture2), twipsRect(Frame1),
                    twipsRect(WebBrowser1), twipsRect(Frame2), twipsRect(Text1)};
    layoutForm1(g, windowTwipsSize(this));
    setTwipsRect(Picture2, g.picture2);
    setTwipsRect(Frame1, g.frame1);
    setTwipsRect(WebBrowser1, g.webBrowser1);
    setTwipsRect(Frame2, g.frame2);
    setTwipsRect(Text1, g.text1);
}
