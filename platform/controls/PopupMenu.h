// Popup menus opened at the mouse: the chosen item runs before the call returns.
#pragma once

#include <QPoint>
#include <QStringList>

class QMenu;

namespace PopupMenu {

// Shows `menu` at `globalPosition` and returns once it is closed, after the item
// chosen (if any) has run.
void show(QMenu *menu, const QPoint &globalPosition);

// Tests choose instead of showing: while a recorder is set, each menu appends its
// objectName to `shown` and triggers the action whose objectName is the first of
// `choices` (nothing, as when the menu is dismissed, for an empty name or none left).
struct Recorder
{
    QStringList shown;
    QStringList choices;
};
void recordForTests(Recorder *recorder);

} // namespace PopupMenu
