#include "wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

void put16(std::ofstream &out, std::uint16_t value)
{
    const char bytes[] = {char(value & 0xff), char(value >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream &out, std::uint32_t value)
{
    put16(out, std::uint16_t(value & 0xffff));
    put16(out, std::uint16_t(value >> 16));
}

} // namespace

bool writeWaveFile(const std::string &path, const std::vector<float> &samples, int sampleRate)
{
    std::ofstream out(path, std::ios::binary);
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, std::uint32_t(sampleRate));
    put32(out, std::uint32_t(sampleRate * 2));
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (float sample : samples) {
        const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
        put16(out, std::uint16_t(std::int16_t(value)));
    }
    return bool(out);
}
