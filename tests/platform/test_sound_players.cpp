#include "midi_file.h"
#include "wave_file.h"

#include "platform/sdl_players.h"
#include "platform/sound_files.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <atomic>

#include <sys/stat.h>
#include <unistd.h>

using platform::MediaPlayers;
using Command = MediaPlayers::Command;

namespace {

constexpr int framesPerSecond = 44100;

// A 441 Hz square wave: no sample of it is silent, so the mixed output
// shows exactly how much of it has played.
std::vector<float> squareWave(int milliseconds)
{
    std::vector<float> samples(std::size_t(framesPerSecond * milliseconds / 1000));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = i % 100 < 50 ? 0.25f : -0.25f;
    return samples;
}

// A loud organ note for the first half second, then silence until the end
// at four seconds: how much sound follows a "Play" shows where it started.
Bytes midiNote()
{
    MidiTrack track("note");
    track.program(0, 0, 19);
    track.note(0, 96, 0, 72, 127);
    return midiFile({track}, 96, 8 * 96);
}

// A wave file as large as its 32-bit sizes allow, 8-bit mono at 8 kHz: a
// second of an 80 Hz square wave, then (sparse, taking no disk) 74 hours of
// silence. Decoded whole it would need 47 GB.
bool writeHugeWave(const QString &path)
{
    constexpr qint64 size = qint64(2) << 30;
    QByteArray header("RIFF....WAVEfmt ", 16);
    const auto add = [&header](quint32 value, int bytes) {
        const quint32 little = qToLittleEndian(value);
        header.append(reinterpret_cast<const char *>(&little), bytes);
    };
    add(16, 4);    // the format chunk's size
    add(1, 2);     // PCM
    add(1, 2);     // mono
    add(8000, 4);  // frames a second
    add(8000, 4);  // bytes a second
    add(1, 2);     // bytes a frame
    add(8, 2);     // bits a sample
    header.append("data");
    add(quint32(size - 44), 4);
    const quint32 riff = qToLittleEndian(quint32(size - 8));
    header.replace(4, 4, QByteArray(reinterpret_cast<const char *>(&riff), 4));
    QByteArray wave(8000, '\0');
    for (int i = 0; i < wave.size(); ++i)
        wave[i] = char(i % 100 < 50 ? 0xc0 : 0x40);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header + wave) == 44 + wave.size() && file.resize(size);
}

bool haveSoundFont()
{
    return !platform::firstExistingFile(platform::defaultSoundFonts().join(QLatin1Char(':'))).isEmpty();
}

// Counts the lines the players write about silent sounds.
class WarningCounter
{
public:
    WarningCounter() { previous = qInstallMessageHandler(&WarningCounter::handle); }
    ~WarningCounter() { qInstallMessageHandler(previous); }
    Q_DISABLE_COPY(WarningCounter)
    static inline int count = 0;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtWarningMsg && text.startsWith(QStringLiteral("orlatim:")))
            ++count;
        previous(type, context, text);
    }
    static inline QtMessageHandler previous = nullptr;
};

} // namespace

class TestSoundPlayers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void endReachesUiThreadAndRewinds_data();
    void endReachesUiThreadAndRewinds();
    void everyPlayerHasItsOwnChannel();
    void playWhilePlayingDoesNotRestart_data();
    void playWhilePlayingDoesNotRestart();
    void stopWhilePlayingReportsAndRewinds_data();
    void stopWhilePlayingReportsAndRewinds();
    void closedPlayerIsSilent();
    void deviceSleepsBetweenSounds();
    void fileNames_data();
    void fileNames();
    void silentPlayers_data();
    void silentPlayers();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void open(int index, const QString &fileName);
    void usePlayers(std::chrono::milliseconds linger, qint64 longestHeld = platform::longestHeldFrames);

    QTemporaryDir m_dir;
    QString m_startFolder;
    std::unique_ptr<MediaPlayers> m_players;
    QList<int> m_done;
    QList<QThread *> m_doneThreads;
    std::atomic<qint64> m_frames{0};      // frames of the mixed output
    std::atomic<qint64> m_soundFrames{0}; // those that were not silent
};

void TestSoundPlayers::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_startFolder = QDir::currentPath();
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    const auto write = [this](const char *name, const std::vector<float> &samples) {
        return writeWaveFile(path(QLatin1String(name)).toStdString(), samples, framesPerSecond);
    };
    QVERIFY(write("short.wav", squareWave(50)));
    QVERIFY(write("sub/short.wav", squareWave(50)));
    QVERIFY(write("long.wav", squareWave(500)));
    // Half a second at half the device's rate: converted, it still lasts half a second.
    std::vector<float> halfRate = squareWave(250);
    QVERIFY(writeWaveFile(path(QStringLiteral("slow.wav")).toStdString(), halfRate, framesPerSecond / 2));
    QVERIFY(write("cut.wav", squareWave(50)));
    QVERIFY(QFile::resize(path(QStringLiteral("cut.wav")), 30));
    const Bytes midi = midiNote();
    QFile midiFile(path(QStringLiteral("tiny.mid")));
    QVERIFY(midiFile.open(QIODevice::WriteOnly));
    midiFile.write(reinterpret_cast<const char *>(midi.data()), qint64(midi.size()));
    QFile notes(path(QStringLiteral("notes.wav")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not a sound at all\n");
    notes.close();
    QVERIFY(writeHugeWave(path(QStringLiteral("huge.wav"))));
    // A wave header over bytes that are no sound: they play as noise.
    QVERIFY(write("noise.wav", squareWave(1000)));
    QFile noise(path(QStringLiteral("noise.wav")));
    QVERIFY(noise.open(QIODevice::ReadWrite));
    QVERIFY(noise.seek(44));
    for (int i = 0; i < framesPerSecond; ++i)
        noise.write(QByteArray::number(i * 7919).right(2));
    noise.close();
    QFile hugeMidi(path(QStringLiteral("huge.mid")));
    QVERIFY(hugeMidi.open(QIODevice::WriteOnly));
    hugeMidi.write(reinterpret_cast<const char *>(midi.data()), qint64(midi.size()));
    QVERIFY(hugeMidi.resize(qint64(2) << 30));
    QVERIFY(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo.wav"))).constData(), 0600) == 0);
    QVERIFY(QFile::copy(path(QStringLiteral("short.wav")), path(QStringLiteral("locked.wav"))));
    QVERIFY(QFile::setPermissions(path(QStringLiteral("locked.wav")), QFile::Permissions()));
}

void TestSoundPlayers::init() { usePlayers(platform::SdlPlayers::defaultLinger); }

// Every test's players are rewound on completion as the main window does it.
void TestSoundPlayers::usePlayers(std::chrono::milliseconds linger, qint64 longestHeld)
{
    m_players.reset();
    auto players =
        std::make_unique<platform::SdlPlayers>(nullptr, platform::SdlPlayers::defaultBufferFrames, linger, longestHeld);
    m_frames = 0;
    m_soundFrames = 0;
    players->setMixTap([this](const qint16 *samples, int count) {
        qint64 loud = 0;
        for (int i = 0; i < count; ++i)
            loud += std::abs(samples[i]) > 1000;
        m_soundFrames += loud / 2;
        m_frames += count / 2;
    });
    m_players = std::move(players);
    m_done.clear();
    m_doneThreads.clear();
    connect(
        m_players.get(), &MediaPlayers::done, this,
        [this](int index, int) {
            m_done << index;
            m_doneThreads << QThread::currentThread();
            m_players->send(index, Command::Prev);
            m_players->send(index, Command::Stop);
        },
        Qt::DirectConnection);
}

void TestSoundPlayers::cleanup()
{
    m_players.reset();
    QDir::setCurrent(m_startFolder);
}

void TestSoundPlayers::open(int index, const QString &fileName)
{
    m_players->setFileName(index, fileName);
    m_players->send(index, Command::Open);
}

void TestSoundPlayers::endReachesUiThreadAndRewinds_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("streamed"); // anything over a tenth of a second
    QTest::newRow("held") << QStringLiteral("short.wav") << false;
    QTest::newRow("streamed") << QStringLiteral("long.wav") << true;
}

void TestSoundPlayers::endReachesUiThreadAndRewinds()
{
    QFETCH(QString, file);
    QFETCH(bool, streamed);
    if (streamed)
        usePlayers(platform::SdlPlayers::defaultLinger, framesPerSecond / 10);
    open(1, path(file));
    m_players->send(1, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(m_done.size(), 1, 5000);
    QCOMPARE(m_done.first(), 1);
    QCOMPARE(m_doneThreads.first(), thread());

    // The handler's Stop came after the end and reports nothing more.
    QCoreApplication::processEvents();
    QCOMPARE(m_done.size(), 1);

    m_players->send(1, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(m_done.size(), 2, 5000);
}

void TestSoundPlayers::everyPlayerHasItsOwnChannel()
{
    for (int index = 1; index <= MediaPlayers::Count; ++index)
        open(index, path(QStringLiteral("short.wav")));
    for (int index = 1; index <= MediaPlayers::Count; ++index)
        m_players->send(index, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(m_done.size(), 4, 5000);
    std::sort(m_done.begin(), m_done.end());
    QCOMPARE(m_done, (QList<int>{1, 2, 3, 4}));
}

void TestSoundPlayers::playWhilePlayingDoesNotRestart_data()
{
    QTest::addColumn<bool>("streamed");
    QTest::newRow("held") << false;
    QTest::newRow("streamed") << true;
}

void TestSoundPlayers::playWhilePlayingDoesNotRestart()
{
    QFETCH(bool, streamed);
    if (streamed)
        usePlayers(platform::SdlPlayers::defaultLinger, framesPerSecond / 10);
    open(3, path(QStringLiteral("long.wav")));
    m_players->send(3, Command::Play);
    QTRY_VERIFY_WITH_TIMEOUT(m_soundFrames >= framesPerSecond / 4, 5000);
    m_players->send(3, Command::Play);
    m_players->send(3, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(m_done.size(), 1, 5000);
    // The end reported is the end of the one whole sound.
    QVERIFY2(m_soundFrames >= framesPerSecond * 45 / 100, "the sound was cut short");
    QVERIFY2(m_soundFrames < framesPerSecond * 6 / 10, "the sound started over");
    QCoreApplication::processEvents();
    QCOMPARE(m_done.size(), 1);
}

void TestSoundPlayers::stopWhilePlayingReportsAndRewinds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("stopAfterMs"); // of mixed output
    QTest::addColumn<bool>("streamed");   // anything over a tenth of a second
    // Half of the wave's sound; the MIDI file's sound is over by then.
    QTest::newRow("bell") << 3 << QStringLiteral("long.wav") << 250 << false;
    QTest::newRow("music from a wave file") << 4 << QStringLiteral("long.wav") << 250 << false;
    QTest::newRow("bell at 22.05 kHz") << 1 << QStringLiteral("slow.wav") << 250 << false;
    QTest::newRow("music from a MIDI file") << 4 << QStringLiteral("tiny.mid") << 1000 << false;
    QTest::newRow("streamed bell") << 3 << QStringLiteral("long.wav") << 250 << true;
    QTest::newRow("streamed music from a MIDI file") << 4 << QStringLiteral("tiny.mid") << 1000 << true;
    QTest::newRow("bell from a 2 GiB wave file") << 1 << QStringLiteral("huge.wav") << 250 << false;
    QTest::newRow("wave header over noise") << 2 << QStringLiteral("noise.wav") << 250 << false;
}

// "reset" stops the music; the next talk's music starts from its beginning,
// as the sound in the first 0.6 s of the mixer's output after "Play" shows.
void TestSoundPlayers::stopWhilePlayingReportsAndRewinds()
{
    QFETCH(int, index);
    QFETCH(QString, file);
    QFETCH(int, stopAfterMs);
    QFETCH(bool, streamed);
    if (file.endsWith(QStringLiteral(".mid")) && !haveSoundFont())
        QSKIP("no General MIDI SoundFont installed");
    if (streamed)
        usePlayers(platform::SdlPlayers::defaultLinger, framesPerSecond / 10);
    open(index, path(file));
    m_players->send(index, Command::Play);
    QTRY_VERIFY_WITH_TIMEOUT(m_soundFrames > 0, 5000);
    m_frames = 0;
    QTRY_VERIFY_WITH_TIMEOUT(m_frames >= framesPerSecond * stopAfterMs / 1000, 5000);
    m_players->send(index, Command::Stop);
    QTRY_COMPARE_WITH_TIMEOUT(m_done.size(), 1, 2000);
    QCOMPARE(m_done.first(), index);

    m_frames = 0;
    m_soundFrames = 0;
    m_players->send(index, Command::Play);
    QTRY_VERIFY_WITH_TIMEOUT(m_frames >= framesPerSecond * 6 / 10, 5000);
    QVERIFY2(m_soundFrames >= framesPerSecond * 3 / 10,
             qPrintable(QStringLiteral("%1 ms of sound: it did not start over").arg(m_soundFrames * 1000 / framesPerSecond)));
    m_players->send(index, Command::Stop);
    QTRY_COMPARE_WITH_TIMEOUT(m_done.size(), 2, 2000);
}

void TestSoundPlayers::closedPlayerIsSilent()
{
    open(1, path(QStringLiteral("short.wav")));
    m_players->send(1, Command::Close);
    m_players->send(1, Command::Play);
    QCoreApplication::processEvents();
    QVERIFY(m_done.isEmpty());

    // All four closed released the device; opening again takes it anew.
    open(1, path(QStringLiteral("short.wav")));
    m_players->send(1, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(m_done.size(), 1, 5000);
}

// With no linger the device closes whenever nothing plays or is due soon.
void TestSoundPlayers::deviceSleepsBetweenSounds()
{
    if (!haveSoundFont())
        QSKIP("no General MIDI SoundFont installed");
    usePlayers(std::chrono::milliseconds(0));
    auto &players = static_cast<platform::SdlPlayers &>(*m_players);
    open(1, path(QStringLiteral("short.wav")));
    open(4, path(QStringLiteral("tiny.mid")));
    QVERIFY(!players.deviceOpen());

    // Announced: open before "Play".
    players.setNextSoundDue(std::chrono::milliseconds(500));
    QVERIFY(players.deviceOpen());
    m_players->send(4, Command::Play);
    QTRY_VERIFY_WITH_TIMEOUT(m_soundFrames > 0, 5000);
    m_players->send(4, Command::Stop);
    players.setNextSoundDue(std::nullopt);
    QTRY_VERIFY_WITH_TIMEOUT(!players.deviceOpen(), 5000);

    // Not announced: opened by "Play" itself.
    m_players->send(1, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(m_done, (QList<int>{4, 1}), 5000);
}

void TestSoundPlayers::fileNames_data()
{
    QTest::addColumn<QString>("fileName"); // the working folder holds short.wav and sub/short.wav
    QTest::newRow("bare name") << QStringLiteral("short.wav");
    QTest::newRow("folder in the name") << QStringLiteral("sub/short.wav");
    QTest::newRow("full path") << path(QStringLiteral("sub/short.wav"));
    QTest::newRow("Windows folder separator") << QStringLiteral("sub\\short.wav");
}

void TestSoundPlayers::fileNames()
{
    QFETCH(QString, fileName);
    QVERIFY(QDir::setCurrent(m_dir.path()));
    WarningCounter warnings;
    WarningCounter::count = 0;
    open(2, fileName);
    m_players->send(2, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(m_done.size(), 1, 5000);
    QCOMPARE(WarningCounter::count, 0);
}

void TestSoundPlayers::silentPlayers_data()
{
    QTest::addColumn<QString>("fileName"); // for player 1; the others hold short.wav
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("othersPlay");
    QTest::addColumn<bool>("told"); // in the main window, not only on stderr
    QTest::newRow("missing file") << QStringLiteral("nothere.wav") << QByteArray() << QByteArray() << true << true;
    QTest::newRow("no file name") << QString() << QByteArray() << QByteArray() << true << true;
    QTest::newRow("not a sound") << QStringLiteral("notes.wav") << QByteArray() << QByteArray() << true << true;
    QTest::newRow("cut-off wave") << QStringLiteral("cut.wav") << QByteArray() << QByteArray() << true << true;
    QTest::newRow("MIDI without SoundFont") << QStringLiteral("tiny.mid") << QByteArray("SDL_SOUNDFONTS")
                                            << QByteArray("/nowhere/none.sf2") << true << true;
    QTest::newRow("no audio device") << QStringLiteral("short.wav") << QByteArray("SDL_AUDIODRIVER")
                                     << QByteArray("nosuchdriver") << false << false;
    QTest::newRow("2 GiB MIDI file") << QStringLiteral("huge.mid") << QByteArray() << QByteArray() << true << true;
    QTest::newRow("named pipe") << QStringLiteral("fifo.wav") << QByteArray() << QByteArray() << true << true;
    QTest::newRow("device") << QStringLiteral("/dev/zero") << QByteArray() << QByteArray() << true << true;
    QTest::newRow("folder") << QStringLiteral("sub") << QByteArray() << QByteArray() << true << true;
    QTest::newRow("unreadable file") << QStringLiteral("locked.wav") << QByteArray() << QByteArray() << true << true;
}

void TestSoundPlayers::silentPlayers()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(bool, othersPlay);
    QFETCH(bool, told);
    if (fileName == QLatin1String("locked.wav") && ::geteuid() == 0)
        QSKIP("the superuser reads any file");
    QVERIFY(QDir::setCurrent(m_dir.path()));
    const QByteArray before = variable.isEmpty() ? QByteArray() : qgetenv(variable.constData());
    if (!variable.isEmpty())
        qputenv(variable.constData(), value);
    const auto restore = qScopeGuard([&] {
        if (!variable.isEmpty())
            qputenv(variable.constData(), before);
    });
    WarningCounter warnings;
    WarningCounter::count = 0;
    QSignalSpy messages(m_players.get(), &MediaPlayers::silent);

    m_players->setFileName(1, fileName);
    for (int index = 2; index <= MediaPlayers::Count; ++index)
        m_players->setFileName(index, QStringLiteral("short.wav"));
    for (int index = 1; index <= MediaPlayers::Count; ++index)
        m_players->send(index, Command::Open);
    for (int round = 0; round < 3; ++round)
        m_players->send(1, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(WarningCounter::count, 1, 5000);
    QVERIFY(m_done.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), told ? 1 : 0, 5000);
    if (told)
        QVERIFY2(messages.first().first().toString().startsWith(QStringLiteral("Bell 1 \"%1\"").arg(fileName)),
                 qPrintable(messages.first().first().toString()));

    m_players->send(2, Command::Play);
    if (othersPlay) {
        QTRY_COMPARE_WITH_TIMEOUT(m_done, QList<int>{2}, 5000);
    } else {
        QCoreApplication::processEvents();
        QVERIFY(m_done.isEmpty());
    }
    for (const Command command : {Command::Stop, Command::Prev, Command::Close}) {
        for (int index = 1; index <= MediaPlayers::Count; ++index)
            m_players->send(index, command);
    }
    QCOMPARE(WarningCounter::count, 1);
}

QTEST_GUILESS_MAIN(TestSoundPlayers)
#include "test_sound_players.moc"
