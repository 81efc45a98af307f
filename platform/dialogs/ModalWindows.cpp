// ModalWindows: an application event filter over modal windows, and the X11 presses Qt keeps from it.
#include "platform/dialogs/ModalWindows.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#if PINTAVO_HAVE_XCB && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#include <cstdlib>

namespace {

// The head of an XInput 2 device event as XCB hands it over; these few fields
// are all that is read, so the XInput headers are not needed.
struct XiDeviceEvent
{
    quint8 responseType;
    quint8 extension;
    quint16 sequence;
    quint32 length;
    quint16 eventType;
    quint16 deviceId;
    quint32 time;
    quint32 detail;
    quint32 root;
    quint32 event;
};
constexpr quint16 XiButtonPress = 4;
constexpr quint16 XiTouchBegin = 18;

} // namespace
#endif

namespace {
// The watcher of the main window now up; the seams announce to it.
ModalWindows *g_current = nullptr;
}

ModalWindows::ModalWindows(QWidget *mainWindow) : QObject(mainWindow), m_main(mainWindow)
{
    g_current = this;
    qApp->installEventFilter(this);
#if PINTAVO_HAVE_XCB && QT_CONFIG(xcb)
    // On X11 Qt drops a press on a blocked window before any event filter sees
    // it, so the press is looked for among the X server's own events.
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 && QGuiApplication::platformName() == QLatin1String("xcb")
        ? x11->connection()
        : nullptr;
    if (connection) {
        static const char name[] = "XInputExtension";
        xcb_query_extension_reply_t *reply = xcb_query_extension_reply(
            connection, xcb_query_extension(connection, sizeof name - 1, name), nullptr);
        if (reply && reply->present)
            m_xinputOpcode = reply->major_opcode;
        std::free(reply);
        qApp->installNativeEventFilter(this);
    }
#endif
}

ModalWindows::~ModalWindows()
{
    if (g_current == this)
        g_current = nullptr;
    qApp->removeNativeEventFilter(this);
}

void ModalWindows::announceOpening()
{
    if (g_current)
        emit g_current->opening();
}

void ModalWindows::bringBack()
{
    QWidget *front = QApplication::activeModalWidget();
    if (!front || !front->isVisible())
        return;
    // A child who minimised the window by mistake finds it again where it was,
    // the print preview still maximised.
    if (front->windowState() & Qt::WindowMinimized)
        front->setWindowState(front->windowState() & ~Qt::WindowMinimized);
    front->raise();
    front->activateWindow();
}

void ModalWindows::standInFront(QWidget *window)
{
    QWindow *handle = window->windowHandle();
    if (!handle || handle->transientParent())
        return;
    // Shown without an owner: it stands over the modal window it opens from,
    // or over the main window. Qt has not yet counted it among the modal
    // windows, so the one it finds in front is the one below.
    QWidget *below = QApplication::activeModalWidget();
    if (!below || below == window)
        below = m_main;
    if (below && below->window() != window && below->window()->windowHandle())
        handle->setTransientParent(below->window()->windowHandle());
}

bool ModalWindows::isBlocked(const QWindow *window) const
{
    for (const QPointer<QWindow> &blocked : m_blocked)
        if (blocked == window)
            return true;
    return false;
}

bool ModalWindows::isBlockedNative(quintptr windowId) const
{
    for (const QPointer<QWindow> &blocked : m_blocked)
        if (blocked && blocked->handle() && blocked->winId() == windowId)
            return true;
    return false;
}

bool ModalWindows::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        // Before the window reaches the screen: the window manager reads the
        // transient's owner when the window is mapped.
        if (watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow() && widget->isModal() && widget != m_main) {
                standInFront(widget);
                emit opening();
            }
        }
        break;
    case QEvent::WindowBlocked:
        if (auto *window = qobject_cast<QWindow *>(watched); window && !isBlocked(window))
            m_blocked.append(window);
        break;
    case QEvent::WindowUnblocked:
        m_blocked.removeIf([watched](const QPointer<QWindow> &w) { return !w || w == watched; });
        break;
    case QEvent::WindowActivate:
        // Where the window system activates a blocked window (instead of the
        // modal one), the modal window is what the user was looking for.
        if (watched->isWidgetType() && isBlocked(static_cast<QWidget *>(watched)->windowHandle()))
            QMetaObject::invokeMethod(this, [] { bringBack(); }, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return false;
}

bool ModalWindows::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
#if PINTAVO_HAVE_XCB && QT_CONFIG(xcb)
    if (eventType != "xcb_generic_event_t" || m_blocked.isEmpty())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    quint32 pressed = 0;
    switch (event->response_type & 0x7f) {
    case XCB_BUTTON_PRESS:
        pressed = reinterpret_cast<const xcb_button_press_event_t *>(event)->event;
        break;
    case XCB_GE_GENERIC: {
        const auto *device = reinterpret_cast<const XiDeviceEvent *>(event);
        if (m_xinputOpcode && device->extension == m_xinputOpcode
            && (device->eventType == XiButtonPress || device->eventType == XiTouchBegin))
            pressed = device->event;
        break;
    }
    default:
        break;
    }
    // Qt goes on to drop the press; the modal window comes back once it has.
    if (pressed && isBlockedNative(pressed))
        QMetaObject::invokeMethod(this, [] { bringBack(); }, Qt::QueuedConnection);
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}
