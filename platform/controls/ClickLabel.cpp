// ClickLabel: colour resolved at paint time, click on left release inside.
#include "platform/controls/ClickLabel.h"

#include "platform/controls/MouseCodes.h"

#include <QMouseEvent>
#include <QPainter>

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    setMouseTracking(true);
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
