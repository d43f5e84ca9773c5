#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace platform {

// The one format every sound is decoded into and the audio device is opened
// with, so that a decoded sound stays valid while the device sleeps.
constexpr int deviceRate = 44100;
constexpr int deviceChannels = 2;

// Why a sound file gives no sound; None when it does.
enum class SoundProblem { None, NoFileName, Missing, Unreadable, NotAudio, TooLarge, NoSoundFont, Cancelled };

// A sound read from its file block by block, in the device's format
// (interleaved 16-bit stereo at deviceRate), from its start or from where
// the last read stopped. One thread at a time uses it.
class SoundSource
{
public:
    virtual ~SoundSource() = default;

    // Up to `frames` frames into `out`: fewer only at the end of the sound,
    // 0 once it has ended, -1 when the file cannot be read on.
    virtual qint64 read(qint16 *out, qint64 frames) = 0;
    // Back to the start; false when the file cannot be read again.
    virtual bool rewind() = 0;
    // How many frames the whole sound lasts, when the file says so.
    virtual std::optional<qint64> length() const { return std::nullopt; }
};

struct OpenedSource {
    std::unique_ptr<SoundSource> source;
    SoundProblem problem = SoundProblem::None;
    QString detail; // the decoder's own words, for stderr
};

// A sampled file (WAV, FLAC, Ogg, MP3 and the other formats libsndfile
// reads), at any rate and channel count.
OpenedSource openSampledSource(const QString &path);

// MIDI, synthesised with the General MIDI SoundFont (SDL_SOUNDFONTS, else
// the system's). A MIDI file larger than this is not music but damage, and
// is refused before it is read into memory.
constexpr qint64 largestMidiFile = qint64(16) << 20;
OpenedSource openMidiSource(const QByteArray &midi);

} // namespace platform
