#pragma once

#include "settings/timer_settings.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file: the six times on line 1, the nine flags on line 2, then
// twelve text lines, all in code page 932 with CR LF line ends.
inline const QString ConfigFileName = QStringLiteral("Orlatim.cfg");

QByteArray serializeSettings(const TimerSettingsRecord &settings);

struct SettingsParse {
    std::optional<TimerSettingsRecord> settings;
    QString error; // what is wrong, when settings is empty
};
// The fifteen numbers may be split over lines in any way; a field ends at a
// comma or a line end. Refuses what the clock could not time without a sum
// leaving 16 bits.
SettingsParse parseSettings(const QByteArray &bytes);
