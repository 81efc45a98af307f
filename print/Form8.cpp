// Form8: building the controls, loading, the layout and the preview page.
#include "print/Form8.h"

#include "app/Module1.h"
#include "platform/controls/AccessibleRoles.h"
#include "platform/controls/EnterOnButtons.h"
#include "platform/controls/FocusRing.h"
#include "platform/controls/Twips.h"
#include "platform/controls/TwipsGeometry.h"
#include "platform/dialogs/ModalWindows.h"
#include "platform/picture/PictureBox.h"
#include "print/Form8Layout.h"
#include "print/PageGeometry.h"

#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// The window's size as designed; its height less 1400 twips is the
// design height of the page.
constexpr int DesignWidth = 6900;
constexpr int DesignHeight = 8015;

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &twips)
{
    auto *b = place(new QPushButton(caption, parent), name, twips);
    b->setAutoDefault(false);
    return b;
}

} // namespace

// A dialog with the buttons of a window: only a dialog is named the transient of
// the window it opens over on X11, which keeps the two together when minimised.
Form8::Form8(PictureBox *sheet)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                           | Qt::WindowCloseButtonHint),
      m_sheet(sheet), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Pintavo - Anteprima di stampa"));
    // Modal to the whole program, shown with exec() or show() alike.
    setWindowModality(Qt::ApplicationModal);
    createControls();
    Form_Load();
}

Form8::~Form8() = default;

void Form8::createControls()
{
    auto *menuBar = new QMenuBar(this);
    menuf = menuBar->addMenu(QStringLiteral("&File"));
    menuf->setObjectName(QStringLiteral("menuf"));
    menuesci = menuf->addAction(QStringLiteral("&Esci"));
    menuesci->setObjectName(QStringLiteral("menuesci"));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form8Client"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    resize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));

    Picture1 = place(new PictureBox(client), "Picture1", QRect(30, 60, 4676, 6615));
    Picture1->setBorderWidth(2);
    Picture1->setBackColor(ColorValue(0xFFFFFF));

    Frame1 = place(new QGroupBox(QStringLiteral("Pannello comandi"), client), "Frame1", QRect(4800, -30, 1845, 2805));
    Command2 = button(Frame1, "Command2", QStringLiteral("&Stampa"), QRect(180, 300, 1545, 795));
    Command1 = button(Frame1, "Command1", QStringLiteral("&Chiudi"), QRect(180, 1140, 1545, 765));
    // Designed 1275 twips wide from 330 for a narrower system font: it spans the
    // slider below it instead, centred, so that today's fonts are not cut off.
    Label1 = place(new QLabel(QStringLiteral("Zoom di stampa"), Frame1), "Label1", QRect(150, 1980, 1575, 225));
    Label1->setAlignment(Qt::AlignCenter);
    Slider1 = place(new QSlider(Qt::Horizontal, Frame1), "Slider1", QRect(150, 2160, 1575, 495));
    Slider1->setRange(PageGeometry::MinZoom, PageGeometry::MaxZoom);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(PageGeometry::ClickStep);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setTickInterval(10);

    // Holds the copy of the sheet; never shown.
    Image1 = place(new PictureBox(client), "Image1", QRect(8370, 30, 6810, 8865));
    Image1->hide();

    AccessibleRoles::set(Picture1, QAccessible::Graphic);
    Picture1->setAccessibleName(QStringLiteral("Pagina in anteprima"));
    Slider1->setAccessibleName(Label1->text());
    FocusRing::watch(Slider1);
    AccessibleRoles::set(Image1, QAccessible::Graphic);
    Image1->setAccessibleName(QStringLiteral("Copia del foglio"));

    connect(Picture1, &PictureBox::MouseDown, this, &Form8::Picture1_MouseDown);
    // Redrawn while the thumb is dragged: a redraw is quick enough to follow the mouse.
    connect(Slider1, &QSlider::valueChanged, this, &Form8::Form_Resize);
    connect(Command1, &QPushButton::clicked, this, &Form8::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form8::Command2_Click);
    connect(menuesci, &QAction::triggered, this, &Form8::menuesci_Click);
    EnterOnButtons::watch(this);
}

void Form8::Form_Load()
{
    // The load lets events run before the window is up: a web picture landing
    // on the sheet then would be drawn from this copy at the new sheet's size.
    ModalWindows::announceOpening();
    if (!Module1::Percorso.isEmpty())
        QDir::setCurrent(Module1::Percorso);

    // Where the window goes when the user restores it from maximised.
    const QScreen *screen = this->screen();
    const int screenHeight = screen ? Twips::fromPixels(screen->geometry().height()) : 0;
    const int top = qBound(0, (screenHeight - windowTwipsSize(this).height()) / 2, 300);
    move(Twips::toPixels(300), Twips::toPixels(top));

    if (m_sheet)
        Image1->setPicture(m_sheet->image().copy(0, 0, m_sheet->scaleWidth(), m_sheet->scaleHeight()));

    QCoreApplication::processEvents();
    setWindowState(windowState() | Qt::WindowMaximized);
    Slider1->setValue(PageGeometry::FirstZoom);
}

PageContent Form8::pageContent() const
{
    PageContent content;
    content.picture = Image1->picture();
    // The sheet may have been resized since the copy was taken; its size now wins.
    content.sheetSize = m_sheet ? QSizeF(m_sheet->scaleWidth(), m_sheet->scaleHeight())
                                : QSizeF(content.picture.size());
    content.zoom = Slider1->value();
    return content;
}

void Form8::Form_Resize()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    if (isMinimized())
        return;

    Form8Geometry g{twipsRect(Picture1), twipsRect(Frame1)};
    if (!layoutForm8(g, windowTwipsSize(this).height()))
        return;
    setTwipsRect(Picture1, g.picture1);
    setTwipsRect(Frame1, g.frame1);

    // The page is drawn off screen and handed to the picture box, which keeps it
    // on screen through any covering until the next redraw.
    QImage page(qMax(Picture1->scaleWidth(), 0), qMax(Picture1->scaleHeight(), 0), QImage::Format_RGB32);
    if (page.isNull()) {
        Picture1->setPicture(QImage());
        return;
    }
    // Screen points: 96 dots per inch, the twips' own scale.
    const int dotsPerMetre = qRound(Twips::PerInch / double(Twips::PerPixel) / 0.0254);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&page);
    // Thin outlines shrunk for the screen stay visible when blended.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double ratio = ScalaAnteprima(painter);
    DisegnaPagina(painter, ratio, pageContent());
    painter.end();
    Picture1->setPicture(page);
}

double Form8::ScalaAnteprima(QPainter &page)
{
    const QSizeF paper = paperSize();
    const QPaintDevice *device = page.device();
    const QSizeF inner(device->width() / double(device->logicalDpiX()),
                       device->height() / double(device->logicalDpiY()));
    const double ratio = PageGeometry::previewRatio(inner, paper);

    page.resetTransform();
    page.fillRect(QRect(0, 0, device->width(), device->height()), Qt::white);
    // Paper inches across the whole page: the page keeps A4 proportions while
    // the paper may have others, so the axes are scaled apart.
    page.scale(device->width() / paper.width(), device->height() / paper.height());
    // The printer's drawing colour; its font is set by the page composition.
    page.setPen(Qt::black);
    return ratio;
}

void Form8::Picture1_MouseDown(int Button, int, float, float)
{
    const int zoom = PageGeometry::zoomAfterClick(Slider1->value(), Button);
    {
        // One redraw for the click, not a second one from the slider.
        const QSignalBlocker blocker(Slider1);
        Slider1->setValue(zoom);
    }
    Form_Resize();
}

void Form8::Command1_Click()
{
    close();
}

void Form8::Command2_Click()
{
    Stampa();
}

void Form8::menuesci_Click()
{
    close();
}

void Form8::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void Form8::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Minimising and restoring may keep the size, and lay the page out all the same.
    if (event->type() == QEvent::WindowStateChange) {
        const auto old = static_cast<QWindowStateChangeEvent *>(event)->oldState();
        if ((old ^ windowState()) & Qt::WindowMinimized)
            Form_Resize();
    }
}

void Form8::keyPressEvent(QKeyEvent *event)
{
    // Only "&Chiudi", "&Esci" and the close box close the preview: Escape does not.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
