// Mouse button and shift-key codes as the program's handlers receive them.
#pragma once

#include <QMouseEvent>

namespace MouseCodes {

inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;

inline int buttons(Qt::MouseButtons held)
{
    return (held & Qt::LeftButton ? Left : 0) | (held & Qt::RightButton ? Right : 0)
        | (held & Qt::MiddleButton ? Middle : 0);
}

// Whether the program knows this button. The side buttons (back, forward) and
// any others have no code: their presses and releases reach no handler at all,
// or a back button would pick up colours on the sheet as a right one does.
inline bool known(Qt::MouseButton button)
{
    return buttons(button) != 0;
}

inline int shift(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace MouseCodes
