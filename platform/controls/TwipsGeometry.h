// Placing controls by twips, as the windows are designed.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Moves and sizes the control to a rectangle in twips. The twips are kept, so
// reading them back gives exactly what was set as long as nothing else moved
// the control; otherwise they are derived from its pixels.
void setTwipsRect(QWidget *control, const QRect &twips);
QRect twipsRect(const QWidget *control);

// Names a control after its design name, places it in twips and gives it its tooltip.
template<typename Control>
Control *place(Control *control, const char *name, const QRect &twips, const QString &toolTip = {})
{
    control->setObjectName(QLatin1String(name));
    setTwipsRect(control, twips);
    if (!toolTip.isEmpty())
        control->setToolTip(toolTip);
    return control;
}

// The outer size of a top-level window (frame and title bar included), in twips.
QSize windowTwipsSize(const QWidget *window);
