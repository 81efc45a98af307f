// Form1: the palette column's colour choices and the retouch pen.
#include "sheet/Form1.h"

#include "app/Module1.h"
#include "platform/controls/ClickLabel.h"
#include "platform/controls/MouseCodes.h"
#include "platform/controls/MousePointer.h"
#include "platform/picture/PictureBox.h"
#include "platform/controls/TwipsGeometry.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>

void Form1::connectPalette()
{
    for (int i = 0; i < 16; ++i)
        connect(Label1[size_t(i)], &ClickLabel::Click, this, [this, i] { Label1_Click(i); });
    connect(Picture6, &PictureBox::MouseMove, this, &Form1::Picture6_MouseMove);
    connect(Picture6, &PictureBox::Click, this, &Form1::Picture6_Click);
    connect(Label2, &ClickLabel::Click, this, &Form1::Label2_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Picture1, &PictureBox::MouseMove, this, &Form1::Picture1_MouseMove);
    connect(Picture2, &PictureBox::MouseMove, this, &Form1::Picture2_MouseMove);
    // The frame and the window background report their own mouse events.
    Frame1->setMouseTracking(true);
    Frame1->installEventFilter(this);
    centralWidget()->installEventFilter(this);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // The keyboard point starts where the keyboard first finds the sheet; a new
    // drawing, of another size, starts it afresh.
    if (watched == Picture1 && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            placeKeyPoint();
    }
    if (watched == Picture1 && event->type() == QEvent::Resize)
        Picture1->forgetKeyPoint();
    if (watched == Picture1 && event->type() == QEvent::KeyPress && keyOnSheet(static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::KeyPress && watched == Text1) {
        // The key still reaches the address bar afterwards.
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        Text1_KeyDown(enter ? 13 : key->key(), MouseCodes::shift(key->modifiers()));
    }
    if (event->type() == QEvent::DragEnter && watched == centralWidget())
        Form_OLEDragOver();
    if (event->type() == QEvent::DragEnter && watched == Frame1)
        Frame1_DragOver();
    const bool press = event->type() == QEvent::MouseButtonPress;
    if ((press || event->type() == QEvent::MouseMove) && (watched == Frame1 || watched == centralWidget())) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int button = MouseCodes::buttons(press ? Qt::MouseButtons(mouse->button()) : mouse->buttons());
        const int shift = MouseCodes::shift(mouse->modifiers());
        const float x = float(mouse->position().x());
        const float y = float(mouse->position().y());
        if (watched == Frame1 && press) {
            // Buttons and the slider pass on the presses they ignore (right,
            // middle, side buttons) to the frame; only a press on the frame's
            // own background is the frame's.
            if (button != 0 && !Frame1->childAt(mouse->position().toPoint()))
                Frame1_MouseDown(button, shift, x, y);
        } else if (watched == Frame1) {
            Frame1_MouseMove(button, shift, x, y);
        } else if (!press) {
            Form_MouseMove(button, shift, x, y);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::Label1_Click(int Index)
{
    Module1::ModoRitocco = 0;
    Module1::ColoreAttuale = Label1[size_t(Index)]->backColor();
    Picture2->setBackColor(Module1::ColoreAttuale);
}

void Form1::Picture6_MouseMove(int, int, float X, float Y)
{
    // The spectrum's border has no colour to offer.
    if (Picture6->onImage(X, Y))
        Label2->setBackColor(Picture6->point(X, Y));
}

void Form1::Picture6_Click()
{
    Module1::ModoRitocco = 0;
    Module1::ColoreAttuale = Label2->backColor();
    Picture2->setBackColor(Module1::ColoreAttuale);
}

void Form1::Label2_Click()
{
    CommonDialog1.ShowColor(this);
    // Black (0) cannot come from here, and a cancel before any choice leaves 0:
    // only a colour above 0 counts as chosen.
    const ColorValue chosen = CommonDialog1.color();
    if (chosen.signedValue() > 0) {
        Module1::ColoreAttuale = chosen;
        Picture2->setBackColor(Module1::ColoreAttuale);
        Module1::ModoRitocco = 0;
    }
}

void Form1::Frame1_MouseDown(int Button, int, float, float)
{
    if (Button == MouseCodes::Left) {
        QRect frame = twipsRect(Frame1);
        frame.moveLeft(frame.left() + 10);
        setTwipsRect(Frame1, frame);
    }
    Picture6->hide();
}

void Form1::Command6_Click()
{
    Module1::ModoRitocco = 1;
}

void Form1::Picture1_MouseMove(int Button, int, float X, float Y)
{
    MousePointer::set(Module1::ModoRitocco == 1 ? MousePointer::Crosshair : MousePointer::Default);
    const int t = Slider4->value();
    // Only the left button alone draws; squares of a fast stroke stay apart.
    if (Button == MouseCodes::Left && Module1::ModoRitocco == 1)
        DisegnaPenna(X, Y, t);
}

void Form1::Form_MouseMove(int, int, float, float)
{
    MousePointer::set(MousePointer::Default);
}

void Form1::Frame1_MouseMove(int, int, float, float)
{
    MousePointer::set(MousePointer::Default);
}

void Form1::Picture2_MouseMove(int, int, float, float)
{
    MousePointer::set(MousePointer::Default);
}
