// Keyboard colouring: keys to actions, the keyboard point's steps, the palette's arrows.
#include "sheet/KeyboardColouring.h"

#include <QtGlobal>

namespace {

constexpr int ShiftStep = 10;
constexpr int PaletteColumns = 4;
constexpr int PaletteCells = 16;

} // namespace

SheetKeyAction sheetKeyAction(int key, Qt::KeyboardModifiers modifiers)
{
    // The keypad's Enter and arrows carry the keypad modifier: they are the same keys.
    const Qt::KeyboardModifiers others = modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier)
        return {};
    const bool shift = modifiers & Qt::ShiftModifier;
    const int step = shift ? ShiftStep : 1;
    switch (key) {
    case Qt::Key_Left: return {SheetKeyAction::Move, QPoint(-step, 0)};
    case Qt::Key_Right: return {SheetKeyAction::Move, QPoint(step, 0)};
    case Qt::Key_Up: return {SheetKeyAction::Move, QPoint(0, -step)};
    case Qt::Key_Down: return {SheetKeyAction::Move, QPoint(0, step)};
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: return {shift ? SheetKeyAction::RightButton : SheetKeyAction::LeftButton, QPoint()};
    default: return {};
    }
}

QPoint movedKeyPoint(QPoint point, QPoint step, const QRect &bounds)
{
    if (bounds.isEmpty())
        return point;
    return QPoint(qBound(bounds.left(), point.x() + step.x(), bounds.right()),
                  qBound(bounds.top(), point.y() + step.y(), bounds.bottom()));
}

int paletteCellAfterKey(int cell, int key)
{
    if (cell < 0 || cell >= PaletteCells)
        return cell;
    const int column = cell % PaletteColumns;
    const int row = cell / PaletteColumns;
    const int rows = PaletteCells / PaletteColumns;
    switch (key) {
    case Qt::Key_Left: return column > 0 ? cell - 1 : cell;
    case Qt::Key_Right: return column < PaletteColumns - 1 ? cell + 1 : cell;
    case Qt::Key_Up: return row > 0 ? cell - PaletteColumns : cell;
    case Qt::Key_Down: return row < rows - 1 ? cell + PaletteColumns : cell;
    default: return cell;
    }
}
