#include "desk_bell.h"
#include "midi_file.h"
#include "tune.h"

#include "platform/sound_files.h"
#include "platform/sound_players.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

constexpr int sampleRate = 44100;

// The loudness of each 10 ms.
QList<double> levels(const std::vector<float> &samples)
{
    const std::size_t window = sampleRate / 100;
    QList<double> out;
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        double sum = 0;
        for (std::size_t i = start; i < start + window; ++i)
            sum += double(samples[i]) * samples[i];
        out << std::sqrt(sum / window);
    }
    return out;
}

// The level of each strike: 10 ms at least half as loud as the loudest and
// louder than everything within 100 ms around.
QList<double> strikes(const QList<double> &level)
{
    const double loudest = *std::max_element(level.begin(), level.end());
    QList<double> found;
    for (qsizetype i = 0; i < level.size(); ++i) {
        bool peak = level[i] >= loudest / 2;
        for (qsizetype j = std::max<qsizetype>(0, i - 10); peak && j < std::min(level.size(), i + 11); ++j)
            peak = j == i || level[j] < level[i];
        if (peak)
            found << level[i];
    }
    return found;
}

} // namespace

class TestGeneratedSounds : public QObject
{
    Q_OBJECT
private slots:
    void bells_data();
    void bells();
    void deltaTimes_data();
    void deltaTimes();
    void repeatedNoteEndsBeforeItSoundsAgain();
    void tuneLastsAboutAMinute();
    void builtFilesPlay();
};

void TestGeneratedSounds::bells_data()
{
    QTest::addColumn<int>("strikeCount");
    QTest::newRow("bell 1") << 1;
    QTest::newRow("bell 2") << 2;
    QTest::newRow("bell 3") << 3;
}

void TestGeneratedSounds::bells()
{
    QFETCH(int, strikeCount);
    const std::vector<float> bell = deskBell(strikeCount, sampleRate, 0.7f);
    const double seconds = double(bell.size()) / sampleRate;
    QVERIFY2(seconds >= 1.0 && seconds <= 2.0, qPrintable(QString::number(seconds)));
    QCOMPARE(*std::max_element(bell.begin(), bell.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }),
             0.7f);
    for (std::size_t i = bell.size() - 220; i < bell.size(); ++i)
        QVERIFY2(std::abs(bell[i]) < 0.01f, "the ring fades out instead of ending in a click");

    // Every strike is as loud as the single strike of bell 1.
    const QList<double> found = strikes(levels(bell));
    QCOMPARE(found.size(), strikeCount);
    const double reference = strikes(levels(deskBell(1, sampleRate, 0.7f))).first();
    for (double level : found)
        QVERIFY2(std::abs(20 * std::log10(level / reference)) < 1.0, qPrintable(QString::number(level)));
}

void TestGeneratedSounds::deltaTimes_data()
{
    QTest::addColumn<uint>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("zero") << 0u << QByteArray::fromHex("00");
    QTest::newRow("largest in one byte") << 0x7fu << QByteArray::fromHex("7f");
    QTest::newRow("smallest in two") << 0x80u << QByteArray::fromHex("8100");
    QTest::newRow("a bar of 480-tick quarters") << 1920u << QByteArray::fromHex("8f00");
    QTest::newRow("largest in three") << 0x1fffffu << QByteArray::fromHex("ffff7f");
    QTest::newRow("largest allowed") << 0x0fffffffu << QByteArray::fromHex("ffffff7f");
}

void TestGeneratedSounds::deltaTimes()
{
    QFETCH(uint, value);
    QFETCH(QByteArray, bytes);
    const Bytes encoded = variableLength(value);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(encoded.data()), qsizetype(encoded.size())), bytes);
}

void TestGeneratedSounds::repeatedNoteEndsBeforeItSoundsAgain()
{
    MidiTrack track("x");
    track.note(96, 96, 0, 60, 100); // added out of order on purpose
    track.note(0, 96, 0, 60, 100);
    const Bytes encoded = track.encode(0);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(encoded.data()), qsizetype(encoded.size())),
             QByteArray::fromHex("00ff030178"
                                 "00903c64"
                                 "60803c00"
                                 "00903c64"
                                 "60803c00"
                                 "00ff2f00"));
}

void TestGeneratedSounds::tuneLastsAboutAMinute()
{
    const Tune tune = cheerfulTune();
    const double seconds = double(tune.endTick) / tune.ticksPerQuarter * 60 / tune.beatsPerMinute;
    QVERIFY2(seconds >= 50 && seconds <= 80, qPrintable(QString::number(seconds)));
    QVERIFY2(tune.tracks.size() >= 3, "tempo, melody and accompaniment");
}

// What the build wrote opens and plays without complaint.
void TestGeneratedSounds::builtFilesPlay()
{
    const bool soundFont =
        !platform::firstExistingFile(platform::defaultSoundFonts().join(QLatin1Char(':'))).isEmpty();
    auto players = platform::createSoundPlayers();
    QSignalSpy done(players.get(), &platform::MediaPlayers::done);
    const QStringList names{QStringLiteral("Varo-bell1.wav"), QStringLiteral("Varo-bell2.wav"),
                            QStringLiteral("Varo-bell3.wav"), QStringLiteral("Varo-sound.mid")};
    for (int index = 1; index <= 4; ++index) {
        players->setFileName(index, QStringLiteral(ORLATIM_SOUNDS_DIR "/") + names[index - 1]);
        players->send(index, platform::MediaPlayers::Command::Open);
        players->send(index, platform::MediaPlayers::Command::Play);
        players->send(index, platform::MediaPlayers::Command::Stop);
    }
    QTRY_COMPARE_WITH_TIMEOUT(done.size(), soundFont ? 4 : 3, 2000);
}

QTEST_GUILESS_MAIN(TestGeneratedSounds)
#include "test_generated_sounds.moc"
