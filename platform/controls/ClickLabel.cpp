// ClickLabel: colour resolved at paint time, click on left release inside or on Space and Enter.
#include "platform/controls/ClickLabel.h"

#include "platform/controls/KeyCodes.h"
#include "platform/controls/KeyboardMarks.h"
#include "platform/controls/MouseCodes.h"

#include <QMouseEvent>
#include <QPainter>

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    setMouseTracking(true);
    connect(KeyboardMarks::instance(), &KeyboardMarks::changed, this, [this] {
        if (hasFocus())
            update();
    });
}

void ClickLabel::setBackColor(ColorValue color)
{
    m_backColor = color;
    update();
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_backColor.resolved(palette()));
    }
    QLabel::paintEvent(event);
    if (hasFocus() && KeyboardMarks::shown()) {
        // The style's highlight edged in white inside it, so that the mark
        // shows on every colour, the highlight's own included.
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
    }
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    // A side button pressed meanwhile must not cancel a left click under way.
    if (!MouseCodes::known(event->button()))
        return;
    m_pressed = event->button() == Qt::LeftButton;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (!MouseCodes::known(event->button()))
        return;
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_pressed = false;
    if (click)
        emit Click();
}

void ClickLabel::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(MouseCodes::buttons(event->buttons()), MouseCodes::shift(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    const bool press = event->key() == Qt::Key_Space || KeyCodes::keyCode(event) == KeyCodes::Enter;
    if (!press) {
        emit KeyDown(KeyCodes::keyCode(event), MouseCodes::shift(event->modifiers()));
        QLabel::keyPressEvent(event);
        return;
    }
    // A held key repeats: one press, one click, as with a button.
    if (!event->isAutoRepeat())
        emit Click();
}

void ClickLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    update();
}

void ClickLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    update();
}
