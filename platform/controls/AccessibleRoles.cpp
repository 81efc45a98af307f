// AccessibleRoles: one accessibility factory for the widgets given a role.
#include "platform/controls/AccessibleRoles.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

const char *const RoleProperty = "pintavoAccessibleRole";

class RoleInterface : public QAccessibleWidget
{
public:
    RoleInterface(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QStringList actionNames() const override
    {
        return pressable() ? QStringList{pressAction()} + QAccessibleWidget::actionNames()
                           : QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && pressable())
            QMetaObject::invokeMethod(widget(), "Click");
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    // The program's clickable controls (labels, picture boxes) tell a click by their Click signal.
    bool pressable() const
    {
        return (role() == QAccessible::Button || role() == QAccessible::Link)
            && widget()->metaObject()->indexOfSignal("Click()") >= 0;
    }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    const QVariant role = object ? object->property(RoleProperty) : QVariant();
    if (!widget || !role.isValid())
        return nullptr;
    return new RoleInterface(widget, QAccessible::Role(role.toInt()));
}

} // namespace

void AccessibleRoles::set(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(RoleProperty, int(role));
}
