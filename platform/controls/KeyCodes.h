// Key codes as the program's KeyDown handlers receive them.
#pragma once

#include <QKeyEvent>

namespace KeyCodes {

inline constexpr int Enter = 13;
inline constexpr int Escape = 27;

// Enter (either key) 13, Escape 27, letters and digits their upper-case
// character code; other keys Qt's own key number, which the handlers ignore.
inline int keyCode(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Enter;
    case Qt::Key_Escape: return Escape;
    default: return event->key();
    }
}

} // namespace KeyCodes
