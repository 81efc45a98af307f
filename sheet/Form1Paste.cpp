// Form1: Ctrl+V and Shift+Insert put the picture on the clipboard onto the sheet.
#include "sheet/Form1.h"

#include "platform/picture/DroppedPicture.h"
#include "platform/picture/PictureBox.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScopedValueRollback>
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
    // A press made while an earlier paste waits for the clipboard does nothing.
    if (m_pasting || isTypingPlace(QApplication::focusWidget()))
        return;
    const QScopedValueRollback pasting(m_pasting, true);
    // The program holding the clipboard may leave each question unanswered for
    // seconds, Qt's wait on X11: it is asked once, in one go, under the busy
    // pointer.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const std::unique_ptr<QMimeData> held = DroppedPicture::snapshot(QApplication::clipboard()->mimeData());
    QApplication::restoreOverrideCursor();
    // The presses made meanwhile waited in the queue: they come now, and find
    // this paste still under way.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    // The sheet reads the clipboard as it reads a drop; what holds no picture
    // changes nothing, and no one is told.
    Picture1->paste(held.get());
}
