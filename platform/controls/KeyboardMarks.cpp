// KeyboardMarks: one application-wide filter that follows keys and mouse presses.
#include "platform/controls/KeyboardMarks.h"

#include <QCoreApplication>
#include <QKeyEvent>

KeyboardMarks *KeyboardMarks::instance()
{
    static KeyboardMarks *marks = [] {
        auto *m = new KeyboardMarks(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(m);
        return m;
    }();
    return marks;
}

void KeyboardMarks::setInUse(bool inUse)
{
    if (m_inUse == inUse)
        return;
    m_inUse = inUse;
    emit changed();
}

bool KeyboardMarks::eventFilter(QObject *watched, QEvent *event)
{
    // Every event is seen once for each object it travels through; only the
    // kind matters here.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        setInUse(false);
    } else if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: setInUse(true); break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}
