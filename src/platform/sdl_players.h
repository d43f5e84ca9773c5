#pragma once

#include "platform/players.h"
#include "platform/sound_decoding.h"

#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

// The players on SDL_mixer. Every sound, MIDI included, is decoded once,
// when its player opens, on a thread of its own, into the format the audio
// device is always opened with (16-bit stereo at 44.1 kHz), and kept; each
// player has its own mixer channel. Opening the device then reads and
// decodes nothing, so the talk clock's thread never waits for a decoder.
// A "Play" that comes while its sound is still being decoded starts when
// the decoder is done. A sound longer than a few minutes is not kept but
// streamed from its file by a SoundStream, so that memory stays small
// whatever the file; the mixer plays a silent chunk in a loop on its
// channel, which the stream overwrites as it is mixed.
//
// The audio device sleeps between sounds: its thread would otherwise wake
// the processor about 90 times a second to mix silence. It opens at the
// first "Open", so that a missing device is reported at once, and again
// openAhead before each sound the talk announces as due: a sound server
// suspends an idle device, and a device opened only at "Play" would make a
// bell late by its start-up. It closes when the linger has passed since it
// opened or a sound ended, unless something plays or is due soon.
//
// What cannot play (no device, a missing or unreadable file, no SoundFont)
// stays silent after one line on stderr; the timer does not notice. The
// files' problems are also told through silent(), once the sounds opened
// together have all been decoded.
class SdlPlayers final : public MediaPlayers
{
    Q_OBJECT
public:
    // Audio frames per mixing pass. Half of it, on average, is the delay
    // from "Play" to the mixer picking the sound up; the device queues about
    // one more pass. 512 frames (11.6 ms at 44100 Hz) bring a bell out about
    // 17 ms after "Play", 25 ms at worst; 1024 would pass 30 ms, and 256
    // would wake the mixer 172 times a second for little gain.
    static constexpr int defaultBufferFrames = 512;

    // The completion codes done() reports; the program does not look at them.
    static constexpr int playedToEnd = 1;
    static constexpr int stoppedEarly = 4;

    static constexpr std::chrono::milliseconds openAhead{2000};
    static constexpr std::chrono::milliseconds defaultLinger{3000};

    // Sounds longer than `longestHeld` frames are streamed.
    explicit SdlPlayers(QObject *parent = nullptr, int bufferFrames = defaultBufferFrames,
                        std::chrono::milliseconds linger = defaultLinger, qint64 longestHeld = longestHeldFrames);
    ~SdlPlayers() override;
    Q_DISABLE_COPY(SdlPlayers)

    void setFileName(int index, const QString &fileName) override;
    void send(int index, Command command) override;
    void setNextSoundDue(std::optional<std::chrono::milliseconds> dueIn) override;

    bool deviceOpen() const { return m_deviceOpen; }
    // Whether a sound is still being decoded.
    bool decoding() const;

    // Sees every mixed buffer (interleaved 16-bit samples) on the audio
    // thread as it leaves for the device; the latency benchmark times it.
    // Set before the first "Open".
    using MixTap = std::function<void(const qint16 *samples, int count)>;
    void setMixTap(MixTap tap) { m_mixTap = std::move(tap); }

private:
    struct Player;
    struct StreamPlayback;
    using TimePoint = std::chrono::steady_clock::time_point;

    void open(int index);
    void decoded(int index, quint64 job, const DecodedSound &sound);
    void play(int index);
    void start(int index);
    void stop(int index);
    void close(int index);
    bool openDevice();
    void closeDevice();
    void planDevice();
    bool anyPlayer(bool Player::*state) const;
    void playbackEnded(int index);
    void streamEnded(int index, quint64 playback);
    void tellSilent(int index, SoundProblem problem, const QString &detail);
    void tellSilentOnce();

    static void channelFinished(int channel);
    static void fillFromStream(int channel, void *stream, int length, void *playback);
    static void postMix(void *self, quint8 *stream, int length);

    std::array<std::unique_ptr<Player>, Count> m_players;
    QThreadPool m_decoders;
    std::atomic<bool> m_closing{false}; // the decoders give up
    quint64 m_lastJob = 0;
    quint64 m_lastPlayback = 0;
    qint64 m_longestHeld = longestHeldFrames;
    QStringList m_silentMessages; // told once no decoder is left running
    MixTap m_mixTap;
    int m_bufferFrames = defaultBufferFrames;
    std::chrono::milliseconds m_linger = defaultLinger;
    QTimer m_deviceTimer;
    std::optional<TimePoint> m_dueAt; // of the next sound announced
    TimePoint m_keepUntil;            // the device stays open at least until then
    bool m_deviceOpen = false;
    bool m_deviceFailed = false;      // reported once, until an open succeeds
};

} // namespace platform
