// The order of the browser pane's first loads, while its engine is not up yet.
#include "platform/browser/NavigationQueue.h"

#include <QTest>

namespace {

// Runs a script of steps on a queue and writes down what it hands over to load,
// and what Back answers: "go X" navigates to X, "start" starts the engine,
// "done" reports that the page handed over entered the history (or finished),
// "back" presses Back.
QStringList run(const QStringList &script)
{
    NavigationQueue queue;
    QStringList seen;
    const auto loaded = [&seen](const std::optional<QString> &address) {
        if (address)
            seen << QStringLiteral("load ") + *address;
    };
    for (const QString &step : script) {
        if (step.startsWith(QLatin1String("go ")))
            loaded(queue.navigate(step.mid(3)));
        else if (step == QLatin1String("start"))
            loaded(queue.start());
        else if (step == QLatin1String("done"))
            loaded(queue.pageEntered());
        else if (step == QLatin1String("back")) {
            static const char *const answers[] = {"back dropped", "back none", "back history"};
            seen << QLatin1String(answers[int(queue.goBack())]);
        }
    }
    return seen;
}

} // namespace

class TestNavigationQueue : public QObject
{
    Q_OBJECT
private slots:
    void order_data();
    void order();
};

void TestNavigationQueue::order_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("seen");
    QTest::newRow("nothing loads before the engine starts")
        << QStringList{"go menu", "go znf"} << QStringList{};
    QTest::newRow("the start page opens once the engine starts")
        << QStringList{"go menu", "start"} << QStringList{"load menu"};
    QTest::newRow("a click before the engine starts waits for the start page, not overtaking it")
        << QStringList{"go menu", "go znf", "start", "done", "done"} << QStringList{"load menu", "load znf"};
    QTest::newRow("a click once the engine is up loads at once, over a page still loading")
        << QStringList{"go menu", "start", "go znf", "go a", "done", "go b"}
        << QStringList{"load menu", "load znf", "load a", "load b"};
    QTest::newRow("a click while waiting pages are handed over replaces them")
        << QStringList{"go menu", "go znf", "go a", "start", "go b", "done", "done"}
        << QStringList{"load menu", "load b"};
    QTest::newRow("once the queue is empty, addresses load at once")
        << QStringList{"go menu", "start", "done", "go znf", "go a"}
        << QStringList{"load menu", "load znf", "load a"};
    QTest::newRow("an engine started with nothing waiting loads at once")
        << QStringList{"start", "go menu"} << QStringList{"load menu"};
    QTest::newRow("starting twice loads nothing twice")
        << QStringList{"go menu", "start", "start", "done", "done"} << QStringList{"load menu"};
    QTest::newRow("back on the only waiting page finds nothing earlier")
        << QStringList{"go menu", "back", "start"} << QStringList{"back none", "load menu"};
    QTest::newRow("back gives up the last waiting page")
        << QStringList{"go menu", "go znf", "back", "start", "done"}
        << QStringList{"back dropped", "load menu"};
    QTest::newRow("back after a click while the start page loads is the engine's history")
        << QStringList{"go menu", "start", "go znf", "back", "done"}
        << QStringList{"load menu", "load znf", "back history"};
    QTest::newRow("back with nothing waiting is the engine's history")
        << QStringList{"go menu", "start", "done", "back"} << QStringList{"load menu", "back history"};
}

void TestNavigationQueue::order()
{
    QFETCH(QStringList, script);
    QTEST(run(script), "seen");
}

QTEST_GUILESS_MAIN(TestNavigationQueue)
#include "tst_navigationqueue.moc"
