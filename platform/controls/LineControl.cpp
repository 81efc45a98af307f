// The line control: placement from its ends and its drawing.
#include "platform/controls/LineControl.h"

#include "platform/controls/Twips.h"
#include "platform/controls/TwipsGeometry.h"

#include <QPainter>

LineControl::LineControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setLine(const QLine &twips)
{
    m_line = twips;
    place();
}

void LineControl::setBorderWidth(int pixels)
{
    m_borderWidth = qMax(pixels, 1);
    place();
}

void LineControl::setBorderColor(ColorValue color)
{
    m_borderColor = color;
    update();
}

void LineControl::place()
{
    const int margin = Twips::fromPixels(m_borderWidth);
    const QRect box = QRect(m_line.p1(), m_line.p2()).normalized();
    setTwipsRect(this, box.adjusted(-margin, -margin, margin, margin));
    update();
}

void LineControl::paintEvent(QPaintEvent *)
{
    // The ends go to pixels the way every control's corner does, so a line
    // meets the controls around it as designed.
    const QPoint origin = geometry().topLeft();
    const QPoint p1(Twips::toPixels(m_line.x1()), Twips::toPixels(m_line.y1()));
    const QPoint p2(Twips::toPixels(m_line.x2()), Twips::toPixels(m_line.y2()));
    QPainter painter(this);
    painter.setPen(QPen(m_borderColor.resolved(palette()), m_borderWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(p1 - origin, p2 - origin);
}
