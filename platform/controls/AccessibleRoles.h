// Accessible roles for the program's own controls, which Qt knows only as plain widgets.
#pragma once

#include <QAccessible>

class QWidget;

namespace AccessibleRoles {

// Assistive technology sees `widget` as `role`. A control with a Click signal
// (a ClickLabel, a PictureBox) seen as a button or a link also offers the press
// action, which clicks it as the mouse does. A combo box seen as a combo box
// keeps the name it was given, where Qt on Linux names it after its entry.
void set(QWidget *widget, QAccessible::Role role);

} // namespace AccessibleRoles
