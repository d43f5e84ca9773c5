// Any bytes as "Orlatim.clk": either no usable count, or one whose rate is
// from 1 to 32767 ticks per second and which a save and reload keeps.

#include "settings/clock_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto correction = parseClockCorrection(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (!correction)
        return 0;
    const auto ticks = ticksPerSecondFor(*correction);
    if (!ticks || *ticks < 1)
        std::abort();
    const auto reread = parseClockCorrection(serializeClockCorrection(*correction));
    if (!reread || ticksPerSecondFor(*reread) != ticks)
        std::abort();
    return 0;
}
