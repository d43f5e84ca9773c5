#include "fakes/form1_fixture.h"
#include "platform/auto_label.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestMainDisplay : public QObject
{
    Q_OBJECT
private slots:
    void digitsFillAndCentre_data();
    void digitsFillAndCentre();
    void messageShowsWhereThereIsRoom_data();
    void messageShowsWhereThereIsRoom();
    void messageFollowsThePhase_data();
    void messageFollowsThePhase();
    void timeLineIsDrawnToThePixel();
    void timeLineHiddenWhenOff();
    void lateDotHidesUnderTheButtonBar();
    void blinkHidesTheMessageForHalfASecond();
};

void TestMainDisplay::digitsFillAndCentre_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("discussion");
    QTest::newRow("design size") << QSize(526, 366) << 120;
    QTest::newRow("wide") << QSize(1600, 400) << 120;
    QTest::newRow("tall") << QSize(400, 900) << 120;
    QTest::newRow("six characters") << QSize(1920, 1080) << 5600;
}

void TestMainDisplay::digitsFillAndCentre()
{
    QFETCH(QSize, client);
    QFETCH(int, discussion);
    Form1Fixture f(client);
    f.load();
    TimerSettings.DiscussionTime = int16_t(discussion);
    updateTotalTime();
    f.form->DrawTime();

    const MainDisplay &d = f.form->display();
    const int first = TotalTime >= 6000 ? 0 : 1;
    QCOMPARE(d.digit(0).isVisible(), first == 0);
    const int left = d.digit(first).x();
    const int right = d.digit(5).x() + d.metrics().DigitWidth;
    QVERIFY2(qAbs((left + right) - client.width()) <= 2, qPrintable(QStringLiteral("%1..%2").arg(left).arg(right)));
    QVERIFY(right - left <= client.width());
    QCOMPARE(d.digit(3).text(), QStringLiteral(":"));
    QVERIFY(d.digit(1).font().family().startsWith(QStringLiteral("ＭＳ")));
}

void TestMainDisplay::messageShowsWhereThereIsRoom_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("shown");
    QTest::newRow("800 x 400") << QSize(800, 400) << true;
    QTest::newRow("very low") << QSize(800, 120) << false;
    QTest::newRow("design size") << QSize(526, 366) << true;
}

void TestMainDisplay::messageShowsWhereThereIsRoom()
{
    QFETCH(QSize, client);
    QFETCH(bool, shown);
    Form1Fixture f(client);
    f.load();
    const MainDisplay &d = f.form->display();
    QCOMPARE(d.message().isVisible(), shown);
    QCOMPARE(d.message().y(), 11 * d.metrics().DigitTop);
    QCOMPARE(d.message().font().pointSizeF(), d.metrics().DigitFontSize / 3.0);
    QCOMPARE(d.message().text(), QStringLiteral("口演時間"));
    // The whole-second show is overridden by the layout when there is no room.
    f.form->Command1_Click();
    f.runSeconds(1);
    QCOMPARE(d.message().isVisible(), shown);
}

void TestMainDisplay::messageFollowsThePhase_data()
{
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<int>("discussion");
    QTest::addColumn<int>("english");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QColor>("colour");
    const QColor green(0, 255, 0), yellow(255, 255, 0), red(255, 0, 0);
    QTest::newRow("presentation") << 479 << 120 << 0 << "口演時間" << green;
    QTest::newRow("discussion from bell 2") << 480 << 120 << 0 << "討論時間" << yellow;
    QTest::newRow("overtime from bell 3") << 600 << 120 << 0 << "時間超過" << red;
    QTest::newRow("no discussion: overtime at bell 2") << 480 << 0 << 0 << "時間超過" << red;
    QTest::newRow("English") << 480 << 120 << 1 << "discussion" << yellow;
    QTest::newRow("English flag other than 1") << 480 << 120 << 2 << "討論時間" << yellow;
}

void TestMainDisplay::messageFollowsThePhase()
{
    QFETCH(int, elapsed);
    QFETCH(int, discussion);
    QFETCH(int, english);
    QFETCH(QString, title);
    QFETCH(QColor, colour);
    Form1Fixture f(QSize(800, 400));
    f.load();
    TimerSettings.DiscussionTime = int16_t(discussion);
    TimerSettings.EnglishDisplay = int16_t(english);
    // A face from a hand-edited file whose descenders reach below one em.
    TimerSettings.MessageFontName = QStringLiteral("DejaVu Sans");
    updateTotalTime();
    ElapsedSeconds = elapsed;
    f.form->DrawTime();
    const MainDisplay &d = f.form->display();
    QCOMPARE(d.message().text(), title);
    QVERIFY(d.message().height() >= d.message().fontMetrics().height());
    QCOMPARE(d.message().palette().color(QPalette::Window), colour);
    QCOMPARE(d.digit(1).palette().color(QPalette::WindowText), colour);
    // Drawn in it, too: the digits' ink is kept from earlier rows.
    const QImage drawn = f.form->grab(d.digit(2).geometry()).toImage();
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            inked += drawn.pixelColor(x, y) == colour;
    QVERIFY(inked > 100);
    // Centred, and sized to the digits.
    QVERIFY(qAbs(2 * d.message().x() + d.message().width() - 800) <= 1);
    QCOMPARE(d.message().font().pointSizeF(), d.metrics().DigitFontSize / 3.0);
}

void TestMainDisplay::timeLineIsDrawnToThePixel()
{
    Form1Fixture f(QSize(800, 400));
    f.load();
    TimerSettings.ShowTimeLine = 1;
    f.form->TimeLine();
    const MainDisplay &d = f.form->display();
    QCOMPARE(f.form->command(1).parentWidget()->pos(), QPoint(552, 360));
    QCOMPARE(d.timeLineCaption(1).pos(), QPoint(12, 374));
    QCOMPARE(d.timeLineCaption(2).pos(), QPoint(304, 374));
    QCOMPARE(d.timeLineCaption(1).text(), QStringLiteral("口演 8分"));

    const QImage image = f.form->grab().toImage();
    QCOMPARE(image.size(), QSize(800, 400));
    const QRgb green = qRgb(0, 255, 0), yellow = qRgb(255, 255, 0), red = qRgb(255, 0, 0), black = qRgb(0, 0, 0);
    struct Probe {
        int x, y;
        QRgb colour;
    };
    // Bars of pen 4 centred on y 370 cover rows 368..371 and end at their
    // points; the gap of 4 pixels stays black; the dot of 8 sits at x 12.
    const Probe probes[] = {{150, 368, green}, {150, 371, green}, {150, 367, black}, {150, 372, black},
                            {299, 370, green}, {301, 370, black}, {303, 370, black}, {304, 370, yellow},
                            {371, 370, yellow}, {372, 370, black}, {12, 370, red}, {10, 370, red},
                            {14, 370, red},     {6, 370, black},   {12, 367, red}, {12, 365, black}};
    for (const Probe &p : probes)
        QVERIFY2(image.pixel(p.x, p.y) == p.colour,
                 qPrintable(QStringLiteral("%1,%2 is %3").arg(p.x).arg(p.y).arg(image.pixel(p.x, p.y), 0, 16)));
}

void TestMainDisplay::timeLineHiddenWhenOff()
{
    Form1Fixture f(QSize(800, 400));
    f.load();
    TimerSettings.ShowTimeLine = 1;
    f.form->TimeLine();
    TimerSettings.ShowTimeLine = 0;
    f.form->TimeLine();
    const MainDisplay &d = f.form->display();
    for (int i = 1; i <= 3; ++i)
        QVERIFY(!d.line(i).isVisible());
    QVERIFY(!d.timeLineCaption(1).isVisible());
    QVERIFY(!d.timeLineCaption(2).isVisible());
}

void TestMainDisplay::lateDotHidesUnderTheButtonBar()
{
    Form1Fixture f(QSize(800, 400));
    f.load();
    TimerSettings.ShowTimeLine = 1;
    f.form->Command1_Click();
    QVERIFY(f.form->command(4).isHidden());
    // 36 pixels a minute from x 12: the dot of 8 at 1014 s lies in the gap
    // after "pause", at 1063 s where "reset" is hidden.
    for (const int elapsed : {1014, 1063}) {
        ElapsedSeconds = elapsed;
        f.form->TimeLine();
        const QImage image = f.form->grab().toImage();
        const int x = int(f.form->display().line(3).from().x());
        for (int dx = -3; dx <= 3; ++dx)
            QVERIFY2(image.pixel(x + dx, 370) == qRgb(0, 0, 0), qPrintable(QString::number(x + dx)));
    }
}

void TestMainDisplay::blinkHidesTheMessageForHalfASecond()
{
    Form1Fixture f(QSize(800, 400));
    f.load();
    TimerSettings.BlinkAtEnd = 1;
    f.form->Command1_Click();
    f.runSeconds(470);
    const MainDisplay &d = f.form->display();
    for (int i = 0; i < TicksPerSecond / 2 - 1; ++i)
        f.form->Timer1_Timer();
    QVERIFY(d.message().isVisible());
    f.form->Timer1_Timer();
    QVERIFY(!d.message().isVisible());
    for (int i = 0; i < TicksPerSecond / 2; ++i)
        f.form->Timer1_Timer();
    QCOMPARE(ElapsedSeconds, 471);
    QVERIFY(d.message().isVisible());
}

QTEST_MAIN(TestMainDisplay)
#include "test_main_display.moc"
