// NavigationQueue: the order of the pane's first loads.
#include "platform/browser/NavigationQueue.h"

std::optional<QString> NavigationQueue::navigate(const QString &address)
{
    if (!m_started) {
        m_waiting.append(address);
        return std::nullopt;
    }
    // As on an engine there from the start: the newest address wins at once.
    m_waiting.clear();
    m_busy = false;
    return address;
}

std::optional<QString> NavigationQueue::start()
{
    if (m_started)
        return std::nullopt;
    m_started = true;
    return next();
}

std::optional<QString> NavigationQueue::pageEntered()
{
    if (!m_busy)
        return std::nullopt;
    return next();
}

std::optional<QString> NavigationQueue::next()
{
    m_busy = !m_waiting.isEmpty();
    if (!m_busy)
        return std::nullopt;
    return m_waiting.takeFirst();
}

NavigationQueue::Back NavigationQueue::goBack()
{
    if (m_waiting.isEmpty())
        return Back::History;
    // A page still loading from the queue is the one before the first waiting address.
    if (m_waiting.size() == 1 && !m_busy)
        return Back::NoEarlier;
    m_waiting.removeLast();
    return Back::Dropped;
}
