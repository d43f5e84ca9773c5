// Writes the program's own bells and music into the folder given as the
// only argument.

#include "desk_bell.h"
#include "midi_file.h"
#include "tune.h"
#include "wave_file.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int sampleRate = 44100;
// Every bell peaks at the same level, 3 dB below full scale, so all three
// are equally loud and none clips when the mixer adds them up.
constexpr float bellPeak = 0.708f;

bool writeBytes(const std::string &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + '/';
    bool ok = true;
    for (int strikes = 1; strikes <= 3; ++strikes) {
        const std::string name = folder + "Varo-bell" + std::to_string(strikes) + ".wav";
        ok = writeWaveFile(name, deskBell(strikes, sampleRate, bellPeak), sampleRate) && ok;
    }
    const Tune tune = cheerfulTune();
    ok = writeBytes(folder + "Varo-sound.mid", midiFile(tune.tracks, tune.ticksPerQuarter, tune.endTick)) && ok;
    if (!ok)
        std::fprintf(stderr, "%s: cannot write the sounds into %s\n", argv[0], argv[1]);
    return ok ? 0 : 1;
}
