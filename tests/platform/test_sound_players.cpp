#include "midi_file.h"
#include "wave_file.h"

#include "platform/sdl_players.h"
#include "platform/sound_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

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

    void endReachesUiThreadAndRewinds();
    void everyPlayerHasItsOwnChannel();
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
    void usePlayers(std::chrono::milliseconds linger);

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
}

void TestSoundPlayers::init() { usePlayers(platform::SdlPlayers::defaultLinger); }

// Every test's players are rewound on completion as the main window does it.
void TestSoundPlayers::usePlayers(std::chrono::milliseconds linger)
{
    m_players.reset();
    auto players = std::make_unique<platform::SdlPlayers>(nullptr, platform::SdlPlayers::defaultBufferFrames, linger);
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

void TestSoundPlayers::endReachesUiThreadAndRewinds()
{
    open(1, path(QStringLiteral("short.wav")));
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

void TestSoundPlayers::playWhilePlayingDoesNotRestart()
{
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
    // Half of the wave's sound; the MIDI file's sound is over by then.
    QTest::newRow("bell") << 3 << QStringLiteral("long.wav") << 250;
    QTest::newRow("music from a wave file") << 4 << QStringLiteral("long.wav") << 250;
    QTest::newRow("bell at 22.05 kHz") << 1 << QStringLiteral("slow.wav") << 250;
    QTest::newRow("music from a MIDI file") << 4 << QStringLiteral("tiny.mid") << 1000;
}

// "reset" stops the music; the next talk's music starts from its beginning,
// as the sound in the first 0.6 s of the mixer's output after "Play" shows.
void TestSoundPlayers::stopWhilePlayingReportsAndRewinds()
{
    QFETCH(int, index);
    QFETCH(QString, file);
    QFETCH(int, stopAfterMs);
    if (file.endsWith(QStringLiteral(".mid")) && !haveSoundFont())
        QSKIP("no General MIDI SoundFont installed");
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
    QTest::newRow("missing file") << QStringLiteral("nothere.wav") << QByteArray() << QByteArray() << true;
    QTest::newRow("no file name") << QString() << QByteArray() << QByteArray() << true;
    QTest::newRow("not a sound") << QStringLiteral("notes.wav") << QByteArray() << QByteArray() << true;
    QTest::newRow("cut-off wave") << QStringLiteral("cut.wav") << QByteArray() << QByteArray() << true;
    QTest::newRow("MIDI without SoundFont")
        << QStringLiteral("tiny.mid") << QByteArray("SDL_SOUNDFONTS") << QByteArray("/nowhere/none.sf2") << true;
    QTest::newRow("no audio device")
        << QStringLiteral("short.wav") << QByteArray("SDL_AUDIODRIVER") << QByteArray("nosuchdriver") << false;
}

void TestSoundPlayers::silentPlayers()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(bool, othersPlay);
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

    m_players->setFileName(1, fileName);
    for (int index = 2; index <= MediaPlayers::Count; ++index)
        m_players->setFileName(index, QStringLiteral("short.wav"));
    for (int index = 1; index <= MediaPlayers::Count; ++index)
        m_players->send(index, Command::Open);
    for (int round = 0; round < 3; ++round)
        m_players->send(1, Command::Play);
    QTRY_COMPARE_WITH_TIMEOUT(WarningCounter::count, 1, 5000);
    QVERIFY(m_done.isEmpty());

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
