#include "settings/clock_file.h"
#include "settings/config_file.h"
#include "settings/declare.h"
#include "fakes/files.h"
#include "settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void clockFileIsCreatedOnFirstStart();
    void clockFileInAnotherCaseIsNotTaken();
    void unusableClockFileFallsBackAndIsRewritten_data();
    void unusableClockFileFallsBackAndIsRewritten();
    void backupIsReplacedOnlyByAWholeCopy();
    void farCorrectionIsUsedWithANotice();
    void settingsRoundTripThroughTheFile();
    void unreadableSettingsAreKeptAsBackup();
    void readOnlySettingsFileIsNotReplaced();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

void TestSettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_previous = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    SetDefaultSettings();
}

void TestSettingsStore::cleanup()
{
    QDir::setCurrent(m_previous);
    m_dir.reset();
}

void TestSettingsStore::clockFileIsCreatedOnFirstStart()
{
    ClockCorrection = 1;
    TicksPerSecond = 1;
    QCOMPARE(LoadClockCorrection(), QString());
    QCOMPARE(readAll(ClockFileName), QByteArray("18000\r\n"));
    QCOMPARE(ClockCorrection, 18000.0);
    QCOMPARE(TicksPerSecond, int16_t(100));
}

void TestSettingsStore::clockFileInAnotherCaseIsNotTaken()
{
    QVERIFY(writeFile(QStringLiteral("orlatim.clk"), "12000\r\n"));
    QCOMPARE(LoadClockCorrection(), QString());
    QCOMPARE(TicksPerSecond, int16_t(100));
    QCOMPARE(readAll(QStringLiteral("orlatim.clk")), QByteArray("12000\r\n"));
}

void TestSettingsStore::unusableClockFileFallsBackAndIsRewritten_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no number") << QByteArray("quick\r\n");
    QTest::newRow("90 gives 0 ticks") << QByteArray("90\r\n");
    QTest::newRow("quotient beyond 16 bits") << QByteArray("6000000\r\n");
}

void TestSettingsStore::unusableClockFileFallsBackAndIsRewritten()
{
    QFETCH(QByteArray, content);
    QVERIFY(writeFile(ClockFileName, content));
    const QString message = LoadClockCorrection();
    QVERIFY(message.contains(ClockFileName + QStringLiteral(".bak")));
    QCOMPARE(TicksPerSecond, int16_t(100));
    QCOMPARE(readAll(ClockFileName), QByteArray("18000\r\n"));
    QVERIFY(QFile::exists(ClockFileName + QStringLiteral(".bak")));
    QCOMPARE(readAll(ClockFileName + QStringLiteral(".bak")), content);
}

void TestSettingsStore::backupIsReplacedOnlyByAWholeCopy()
{
    const QString backup = ClockFileName + QStringLiteral(".bak");
    QVERIFY(writeFile(backup, "17990\r\n"));
    const QByteArray unusable(4096, 'x');
    QVERIFY(writeFile(ClockFileName, unusable));
    {
        // The disk fills up in the middle of the new copy.
        const FileSizeLimit full(1000);
        const QString message = LoadClockCorrection();
        QVERIFY2(message.contains(backup), qPrintable(message));
    }
    QCOMPARE(TicksPerSecond, int16_t(100));
    QCOMPARE(readAll(backup), QByteArray("17990\r\n"));
    QCOMPARE(readAll(ClockFileName), unusable);
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList({ClockFileName, backup}));
}

void TestSettingsStore::farCorrectionIsUsedWithANotice()
{
    QVERIFY(writeFile(ClockFileName, "11520\r\n"));
    const QString message = LoadClockCorrection();
    QVERIFY2(message.contains(QStringLiteral("56 % fast")), qPrintable(message));
    QCOMPARE(ClockCorrection, 11520.0);
    QCOMPARE(TicksPerSecond, int16_t(64));
    QCOMPARE(readAll(ClockFileName), QByteArray("11520\r\n"));
}

void TestSettingsStore::settingsRoundTripThroughTheFile()
{
    TimerSettings.PresentationTime = 900;
    TimerSettings.EnglishDisplay = 1;
    TimerSettings.PhaseTitles[1] = QStringLiteral("質疑, 応答");
    const TimerSettingsRecord saved = TimerSettings;
    QCOMPARE(SaveSettings(), QString());
    SetDefaultSettings();
    QCOMPARE(LoadSettings(), QString());
    QCOMPARE(TimerSettings, saved);
    QVERIFY(!QFile::exists(ConfigFileName + QStringLiteral(".bak")));
}

void TestSettingsStore::unreadableSettingsAreKeptAsBackup()
{
    const QByteArray broken("480,120\r\nthat was all\r\n");
    QVERIFY(writeFile(ConfigFileName, broken));
    const QString message = LoadSettings();
    QVERIFY(message.contains(ConfigFileName));
    QCOMPARE(TimerSettings, TimerSettingsRecord{});
    QCOMPARE(SaveSettings(), QString());
    QCOMPARE(readAll(ConfigFileName + QStringLiteral(".bak")), broken);
    QCOMPARE(readAll(ConfigFileName), serializeSettings(TimerSettingsRecord{}));
    // Only the file that failed is kept: the next save leaves the backup.
    TimerSettings.CountDown = 0;
    QCOMPARE(SaveSettings(), QString());
    QCOMPARE(readAll(ConfigFileName + QStringLiteral(".bak")), broken);
}

void TestSettingsStore::readOnlySettingsFileIsNotReplaced()
{
    const QByteArray old = serializeSettings(TimerSettingsRecord{});
    QVERIFY(writeFile(ConfigFileName, old));
    QFile::setPermissions(ConfigFileName, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    TimerSettings.PresentationTime = 600;
    const QString error = SaveSettings();
    QVERIFY(error.contains(ConfigFileName));
    QVERIFY(error.contains(QStringLiteral("read-only")));
    QCOMPARE(readAll(ConfigFileName), old);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
