// Message boxes captioned with the application's name, with no icon and only the named buttons.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace MessageBox {

enum Answer { Ok = 1, Cancel = 2 };
enum Buttons { OkOnly, OkCancel };

// Shows the box modally and returns the button pressed (closing it counts as
// Cancel, or Ok when Ok is the only button).
int show(const QString &text, Buttons buttons = OkOnly, QWidget *parent = nullptr);

// Tests answer boxes instead of showing them: while a recorder is set, each box
// appends its text and takes the first of `answers` (Ok when none is left).
struct Recorder
{
    QStringList texts;
    QList<int> answers;
    // Run where the user would be reading the box, before it answers.
    std::function<void()> whileShown;
};
void recordForTests(Recorder *recorder);

} // namespace MessageBox
