// MousePointer over the application's override cursor.
#include "platform/controls/MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace MousePointer {

void set(int pointer)
{
    if (pointer == current())
        return;
    // Qt stacks override cursors; the program has one pointer, so never more than one.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (pointer == Crosshair)
        QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    else if (pointer == Hourglass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

int current()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    if (!cursor)
        return Default;
    if (cursor->shape() == Qt::CrossCursor)
        return Crosshair;
    return cursor->shape() == Qt::WaitCursor ? Hourglass : Default;
}

} // namespace MousePointer
