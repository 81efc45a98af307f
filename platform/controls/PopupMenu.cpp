// PopupMenu over QMenu::exec.
#include "platform/controls/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace PopupMenu {

namespace {
Recorder *g_recorder = nullptr;
}

void show(QMenu *menu, const QPoint &globalPosition)
{
    if (g_recorder) {
        g_recorder->shown.append(menu->objectName());
        const QString choice = g_recorder->choices.isEmpty() ? QString() : g_recorder->choices.takeFirst();
        if (choice.isEmpty())
            return;
        for (QAction *action : menu->actions()) {
            if (action->objectName() == choice && action->isEnabled() && !action->isSeparator()) {
                action->trigger();
                return;
            }
        }
        return;
    }
    menu->exec(globalPosition);
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace PopupMenu
