// AccessibleRoles: one accessibility factory for the widgets given a role.
#include "platform/controls/AccessibleRoles.h"

#include <QAccessibleWidget>
#include <QComboBox>
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

// On Linux Qt names a combo box after the entry it shows, which a screen
// reader then says twice; this one keeps the name given and says the entry as
// the value.
class ComboInterface : public QAccessibleWidget
{
public:
    explicit ComboInterface(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? static_cast<QComboBox *>(widget())->currentText() : QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            static_cast<QComboBox *>(widget())->showPopup();
    }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    const QVariant role = object ? object->property(RoleProperty) : QVariant();
    if (!widget || !role.isValid())
        return nullptr;
    if (auto *combo = qobject_cast<QComboBox *>(widget); combo && role.toInt() == QAccessible::ComboBox)
        return new ComboInterface(combo);
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
    // With assistive technology listening, Qt may already have made the
    // widget's usual interface (a list filled, a tooltip set): it gives way.
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget);
    if (made && !dynamic_cast<RoleInterface *>(made) && !dynamic_cast<ComboInterface *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}
