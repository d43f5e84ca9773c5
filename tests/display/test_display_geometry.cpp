#include "display/digit_layout.h"
#include "display/phase_message.h"
#include "display/time_line_geometry.h"

#include <QTest>

class TestDisplayGeometry : public QObject
{
    Q_OBJECT
private slots:
    void digitLayout_data();
    void digitLayout();
    void messageRoom_data();
    void messageRoom();
    void timeLineWorkedExample_data();
    void timeLineWorkedExample();
    void timeLineEdges_data();
    void timeLineEdges();
    void blink_data();
    void blink();
};

void TestDisplayGeometry::digitLayout_data()
{
    QTest::addColumn<QSizeF>("client");
    QTest::addColumn<int>("total");
    QTest::addColumn<QSizeF>("measured");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left"); // DigitLeft
    QTest::addColumn<int>("firstCell"); // left of the leftmost shown cell

    QTest::newRow("wide window, five cells") << QSizeF(800, 400) << 600 << QSizeF(120, 241) << 180 << 24 << 100 << 100;
    QTest::newRow("same window, six cells") << QSizeF(800, 400) << 6000 << QSizeF(107, 214) << 160 << 21 << 186 << 79;
    QTest::newRow("one second below six cells") << QSizeF(800, 400) << 5999 << QSizeF(120, 241) << 180 << 24 << 100 << 100;
    QTest::newRow("exactly the target aspect") << QSizeF(720, 400) << 600 << QSizeF(120, 241) << 180 << 24 << 60 << 60;
    QTest::newRow("tall narrow window follows the width") << QSizeF(400, 800) << 600 << QSizeF(67, 134) << 100 << 13 << 32 << 32;
    QTest::newRow("half-pixel top rounds to even") << QSizeF(800, 400) << 600 << QSizeF(120, 245) << 180 << 24 << 100 << 100;
    QTest::newRow("centring rounds halves to even") << QSizeF(800, 400) << 600 << QSizeF(121, 241) << 180 << 24 << 98 << 98;
}

void TestDisplayGeometry::digitLayout()
{
    QFETCH(QSizeF, client);
    QFETCH(int, total);
    QFETCH(QSizeF, measured);
    QFETCH(int, fontSize);
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(int, firstCell);
    int measuredAt = -1;
    const DigitLayout layout = layoutDigits(client.width(), client.height(), int16_t(total), [&](int16_t size) {
        measuredAt = size;
        return measured;
    });
    QCOMPARE(measuredAt, fontSize);
    QCOMPARE(int(layout.DigitFontSize), fontSize);
    QCOMPARE(int(layout.DigitTop), top);
    QCOMPARE(int(layout.DigitLeft), left);
    QCOMPARE(layout.cellLeft(layout.sixCells ? 0 : 1), firstCell);
    // The row is centred: as far from the band's middle on either side.
    const int cells = layout.sixCells ? 6 : 5;
    const double rowMiddle = firstCell + cells * layout.DigitWidth / 2.0;
    QVERIFY(qAbs(rowMiddle - client.width() / 2) <= 1);
}

void TestDisplayGeometry::messageRoom_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("digitTop");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("top");
    QTest::addColumn<double>("room");
    QTest::newRow("800 x 400 shows") << 400.0 << 24 << 180 << 264 << 16.0;
    QTest::newRow("800 x 300 hides") << 300.0 << 18 << 135 << 198 << -3.0;
    QTest::newRow("before the first layout") << 366.0 << 0 << 0 << 0 << 306.0;
}

void TestDisplayGeometry::messageRoom()
{
    QFETCH(double, height);
    QFETCH(int, digitTop);
    QFETCH(int, fontSize);
    QFETCH(int, top);
    QFETCH(double, room);
    QCOMPARE(messageTop(int16_t(digitTop)), top);
    QCOMPARE(::messageRoom(height, top, int16_t(fontSize)), room);
}

void TestDisplayGeometry::timeLineWorkedExample_data()
{
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<double>("dotX");
    QTest::newRow("start") << 0 << 12.0;
    QTest::newRow("bell 2") << 480 << 300.0;
    QTest::newRow("bell 3") << 600 << 372.0;
    QTest::newRow("music") << 780 << 480.0;
    QTest::newRow("end of the axis") << 900 << 552.0;
    QTest::newRow("past the axis, not clamped") << 1200 << 732.0;
}

void TestDisplayGeometry::timeLineWorkedExample()
{
    QFETCH(int, elapsed);
    QFETCH(double, dotX);
    const TimerSettingsRecord s;
    const TimeLineGeometry g = timeLineGeometry(400, 552, s, 600, elapsed);
    QCOMPARE(g.unit, 4.0);
    QCOMPARE(g.minutes, 15);
    QCOMPARE(g.pixelsPerMinute, 36.0);
    QCOMPARE(g.presentationBar, QLineF(12, 370, 300, 370));
    QCOMPARE(g.discussionBar, QLineF(304, 370, 372, 370));
    QCOMPARE(g.barPen, 4);
    QCOMPARE(g.dotPen, 8);
    QCOMPARE(g.dot, QPointF(dotX, 370));
    QCOMPARE(g.presentationCaptionAt, QPointF(12, 374));
    QCOMPARE(g.discussionCaptionAt, QPointF(304, 374));
    QCOMPARE(g.presentationCaption, QStringLiteral("口演 8分"));
    QCOMPARE(g.discussionCaption, QStringLiteral("討論 2分"));
}

void TestDisplayGeometry::timeLineEdges_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("presentation");
    QTest::addColumn<int>("discussion");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QLineF>("discussionBar");
    QTest::addColumn<int>("barPen");
    QTest::addColumn<int>("dotPen");
    QTest::addColumn<QString>("caption1");
    QTest::addColumn<QString>("caption2");
    // k = (552 - 12) / 15 = 36 for the default talk.
    QTest::newRow("seconds captions") << 400.0 << 480 << 120 << 1 << QLineF(304, 370, 372, 370) << 4 << 8
                                      << "口演 480秒" << "討論 120秒";
    // N = (180 + 480) / 60 + 2 = 13, k = (552 - 12) / 13.
    QTest::newRow("no discussion runs backwards over the gap")
        << 400.0 << 480 << 0 << 0 << QLineF(12 + 8 * 540.0 / 13 + 4, 370, 12 + 8 * 540.0 / 13, 370) << 4 << 8
        << "口演 8分" << "討論 0分";
    // N = (180 + 210) / 60 + 2 = 8, k = 67.5; minutes are truncated.
    QTest::newRow("minutes truncate") << 400.0 << 90 << 120 << 0 << QLineF(12 + 101.25 + 4, 370, 12 + 101.25 + 135, 370)
                                      << 4 << 8 << "口演 1分" << "討論 2分";
    // u = 0.5 rounds to 0 (even) and 2u = 1; the pen is still drawn.
    QTest::newRow("low window") << 50.0 << 480 << 120 << 0
                                << QLineF(1.5 + 288 * (552 - 1.5) / 540 + 0.5, 20, 1.5 + 360 * (552 - 1.5) / 540, 20) << 0
                                << 1 << "口演 8分" << "討論 2分";
    QTest::newRow("u of 2.5 rounds to even") << 250.0 << 480 << 120 << 0
                                             << QLineF(7.5 + 8 * (552 - 7.5) / 15 + 2.5, 220, 7.5 + 10 * (552 - 7.5) / 15, 220)
                                             << 2 << 5 << "口演 8分" << "討論 2分";
}

void TestDisplayGeometry::timeLineEdges()
{
    QFETCH(double, height);
    QFETCH(int, presentation);
    QFETCH(int, discussion);
    QFETCH(int, seconds);
    QFETCH(QLineF, discussionBar);
    QFETCH(int, barPen);
    QFETCH(int, dotPen);
    QFETCH(QString, caption1);
    QFETCH(QString, caption2);
    TimerSettingsRecord s;
    s.PresentationTime = int16_t(presentation);
    s.DiscussionTime = int16_t(discussion);
    s.SecondsUnits = int16_t(seconds);
    const TimeLineGeometry g = timeLineGeometry(height, 552, s, int16_t(presentation + discussion), 0);
    QCOMPARE(g.discussionBar.x1(), discussionBar.x1());
    QCOMPARE(g.discussionBar.x2(), discussionBar.x2());
    QCOMPARE(g.discussionBar.y1(), discussionBar.y1());
    QCOMPARE(g.barPen, barPen);
    QCOMPARE(g.dotPen, dotPen);
    QCOMPARE(g.presentationCaption, caption1);
    QCOMPARE(g.discussionCaption, caption2);
}

void TestDisplayGeometry::blink_data()
{
    QTest::addColumn<int>("blinkAtEnd");
    QTest::addColumn<int>("blinkTime");
    QTest::addColumn<int>("discussion");
    QTest::addColumn<QList<int>>("hiddenAt");
    QTest::addColumn<QList<int>>("shownAt");
    QTest::newRow("defaults") << 1 << 10 << 120 << QList<int>{470, 479, 590, 599} << QList<int>{0, 469, 480, 589, 600, 700};
    QTest::newRow("option off") << 0 << 10 << 120 << QList<int>{} << QList<int>{470, 599};
    QTest::newRow("blink time 0") << 1 << 0 << 120 << QList<int>{} << QList<int>{479, 599};
    QTest::newRow("blink time beyond the presentation") << 1 << 600 << 120 << QList<int>{0, 250, 479, 480, 599}
                                                        << QList<int>{600};
    QTest::newRow("no discussion blinks once") << 1 << 10 << 0 << QList<int>{470, 479} << QList<int>{480, 469};
}

void TestDisplayGeometry::blink()
{
    QFETCH(int, blinkAtEnd);
    QFETCH(int, blinkTime);
    QFETCH(int, discussion);
    QFETCH(QList<int>, hiddenAt);
    QFETCH(QList<int>, shownAt);
    TimerSettingsRecord s;
    s.BlinkAtEnd = int16_t(blinkAtEnd);
    s.BlinkTime = int16_t(blinkTime);
    s.DiscussionTime = int16_t(discussion);
    const int16_t total = int16_t(480 + discussion);
    for (int e : hiddenAt)
        QVERIFY2(blinkHides(e, s, total), qPrintable(QString::number(e)));
    for (int e : shownAt)
        QVERIFY2(!blinkHides(e, s, total), qPrintable(QString::number(e)));
}

QTEST_GUILESS_MAIN(TestDisplayGeometry)
#include "test_display_geometry.moc"
