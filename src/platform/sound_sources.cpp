#include "platform/sound_sources.h"

#include "platform/sound_files.h"

#include <QFile>

#include <SDL.h>
#include <fluidsynth.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace platform {

namespace {

constexpr int blockFrames = 4096;
// A MIDI file that never ends (a loop, a broken track) stops here.
constexpr qint64 longestMidiFrames = qint64(deviceRate) * 3600;
// A floating-point file up to this long is read once for its peak.
constexpr sf_count_t longestPeakScanSeconds = 600;
// The last notes' release after the tune's end.
constexpr qint64 releaseFrames = qint64(deviceRate) * 2;

OpenedSource failed(SoundProblem problem, const QString &detail) { return {nullptr, problem, detail}; }

class SampledSource final : public SoundSource
{
public:
    SampledSource(SNDFILE *file, const SF_INFO &info)
        : m_file(file)
        , m_info(info)
        , m_stream(SDL_NewAudioStream(AUDIO_S16SYS, Uint8(info.channels), info.samplerate, AUDIO_S16SYS,
                                      deviceChannels, deviceRate))
        // A block of about blockFrames once converted, whatever the rate a
        // header claims: 4096 frames at 1 Hz would otherwise become 180 million.
        , m_blockFrames(int(std::clamp<qint64>(qint64(blockFrames) * info.samplerate / deviceRate, 1, blockFrames)))
        , m_block(std::size_t(m_blockFrames) * std::size_t(info.channels))
    {
        // Floating-point files are scaled to the 16-bit range, not clipped.
        // That reads the whole file once for its peak: done only where it
        // takes a moment, and for a format that has no 16-bit range of its own.
        const int encoding = info.format & SF_FORMAT_SUBMASK;
        if ((encoding == SF_FORMAT_FLOAT || encoding == SF_FORMAT_DOUBLE) && info.frames > 0 &&
            info.frames / info.samplerate <= longestPeakScanSeconds)
            sf_command(m_file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    }
    ~SampledSource() override
    {
        if (m_stream)
            SDL_FreeAudioStream(m_stream);
        sf_close(m_file);
    }
    Q_DISABLE_COPY(SampledSource)

    bool valid() const { return m_stream != nullptr; }

    qint64 read(qint16 *out, qint64 frames) override
    {
        const int wanted = int(std::min<qint64>(frames, blockFrames)) * deviceChannels * int(sizeof(qint16));
        while (!m_flushed && SDL_AudioStreamAvailable(m_stream) < wanted) {
            const sf_count_t got = sf_readf_short(m_file, m_block.data(), m_blockFrames);
            if (got < 0 || (got == 0 && sf_error(m_file) != SF_ERR_NO_ERROR))
                return -1;
            const int put = got == 0 ? SDL_AudioStreamFlush(m_stream)
                                     : SDL_AudioStreamPut(m_stream, m_block.data(),
                                                          int(got) * m_info.channels * int(sizeof(qint16)));
            if (put != 0)
                return -1;
            m_flushed = got == 0;
        }
        const int bytes = SDL_AudioStreamGet(m_stream, out, wanted);
        return bytes < 0 ? -1 : bytes / (deviceChannels * int(sizeof(qint16)));
    }

    bool rewind() override
    {
        SDL_AudioStreamClear(m_stream);
        m_flushed = false;
        return sf_seek(m_file, 0, SEEK_SET) == 0;
    }

    std::optional<qint64> length() const override
    {
        // Some formats cannot tell: libsndfile then says "as long as can be".
        if (m_info.frames <= 0 || m_info.frames >= SF_COUNT_MAX / deviceRate)
            return std::nullopt;
        return m_info.frames * deviceRate / m_info.samplerate;
    }

private:
    SNDFILE *m_file;
    SF_INFO m_info;
    SDL_AudioStream *m_stream;
    int m_blockFrames;
    std::vector<qint16> m_block;
    bool m_flushed = false;
};

template <typename T, void (*Free)(T *)>
struct Deleter {
    void operator()(T *p) const { Free(p); }
};
using Settings = std::unique_ptr<fluid_settings_t, Deleter<fluid_settings_t, delete_fluid_settings>>;
using Synth = std::unique_ptr<fluid_synth_t, Deleter<fluid_synth_t, delete_fluid_synth>>;
using Player = std::unique_ptr<fluid_player_t, Deleter<fluid_player_t, delete_fluid_player>>;

class MidiSource final : public SoundSource
{
public:
    MidiSource(QByteArray midi, Settings settings, Synth synth)
        : m_midi(std::move(midi))
        , m_settings(std::move(settings))
        , m_synth(std::move(synth))
    {
    }

    qint64 read(qint16 *out, qint64 frames) override
    {
        if (!m_player)
            return 0;
        const bool playing =
            fluid_player_get_status(m_player.get()) == FLUID_PLAYER_PLAYING && m_rendered < longestMidiFrames;
        const qint64 left = playing ? frames : std::min(frames, releaseFrames - m_released);
        const int count = int(std::min<qint64>(left, blockFrames));
        if (count <= 0)
            return 0;
        if (fluid_synth_write_s16(m_synth.get(), count, out, 0, 2, out, 1, 2) != FLUID_OK)
            return -1;
        if (playing) {
            m_rendered += count;
            return count;
        }
        // The release ends at its last sound: the silence after it is cut.
        const auto end = out + std::ptrdiff_t(count) * deviceChannels;
        const auto lastSound = std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(out),
                                            [](qint16 sample) { return std::abs(sample) > 1; });
        const int kept = int((lastSound.base() - out + deviceChannels - 1) / deviceChannels);
        m_released = kept < count ? releaseFrames : m_released + count;
        return kept;
    }

    bool rewind() override
    {
        // A new player: the old one cannot be wound back on every version of
        // the synthesiser. Notes still sounding are cut.
        m_player.reset();
        fluid_synth_system_reset(m_synth.get());
        m_rendered = 0;
        m_released = 0;
        Player player(new_fluid_player(m_synth.get()));
        if (!player || fluid_player_add_mem(player.get(), m_midi.constData(), std::size_t(m_midi.size())) != FLUID_OK ||
            fluid_player_play(player.get()) != FLUID_OK)
            return false;
        m_player = std::move(player);
        return true;
    }

private:
    QByteArray m_midi;
    Settings m_settings;
    Synth m_synth;
    Player m_player;
    qint64 m_rendered = 0;
    qint64 m_released = 0;
};

} // namespace

OpenedSource openSampledSource(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return failed(SoundProblem::NotAudio, QString::fromUtf8(sf_strerror(nullptr)));
    if (info.channels < 1 || info.channels > 255 || info.samplerate < 1) {
        sf_close(file);
        return failed(SoundProblem::NotAudio, QStringLiteral("no audio in the file"));
    }
    auto source = std::make_unique<SampledSource>(file, info);
    if (!source->valid())
        return failed(SoundProblem::NotAudio, QString::fromUtf8(SDL_GetError()));
    return {std::move(source), SoundProblem::None, QString()};
}

OpenedSource openMidiSource(const QByteArray &midi)
{
    // A SoundFont named in the environment wins, as it would for any other
    // program on SDL; otherwise the system's General MIDI set.
    const QByteArray named = qgetenv("SDL_SOUNDFONTS");
    const QString soundFont = firstExistingFile(named.isEmpty() ? defaultSoundFonts().join(QLatin1Char(':'))
                                                                : QString::fromLocal8Bit(named));
    if (soundFont.isEmpty())
        return failed(SoundProblem::NoSoundFont,
                      QStringLiteral("no General MIDI SoundFont found (install timgm6mb-soundfont)"));

    Settings settings(new_fluid_settings());
    fluid_settings_setnum(settings.get(), "synth.sample-rate", deviceRate);
    fluid_settings_setint(settings.get(), "synth.lock-memory", 0);
    // As loud as SDL_mixer's own MIDI player sounds at full volume (the
    // synthesiser's default, 0.2, is six times quieter).
    fluid_settings_setnum(settings.get(), "synth.gain", 1.2);
    // The file's clock is the samples written, not the wall clock: the tune
    // is rendered as fast as it is asked for.
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    Synth synth(new_fluid_synth(settings.get()));
    if (!synth)
        return failed(SoundProblem::NoSoundFont, QStringLiteral("the MIDI synthesiser does not start"));
    if (fluid_synth_sfload(synth.get(), QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
        return failed(SoundProblem::NoSoundFont, QStringLiteral("the SoundFont %1 does not load").arg(soundFont));
    auto source = std::make_unique<MidiSource>(midi, std::move(settings), std::move(synth));
    if (!source->rewind())
        return failed(SoundProblem::NotAudio, QStringLiteral("not a MIDI file"));
    return {std::move(source), SoundProblem::None, QString()};
}

} // namespace platform
