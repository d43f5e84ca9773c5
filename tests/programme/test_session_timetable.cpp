#include "programme/session_clock.h"
#include "programme/session_timetable.h"

#include <QTest>

#include <cstdlib>
#include <limits>

using programme::DaySeconds;
using programme::SessionProgress;

Q_DECLARE_METATYPE(SessionProgress)

namespace {

constexpr int None = std::numeric_limits<int>::min();

DaySeconds at(int hours, int minutes, int seconds = 0) { return (hours * 60 + minutes) * 60 + seconds; }

// "09:00 10+5" is a talk planned at nine, ten minutes and a discussion of
// five; "- 12+3" a talk without a start.
QList<programme::Talk> talksOf(const QStringList &lines)
{
    QList<programme::Talk> talks;
    for (const QString &line : lines) {
        const QStringList parts = line.split(QLatin1Char(' '));
        const QStringList minutes = parts[1].split(QLatin1Char('+'));
        programme::Talk talk;
        talk.presentation = int16_t(minutes[0].toInt() * 60);
        talk.discussion = int16_t(minutes[1].toInt() * 60);
        if (parts[0] != QLatin1String("-"))
            talk.start = QTime::fromString(parts[0], QStringLiteral("HH:mm"));
        talks << talk;
    }
    return talks;
}

SessionProgress progressOf(int current, int startedAt, int32_t elapsed, int carried, DaySeconds now)
{
    SessionProgress p;
    p.current = current;
    if (startedAt != None)
        p.startedAt = startedAt;
    p.elapsed = elapsed;
    if (carried != None)
        p.carriedOffset = carried;
    p.now = now;
    return p;
}

// Unwrapped, with seconds, so that 24:25:00 tells the day apart.
QString timeText(const std::optional<int> &seconds)
{
    if (!seconds)
        return QStringLiteral("-");
    const int magnitude = std::abs(*seconds);
    return QStringLiteral("%1%2:%3:%4")
        .arg(*seconds < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
        .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

QString described(const programme::SessionTimetable &t)
{
    if (!t.planned)
        return QStringLiteral("not planned");
    QStringList planned;
    QStringList expected;
    for (const auto &start : t.plannedStarts)
        planned << timeText(start);
    for (const auto &start : t.expectedStarts)
        expected << timeText(start);
    const QString until = t.secondsUntilFirst
                              ? QStringLiteral("%1 to %2").arg(*t.secondsUntilFirst).arg(timeText(t.firstPlannedStart))
                              : QStringLiteral("-");
    return QStringLiteral("planned %1; expected %2; offset %3; end %4; until %5")
        .arg(planned.join(QLatin1Char(',')), expected.join(QLatin1Char(',')),
             t.offset ? QString::number(*t.offset) : QStringLiteral("-"), timeText(t.projectedEnd), until);
}

} // namespace

class TestSessionTimetable : public QObject
{
    Q_OBJECT
private slots:
    void timetable_data();
    void timetable();
    void clockTextWrapsForTheEye();
    void offsetText_data();
    void offsetText();
    void sessionClockCarriesTheEndOfATalk();
    void sessionClockFindsTheSessionsDay_data();
    void sessionClockFindsTheSessionsDay();
};

void TestSessionTimetable::timetable_data()
{
    QTest::addColumn<QStringList>("talks");
    QTest::addColumn<int>("changeover");
    QTest::addColumn<SessionProgress>("progress"); // TotalTime is the current talk's length
    QTest::addColumn<QString>("timetable");

    const QStringList morning{"09:00 10+5", "- 12+3", "10:00 20+0"};
    QTest::newRow("starts given and chained, before the session")
        << morning << 0 << progressOf(0, None, 0, None, at(8, 50))
        << "planned 09:00:00,09:15:00,10:00:00; expected -,-,-; offset -; end -; until 600 to 09:00:00";
    QTest::newRow("changeover, the first talk overdue")
        << morning << 120 << progressOf(0, None, 0, None, at(9, 2))
        << "planned 09:00:00,09:17:00,10:00:00; expected -,-,-; offset -; end -; until -120 to 09:00:00";
    QTest::newRow("no start times: nothing") << QStringList{"- 10+5", "- 12+3"} << 60
                                             << progressOf(0, at(9, 5), 60, None, at(9, 6)) << "not planned";
    QTest::newRow("a late start")
        << morning << 0 << progressOf(0, at(9, 5), 60, None, at(9, 6))
        << "planned 09:00:00,09:15:00,10:00:00; expected 09:05:00,09:20:00,10:05:00; offset 300; end 10:25:00; until -";
    QTest::newRow("overtime grows the offset")
        << morning << 0 << progressOf(0, at(9, 5), 960, None, at(9, 21))
        << "planned 09:00:00,09:15:00,10:00:00; expected 09:05:00,09:21:00,10:06:00; offset 360; end 10:26:00; until -";
    QTest::newRow("an early start")
        << morning << 0 << progressOf(0, at(8, 58), 60, None, at(8, 59))
        << "planned 09:00:00,09:15:00,10:00:00; expected 08:58:00,09:13:00,09:58:00; offset -120; end 10:18:00; "
           "until -";
    QTest::newRow("a pause makes the session later")
        << morning << 0 << progressOf(0, at(9, 0), 300, None, at(9, 7))
        << "planned 09:00:00,09:15:00,10:00:00; expected 09:00:00,09:17:00,10:02:00; offset 120; end 10:22:00; until -";
    QTest::newRow("between talks, the offset carried")
        << morning << 0 << progressOf(1, None, 0, 300, at(9, 16))
        << "planned 09:00:00,09:15:00,10:00:00; expected -,09:20:00,10:05:00; offset 300; end 10:25:00; until -";
    QTest::newRow("between talks, waited past the carried offset")
        << morning << 0 << progressOf(1, None, 0, 60, at(9, 20))
        << "planned 09:00:00,09:15:00,10:00:00; expected -,09:20:00,10:05:00; offset 300; end 10:25:00; until -";
    QTest::newRow("a start planned too early waits for the talk before")
        << QStringList{"09:00 10+5", "09:10 10+0"} << 0 << progressOf(0, at(9, 0), 60, None, at(9, 1))
        << "planned 09:00:00,09:10:00; expected 09:00:00,09:15:00; offset 0; end 09:25:00; until -";
    QTest::newRow("midnight not crossed")
        << QStringList{"23:30 40+5", "- 20+0"} << 0 << progressOf(0, at(23, 40), 60, None, at(23, 41))
        << "planned 23:30:00,24:15:00; expected 23:40:00,24:25:00; offset 600; end 24:45:00; until -";
    QTest::newRow("an untimed opening talk: until the first planned start")
        << QStringList{"- 5+0", "09:00 10+5"} << 0 << progressOf(0, None, 0, None, at(8, 50))
        << "planned -,09:00:00; expected -,-; offset -; end -; until 600 to 09:00:00";
    QTest::newRow("planned starts across midnight are one session")
        << QStringList{"23:58 2+0", "00:00 2+0", "00:02 2+0"} << 0 << progressOf(1, at(24, 0, 30), 10, None, at(24, 0, 40))
        << "planned 23:58:00,24:00:00,24:02:00; expected -,24:00:30,24:02:30; offset 30; end 24:04:30; until -";
    QTest::newRow("past midnight")
        << QStringList{"23:30 40+5", "- 20+0"} << 0 << progressOf(1, at(24, 30), 60, None, at(24, 31))
        << "planned 23:30:00,24:15:00; expected -,24:30:00; offset 900; end 24:50:00; until -";
}

void TestSessionTimetable::timetable()
{
    QFETCH(QStringList, talks);
    QFETCH(int, changeover);
    QFETCH(SessionProgress, progress);
    QFETCH(QString, timetable);
    const QList<programme::Talk> read = talksOf(talks);
    progress.total = int16_t(read[progress.current].presentation + read[progress.current].discussion);
    QCOMPARE(described(programme::sessionTimetable(read, changeover, progress)), timetable);
}

void TestSessionTimetable::clockTextWrapsForTheEye()
{
    QCOMPARE(programme::clockText(at(24, 25, 59)), QStringLiteral("00:25"));
}

void TestSessionTimetable::offsetText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("under an hour") << 3599 << "59:59 late";
    QTest::newRow("an hour") << 3600 << "1:00:00 late";
    QTest::newRow("over an hour early") << -(3600 + 5 * 60 + 30) << "1:05:30 early";
}

void TestSessionTimetable::offsetText()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(programme::offsetText(seconds), text);
}

void TestSessionTimetable::sessionClockCarriesTheEndOfATalk()
{
    const QList<programme::Talk> talks = talksOf({"23:40 10+5", "- 12+3"});
    const QDate day(2026, 3, 14);
    const auto wall = [&day](int hours, int minutes) {
        return QDateTime(day, QTime(0, 0)).addSecs(at(hours, minutes));
    };
    programme::SessionClock clock;
    clock.started(wall(23, 45), talks, 60, 0);
    QCOMPARE(clock.timetable(talks, 60, 0, 60, 900, wall(23, 46)).offset.value_or(0), 300);
    // Cut short: ended at 23:53 where 23:55 was planned, so two minutes early.
    clock.paused(wall(23, 53));
    clock.finished(talks, 60, 0);
    // The talk that ended is still the current one until "next" is pressed.
    for (const int current : {0, 1}) {
        const programme::SessionTimetable waiting = clock.timetable(talks, 60, current, 0, 900, wall(23, 54));
        QCOMPARE(waiting.offset.value_or(0), -120);
        QCOMPARE(waiting.expectedStarts[1].value_or(0), at(23, 54));
    }
    // Waiting past midnight makes it late, on the session's day.
    const programme::SessionTimetable next = clock.timetable(talks, 60, 1, 0, 900, wall(24, 1));
    QCOMPARE(next.offset.value_or(0), 300);
    QCOMPARE(next.projectedEnd.value_or(0), at(24, 16));
    // The last talk ended at 00:20, nine minutes past its planned end.
    clock.started(wall(24, 2), talks, 60, 1);
    clock.paused(wall(24, 20));
    clock.finished(talks, 60, 1);
    const programme::SessionTimetable over = clock.timetable(talks, 60, 1, 0, 900, wall(24, 30));
    QCOMPARE(over.offset.value_or(0), 540);
    QCOMPARE(over.projectedEnd.value_or(0), at(24, 20));
    clock.clear();
    QCOMPARE(clock.timetable(talks, 60, 1, 0, 900, wall(23, 50)).secondsUntilFirst.value_or(0), 360);
}

void TestSessionTimetable::sessionClockFindsTheSessionsDay_data()
{
    QTest::addColumn<QStringList>("talks");
    QTest::addColumn<int>("startedAt"); // seconds from the midnight before, for the first talk
    QTest::addColumn<int>("endedAt");   // its "pause" and "reset"
    QTest::addColumn<int>("now");       // still running, unless it ended
    QTest::addColumn<QString>("timetable");

    QTest::newRow("planned 23:59, started half a minute late, after midnight")
        << QStringList{"23:59 1+0", "00:00 1+0"} << at(23, 59, 30) << None << at(24, 0, 20)
        << "planned 23:59:00,24:00:00; expected 23:59:30,24:00:30; offset 30; end 24:01:30; until -";
    QTest::newRow("planned 23:59, started after midnight")
        << QStringList{"23:59 1+0"} << at(24, 0, 30) << None << at(24, 0, 40)
        << "planned 23:59:00; expected 24:00:30; offset 90; end 24:01:30; until -";
    QTest::newRow("planned 00:00, started the evening before")
        << QStringList{"00:00 10+0"} << at(23, 59, 50) << None << at(24, 0, 0)
        << "planned 00:00:00; expected -00:00:10; offset -10; end 00:09:50; until -";
    QTest::newRow("planned 00:00, the evening before")
        << QStringList{"00:00 10+0"} << None << None << at(23, 59, 30)
        << "planned 00:00:00; expected -; offset -; end -; until 30 to 00:00:00";
    QTest::newRow("after an untimed opening talk, planned 00:00")
        << QStringList{"- 5+0", "00:00 10+0"} << at(23, 54) << at(23, 59) << at(23, 59, 30)
        << "planned -,00:00:00; expected -,-; offset -; end -; until 30 to 00:00:00";
}

void TestSessionTimetable::sessionClockFindsTheSessionsDay()
{
    QFETCH(QStringList, talks);
    QFETCH(int, startedAt);
    QFETCH(int, endedAt);
    QFETCH(int, now);
    QFETCH(QString, timetable);
    const QList<programme::Talk> read = talksOf(talks);
    const QDateTime midnight(QDate(2026, 12, 8), QTime(0, 0));
    programme::SessionClock clock;
    if (startedAt != None)
        clock.started(midnight.addSecs(startedAt), read, 0, 0);
    if (endedAt != None) {
        clock.paused(midnight.addSecs(endedAt));
        clock.finished(read, 0, 0);
    }
    const int32_t elapsed = startedAt != None && endedAt == None ? now - startedAt : 0;
    const auto total = int16_t(read[0].presentation + read[0].discussion);
    QCOMPARE(described(clock.timetable(read, 0, 0, elapsed, total, midnight.addSecs(now))), timetable);
}

QTEST_GUILESS_MAIN(TestSessionTimetable)
#include "test_session_timetable.moc"
