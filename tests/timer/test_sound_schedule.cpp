#include "timer/sound_schedule.h"

#include <QTest>

// Each row runs a talk from 0 to its last second and lists what sounded.
class TestSoundSchedule : public QObject
{
    Q_OBJECT
private slots:
    void wholeTalk_data();
    void wholeTalk();
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

QTEST_GUILESS_MAIN(TestSoundSchedule)
#include "test_sound_schedule.moc"
