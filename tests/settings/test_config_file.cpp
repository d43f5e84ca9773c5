#include "settings/config_file.h"
#include "settings/cp932.h"

#include <QTest>

class TestConfigFile : public QObject
{
    Q_OBJECT
private slots:
    void defaultsWriteTheKnownFile();
    void roundTripIsByteExact_data();
    void roundTripIsByteExact();
    void numbersMaySplitOverLines_data();
    void numbersMaySplitOverLines();
    void unreadableFilesAreRefused_data();
    void unreadableFilesAreRefused();
};

static QByteArray defaultFile()
{
    QByteArray out = QByteArrayLiteral("480,120,420,180,60,10\r\n1,1,1,0,1,1,0,0,0\r\n"
                                       "Varo-bell1.wav\r\nVaro-bell2.wav\r\nVaro-bell3.wav\r\nVaro-sound.mid\r\n");
    for (const char *text : {"口演時間", "討論時間", "時間超過"})
        out += encodeCp932(QString::fromUtf8(text)) + "\r\n";
    out += "presentation\r\ndiscussion\r\ntime over\r\n";
    const QByteArray gothic = encodeCp932(QStringLiteral("ＭＳ ゴシック"));
    return out + gothic + "\r\n" + gothic + "\r\n";
}

void TestConfigFile::defaultsWriteTheKnownFile()
{
    QCOMPARE(serializeSettings(TimerSettingsRecord{}), defaultFile());
    // "ＭＳ ゴシック" is two full-width letters, a blank and four kana in
    // code page 932.
    QCOMPARE(encodeCp932(QStringLiteral("ＭＳ ゴシック")).toHex(), QByteArray("826c827220835383568362834e"));
}

void TestConfigFile::roundTripIsByteExact_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("defaults") << defaultFile();
    QByteArray commas = defaultFile();
    commas.replace("presentation", "talk, then questions");
    QTest::newRow("comma in a title") << commas;
    QByteArray empty = defaultFile();
    empty.replace("discussion\r\n", "\r\n");
    QTest::newRow("empty title line") << empty;
    QByteArray negative = defaultFile();
    negative.replace("480,120,420,180,60,10", "5,0,32767,-32768,0,-1");
    QTest::newRow("negative and extreme times") << negative;
    QByteArray flags = defaultFile();
    flags.replace("1,1,1,0,1,1,0,0,0", "2,-1,0,1,7,0,1,1,1");
    QTest::newRow("flags other than 0 and 1") << flags;
    QByteArray kanji = defaultFile();
    kanji.replace("Varo-bell1.wav", encodeCp932(QStringLiteral("音/ベル①.wav")));
    QTest::newRow("kanji and circled digit in a file name") << kanji;
}

void TestConfigFile::roundTripIsByteExact()
{
    QFETCH(QByteArray, file);
    const SettingsParse parsed = parseSettings(file);
    QVERIFY2(parsed.settings, qPrintable(parsed.error));
    QCOMPARE(serializeSettings(*parsed.settings), file);
}

void TestConfigFile::numbersMaySplitOverLines_data()
{
    QTest::addColumn<QByteArray>("numbers");
    QTest::newRow("one line") << QByteArray("480,120,420,180,60,10,1,1,1,0,1,1,0,0,0\r\n");
    QTest::newRow("one per line") << QByteArray("480\r\n120\r\n420\r\n180\r\n60\r\n10\r\n1\r\n1\r\n1\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n");
    QTest::newRow("comma before line end") << QByteArray("480,120,420,\r\n180,60,10,1,1,1,0,1,1,0,0,0\r\n");
    QTest::newRow("blanks and LF only") << QByteArray(" 480 , 120,420,180,60,10\n1,1,1,0,1,1,0,0,0\n");
    QTest::newRow("decimals round halves to even") << QByteArray("480.4,119.5,420,180.5,60,10\r\n1,1,1,0,1,1,0,0,0\r\n");
}

void TestConfigFile::numbersMaySplitOverLines()
{
    QFETCH(QByteArray, numbers);
    QByteArray file = defaultFile();
    file.replace("480,120,420,180,60,10\r\n1,1,1,0,1,1,0,0,0\r\n", numbers);
    const SettingsParse parsed = parseSettings(file);
    QVERIFY2(parsed.settings, qPrintable(parsed.error));
    QCOMPARE(*parsed.settings, TimerSettingsRecord{});
}

void TestConfigFile::unreadableFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    QByteArray shortFile = defaultFile();
    shortFile.chop(shortFile.size() - shortFile.lastIndexOf("time over"));
    QTest::newRow("11 lines") << shortFile << QStringLiteral("lines");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("0 of the 15");
    QByteArray word = defaultFile();
    word.replace("420", "abc");
    QTest::newRow("word among numbers") << word << QStringLiteral("\"abc\" is not a number");
    QByteArray trailing = defaultFile();
    trailing.replace("420", "42x");
    QTest::newRow("number followed by letters") << trailing << QStringLiteral("is not a number");
    QByteArray big = defaultFile();
    big.replace("420", "40000");
    QTest::newRow("outside 16 bits") << big << QStringLiteral("outside");
    QByteArray huge = defaultFile();
    huge.replace("420", "-99999999999999999999999");
    QTest::newRow("beyond any whole number") << huge << QStringLiteral("outside");
    QByteArray emptyField = defaultFile();
    emptyField.replace("420,", ",");
    QTest::newRow("empty field") << emptyField << QStringLiteral("not a number");
    QByteArray longTalk = defaultFile();
    longTalk.replace("480,120", "30000,2760");
    QTest::newRow("talk of 32760 seconds") << longTalk << QStringLiteral("32759");
    QByteArray lateMusic = defaultFile();
    lateMusic.replace("480,120,420,180", "30000,2000,420,1000");
    QTest::newRow("music start beyond 16 bits") << lateMusic << QStringLiteral("music");
    QByteArray blink = defaultFile();
    blink.replace(",60,10\r\n", ",60,-32768\r\n");
    QTest::newRow("blink time beyond 16 bits") << blink << QStringLiteral("blink");
    QByteArray badText = defaultFile();
    badText.replace("discussion", "disc\x81\x20ussion");
    QTest::newRow("not code page 932") << badText << QStringLiteral("932");
}

void TestConfigFile::unreadableFilesAreRefused()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    const SettingsParse parsed = parseSettings(file);
    QVERIFY(!parsed.settings);
    QVERIFY2(parsed.error.contains(reason), qPrintable(parsed.error));
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "test_config_file.moc"
