// Form1: colouring by keyboard (the palette's arrows, the sheet's keyboard point) and the names a screen reader says.
#include "sheet/Form1.h"

#include "platform/browser/WebBrowser.h"
#include "platform/controls/AccessibleRoles.h"
#include "platform/controls/ClickLabel.h"
#include "platform/controls/FocusRing.h"
#include "platform/controls/MouseCodes.h"
#include "platform/picture/PictureBox.h"
#include "sheet/ColourNames.h"
#include "sheet/KeyboardColouring.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>

void Form1::nameControls()
{
    AccessibleRoles::set(Picture1, QAccessible::Canvas);
    Picture1->setAccessibleName(QStringLiteral("Foglio da colorare"));
    AccessibleRoles::set(Picture2, QAccessible::StaticText);
    for (int i = 0; i < 16; ++i) {
        AccessibleRoles::set(Label1[size_t(i)], QAccessible::Button);
        Label1[size_t(i)]->setAccessibleName(paletteColourName(i));
    }
    AccessibleRoles::set(Picture6, QAccessible::Graphic);
    Picture6->setAccessibleName(QStringLiteral("Spettro dei colori"));
    AccessibleRoles::set(Label2, QAccessible::Button);
    Label2->setAccessibleName(QStringLiteral("Tutti i colori"));
    Slider4->setAccessibleName(QStringLiteral("Spessore della penna"));
    Frame2->setAccessibleName(QStringLiteral("Navigatore"));
    Text1->setAccessibleName(QStringLiteral("Indirizzo"));
    AccessibleRoles::set(Picture4, QAccessible::Graphic);
    Picture4->setAccessibleName(QStringLiteral("Immagine di riserva"));
    nameThePaintingColour();
    connect(Picture2, &PictureBox::BackColorChanged, this, &Form1::nameThePaintingColour);
}

void Form1::nameThePaintingColour()
{
    Picture2->setAccessibleName(QStringLiteral("Colore per la pittura: ") + colourDescription(Picture2->backColor()));
}

void Form1::connectKeyboard()
{
    // The palette is one stop of the Tab key, on the cell the arrows reached last.
    for (int i = 0; i < 16; ++i) {
        Label1[size_t(i)]->setFocusPolicy(i == 0 ? Qt::TabFocus : Qt::NoFocus);
        connect(Label1[size_t(i)], &ClickLabel::KeyDown, this, [this, i](int KeyCode, int) { Label1_KeyDown(i, KeyCode); });
    }
    Label2->setFocusPolicy(Qt::TabFocus);
    // A click still gives the sheet the keys (Ctrl+Z, Ctrl+V); now Tab does too.
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->installEventFilter(this);
    // Their style shows the focus faintly (the slider's knob) or not at all (the
    // web pane, until the page marks a link of its own).
    FocusRing::watch(Slider4);
    FocusRing::watch(WebBrowser1);
}

void Form1::Label1_KeyDown(int Index, int KeyCode)
{
    const int next = paletteCellAfterKey(Index, KeyCode);
    if (next == Index)
        return;
    ClickLabel *cell = Label1[size_t(next)];
    cell->setFocusPolicy(Qt::TabFocus);
    cell->setFocus(Qt::OtherFocusReason);
    Label1[size_t(Index)]->setFocusPolicy(Qt::NoFocus);
}

QRect Form1::keyPointBounds() const
{
    // Where the point can be seen: a drawing larger than the window shows in part.
    const QRect visible = Picture1->visibleImageRect();
    return visible.isEmpty() ? Picture1->image().rect() : visible;
}

void Form1::placeKeyPoint()
{
    const QRect bounds = keyPointBounds();
    const auto point = Picture1->keyPoint();
    if (!point || !bounds.contains(*point))
        Picture1->setKeyPoint(bounds.center());
}

bool Form1::keyOnSheet(const QKeyEvent *key)
{
    const SheetKeyAction action = sheetKeyAction(key->key(), key->modifiers());
    if (action.kind == SheetKeyAction::None)
        return false;
    placeKeyPoint();
    const QPoint at = *Picture1->keyPoint();
    if (action.kind == SheetKeyAction::Move) {
        Picture1->setKeyPoint(movedKeyPoint(at, action.step, keyPointBounds()));
        return true;
    }
    // A held key repeats: one press, one click. And the keys never cut into a
    // stroke of the mouse under way.
    if (key->isAutoRepeat() || QGuiApplication::mouseButtons() != Qt::NoButton)
        return true;
    // What the key does is one step of the history, as a click is.
    ImageHistory *history = Picture1->history();
    if (history)
        history->beginStroke();
    Picture1_MouseDown(action.kind == SheetKeyAction::LeftButton ? MouseCodes::Left : MouseCodes::Right, 0,
                       float(at.x()), float(at.y()));
    if (history)
        history->endStroke();
    return true;
}
