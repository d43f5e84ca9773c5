#include "display/readout_text.h"

#include <QTest>

class TestReadoutText : public QObject
{
    Q_OBJECT
private slots:
    void readout_data();
    void readout();
};

void TestReadoutText::readout_data()
{
    QTest::addColumn<int>("countDown");
    QTest::addColumn<int>("cumulative");
    QTest::addColumn<int>("presentation");
    QTest::addColumn<int>("discussion");
    QTest::addColumn<int>("t");
    QTest::addColumn<QString>("text");

    // Defaults: 480 + 120 seconds.
    QTest::newRow("cumulative count-down at start") << 1 << 1 << 480 << 120 << 0 << "10:00";
    QTest::newRow("cumulative just before bell 2") << 1 << 1 << 480 << 120 << 479 << "02:01";
    QTest::newRow("cumulative at bell 2") << 1 << 1 << 480 << 120 << 480 << "02:00";
    QTest::newRow("cumulative last second") << 1 << 1 << 480 << 120 << 599 << "00:01";
    QTest::newRow("overtime starts at zero") << 1 << 1 << 480 << 120 << 600 << "00:00";
    QTest::newRow("overtime counts up") << 1 << 1 << 480 << 120 << 661 << "01:01";
    QTest::newRow("per phase count-down at start") << 1 << 0 << 480 << 120 << 0 << "08:00";
    QTest::newRow("per phase reaches zero at bell 2") << 1 << 0 << 480 << 120 << 480 << "00:00";
    QTest::newRow("per phase discussion remaining") << 1 << 0 << 480 << 120 << 481 << "01:59";
    QTest::newRow("count-up per phase at bell 2") << 0 << 0 << 480 << 120 << 480 << "08:00";
    QTest::newRow("count-up per phase into discussion") << 0 << 0 << 480 << 120 << 481 << "00:01";
    QTest::newRow("count-up cumulative into discussion") << 0 << 1 << 480 << 120 << 481 << "08:01";
    QTest::newRow("overtime ignores count-down off") << 0 << 0 << 480 << 120 << 725 << "02:05";
    // Five characters keep only the last two minute digits.
    QTest::newRow("100 minutes of overtime wrap") << 1 << 1 << 480 << 120 << 600 + 6000 << "00:00";
    QTest::newRow("one second below six characters") << 0 << 1 << 5000 << 999 << 5998 << "99:58";
    // From a 6000-second talk on, three minute digits.
    QTest::newRow("six characters pad the minutes") << 0 << 1 << 5000 << 1000 << 480 << "008:00";
    QTest::newRow("six characters count down") << 1 << 1 << 5000 << 1000 << 0 << "100:00";
    QTest::newRow("no discussion: overtime at bell 2") << 1 << 0 << 480 << 0 << 480 << "00:00";
}

void TestReadoutText::readout()
{
    QFETCH(int, countDown);
    QFETCH(int, cumulative);
    QFETCH(int, presentation);
    QFETCH(int, discussion);
    QFETCH(int, t);
    QFETCH(QString, text);
    TimerSettingsRecord s;
    s.CountDown = int16_t(countDown);
    s.CumulativeDisplay = int16_t(cumulative);
    s.PresentationTime = int16_t(presentation);
    s.DiscussionTime = int16_t(discussion);
    QCOMPARE(StrTime(t, s, int16_t(presentation + discussion)), text);
}

QTEST_GUILESS_MAIN(TestReadoutText)
#include "test_readout_text.moc"
