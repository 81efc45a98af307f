// Form1: Ctrl+Z takes back the last change of the sheet; Ctrl+Y and Ctrl+Shift+Z make it again.
#include "sheet/Form1.h"

#include "platform/PictureBox.h"
#include "platform/WebBrowser.h"

#include <QApplication>
#include <QLineEdit>
#include <QShortcut>

void Form1::connectHistory()
{
    Picture1->setKeepsHistory(true);
    // A click on the sheet takes the keys away from the address bar and the web
    // pane, so that Ctrl+Z then undoes on the sheet.
    Picture1->setFocusPolicy(Qt::ClickFocus);
    const auto addKey = [this](const QKeySequence &keys, bool back) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, back] { stepHistory(back); });
    };
    addKey(QKeySequence(Qt::CTRL | Qt::Key_Z), true);
    addKey(QKeySequence(Qt::CTRL | Qt::Key_Y), false);
    addKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false);
}

void Form1::stepHistory(bool back)
{
    // The address bar and the web pane take these keys for their own typing
    // first; one they leave alone must not change the sheet behind them either.
    QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == Text1 || WebBrowser1->isAncestorOf(focus)))
        return;
    const QSize before = Picture1->size();
    if (!(back ? Picture1->undo() : Picture1->redo()))
        return;
    // A picture taken back or given again moves the sheet's right edge.
    if (Picture1->size() != before)
        Form_Resize();
}
