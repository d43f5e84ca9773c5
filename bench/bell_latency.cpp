// How long a bell takes from "Play" to its first audible sample.
//
// SDL's disk audio driver stands in for the sound card: it takes one mixed
// buffer at a time, writes it to a file and waits as long as the buffer
// lasts, as a device would. The mixer tap notes when each buffer left the
// mixer and where it starts in the file; the first sample of the bell found
// in the file then dates the onset, which is compared with the moment of the
// "Play" call. A real device adds its own queue, about one more buffer.
//
// Then the path a talk takes, from the counted second on the tick grid to
// the bell's first sample, the device sleeping between bells (see
// measureFromCountedSecond).
//
// Usage: bell_latency [bell file] [bells] — prints a table for several
// buffer sizes, then the talk's path for that many bells (default 40).

#include "platform/sdl_players.h"
#include "platform/tick_source.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Command = platform::MediaPlayers::Command;

constexpr int sampleRate = 44100;
constexpr int channels = 2;
constexpr int trials = 40;
constexpr qint16 audible = 328; // -40 dBFS

double millisecondsSince(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// One mixed buffer: when it left the mixer and the frame of the output it starts at.
struct Buffer {
    Clock::time_point mixed;
    qint64 firstFrame = 0;
};

struct Result {
    std::vector<double> latencies; // milliseconds from "Play" to the onset leaving the mixer
    qint64 fileFrames = 0;
    qint64 tappedFrames = 0; // fewer when the device started before the tap
};

// Lets the players' own timers run.
void runEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

Result measure(const QString &bell, int bufferFrames, const QString &outputFile)
{
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(outputFile));
    std::vector<Buffer> buffers(1 << 16);
    std::atomic<std::size_t> bufferCount{0};
    qint64 framesMixed = 0; // touched only on the audio thread
    std::vector<Clock::time_point> plays;
    std::atomic<bool> heard{false};
    {
        platform::SdlPlayers players(nullptr, bufferFrames);
        players.setMixTap([&](const qint16 *samples, int count) {
            for (int i = 0; i < count && !heard.load(); ++i)
                heard = std::abs(samples[i]) >= audible;
            const std::size_t n = bufferCount.load();
            if (n < buffers.size()) {
                buffers[n] = {Clock::now(), framesMixed};
                bufferCount.store(n + 1);
            }
            framesMixed += count / channels;
        });
        players.setFileName(1, bell);
        players.send(1, Command::Open);
        // Once heard, the bell is decoded, however long that took.
        players.send(1, Command::Play);
        while (!heard.load())
            runEvents(50);
        players.send(1, Command::Stop);
        runEvents(300);
        players.send(1, Command::Prev);

        std::mt19937 random(7);
        std::uniform_int_distribution<int> jitter(0, 50);
        for (int trial = 0; trial < trials; ++trial) {
            plays.push_back(Clock::now());
            players.send(1, Command::Play);
            QThread::msleep(80);
            players.send(1, Command::Stop);
            QCoreApplication::processEvents(); // the end of the bell reaches the player
            players.send(1, Command::Prev);
            QThread::msleep(std::chrono::milliseconds(40 + jitter(random)).count());
        }
        players.send(1, Command::Close); // closes the device and the file
    }

    Result result;
    result.tappedFrames = framesMixed;
    QFile file(outputFile);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
    result.fileFrames = bytes.size() / qsizetype(sizeof(qint16) * channels);

    // The device may mix a buffer or two before the tap is in place; those
    // start the file.
    const qint64 untapped = result.fileFrames - result.tappedFrames;
    const std::size_t mixedBuffers = bufferCount.load();
    for (const Clock::time_point play : plays) {
        // The first buffer mixed after the call, then the bell's first sample from there.
        std::size_t first = 0;
        while (first < mixedBuffers && buffers[first].mixed < play)
            ++first;
        if (first == mixedBuffers)
            continue;
        qint64 frame = buffers[first].firstFrame + untapped;
        while (frame < result.fileFrames && std::abs(samples[frame * channels]) < audible &&
               std::abs(samples[frame * channels + 1]) < audible)
            ++frame;
        std::size_t holder = first;
        while (holder + 1 < mixedBuffers && buffers[holder + 1].firstFrame + untapped <= frame)
            ++holder;
        const double intoBuffer = 1000.0 * double(frame - untapped - buffers[holder].firstFrame) / sampleRate;
        result.latencies.push_back(millisecondsSince(play, buffers[holder].mixed) + intoBuffer);
    }
    return result;
}

// The path a talk takes, timed from the counted second: a 10 ms tick source
// on the monotonic clock sleeps until each counted second, as the talk clock
// does, and announces the bell, so the device sleeps between bells and opens
// two seconds ahead; the tick that completes the bell's second sends "Play".
// The latency runs from that tick's place on the grid (when the second was
// due) to the bell's first sample leaving the mixer, so a late wake-up of
// the event loop counts as much as the mixer's buffering.
std::vector<double> measureFromCountedSecond(const QString &bell, const QString &outputFile, int trials)
{
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(outputFile));
    constexpr qint64 periodNs = 10'000'000;
    constexpr int ticksPerSecond = 100;
    constexpr int bellEvery = 4; // seconds: the device closes and wakes again before each bell
    std::atomic<bool> armed{false};
    std::atomic<bool> found{false};
    Clock::time_point mixed;
    int intoBuffer = 0;
    platform::SdlPlayers players(nullptr, platform::SdlPlayers::defaultBufferFrames, std::chrono::milliseconds(200));
    players.setMixTap([&](const qint16 *samples, int count) {
        if (!armed.load() || found.load())
            return;
        for (int frame = 0; frame < count / channels; ++frame) {
            if (std::abs(samples[frame * channels]) >= audible || std::abs(samples[frame * channels + 1]) >= audible) {
                mixed = Clock::now();
                intoBuffer = frame;
                found = true;
                return;
            }
        }
    });
    players.setFileName(1, bell);
    players.send(1, Command::Open);
    // The first "Play" waits for the decoder, however long it takes.
    armed = true;
    players.send(1, Command::Play);
    while (!found.load())
        runEvents(50);
    armed = false;
    players.send(1, Command::Stop);
    runEvents(50);

    const auto nowNs = [] { return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count(); };
    std::vector<double> latencies;
    qint64 ticks = 0;
    qint64 startNs = 0;
    qint64 bellTick = 0;
    Clock::time_point due;
    platform::TickSource source(
        [&] {
            ++ticks;
            if (ticks % ticksPerSecond != 0)
                return;
            // A second or two after the bell: it has sounded (or is two
            // seconds late, and counted as such); it stops.
            if (armed.load() && (found.load() || ticks >= bellTick - 2 * ticksPerSecond)) {
                armed = false;
                players.send(1, Command::Stop);
                latencies.push_back(found.load() ? millisecondsSince(due, mixed) + 1000.0 * intoBuffer / sampleRate
                                                 : 2000.0);
            }
            if (ticks == bellTick) {
                due = Clock::time_point(std::chrono::nanoseconds(startNs + ticks * periodNs));
                found = false;
                armed = true;
                players.send(1, Command::Play);
                bellTick += bellEvery * ticksPerSecond;
            }
        },
        nowNs);
    source.setPlanner([&]() -> std::optional<qint64> {
        players.setNextSoundDue(std::chrono::milliseconds((bellTick - ticks) * periodNs / 1'000'000));
        return ticksPerSecond - ticks % ticksPerSecond;
    });
    bellTick = bellEvery * ticksPerSecond;
    startNs = nowNs();
    source.setInterval(int(periodNs / 1'000'000));
    while (int(latencies.size()) < trials && ticks < (trials + 2) * bellEvery * ticksPerSecond)
        runEvents(100);
    source.setInterval(0);
    players.send(1, Command::Close);
    return latencies;
}

struct Summary {
    double mean = 0;
    double p99 = 0;
    double worst = 0;
};

Summary summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    Summary s;
    s.mean = std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
    s.p99 = values[std::min(values.size() - 1, std::size_t(std::ceil(0.99 * double(values.size()))) - 1)];
    s.worst = values.back();
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString bell = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ORLATIM_SOUNDS_DIR "/Varo-bell1.wav");
    if (!QFile::exists(bell)) {
        std::fprintf(stderr, "no bell at %s\n", qPrintable(bell));
        return 1;
    }
    qputenv("SDL_AUDIODRIVER", "disk");
    QTemporaryDir folder;

    std::printf("Play to first audible sample of %s, %d plays each, SDL disk audio driver\n", qPrintable(bell),
                trials);
    std::printf("%8s %9s | %26s | %26s\n", "buffer", "period", "to the mixer's output (ms)",
                "+ one buffer in device (ms)");
    std::printf("%8s %9s | %8s %8s %8s | %8s %8s %8s\n", "frames", "ms", "min", "mean", "max", "min", "mean",
                "max");
    for (const int frames : {256, 512, 1024, 2048}) {
        Result result = measure(bell, frames, folder.filePath(QStringLiteral("out-%1.raw").arg(frames)));
        if (result.latencies.empty()) {
            std::printf("%8d: no measurement\n", frames);
            continue;
        }
        const auto &l = result.latencies;
        const double period = 1000.0 * frames / sampleRate;
        const double low = *std::min_element(l.begin(), l.end());
        const double high = *std::max_element(l.begin(), l.end());
        const double mean = std::accumulate(l.begin(), l.end(), 0.0) / double(l.size());
        std::printf("%8d %9.1f | %8.1f %8.1f %8.1f | %8.1f %8.1f %8.1f\n", frames, period, low, mean, high,
                    low + period, mean + period, high + period);
    }

    const int bells = argc > 2 ? std::max(1, std::atoi(argv[2])) : 40;
    const std::vector<double> l =
        measureFromCountedSecond(bell, folder.filePath(QStringLiteral("talk.raw")), bells);
    if (l.empty()) {
        std::printf("from the counted second: no measurement\n");
        return 1;
    }
    const Summary s = summarise(l);
    std::printf("From the counted second's place on the tick grid to the first sample leaving the mixer,\n"
                "device woken two seconds ahead, %zu bells: mean %.1f ms, 99th percentile %.1f ms, worst %.1f ms\n"
                "(a real device queues about one more buffer, %.1f ms)\n",
                l.size(), s.mean, s.p99, s.worst, 1000.0 * platform::SdlPlayers::defaultBufferFrames / sampleRate);
    return 0;
}
