// WebBrowser over a QWebEngineView made after the first paint.
#include "platform/browser/WebBrowser.h"

#include "platform/browser/PaneView.h"

#include <QFileInfo>
#include <QStackedLayout>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineView>

WebBrowser::WebBrowser(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QStackedLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_startTimer = new QTimer(this);
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(StartDelayMs);
    connect(m_startTimer, &QTimer::timeout, this, &WebBrowser::startEngine);
}

QUrl WebBrowser::urlFromAddress(const QString &address)
{
    if (address.startsWith(QLatin1Char('/')) || QFileInfo::exists(address))
        return QUrl::fromLocalFile(address);
    return QUrl::fromUserInput(address);
}

QString WebBrowser::title() const
{
    return m_view ? m_view->title() : QString();
}

QUrl WebBrowser::url() const
{
    return m_view ? m_view->url() : QUrl();
}

void WebBrowser::Navigate(const QString &address)
{
    if (const auto now = m_queue.navigate(address))
        load(*now);
}

bool WebBrowser::GoBack()
{
    switch (m_queue.goBack()) {
    case NavigationQueue::Back::Dropped:
        return true;
    case NavigationQueue::Back::NoEarlier:
        return false;
    case NavigationQueue::Back::History:
        break;
    }
    if (!m_view || !m_view->history()->canGoBack())
        return false;
    m_view->back();
    return true;
}

void WebBrowser::load(const QString &address)
{
    m_view->load(urlFromAddress(address));
}

void WebBrowser::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The first paint may come before the window manager has given the window
    // its maximised size: the engine starts once the pane has been painted and
    // left alone for a moment, so that the window reaches the screen at its
    // final size first.
    if (!m_queue.started())
        m_startTimer->start();
}

void WebBrowser::startEngine()
{
    if (m_queue.started())
        return;
    m_view = new PaneView(this);
    m_view->setObjectName(QStringLiteral("WebBrowser1View"));
    layout()->addWidget(m_view);
    // A page enters the history when it commits, which its new address shows,
    // long before a slow page finishes; a page reloaded at the same address
    // shows only its end.
    const auto handOverNext = [this] {
        if (const auto next = m_queue.pageEntered())
            load(*next);
    };
    connect(m_view, &QWebEngineView::urlChanged, this, handOverNext);
    connect(m_view, &QWebEngineView::loadFinished, this, handOverNext);
    // A screen reader names the pane after the page it shows.
    connect(m_view, &QWebEngineView::titleChanged, this, [this](const QString &title) {
        setAccessibleName(title);
        m_view->setAccessibleName(title);
    });
    if (const auto first = m_queue.start())
        load(*first);
}
