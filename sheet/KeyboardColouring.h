// What the keys do on the sheet and in the palette, for colouring without a mouse.
#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

// A key pressed on the sheet: a step of the keyboard point, or a press of the
// left or right mouse button at it. Keys held with Ctrl, Alt or Meta are none
// of these: they stay the window's shortcuts.
struct SheetKeyAction
{
    enum Kind { None, Move, LeftButton, RightButton };
    Kind kind = None;
    QPoint step; // for Move, in picture pixels

    friend bool operator==(const SheetKeyAction &a, const SheetKeyAction &b)
    {
        return a.kind == b.kind && a.step == b.step;
    }
};

// Arrows step one pixel, ten with Shift; Space and Enter are the left button,
// the right one with Shift.
SheetKeyAction sheetKeyAction(int key, Qt::KeyboardModifiers modifiers);

// `point` moved by `step` and kept inside `bounds`.
QPoint movedKeyPoint(QPoint point, QPoint step, const QRect &bounds);

// The palette cell an arrow key leads to from `cell` in the four rows of four
// cells, as they stand on the screen; at an edge, and for any other key, `cell`.
int paletteCellAfterKey(int cell, int key);
