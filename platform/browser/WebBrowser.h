// The browser pane: a web view driven by address text, as an address bar would.
#pragma once

#include "platform/browser/NavigationQueue.h"

#include <QUrl>
#include <QWidget>

class QTimer;
class QWebEngineView;

// The web view inside is made only once the window has first been painted:
// starting the web engine takes the main thread and both cores for a good
// while, and the child's sheet comes first. Addresses sent before then wait
// for it (see NavigationQueue); later ones load at once.
class WebBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit WebBrowser(QWidget *parent = nullptr);

    // Starts loading the address and returns at once. A local path (absolute, or
    // naming a file that exists) opens that file; anything else is read as a web
    // address, with or without its scheme.
    void Navigate(const QString &address);
    // Back one page of the pane's own history; false when there is none.
    bool GoBack();

    // The web view, or nullptr until the window has first been painted.
    QWebEngineView *view() const { return m_view; }
    // The shown page's title and address; empty until the view exists.
    QString title() const;
    QUrl url() const;

    static QUrl urlFromAddress(const QString &address);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void startEngine();
    void load(const QString &address);

    // Quiet time after the pane's last paint before the engine starts: long
    // enough for the window manager's answer to the maximised window.
    static constexpr int StartDelayMs = 150;

    NavigationQueue m_queue;
    QWebEngineView *m_view = nullptr;
    QTimer *m_startTimer = nullptr;
};
