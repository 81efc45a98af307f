// MousePointer over the application's override cursor.
#include "platform/MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace MousePointer {

void set(int pointer)
{
    // Qt stacks override cursors; the program has one pointer, so never more than one.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (pointer == Hourglass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

int current()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor ? Hourglass : Default;
}

} // namespace MousePointer
