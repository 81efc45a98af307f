// EnterOnButtons: one event filter per window, on its buttons.
#include "platform/controls/EnterOnButtons.h"

#include "platform/controls/KeyCodes.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace {

class EnterFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress
            || KeyCodes::keyCode(static_cast<QKeyEvent *>(event)) != KeyCodes::Enter)
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled())
            return false;
        // A held key repeats: one press, one click, as with Space.
        if (!static_cast<QKeyEvent *>(event)->isAutoRepeat())
            button->click();
        return true;
    }
};

} // namespace

void EnterOnButtons::watch(QWidget *window)
{
    auto *filter = new EnterFilter(window);
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (qobject_cast<QPushButton *>(button) || qobject_cast<QToolButton *>(button))
            button->installEventFilter(filter);
    }
}
