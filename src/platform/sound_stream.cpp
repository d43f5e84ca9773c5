#include "platform/sound_stream.h"

#include <algorithm>
#include <chrono>

namespace platform {

namespace {
constexpr std::size_t blockSamples = std::size_t(4096) * deviceChannels;
}

SoundStream::SoundStream(std::shared_ptr<SoundSource> source, int ringFrames)
    : m_source(std::move(source))
    , m_ring(std::size_t(std::max(ringFrames, 4096)) * deviceChannels)
    , m_block(blockSamples)
    , m_thread([this] { decode(); })
{
}

SoundStream::~SoundStream()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void SoundStream::started()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_playing = true;
    }
    m_wake.notify_one();
}

void SoundStream::rewind()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_playing = false;
        ++m_wanted;
    }
    m_wake.notify_one();
}

bool SoundStream::fill(qint16 *out, int count)
{
    const auto samples = std::size_t(std::max(count, 0));
    if (m_done.load(std::memory_order_acquire) != m_wanted.load(std::memory_order_acquire)) {
        std::fill_n(out, samples, qint16(0));
        return true;
    }
    // The end is read first: once it is seen, every sample before it is too.
    const bool ended = m_ended.load(std::memory_order_acquire);
    const std::size_t read = m_read.load(std::memory_order_relaxed);
    const std::size_t available = m_written.load(std::memory_order_acquire) - read;
    const std::size_t taken = std::min(available, samples);
    const std::size_t at = read % m_ring.size();
    const std::size_t first = std::min(taken, m_ring.size() - at);
    std::copy_n(m_ring.data() + at, first, out);
    std::copy_n(m_ring.data(), taken - first, out + first);
    std::fill(out + taken, out + samples, qint16(0));
    m_read.store(read + taken, std::memory_order_release);
    return !(ended && taken == available);
}

// The decoder's thread: tops the ring up while the sound plays, and between
// playbacks fills it once from the start and sleeps.
void SoundStream::decode()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_quit) {
        if (m_done.load() != m_wanted.load()) {
            lock.unlock();
            startOver();
            lock.lock();
            continue;
        }
        const std::size_t space = m_ring.size() - (m_written.load() - m_read.load(std::memory_order_acquire));
        if (!m_ended.load() && space >= blockSamples) {
            lock.unlock();
            readBlock(space);
            lock.lock();
            continue;
        }
        // The audio thread does not wake this one: while the sound plays it
        // looks again when a fifth of the ring may have been played.
        const auto fifth = std::chrono::milliseconds(std::int64_t(m_ring.size()) / deviceChannels * 200 / deviceRate);
        if (m_playing)
            m_wake.wait_for(lock, fifth);
        else
            m_wake.wait(lock);
    }
}

// Runs while the audio thread takes nothing from the ring.
void SoundStream::startOver()
{
    const unsigned wanted = m_wanted.load();
    m_ended = !m_source->rewind();
    m_written = 0;
    m_read = 0;
    m_done.store(wanted, std::memory_order_release);
}

void SoundStream::readBlock(std::size_t space)
{
    const std::size_t frames = std::min(space, blockSamples) / deviceChannels;
    const qint64 got = m_source->read(m_block.data(), qint64(frames));
    // A file cut short or damaged while it plays ends the sound there.
    if (got <= 0) {
        m_ended.store(true, std::memory_order_release);
        return;
    }
    const std::size_t samples = std::size_t(got) * deviceChannels;
    const std::size_t written = m_written.load();
    const std::size_t at = written % m_ring.size();
    const std::size_t first = std::min(samples, m_ring.size() - at);
    std::copy_n(m_block.data(), first, m_ring.data() + at);
    std::copy_n(m_block.data() + first, samples - first, m_ring.data());
    m_written.store(written + samples, std::memory_order_release);
}

} // namespace platform
