#include "settings_window/diagram_texts.h"

#include <QTest>

class TestDiagramTexts : public QObject
{
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void bellMarker_data();
    void bellMarker();
    void phaseTitles_data();
    void phaseTitles();
};

void TestDiagramTexts::texts_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("presentation");
    QTest::addColumn<int>("warning");
    QTest::addColumn<int>("blink");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("warningCaption");
    QTest::addColumn<QString>("musicCaption");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("blinkCaption");
    // Discussion 120, first bell 420 and music start 180 in every row.
    QTest::newRow("defaults, minutes") << 0 << 480 << 60 << 10 << "min" << "8|2|7" << "超過 1分おきに警告音"
                                       << "超過 3分から音楽開始" << "total  10 min" << "最後の 10秒から点滅";
    QTest::newRow("defaults, seconds") << 1 << 480 << 60 << 10 << "sec" << "480|120|420" << "超過 60秒おきに警告音"
                                       << "超過 180秒から音楽開始" << "total  600 sec" << "最後の 10秒から点滅";
    QTest::newRow("minutes truncate") << 0 << 450 << 90 << 10 << "min" << "7|2|7" << "超過 1分おきに警告音"
                                      << "超過 3分から音楽開始" << "total  9 min" << "最後の 10秒から点滅";
    QTest::newRow("unit flag 2 is minutes") << 2 << 480 << 60 << 10 << "min" << "8|2|7" << "超過 1分おきに警告音"
                                            << "超過 3分から音楽開始" << "total  10 min" << "最後の 10秒から点滅";
    QTest::newRow("negatives, minutes") << 0 << -90 << -30 << -5 << "min" << "-1|2|7" << "超過 0分おきに警告音"
                                        << "超過 3分から音楽開始" << "total  0 min" << "最後の-5秒から点滅";
    QTest::newRow("negatives, seconds") << 1 << -200 << 60 << 0 << "sec" << "-200|120|420" << "超過 60秒おきに警告音"
                                        << "超過 180秒から音楽開始" << "total -80 sec" << "最後の 0秒から点滅";
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
    QTEST(t.unit, "unit");
    QTEST(QStringList(t.boxes.begin(), t.boxes.end()).join(QLatin1Char('|')), "boxes");
    QTEST(t.warning, "warningCaption");
    QTEST(t.music, "musicCaption");
    QTEST(t.total, "total");
    QTEST(t.blink, "blinkCaption");
}

void TestDiagramTexts::bellMarker_data()
{
    QTest::addColumn<int>("firstBell");
    QTest::addColumn<bool>("inDiscussion");
    QTest::newRow("at bell 2") << 480 << false;
    QTest::newRow("one second after bell 2") << 481 << true;
    QTest::newRow("switched off at 0") << 0 << false;
    QTest::newRow("negative") << -60 << false;
}

void TestDiagramTexts::bellMarker()
{
    QFETCH(int, firstBell);
    TimerSettingsRecord s;
    s.FirstBellTime = int16_t(firstBell);
    QTEST(firstBellInDiscussion(s), "inDiscussion");
}

void TestDiagramTexts::phaseTitles_data()
{
    QTest::addColumn<int>("english");
    QTest::addColumn<QString>("titles");
    QTest::newRow("Japanese") << 0 << "口演時間|討論時間|時間超過";
    QTest::newRow("English") << 1 << "presentation|discussion|time over";
    QTest::newRow("flag 2 is Japanese") << 2 << "口演時間|討論時間|時間超過";
}

void TestDiagramTexts::phaseTitles()
{
    QFETCH(int, english);
    TimerSettingsRecord s;
    s.EnglishDisplay = int16_t(english);
    QStringList titles;
    for (int i = 1; i <= 3; ++i)
        titles << phaseTitle(s, i);
    QTEST(titles.join(QLatin1Char('|')), "titles");
}

QTEST_APPLESS_MAIN(TestDiagramTexts)
#include "test_diagram_texts.moc"
