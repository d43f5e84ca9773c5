#include "platform/sound_files.h"
#include "platform/sound_players.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <optional>

namespace {

QByteArray readSound(const char *name)
{
    QFile file(QStringLiteral(ORLATIM_SOUNDS_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Wave {
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    QList<double> samples; // -1..1
};

std::optional<Wave> parseWave(const QByteArray &file)
{
    if (!file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return {};
    Wave wave;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const auto size = qsizetype(qFromLittleEndian<quint32>(file.constData() + at + 4));
        const char *body = file.constData() + at + 8;
        if (at + 8 + size > file.size())
            return {};
        if (id == "fmt ") {
            if (qFromLittleEndian<quint16>(body) != 1)
                return {};
            wave.channels = qFromLittleEndian<quint16>(body + 2);
            wave.sampleRate = int(qFromLittleEndian<quint32>(body + 4));
            wave.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data" && wave.bits == 16) {
            for (qsizetype i = 0; i + 1 < size; i += 2)
                wave.samples << qFromLittleEndian<qint16>(body + i) / 32768.0;
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

// The loudness of each 10 ms of a mono sound.
QList<double> levels(const Wave &wave)
{
    const int window = wave.sampleRate / 100;
    QList<double> out;
    for (qsizetype start = 0; start + window <= wave.samples.size(); start += window) {
        double sum = 0;
        for (qsizetype i = start; i < start + window; ++i)
            sum += wave.samples[i] * wave.samples[i];
        out << std::sqrt(sum / window);
    }
    return out;
}

// The level of each strike: 10 ms windows at least half as loud as the
// loudest and louder than everything within 100 ms around them.
QList<double> strikes(const QList<double> &level)
{
    const double loudest = *std::max_element(level.begin(), level.end());
    QList<double> found;
    for (qsizetype i = 0; i < level.size(); ++i) {
        bool peak = level[i] >= loudest / 2;
        for (qsizetype j = std::max<qsizetype>(0, i - 10); peak && j < std::min(level.size(), i + 11); ++j)
            peak = j == i || level[j] < level[i] || (level[j] == level[i] && j > i);
        if (peak)
            found << level[i];
    }
    return found;
}

struct Midi {
    int format = -1;
    int tracks = 0;
    int channelsWithNotes = 0;
    bool programsSet = false;
    double seconds = 0;
};

quint32 readVariable(const QByteArray &data, qsizetype &at)
{
    quint32 value = 0;
    quint8 byte = 0x80;
    while ((byte & 0x80) && at < data.size()) {
        byte = quint8(data[at++]);
        value = (value << 7) | (byte & 0x7f);
    }
    return value;
}

// Reads the events of every track; a track must end with its end-of-track
// event exactly where its chunk ends.
std::optional<Midi> parseMidi(const QByteArray &file)
{
    if (!file.startsWith("MThd") || qFromBigEndian<quint32>(file.constData() + 4) != 6)
        return {};
    Midi midi;
    midi.format = qFromBigEndian<quint16>(file.constData() + 8);
    const int division = qFromBigEndian<quint16>(file.constData() + 12);
    quint32 lastTick = 0;
    double secondsPerTick = 0.5 / division;
    QSet<int> channels;
    for (qsizetype at = 14; at < file.size(); ++midi.tracks) {
        if (file.mid(at, 4) != "MTrk")
            return {};
        const qsizetype end = at + 8 + qFromBigEndian<quint32>(file.constData() + at + 4);
        if (end > file.size())
            return {};
        at += 8;
        quint32 tick = 0;
        quint8 status = 0;
        bool ended = false;
        while (at < end && !ended) {
            tick += readVariable(file, at);
            if (quint8(file[at]) & 0x80)
                status = quint8(file[at++]);
            if (status == 0xff) {
                const quint8 type = quint8(file[at++]);
                const qsizetype length = qsizetype(readVariable(file, at));
                if (type == 0x51)
                    secondsPerTick = qFromBigEndian<quint32>(QByteArray(1, 0).append(file.mid(at, 3)).constData()) /
                                     1e6 / division;
                ended = type == 0x2f;
                at += length;
            } else {
                const int kind = status >> 4;
                if (kind == 0x9 && file[at + 1] != 0)
                    channels.insert(status & 0x0f);
                midi.programsSet = midi.programsSet || kind == 0xc;
                at += (kind == 0xc || kind == 0xd) ? 1 : 2;
            }
        }
        if (!ended || at != end)
            return {};
        lastTick = std::max(lastTick, tick);
    }
    midi.channelsWithNotes = int(channels.size());
    midi.seconds = lastTick * secondsPerTick;
    return midi;
}

} // namespace

class TestGeneratedSounds : public QObject
{
    Q_OBJECT
private slots:
    void bells_data();
    void bells();
    void music();
    void allFourOpenAndPlay();
};

void TestGeneratedSounds::bells_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("strikeCount");
    QTest::newRow("bell 1") << QByteArray("Varo-bell1.wav") << 1;
    QTest::newRow("bell 2") << QByteArray("Varo-bell2.wav") << 2;
    QTest::newRow("bell 3") << QByteArray("Varo-bell3.wav") << 3;
}

void TestGeneratedSounds::bells()
{
    QFETCH(QByteArray, name);
    QFETCH(int, strikeCount);
    const auto wave = parseWave(readSound(name.constData()));
    QVERIFY(wave);
    QCOMPARE(wave->sampleRate, 44100);
    QCOMPARE(wave->bits, 16);
    QCOMPARE(wave->channels, 1);
    const double seconds = double(wave->samples.size()) / wave->sampleRate;
    QVERIFY2(seconds >= 1.0 && seconds <= 2.0, qPrintable(QString::number(seconds)));

    double peak = 0;
    for (double sample : wave->samples)
        peak = std::max(peak, std::abs(sample));
    QVERIFY2(peak > 0.5 && peak < 0.9, "loud, with headroom for the mixer");
    for (qsizetype i = wave->samples.size() - 220; i < wave->samples.size(); ++i)
        QVERIFY2(std::abs(wave->samples[i]) < 0.01, "the ring fades out instead of ending in a click");

    // Every strike of every bell is as loud as the single strike of bell 1.
    const QList<double> found = strikes(levels(*wave));
    QCOMPARE(found.size(), strikeCount);
    const double reference = strikes(levels(*parseWave(readSound("Varo-bell1.wav")))).first();
    for (double level : found)
        QVERIFY2(std::abs(20 * std::log10(level / reference)) < 1.0, qPrintable(QString::number(level)));
}

void TestGeneratedSounds::music()
{
    const auto midi = parseMidi(readSound("Varo-sound.mid"));
    QVERIFY(midi);
    QCOMPARE(midi->format, 1);
    QVERIFY(midi->tracks >= 3);
    QVERIFY2(midi->channelsWithNotes >= 2, "a melody and an accompaniment");
    QVERIFY(midi->programsSet);
    QVERIFY2(midi->seconds >= 50 && midi->seconds <= 80, qPrintable(QString::number(midi->seconds)));
}

void TestGeneratedSounds::allFourOpenAndPlay()
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
    }
    for (int index = soundFont ? 1 : 2; index <= 4; ++index) {
        players->send(index, platform::MediaPlayers::Command::Play);
        players->send(index, platform::MediaPlayers::Command::Stop);
    }
    QTRY_COMPARE_WITH_TIMEOUT(done.size(), soundFont ? 4 : 3, 2000);
}

QTEST_GUILESS_MAIN(TestGeneratedSounds)
#include "test_generated_sounds.moc"
