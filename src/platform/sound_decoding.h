#pragma once

#include "platform/sound_sources.h"

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

namespace platform {

// Sounds up to this long are decoded whole and kept, so that a bell starts
// without delay (about 32 MB at three minutes); longer ones are read from
// their file while they play.
constexpr qint64 longestHeldFrames = qint64(deviceRate) * 180;

// A sound ready to play: decoded whole (samples, interleaved 16-bit stereo
// at deviceRate), or too long for that and left to be streamed from its
// file (stream, at its start), or why there is none.
struct DecodedSound {
    std::shared_ptr<const std::vector<qint16>> samples;
    std::shared_ptr<SoundSource> stream;
    SoundProblem problem = SoundProblem::None;
    QString detail; // the decoder's own words, for stderr
};

// Reads a sound file as stored in the settings: WAV, FLAC, Ogg, MP3 and the
// other formats libsndfile reads, and MIDI. Decoding takes as long as the
// sound is long, up to `longestHeld` frames, so it runs away from the
// user-interface thread; it gives up soon after `cancelled` turns true.
DecodedSound decodeSound(const QString &storedName, const std::atomic<bool> &cancelled,
                         qint64 longestHeld = longestHeldFrames);

} // namespace platform
