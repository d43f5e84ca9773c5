#include "settings_window/diagram_texts.h"
#include "settings_window/time_entry.h"

#include <QTest>

// Every row starts from the defaults (presentation 480, discussion 120, first
// bell 420, bell 1 on) unless a column says otherwise; the boxes hold what
// the window shows for those settings, with the typed text in the box.
class TestTimeEntry : public QObject
{
    Q_OBJECT
private slots:
    void entry_data();
    void entry();
};

void TestTimeEntry::entry_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("presentation");
    QTest::addColumn<int>("firstBell");
    QTest::addColumn<int>("ring");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("times"); // presentation,discussion,first bell,ring,total
    QTest::addColumn<QString>("boxes");

    QTest::newRow("bell 7.5 min keeps its half") << 0 << 480 << 420 << 1 << 3 << "7.5" << true << "480,120,450,1,600" << "8|2|7";
    QTest::newRow("bell 6.25 min") << 0 << 480 << 420 << 1 << 3 << "6.25" << true << "480,120,375,1,600" << "8|2|6";
    QTest::newRow("bell at total moves a step back") << 0 << 480 << 420 << 1 << 3 << "10" << true << "480,120,540,1,600" << "8|2|9";
    QTest::newRow("bell at bell 2 moves a step back") << 0 << 480 << 420 << 1 << 3 << "8" << true << "480,120,420,1,600" << "8|2|7";
    QTest::newRow("bell 0 switches bell 1 off") << 0 << 480 << 420 << 1 << 3 << "0" << true << "480,120,0,0,600" << "8|2|0";
    QTest::newRow("negative bell switches it off") << 0 << 480 << 420 << 1 << 3 << "-3" << true << "480,120,0,0,600" << "8|2|0";
    QTest::newRow("seconds: bell at total") << 1 << 480 << 420 << 1 << 3 << "600" << true << "480,120,590,1,600" << "480|120|590";
    QTest::newRow("seconds: bell at bell 2") << 1 << 480 << 420 << 1 << 3 << "480" << true << "480,120,470,1,600" << "480|120|470";
    QTest::newRow("presentation 5 pulls the bell in") << 0 << 480 << 420 << 1 << 1 << "5" << true << "300,120,360,1,420" << "5|2|6";
    QTest::newRow("presentation 0 puts the bell in the discussion") << 0 << 480 << 420 << 1 << 1 << "0" << true << "0,120,60,1,120" << "0|2|1";
    QTest::newRow("presentation 7.6 keeps the typed text") << 0 << 480 << 420 << 1 << 1 << "7.6" << true << "480,120,420,1,600" << "7.6|2|7";
    QTest::newRow("halves round to even") << 0 << 480 << 420 << 1 << 1 << "6.5" << true << "360,120,420,1,480" << "6.5|2|7";
    QTest::newRow("blanks and sign") << 0 << 480 << 420 << 1 << 1 << " +9 " << true << "540,120,420,1,660" << " +9 |2|7";
    QTest::newRow("negative discussion stores 0") << 0 << 480 << 420 << 1 << 2 << "-5" << true << "480,0,420,1,480" << "8|-5|7";
    QTest::newRow("talk of 600 min is cut back") << 0 << 18000 << 420 << 1 << 2 << "300" << true << "18000,0,420,1,18000" << "300|0|7";
    QTest::newRow("546 min is cut back") << 0 << 480 << 420 << 1 << 1 << "546" << true << "0,120,60,1,120" << "0|2|1";
    QTest::newRow("music start beyond 16 bits is cut back") << 1 << 480 << 420 << 1 << 1 << "32600" << true << "0,120,110,1,120" << "0|120|110";
    QTest::newRow("empty bell box drops the seconds") << 0 << 480 << 450 << 1 << 3 << "" << true << "480,120,420,1,600" << "8|2|7";
    QTest::newRow("seconds: empty bell box unchanged") << 1 << 480 << 450 << 1 << 3 << "" << true << "480,120,450,1,600" << "480|120|450";
    QTest::newRow("empty box switches bell 1 on again") << 0 << 480 << 420 << 0 << 2 << "" << true << "480,120,420,1,600" << "8|2|7";
    QTest::newRow("full-width bell 7.5 min") << 0 << 480 << 420 << 1 << 3 << "７．５" << true << "480,120,450,1,600" << "8|2|7";
    QTest::newRow("full-width minus, ideographic blanks") << 0 << 480 << 420 << 1 << 2 << "　－５　" << true << "480,0,420,1,480" << "8|　－５　|7";
    QTest::newRow("minus sign switches bell 1 off") << 0 << 480 << 420 << 1 << 3 << "−3" << true << "480,120,0,0,600" << "8|2|0";
    QTest::newRow("full-width seconds") << 1 << 480 << 420 << 1 << 1 << "６００" << true << "600,120,420,1,720" << "６００|120|420";
    QTest::newRow("unit flag 2: presentation in seconds") << 2 << 480 << 420 << 1 << 1 << "300" << true << "300,120,360,1,420" << "300|2|6";
    QTest::newRow("unit flag 2: bell in minutes") << 2 << 480 << 420 << 1 << 3 << "5" << true << "480,120,300,1,600" << "8|2|5";

    QTest::newRow("letters are refused") << 0 << 480 << 420 << 1 << 1 << "abc" << false << "480,120,420,1,600" << "8|2|7";
    QTest::newRow("number then letters") << 0 << 480 << 450 << 1 << 3 << "7min" << false << "480,120,450,1,600" << "8|2|7";
    QTest::newRow("blanks only") << 0 << 480 << 420 << 1 << 2 << "  " << false << "480,120,420,1,600" << "8|2|7";
    QTest::newRow("exponent") << 1 << 480 << 420 << 1 << 1 << "1e3" << false << "480,120,420,1,600" << "480|120|420";
    QTest::newRow("seconds beyond 16 bits") << 1 << 480 << 420 << 1 << 1 << "40000" << false << "480,120,420,1,600" << "480|120|420";
    QTest::newRow("547 min") << 0 << 480 << 420 << 1 << 2 << "547" << false << "480,120,420,1,600" << "8|2|7";
    QTest::newRow("-600 min") << 0 << 480 << 420 << 1 << 1 << "-600" << false << "480,120,420,1,600" << "8|2|7";
    QTest::newRow("bell with its fraction beyond 16 bits") << 0 << 480 << 420 << 1 << 3 << "546.2" << false << "480,120,420,1,600" << "8|2|7";
}

void TestTimeEntry::entry()
{
    QFETCH(int, units);
    QFETCH(int, presentation);
    QFETCH(int, firstBell);
    QFETCH(int, ring);
    QFETCH(int, index);
    QFETCH(QString, typed);
    TimerSettingsRecord s;
    s.SecondsUnits = int16_t(units);
    s.PresentationTime = int16_t(presentation);
    s.FirstBellTime = int16_t(firstBell);
    s.RingFirstBell = int16_t(ring);
    const auto total = int16_t(s.PresentationTime + s.DiscussionTime);

    const TimeEntryResult r = enterTime(index, typed, s, total);

    QTEST(r.accepted, "accepted");
    const TimerSettingsRecord &n = r.settings;
    const QString times = QStringLiteral("%1,%2,%3,%4,%5")
                              .arg(n.PresentationTime)
                              .arg(n.DiscussionTime)
                              .arg(n.FirstBellTime)
                              .arg(n.RingFirstBell)
                              .arg(r.totalTime);
    QTEST(times, "times");
    QStringList boxes;
    for (const QString &b : diagramTexts(s, total).boxes)
        boxes << b;
    boxes[index - 1] = typed;
    for (int i = 0; i < 3; ++i)
        if (r.texts[i])
            boxes[i] = *r.texts[i];
    QTEST(boxes.join(QLatin1Char('|')), "boxes");
}

QTEST_APPLESS_MAIN(TestTimeEntry)
#include "test_time_entry.moc"
