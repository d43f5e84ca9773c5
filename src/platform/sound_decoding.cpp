#include "platform/sound_decoding.h"

#include "platform/sound_files.h"

#include <QFile>
#include <QScopeGuard>

#include <SDL.h>
#include <fluidsynth.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

constexpr int blockFrames = 4096;
// A MIDI file that never ends (a loop, a broken track) stops here.
constexpr qint64 longestMidiFrames = qint64(deviceRate) * 3600;

using Samples = std::vector<qint16>;

DecodedSound failed(const QString &why) { return {nullptr, why}; }

DecodedSound finished(Samples &&samples)
{
    if (samples.capacity() - samples.size() > samples.size() / 16)
        samples.shrink_to_fit();
    return {std::make_shared<const Samples>(std::move(samples)), QString()};
}

// Blocks of 16-bit samples of any rate and channel count, in the device's format.
class Converter
{
public:
    Converter(int channels, int rate)
        : m_stream(SDL_NewAudioStream(AUDIO_S16SYS, Uint8(channels), rate, AUDIO_S16SYS, deviceChannels, deviceRate))
    {
    }
    ~Converter()
    {
        if (m_stream)
            SDL_FreeAudioStream(m_stream);
    }
    Q_DISABLE_COPY(Converter)

    bool valid() const { return m_stream != nullptr; }

    bool put(const qint16 *samples, int count, Samples &out)
    {
        return SDL_AudioStreamPut(m_stream, samples, count * int(sizeof(qint16))) == 0 && take(out);
    }

    bool finish(Samples &out) { return SDL_AudioStreamFlush(m_stream) == 0 && take(out); }

private:
    bool take(Samples &out)
    {
        const int bytes = SDL_AudioStreamAvailable(m_stream);
        const std::size_t at = out.size();
        out.resize(at + std::size_t(bytes) / sizeof(qint16));
        return SDL_AudioStreamGet(m_stream, out.data() + at, bytes) == bytes;
    }

    SDL_AudioStream *m_stream = nullptr;
};

DecodedSound decodeSampled(const QString &path, const std::atomic<bool> &cancelled)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return failed(QString::fromUtf8(sf_strerror(nullptr)));
    const auto close = qScopeGuard([file] { sf_close(file); });
    if (info.channels < 1 || info.samplerate < 1)
        return failed(QStringLiteral("no audio in the file"));
    // Floating-point files are scaled to the 16-bit range, not clipped.
    sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    Converter converter(info.channels, info.samplerate);
    if (!converter.valid())
        return failed(QString::fromUtf8(SDL_GetError()));

    Samples out;
    if (info.frames > 0)
        out.reserve(std::size_t(double(info.frames) * deviceRate / info.samplerate + blockFrames) * deviceChannels);
    std::vector<qint16> block(std::size_t(blockFrames) * std::size_t(info.channels));
    for (;;) {
        if (cancelled.load())
            return failed(QStringLiteral("cancelled"));
        const sf_count_t frames = sf_readf_short(file, block.data(), blockFrames);
        if (frames <= 0)
            break;
        if (!converter.put(block.data(), int(frames) * info.channels, out))
            return failed(QString::fromUtf8(SDL_GetError()));
    }
    if (sf_error(file) != SF_ERR_NO_ERROR)
        return failed(QString::fromUtf8(sf_strerror(file)));
    if (!converter.finish(out))
        return failed(QString::fromUtf8(SDL_GetError()));
    if (out.empty())
        return failed(QStringLiteral("no audio in the file"));
    return finished(std::move(out));
}

DecodedSound synthesiseMidi(const QByteArray &midi, const std::atomic<bool> &cancelled)
{
    // A SoundFont named in the environment wins, as it would for any other
    // program on SDL; otherwise the system's General MIDI set.
    const QByteArray named = qgetenv("SDL_SOUNDFONTS");
    const QString soundFont = firstExistingFile(named.isEmpty() ? defaultSoundFonts().join(QLatin1Char(':'))
                                                                : QString::fromLocal8Bit(named));
    if (soundFont.isEmpty())
        return failed(QStringLiteral("no General MIDI SoundFont found (install timgm6mb-soundfont)"));

    const std::unique_ptr<fluid_settings_t, void (*)(fluid_settings_t *)> settings(new_fluid_settings(),
                                                                                  delete_fluid_settings);
    fluid_settings_setnum(settings.get(), "synth.sample-rate", deviceRate);
    fluid_settings_setint(settings.get(), "synth.lock-memory", 0);
    // As loud as SDL_mixer's own MIDI player sounds at full volume (the
    // synthesiser's default, 0.2, is six times quieter).
    fluid_settings_setnum(settings.get(), "synth.gain", 1.2);
    // The file's clock is the samples written, not the wall clock: the whole
    // tune is rendered as fast as the processor allows.
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    const std::unique_ptr<fluid_synth_t, void (*)(fluid_synth_t *)> synth(new_fluid_synth(settings.get()),
                                                                         delete_fluid_synth);
    if (!synth)
        return failed(QStringLiteral("the MIDI synthesiser does not start"));
    if (fluid_synth_sfload(synth.get(), QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
        return failed(QStringLiteral("the SoundFont %1 does not load").arg(soundFont));
    const std::unique_ptr<fluid_player_t, void (*)(fluid_player_t *)> player(new_fluid_player(synth.get()),
                                                                            delete_fluid_player);
    if (!player || fluid_player_add_mem(player.get(), midi.constData(), std::size_t(midi.size())) != FLUID_OK ||
        fluid_player_play(player.get()) != FLUID_OK)
        return failed(QStringLiteral("not a MIDI file"));

    Samples out;
    const auto render = [&] {
        const std::size_t at = out.size();
        out.resize(at + std::size_t(blockFrames) * deviceChannels);
        fluid_synth_write_s16(synth.get(), blockFrames, out.data() + at, 0, 2, out.data() + at, 1, 2);
    };
    while (fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING &&
           qint64(out.size()) < longestMidiFrames * deviceChannels) {
        if (cancelled.load())
            return failed(QStringLiteral("cancelled"));
        render();
    }
    // The last notes' release, up to two seconds, then the silence after it is cut.
    for (int block = 0; block < 2 * deviceRate / blockFrames; ++block)
        render();
    const auto lastSound =
        std::find_if(out.rbegin(), out.rend(), [](qint16 sample) { return std::abs(sample) > 1; });
    const auto kept = std::size_t(out.rend() - lastSound); // up to the last sound, in whole frames
    out.resize((kept + 1) & ~std::size_t(1));
    if (out.empty())
        return failed(QStringLiteral("the MIDI file plays no note"));
    return finished(std::move(out));
}

} // namespace

DecodedSound decodeSound(const QString &storedName, const std::atomic<bool> &cancelled)
{
    if (storedName.isEmpty())
        return failed(QStringLiteral("no file name"));
    const QString path = soundFilePath(storedName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    if (soundKindOf(path, file.peek(12)) == SoundKind::Midi)
        return synthesiseMidi(file.readAll(), cancelled);
    file.close();
    return decodeSampled(path, cancelled);
}

} // namespace platform
