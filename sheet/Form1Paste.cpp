// Form1: Ctrl+V and Shift+Insert put the picture on the clipboard onto the sheet.
#include "sheet/Form1.h"

#include "platform/picture/PictureBox.h"

#include <QApplication>
#include <QClipboard>
#include <QShortcut>

void Form1::connectPaste()
{
    QList<QShortcut *> shortcuts;
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}) {
        auto *shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &Form1::pastePicture);
        shortcuts << shortcut;
    }
    // There the keys paste words into the address bar, or into the page.
    standAsideWhileTyping(shortcuts);
}

void Form1::pastePicture()
{
    if (isTypingPlace(QApplication::focusWidget()))
        return;
    // The sheet reads the clipboard as it reads a drop; what holds no picture
    // changes nothing, and no one is told.
    Picture1->paste(QApplication::clipboard()->mimeData());
}
