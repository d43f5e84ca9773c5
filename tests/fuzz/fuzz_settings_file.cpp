// Any bytes as "Orlatim.cfg": the reader either refuses them or gives
// settings that the clock can time and that survive a save and a reload.

#include "settings/config_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const SettingsParse parsed = parseSettings(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (!parsed.settings)
        return 0;
    if (!sumsOutOfRange(*parsed.settings).isEmpty())
        std::abort();
    const QByteArray saved = serializeSettings(*parsed.settings);
    const SettingsParse reread = parseSettings(saved);
    if (!reread.settings || serializeSettings(*reread.settings) != saved)
        std::abort();
    return 0;
}
