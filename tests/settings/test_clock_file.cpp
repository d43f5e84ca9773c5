#include "settings/clock_file.h"

#include <QTest>

class TestClockFile : public QObject
{
    Q_OBJECT
private slots:
    void ticksPerSecondRoundsHalvesToEven_data();
    void ticksPerSecondRoundsHalvesToEven();
    void fileContents_data();
    void fileContents();
    void savedCountReadsBackTheSame_data();
    void savedCountReadsBackTheSame();
    void noticeOfAFarCorrection_data();
    void noticeOfAFarCorrection();
};

void TestClockFile::ticksPerSecondRoundsHalvesToEven_data()
{
    QTest::addColumn<double>("correction");
    QTest::addColumn<int>("ticks"); // 0: refused
    QTest::newRow("default") << 18000.0 << 100;
    QTest::newRow("64.5 goes down") << 180 * 64.5 << 64;
    QTest::newRow("65.5 goes up") << 180 * 65.5 << 66;
    QTest::newRow("12000") << 12000.0 << 67;
    QTest::newRow("91 is the least") << 91.0 << 1;
    QTest::newRow("90 would give 0") << 90.0 << 0;
    QTest::newRow("negative") << -18000.0 << 0;
    QTest::newRow("largest") << 180 * 32767.0 << 32767;
    QTest::newRow("quotient beyond 16 bits") << 180 * 32767.5 << 0;
}

void TestClockFile::ticksPerSecondRoundsHalvesToEven()
{
    QFETCH(double, correction);
    QFETCH(int, ticks);
    const auto result = ticksPerSecondFor(correction);
    QCOMPARE(result.value_or(0), ticks);
}

void TestClockFile::fileContents_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("correction"); // 0: no usable count
    QTest::newRow("written form") << QByteArray("18000\r\n") << 18000.0;
    QTest::newRow("no line end") << QByteArray("12000") << 12000.0;
    QTest::newRow("decimal") << QByteArray("11790.5\r\n") << 11790.5;
    QTest::newRow("field ends at comma") << QByteArray("9000,junk\r\n") << 9000.0;
    QTest::newRow("empty") << QByteArray() << 0.0;
    QTest::newRow("word") << QByteArray("fast\r\n") << 0.0;
    QTest::newRow("too small") << QByteArray("90\r\n") << 0.0;
    QTest::newRow("too large") << QByteArray("9999999\r\n") << 0.0;
}

void TestClockFile::fileContents()
{
    QFETCH(QByteArray, file);
    QFETCH(double, correction);
    QCOMPARE(parseClockCorrection(file).value_or(0), correction);
    if (correction > 0 && correction == int(correction))
        QCOMPARE(serializeClockCorrection(correction), QByteArray::number(int(correction)) + "\r\n");
}

void TestClockFile::savedCountReadsBackTheSame_data()
{
    QTest::addColumn<double>("correction");
    QTest::newRow("whole") << 18000.0;
    QTest::newRow("decimal") << 11790.25;
    QTest::newRow("six digits") << 100000.0;
    // Found by fuzzing: written with 15 digits this became 90, which gives
    // no tick rate at all.
    QTest::newRow("a hair above 90") << 90.000000000000042992764608243448025011;
}

void TestClockFile::savedCountReadsBackTheSame()
{
    QFETCH(double, correction);
    QCOMPARE(parseClockCorrection(serializeClockCorrection(correction)), std::optional<double>(correction));
}

void TestClockFile::noticeOfAFarCorrection_data()
{
    QTest::addColumn<double>("correction");
    QTest::addColumn<QString>("says"); // empty: no notice
    QTest::newRow("default") << 18000.0 << "";
    QTest::newRow("2 % fast is quiet") << 17640.0 << "";
    QTest::newRow("2 % slow is quiet") << 18360.0 << "";
    QTest::newRow("just over 2 % fast") << 17639.0 << "2 % fast, a 10-minute talk ending after 9 min 48 s";
    QTest::newRow("measured at 64 ticks a second") << 11520.0 << "56 % fast, a 10-minute talk ending after 6 min 24 s";
    QTest::newRow("slow") << 19800.0 << "9 % slow, a 10-minute talk ending after 11 min 0 s";
}

void TestClockFile::noticeOfAFarCorrection()
{
    QFETCH(double, correction);
    QFETCH(QString, says);
    const QString notice = clockCorrectionNotice(correction);
    QCOMPARE(notice.isEmpty(), says.isEmpty());
    QVERIFY2(notice.contains(says) && (says.isEmpty() || notice.contains(QStringLiteral("時間補正"))), qPrintable(notice));
}

QTEST_GUILESS_MAIN(TestClockFile)
#include "test_clock_file.moc"
