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
    // A click on the sheet takes the keys away from the address bar and the web
    // pane, so that Ctrl+Z then undoes on the sheet.
    Picture1->setFocusPolicy(Qt::ClickFocus);
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
    // typed there. The web pane does not claim these keys ahead of the window's
    // shortcuts, so they stand aside while either has the focus: a shortcut that
    // is off leaves the key to the focus.
    connect(qApp, &QApplication::focusChanged, this, [this, shortcuts](QWidget *, QWidget *now) {
        const bool typing = now && (now == Text1 || WebBrowser1->isAncestorOf(now));
        for (QShortcut *shortcut : shortcuts)
            shortcut->setEnabled(!typing);
    });
}

void Form1::stepHistory(bool back)
{
    // Never behind the back of the address bar or the web pane.
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
