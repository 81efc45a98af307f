// Windows opened modally over the main window: kept with it, and brought back by a click on it.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

// While it lives, every window shown modally (the chooser, the print preview,
// the about box, message, input, colour, save and print dialogs) stands as the
// transient of the window it opens over, the main window or the modal window
// in front: the window manager then minimises, restores and stacks them
// together. A click on a window that a modal one blocks, or its activation,
// brings the modal window in front back: un-minimised (a maximised one stays
// maximised), raised and active. The opener still waits until the modal
// window is hidden or closed. Every window opening is also told (opening()),
// so that work under way on the main window can give way to it.
class ModalWindows : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit ModalWindows(QWidget *mainWindow);
    ~ModalWindows() override;

    // The modal window in front, un-minimised, raised and made active; nothing
    // when no modal window is up.
    static void bringBack();

    // Tells that a window opens over the main one where no modal window is shown
    // to be seen: a dialog seam answering for a test or through the desktop's
    // own dialog, or a window that lets events run while it loads.
    static void announceOpening();

signals:
    // A window opens over the main one: shown modally, or announced.
    void opening();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void standInFront(QWidget *window);
    bool isBlocked(const QWindow *window) const;
    bool isBlockedNative(quintptr windowId) const;

    QPointer<QWidget> m_main;
    // The windows Qt has told blocked by a modal window, until it tells them free.
    QList<QPointer<QWindow>> m_blocked;
    // The X server's number for the XInput extension, whose events carry the
    // mouse presses; 0 on other window systems.
    quint8 m_xinputOpcode = 0;
};
