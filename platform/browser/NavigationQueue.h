// The addresses sent to the browser pane while it cannot load yet, kept in order.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The pane's web engine starts only after the main window is first painted, so
// that it never delays the window. Addresses sent to it before then wait here.
// Once the engine is up they are handed over in the order they came, each once
// the previous one has entered the pane's history (or finished loading), so
// that none is lost, none overtakes another and the pane's history is the one
// the user would have had with an engine running from the start. From then on
// nothing waits: an address sent to the engine loads at once and replaces the
// page still loading, and the older addresses still waiting with it.
class NavigationQueue
{
public:
    // What Back does while addresses wait.
    enum class Back {
        Dropped,  // the last waiting address is given up: the pane stays on the one before it
        NoEarlier, // nothing comes before the only waiting address
        History,  // nothing waits: the engine's own history decides
    };

    // The address to load now, or nothing when it has to wait for the engine.
    std::optional<QString> navigate(const QString &address);
    // The engine is ready: the first waiting address, if any, to load now.
    std::optional<QString> start();
    // The page last handed over from the queue has entered the pane's history,
    // or finished loading: the next waiting address, if any.
    std::optional<QString> pageEntered();
    Back goBack();

    bool started() const { return m_started; }
    const QStringList &waiting() const { return m_waiting; }

private:
    std::optional<QString> next();

    bool m_started = false;
    // A load handed over from the queue has not entered the history yet.
    bool m_busy = false;
    QStringList m_waiting;
};
