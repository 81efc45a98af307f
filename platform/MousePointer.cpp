// MousePointer as an application-wide override cursor.
#include "platform/MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace MousePointer {

namespace {
int g_shape = Default;
}

void set(int shape)
{
    if (shape == g_shape)
        return;
    if (g_shape != Default)
        QGuiApplication::restoreOverrideCursor();
    g_shape = shape;
    if (shape == Crosshair)
        QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    else if (shape == Hourglass)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        g_shape = Default;
}

int current()
{
    return g_shape;
}

} // namespace MousePointer
