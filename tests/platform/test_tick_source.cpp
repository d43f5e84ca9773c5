#include "platform/tick_source.h"

#include <QTest>

class TestTickSource : public QObject
{
    Q_OBJECT
private slots:
    void deliversOneCallPerPassedPeriod_data();
    void deliversOneCallPerPassedPeriod();
    void callsNeverNest();
    void stoppedSourceDeliversNothing();
    void ticksNobodyNeedsAreDropped();
};

void TestTickSource::deliversOneCallPerPassedPeriod_data()
{
    QTest::addColumn<qint64>("sleep"); // periods the handler lets pass between calls
    QTest::addColumn<QList<qint64>>("pollsAtMs");
    QTest::addColumn<int>("calls");
    QTest::newRow("on time") << qint64(1) << QList<qint64>{10, 20, 30} << 3;
    QTest::newRow("late wake-ups catch up") << qint64(1) << QList<qint64>{35, 36, 99} << 9;
    QTest::newRow("event loop held up two seconds") << qint64(1) << QList<qint64>{2000} << 200;
    // Three seconds after the planned wake-up at 10 ms.
    QTest::newRow("waking from an hour of sleep replays three seconds") << qint64(1) << QList<qint64>{3600000} << 301;
    QTest::newRow("after the skip, counting goes on") << qint64(1) << QList<qint64>{3600000, 3600050} << 306;
    QTest::newRow("held up 2.5 s after a 0.9 s sleep") << qint64(90) << QList<qint64>{3400} << 340;
}

void TestTickSource::deliversOneCallPerPassedPeriod()
{
    QFETCH(qint64, sleep);
    QFETCH(QList<qint64>, pollsAtMs);
    QFETCH(int, calls);
    qint64 nowNs = 0;
    int delivered = 0;
    platform::TickSource source([&] { ++delivered; }, [&] { return nowNs; });
    source.setPlanner([sleep] { return std::optional<qint64>(sleep); });
    source.setInterval(10);
    for (qint64 ms : pollsAtMs) {
        nowNs = ms * 1000000;
        source.poll();
    }
    QCOMPARE(delivered, calls);
}

void TestTickSource::callsNeverNest()
{
    qint64 nowNs = 0;
    int depth = 0;
    int deepest = 0;
    int delivered = 0;
    platform::TickSource *self = nullptr;
    platform::TickSource source(
        [&] {
            ++depth;
            deepest = std::max(deepest, depth);
            ++delivered;
            // A redraw that lets events run while time goes on.
            nowNs += 10000000;
            self->poll();
            --depth;
        },
        [&] { return nowNs; });
    self = &source;
    source.setInterval(10);
    nowNs = 50000000;
    source.poll();
    QCOMPARE(deepest, 1);
    QCOMPARE(delivered, 5);
    source.poll(); // the periods that passed meanwhile come at the next wake-up
    QCOMPARE(delivered, 10);
}

void TestTickSource::stoppedSourceDeliversNothing()
{
    qint64 nowNs = 0;
    int delivered = 0;
    platform::TickSource source([&] { ++delivered; }, [&] { return nowNs; });
    source.setInterval(10);
    source.setInterval(0);
    nowNs = 1000000000;
    source.poll();
    QCOMPARE(delivered, 0);
}

// A clock that is idle or paused sleeps; the ticks of a running one are
// delivered at its wake-ups, and before any change of its state.
void TestTickSource::ticksNobodyNeedsAreDropped()
{
    constexpr qint64 ms = 1000000;
    qint64 nowNs = 0;
    int delivered = 0;
    std::optional<qint64> needed; // none: idle
    platform::TickSource source([&] { ++delivered; }, [&] { return nowNs; });
    source.setPlanner([&] { return needed; });
    source.setInterval(10);
    nowNs = 1003 * ms;
    source.poll();
    QCOMPARE(delivered, 0);
    {
        const platform::TickSource::StateChange start;
        needed = 50;
    }
    nowNs = 1035 * ms;
    source.poll();
    QCOMPARE(delivered, 3); // counted from the start, on the 10 ms grid
    nowNs = 1058 * ms;
    {
        const platform::TickSource::StateChange pause;
        QCOMPARE(delivered, 5);
        needed.reset();
    }
    nowNs = 9000 * ms;
    source.poll();
    QCOMPARE(delivered, 5);
}

QTEST_GUILESS_MAIN(TestTickSource)
#include "test_tick_source.moc"
