// How long a bell takes from "Play" to its first audible sample.
//
// SDL's disk audio driver stands in for the sound card: it takes one mixed
// buffer at a time, writes it to a file and waits as long as the buffer
// lasts, as a device would. The mixer tap notes when each buffer left the
// mixer and where it starts in the file; the first sample of the bell found
// in the file then dates the onset, which is compared with the moment of the
// "Play" call. A real device adds its own queue, about one more buffer.
//
// Then the same through the path a talk takes: the device sleeps until the
// bell is announced, opens two seconds ahead of it, and "Play" comes when
// it is due; the onset is found in the mixer tap.
//
// Usage: bell_latency [bell.wav] — prints a table for several buffer sizes.

#include "platform/sdl_players.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
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

Result measure(const QString &bell, int bufferFrames, const QString &outputFile)
{
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(outputFile));
    std::vector<Buffer> buffers(1 << 16);
    std::atomic<std::size_t> bufferCount{0};
    qint64 framesMixed = 0; // touched only on the audio thread
    std::vector<Clock::time_point> plays;
    {
        platform::SdlPlayers players(nullptr, bufferFrames);
        players.setMixTap([&](const qint16 *, int count) {
            const std::size_t n = bufferCount.load();
            if (n < buffers.size()) {
                buffers[n] = {Clock::now(), framesMixed};
                bufferCount.store(n + 1);
            }
            framesMixed += count / channels;
        });
        players.setFileName(1, bell);
        players.send(1, Command::Open);
        QThread::msleep(300); // the device settles

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

// Lets the players' own timers run.
void runEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

std::vector<double> measureOpenAhead(const QString &bell, const QString &outputFile, int trials)
{
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(outputFile));
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

    std::vector<double> latencies;
    for (int trial = 0; trial < trials; ++trial) {
        while (players.deviceOpen())
            runEvents(50);
        players.setNextSoundDue(std::chrono::milliseconds(3000));
        runEvents(3000);
        if (!players.deviceOpen())
            continue;
        found = false;
        armed = true;
        const Clock::time_point play = Clock::now();
        players.send(1, Command::Play);
        runEvents(400);
        armed = false;
        players.send(1, Command::Stop);
        players.setNextSoundDue(std::nullopt);
        runEvents(50); // the end of the bell reaches the player
        players.send(1, Command::Prev);
        if (found)
            latencies.push_back(millisecondsSince(play, mixed) + 1000.0 * intoBuffer / sampleRate);
    }
    players.send(1, Command::Close);
    return latencies;
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

    const std::vector<double> l = measureOpenAhead(bell, folder.filePath(QStringLiteral("ahead.raw")), 10);
    if (l.empty()) {
        std::printf("opened ahead: no measurement\n");
        return 1;
    }
    const double period = 1000.0 * platform::SdlPlayers::defaultBufferFrames / sampleRate;
    const double mean = std::accumulate(l.begin(), l.end(), 0.0) / double(l.size());
    std::printf("%8d %9.1f | %8.1f %8.1f %8.1f | %8.1f %8.1f %8.1f  opened 2 s ahead, %zu plays\n",
                platform::SdlPlayers::defaultBufferFrames, period, *std::min_element(l.begin(), l.end()), mean,
                *std::max_element(l.begin(), l.end()), *std::min_element(l.begin(), l.end()) + period,
                mean + period, *std::max_element(l.begin(), l.end()) + period, l.size());
    return 0;
}
