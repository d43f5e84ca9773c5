#pragma once

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

namespace platform {

// The one format every sound is decoded into and the audio device is opened
// with, so that a decoded sound stays valid while the device sleeps.
constexpr int deviceRate = 44100;
constexpr int deviceChannels = 2;

// A whole sound as interleaved 16-bit stereo samples at deviceRate, or why
// there is none.
struct DecodedSound {
    std::shared_ptr<const std::vector<qint16>> samples;
    QString error;
};

// Reads and decodes a sound file as stored in the settings: WAV, FLAC, Ogg,
// MP3 and the other formats libsndfile reads, and MIDI, synthesised with the
// General MIDI SoundFont (SDL_SOUNDFONTS, else the system's). It takes as
// long as the file is long, so it runs away from the user-interface thread;
// it gives up soon after `cancelled` turns true.
DecodedSound decodeSound(const QString &storedName, const std::atomic<bool> &cancelled);

} // namespace platform
