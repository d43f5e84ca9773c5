#pragma once

#include "platform/sound_sources.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// A sound too long to keep decoded, played from its file: a thread of its
// own decodes it into a ring a few seconds ahead of the audio thread, which
// takes from the ring as it mixes. Between playbacks the ring holds the
// sound's first seconds, so that it starts as soon as "Play" comes, like a
// sound held whole.
class SoundStream
{
public:
    static constexpr int defaultRingFrames = deviceRate * 5;

    explicit SoundStream(std::shared_ptr<SoundSource> source, int ringFrames = defaultRingFrames);
    ~SoundStream();
    Q_DISABLE_COPY(SoundStream)

    // On the audio thread: the next `count` samples (interleaved stereo)
    // into `out`, silence where the decoder has fallen behind or the sound
    // has ended. False once the whole sound has been given out.
    bool fill(qint16 *out, int count);

    // From "Play" until rewind() the decoder keeps the ring topped up.
    void started();
    // Back to the start for the next playback. Only while fill() is not
    // being called: after the mixer has let the sound go.
    void rewind();

private:
    void decode();
    void startOver();
    void readBlock(std::size_t samples);

    std::shared_ptr<SoundSource> m_source;
    std::vector<qint16> m_ring;
    std::vector<qint16> m_block;
    // Samples written and read since the last start-over, each moved on by
    // one side only; the ring holds the difference.
    std::atomic<std::size_t> m_written{0};
    std::atomic<std::size_t> m_read{0};
    std::atomic<bool> m_ended{false}; // the decoder has reached the end
    // A start-over asked for and the last one done: until they match, the
    // ring is being emptied and fill() gives silence.
    std::atomic<unsigned> m_wanted{1};
    std::atomic<unsigned> m_done{0};

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_playing = false;
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace platform
