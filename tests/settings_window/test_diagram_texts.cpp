#include "settings_window/diagram_texts.h"

#include <QTest>

class TestDiagramTexts : public QObject
{
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
};

void TestDiagramTexts::texts_data()
{
    // Discussion 120, first bell 420 and music start 180 in every row.
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("presentation");
    QTest::addColumn<int>("warning");
    QTest::addColumn<int>("blink");
    QTest::addColumn<QString>("shown"); // unit, boxes, warning, music, total, blink
    QTest::newRow("defaults, minutes") << 0 << 480 << 60 << 10
        << "min|8|2|7|超過 1分おきに警告音|超過 3分から音楽開始|total  10 min|最後の 10秒から点滅";
    QTest::newRow("defaults, seconds") << 1 << 480 << 60 << 10
        << "sec|480|120|420|超過 60秒おきに警告音|超過 180秒から音楽開始|total  600 sec|最後の 10秒から点滅";
    QTest::newRow("minutes truncate") << 0 << 450 << 90 << 10
        << "min|7|2|7|超過 1分おきに警告音|超過 3分から音楽開始|total  9 min|最後の 10秒から点滅";
    QTest::newRow("unit flag 2 is minutes") << 2 << 480 << 60 << 10
        << "min|8|2|7|超過 1分おきに警告音|超過 3分から音楽開始|total  10 min|最後の 10秒から点滅";
    QTest::newRow("negatives, minutes") << 0 << -90 << -30 << -5
        << "min|-1|2|7|超過 0分おきに警告音|超過 3分から音楽開始|total  0 min|最後の-5秒から点滅";
    QTest::newRow("negatives, seconds") << 1 << -200 << 60 << 0
        << "sec|-200|120|420|超過 60秒おきに警告音|超過 180秒から音楽開始|total -80 sec|最後の 0秒から点滅";
}

void TestDiagramTexts::texts()
{
    QFETCH(int, units);
    QFETCH(int, presentation);
    QFETCH(int, warning);
    QFETCH(int, blink);
    TimerSettingsRecord s;
    s.SecondsUnits = int16_t(units);
    s.PresentationTime = int16_t(presentation);
    s.WarningInterval = int16_t(warning);
    s.BlinkTime = int16_t(blink);
    const DiagramTexts t = diagramTexts(s, int16_t(s.PresentationTime + s.DiscussionTime));
    const QStringList shown{t.unit, t.boxes[0], t.boxes[1], t.boxes[2], t.warning, t.music, t.total, t.blink};
    QTEST(shown.join(QLatin1Char('|')), "shown");
}

QTEST_APPLESS_MAIN(TestDiagramTexts)
#include "test_diagram_texts.moc"
