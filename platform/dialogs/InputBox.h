// Input boxes: a prompt, a caption and a line of text to edit, Italian buttons, no icon.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace InputBox {

// Shows the box modally with `defaultText` to edit, its left edge `leftTwips` from
// the left of the screen and at the screen's middle height. Returns the text typed,
// or an empty text when the user cancels.
QString ask(const QString &prompt, const QString &caption, const QString &defaultText, int leftTwips,
            QWidget *parent = nullptr);

// Tests answer boxes instead of showing them: while a recorder is set, each box
// appends its prompt, caption and default text and takes the first of `answers`
// (an empty text, as a cancel, when none is left).
struct Recorder
{
    QStringList prompts;
    QStringList captions;
    QStringList defaultTexts;
    QStringList answers;
};
void recordForTests(Recorder *recorder);

} // namespace InputBox
