// frmAbout: its controls, its start-up and what its buttons and picture do.
#include "about/frmAbout.h"

#include "about/GetKeyValue.h"
#include "app/AppInfo.h"
#include "app/Module1.h"
#include "platform/controls/AccessibleRoles.h"
#include "platform/controls/EnterOnButtons.h"
#include "platform/controls/LineControl.h"
#include "platform/controls/Twips.h"
#include "platform/controls/TwipsGeometry.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/SvgPicture.h"
#include "platform/system/LaunchArguments.h"
#include "platform/system/Launcher.h"
#include "platform/system/ProgramStarter.h"
#include "platform/system/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// Where the system information tool is written down: its full file name, or
// the folder holding MSINFO32.EXE.
const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SysInfoValue = QStringLiteral("PATH");
const QString SysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SysInfoLocationValue = QStringLiteral("MSINFO");
const QString SysInfoFileName = QStringLiteral("MSINFO32.EXE");

// The box's face colour, behind the transparent parts of its pictures.
constexpr ColorValue ButtonFace{0x8000000F};

// Tahoma where it is installed; otherwise a sans face of close width.
QFont dialogFont(double points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, const QRect &twips)
{
    auto *l = place(new QLabel(caption, parent), name, twips);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    return l;
}

PictureBox *picture(QWidget *parent, const char *name, const QRect &twips, const QString &svg,
                    const QString &toolTip = {})
{
    auto *box = place(new PictureBox(parent), name, twips, toolTip);
    box->setBackColor(ButtonFace);
    box->setPicture(svgPicture(svg, Twips::toPixels(twips).size()));
    return box;
}

// A file matching folder + "/MSINFO32.EXE": an ordinary file (not hidden, no
// folder, no device), its name compared without regard to letter case as the
// tool's own system does. Empty when there is none.
QString findSysInfoFile(const QString &folder)
{
    const QString pattern = folder + QLatin1Char('/') + SysInfoFileName;
    const QStringList found = QFileInfo(pattern).dir().entryList({SysInfoFileName}, QDir::Files, QDir::Name);
    if (found.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + found.first();
}

} // namespace

frmAbout::frmAbout() : QDialog(nullptr)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setFont(dialogFont(8.25));
    setFixedSize(Twips::toPixels(QRect(0, 0, 7170, 4935)).size());
    createControls();
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::createControls()
{
    picIcon = picture(this, "picIcon", QRect(330, 240, 480, 480), QStringLiteral(":/icons/pintavo.svg"));

    lblTitle = label(this, "lblTitle", QStringLiteral("Titolo applicazione"), QRect(1890, 300, 3675, 465));
    lblTitle->setFont(dialogFont(12, true));
    lblVersion = label(this, "lblVersion", QStringLiteral("Versione"), QRect(2310, 840, 2865, 225));
    lblDescription = label(this, "lblDescription",
                           QStringLiteral("Con questo programma freeware puoi colorare tutte le immagini che "
                                          "vuoi,in questa versione freeware ce ne sono una trentina, altre le "
                                          "puoi scaricare da Internet ed utilizzare direttamente semplicemente "
                                          "trascinandole nell'apposito box."),
                           QRect(2550, 1080, 2445, 2250));

    Picture2 = picture(this, "Picture2", QRect(6420, 2880, 480, 480), QStringLiteral(":/about/emblem.svg"),
                       QStringLiteral("Prodotto Italiano"));

    // Red, white and green, 2 pixels thick, one under the other.
    struct LineDesign { int index; int y; quint32 color; };
    static constexpr LineDesign lines[] = {{0, 3430, 0x0000FF}, {3, 3470, 0xFFFFFF}, {2, 3510, 0x008000}};
    for (const LineDesign &design : lines) {
        auto *line = new LineControl(this);
        line->setObjectName(QStringLiteral("Line1"));
        line->setProperty("Index", design.index);
        line->setBorderWidth(2);
        line->setBorderColor(ColorValue(design.color));
        line->setLine(QLine(180, design.y, 6900, design.y));
        Line1[size_t(design.index)] = line;
    }

    lblDisclaimer = label(this, "lblDisclaimer",
                          QStringLiteral("Nella versione di ") + AppInfo::Title
                              + QStringLiteral(" fornita nel Zanfir troverai centinaia di altre immagini."),
                          QRect(195, 3675, 3870, 435));

    Picture1 = picture(this, "Picture1", QRect(180, 4140, 1800, 435), QStringLiteral(":/about/maker.svg"),
                       QStringLiteral("Visita il sito dell'autore ..."));
    // The pointer's hot spot is the tip of the crayon, in its top-left corner.
    Picture1->setCursor(QCursor(QPixmap::fromImage(svgPicture(QStringLiteral(":/about/pointer.svg"), QSize(32, 32))),
                                2, 2));
    connect(Picture1, &PictureBox::Click, this, &frmAbout::Picture1_Click);

    Command10 = place(new QPushButton(QStringLiteral("ZNF"), this), "Command10", QRect(2040, 4170, 525, 405),
                      QStringLiteral("Visualizza contenuto Zanfir"));
    connect(Command10, &QPushButton::clicked, this, &frmAbout::Command10_Click);

    cmdOK = place(new QPushButton(this), "cmdOK", QRect(5655, 3645, 1260, 510));
    cmdOK->setIcon(QIcon(QPixmap::fromImage(svgPicture(QStringLiteral(":/about/ok.svg"), QSize(32, 32)))));
    cmdOK->setIconSize(QSize(32, 32));
    cmdOK->setAccessibleName(QStringLiteral("OK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = place(new QPushButton(QStringLiteral("&System Info..."), this), "cmdSysInfo",
                       QRect(5670, 4230, 1245, 405));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    EnterOnButtons::watch(this);
    nameControls();

    cmdOK->setFocus();
}

void frmAbout::nameControls()
{
    AccessibleRoles::set(picIcon, QAccessible::Graphic);
    picIcon->setAccessibleName(QStringLiteral("Icona di ") + AppInfo::Title);
    AccessibleRoles::set(Picture2, QAccessible::Graphic);
    Picture2->setAccessibleName(QStringLiteral("Emblema"));
    AccessibleRoles::set(Picture1, QAccessible::Link);
    Picture1->setAccessibleName(QStringLiteral("Sito dell'autore"));
    for (LineControl *line : Line1) {
        if (line)
            AccessibleRoles::set(line, QAccessible::Separator);
    }
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("Informazioni su ") + AppInfo::Title);
    lblVersion->setText(QStringLiteral("Versione %1.%2.%3")
                            .arg(AppInfo::VersionMajor)
                            .arg(AppInfo::VersionMinor)
                            .arg(AppInfo::VersionRevision));
    lblTitle->setText(AppInfo::Title);
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // OK is also the cancel button: Esc presses it wherever the focus is.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::Command10_Click()
{
    Launcher::start(LaunchArguments::bundlePage(Module1::Percorso));
    accept();
}

void frmAbout::Picture1_Click()
{
    Launcher::start(LaunchArguments::webSite(AppInfo::MakerSite));
    accept();
}

void frmAbout::StartSysInfo()
{
    QString SysInfoPath;
    bool found = GetKeyValue(Registry::LocalMachine, SysInfoKey, SysInfoValue, SysInfoPath);
    if (!found && GetKeyValue(Registry::LocalMachine, SysInfoLocationKey, SysInfoLocationValue, SysInfoPath)) {
        SysInfoPath = findSysInfoFile(SysInfoPath);
        found = !SysInfoPath.isEmpty();
    }
    // The name from the first key is started without looking for the file
    // first: a missing file fails to start and ends in the same message.
    if (found && ProgramStarter::start(SysInfoPath))
        return;
    MessageBox::show(QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."),
                     MessageBox::OkOnly, this);
}
