#include "timer/next_wake.h"
#include "timer/sound_schedule.h"

#include <QTest>

// What a talk does at each second, and what a running talk needs next.
class TestSoundSchedule : public QObject
{
    Q_OBJECT
private slots:
    void wholeTalk_data();
    void wholeTalk();
    void nextSoundSecond_data();
    void nextSoundSecond();
    void nextWake_data();
    void nextWake();
};

Q_DECLARE_METATYPE(TimerSettingsRecord)

void TestSoundSchedule::wholeTalk_data()
{
    QTest::addColumn<TimerSettingsRecord>("settings");
    QTest::addColumn<int>("until");
    QTest::addColumn<QStringList>("events"); // "second:what"

    const TimerSettingsRecord defaults;
    QTest::newRow("defaults") << defaults << 900
                              << QStringList{"0:msg",       "420:bell1",         "480:bell2+msg", "600:bell3+msg",
                                             "660:bell3",   "720:bell3",         "780:music+bell3", "840:bell3",
                                             "900:bell3"};
    TimerSettingsRecord noFirst = defaults;
    noFirst.RingFirstBell = 0;
    noFirst.OvertimeWarning = 0;
    QTest::newRow("no bell 1, only music in overtime") << noFirst << 900
                                                       << QStringList{"0:msg", "480:bell2+msg", "600:bell3+msg", "780:music"};
    TimerSettingsRecord noDiscussion = defaults;
    noDiscussion.DiscussionTime = 0;
    noDiscussion.OvertimeMusic = 0;
    QTest::newRow("no discussion: bell 3 wins over bell 2")
        << noDiscussion << 600 << QStringList{"0:msg", "420:bell1", "480:bell3+msg", "540:bell3", "600:bell3"};
    TimerSettingsRecord firstAtEnd = defaults;
    firstAtEnd.FirstBellTime = 480;
    firstAtEnd.OvertimeWarning = 0;
    firstAtEnd.OvertimeMusic = 0;
    QTest::newRow("bell 2 wins over bell 1") << firstAtEnd << 700 << QStringList{"0:msg", "480:bell2+msg", "600:bell3+msg"};
    TimerSettingsRecord lateFirst = firstAtEnd;
    lateFirst.FirstBellTime = 650;
    lateFirst.OvertimeWarning = 1;
    lateFirst.WarningInterval = 100;
    QTest::newRow("bell 1 beyond the talk never rings")
        << lateFirst << 700 << QStringList{"0:msg", "480:bell2+msg", "600:bell3+msg", "700:bell3"};
    TimerSettingsRecord everySecond = firstAtEnd;
    everySecond.OvertimeWarning = 1;
    everySecond.WarningInterval = 1;
    QTest::newRow("interval 1 warns from the second after next")
        << everySecond << 604 << QStringList{"0:msg", "480:bell2+msg", "600:bell3+msg", "602:bell3", "603:bell3", "604:bell3"};
    for (int interval : {0, -60}) {
        TimerSettingsRecord none = defaults;
        none.WarningInterval = int16_t(interval);
        QTest::addRow("interval %d gives no warning", interval)
            << none << 900 << QStringList{"0:msg", "420:bell1", "480:bell2+msg", "600:bell3+msg", "780:music"};
    }
    TimerSettingsRecord flagTwo = defaults;
    flagTwo.RingFirstBell = 2;
    flagTwo.OvertimeMusic = 2;
    flagTwo.OvertimeWarning = 0;
    QTest::newRow("flags other than 1 are off") << flagTwo << 900 << QStringList{"0:msg", "480:bell2+msg", "600:bell3+msg"};
}

void TestSoundSchedule::wholeTalk()
{
    QFETCH(TimerSettingsRecord, settings);
    QFETCH(int, until);
    QFETCH(QStringList, events);
    const int16_t total = int16_t(settings.PresentationTime + settings.DiscussionTime);
    QStringList heard;
    for (int e = 0; e <= until; ++e) {
        const SoundCues cues = soundScheduleFor(e, settings, total);
        QStringList what;
        if (cues.music)
            what << QStringLiteral("music");
        if (cues.bell)
            what << QStringLiteral("bell%1").arg(cues.bell);
        if (cues.drawMessage)
            what << QStringLiteral("msg");
        if (!what.isEmpty())
            heard << QStringLiteral("%1:%2").arg(e).arg(what.join(QLatin1Char('+')));
    }
    QCOMPARE(heard, events);
}

void TestSoundSchedule::nextSoundSecond_data()
{
    QTest::addColumn<TimerSettingsRecord>("settings");
    QTest::addColumn<int>("runState");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<int>("next"); // -1: none

    const TimerSettingsRecord defaults;
    QTest::newRow("idle") << defaults << 0 << 0 << -1;
    QTest::newRow("paused") << defaults << 0 << 500 << -1;
    QTest::newRow("started") << defaults << 1 << 0 << 420;
    QTest::newRow("bell 1 is past once it rang") << defaults << 1 << 420 << 480;
    QTest::newRow("a second before bell 2") << defaults << 1 << 479 << 480;
    QTest::newRow("bell 3") << defaults << 1 << 480 << 600;
    QTest::newRow("first warning") << defaults << 1 << 600 << 660;
    QTest::newRow("music and warning in the same second") << defaults << 1 << 720 << 780;
    QTest::newRow("warnings go on") << defaults << 1 << 780 << 840;
    TimerSettingsRecord noFirst = defaults;
    noFirst.RingFirstBell = 0;
    QTest::newRow("bell 1 off") << noFirst << 1 << 0 << 480;
    TimerSettingsRecord noWarning = defaults;
    noWarning.OvertimeWarning = 0;
    QTest::newRow("warnings off: the music") << noWarning << 1 << 600 << 780;
    QTest::newRow("warnings off: nothing after the music") << noWarning << 1 << 780 << -1;
    TimerSettingsRecord silentOvertime = noWarning;
    silentOvertime.OvertimeMusic = 0;
    QTest::newRow("warnings and music off") << silentOvertime << 1 << 600 << -1;
    TimerSettingsRecord everySecond = defaults;
    everySecond.WarningInterval = 1;
    QTest::newRow("warnings every second start at T + 2") << everySecond << 1 << 600 << 602;
    QTest::newRow("warnings every second") << everySecond << 1 << 602 << 603;
    TimerSettingsRecord earlyMusic = defaults;
    earlyMusic.MusicStartTime = 90;
    QTest::newRow("music between warnings") << earlyMusic << 1 << 660 << 690;
    TimerSettingsRecord shorter = defaults;
    shorter.PresentationTime = 350; // changed in the settings window at 300
    QTest::newRow("presentation shortened while running") << shorter << 1 << 300 << 350;
    TimerSettingsRecord pastIt = defaults;
    pastIt.PresentationTime = 200; // the talk is in the discussion now
    QTest::newRow("presentation shortened past the running second") << pastIt << 1 << 300 << 320;
}

void TestSoundSchedule::nextSoundSecond()
{
    QFETCH(TimerSettingsRecord, settings);
    QFETCH(int, runState);
    QFETCH(int, elapsed);
    QFETCH(int, next);
    const int16_t total = int16_t(settings.PresentationTime + settings.DiscussionTime);
    QCOMPARE(::nextSoundSecond(int16_t(runState), elapsed, settings, total).value_or(-1), next);
}

void TestSoundSchedule::nextWake_data()
{
    QTest::addColumn<int>("runState");
    QTest::addColumn<int>("elapsed"); // blinks in 470..479 and 590..599
    QTest::addColumn<int>("tickCount");
    QTest::addColumn<int>("ticksPerSecond");
    QTest::addColumn<int>("wake"); // ticks from now; -1: none

    QTest::newRow("idle") << 0 << 0 << 0 << 100 << -1;
    QTest::newRow("paused in a blink window") << 0 << 475 << 20 << 100 << -1;
    QTest::newRow("started") << 1 << 0 << 0 << 100 << 100;
    QTest::newRow("after a pause mid-second") << 1 << 100 << 60 << 100 << 40;
    QTest::newRow("before the blink window") << 1 << 469 << 0 << 100 << 100;
    QTest::newRow("blink window: the half second") << 1 << 470 << 0 << 100 << 50;
    QTest::newRow("blink window: after the half second") << 1 << 479 << 50 << 100 << 50;
    QTest::newRow("at bell 2") << 1 << 480 << 0 << 100 << 100;
    QTest::newRow("before bell 3") << 1 << 599 << 10 << 100 << 40;
    QTest::newRow("overtime") << 1 << 600 << 0 << 100 << 100;
    QTest::newRow("rate lowered mid-second") << 1 << 10 << 70 << 50 << 1;
    QTest::newRow("two ticks a second, blinking") << 1 << 470 << 0 << 2 << 1;
    QTest::newRow("two ticks a second, second half") << 1 << 470 << 1 << 2 << 1;
    QTest::newRow("two ticks a second, no blink") << 1 << 10 << 0 << 2 << 2;
    QTest::newRow("one tick a second never blinks") << 1 << 470 << 0 << 1 << 1;
}

void TestSoundSchedule::nextWake()
{
    QFETCH(int, runState);
    QFETCH(int, elapsed);
    QFETCH(int, tickCount);
    QFETCH(int, ticksPerSecond);
    QFETCH(int, wake);
    TimerSettingsRecord settings;
    settings.BlinkAtEnd = 1;
    settings.BlinkTime = 10;
    QCOMPARE(ticksToNextWake(int16_t(runState), elapsed, int16_t(tickCount), int16_t(ticksPerSecond), settings, 600)
                 .value_or(-1),
             wake);
}

QTEST_GUILESS_MAIN(TestSoundSchedule)
#include "test_sound_schedule.moc"
