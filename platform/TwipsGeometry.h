// Placing controls by twips, as the windows are designed.
#pragma once

#include <QRect>

class QWidget;

// Moves and sizes the control to a rectangle in twips. The twips are kept, so
// reading them back gives exactly what was set as long as nothing else moved
// the control; otherwise they are derived from its pixels.
void setTwipsRect(QWidget *control, const QRect &twips);
QRect twipsRect(const QWidget *control);

// The outer size of a top-level window (frame and title bar included), in twips.
QSize windowTwipsSize(const QWidget *window);
