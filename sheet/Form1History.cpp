// Form1: Ctrl+Z takes back the last change of the sheet; Ctrl+Y and Ctrl+Shift+Z make it again.
#include "sheet/Form1.h"

#include "platform/picture/PictureBox.h"
#include "platform/browser/WebBrowser.h"

#include <QApplication>
#include <QLineEdit>
#include <QShortcut>

void Form1::connectHistory()
{
    Picture1->setKeepsHistory(true);
    QList<QShortcut *> shortcuts;
    const auto addKey = [&](const QKeyCombination &keys, bool back) {
        auto *shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, back] { stepHistory(back); });
        shortcuts << shortcut;
    };
    addKey(Qt::CTRL | Qt::Key_Z, true);
    addKey(Qt::CTRL | Qt::Key_Y, false);
    addKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, false);
    // The address bar and the web pane have an undo of their own for what is
    // typed there.
    standAsideWhileTyping(shortcuts);
}

bool Form1::isTypingPlace(const QWidget *widget) const
{
    return widget && (widget == Text1 || WebBrowser1->isAncestorOf(widget));
}

void Form1::standAsideWhileTyping(const QList<QShortcut *> &shortcuts)
{
    // The web pane does not claim the window's keys ahead of its shortcuts; a
    // shortcut that is off leaves the key to the focus.
    connect(qApp, &QApplication::focusChanged, this, [this, shortcuts](QWidget *, QWidget *now) {
        for (QShortcut *shortcut : shortcuts)
            shortcut->setEnabled(!isTypingPlace(now));
    });
}

void Form1::stepHistory(bool back)
{
    // Never behind the back of the address bar or the web pane.
    if (isTypingPlace(QApplication::focusWidget()))
        return;
    const QSize before = Picture1->size();
    if (!(back ? Picture1->undo() : Picture1->redo()))
        return;
    // A picture taken back or given again moves the sheet's right edge.
    if (Picture1->size() != before)
        Form_Resize();
}
