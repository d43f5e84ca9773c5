#pragma once

#include <QFileDevice>
#include <QString>

// Reading and writing the two files in the working folder. Each returns an
// empty string on success, otherwise a message for the user that names the
// file and what went wrong.

// Reads Orlatim.cfg into TimerSettings; a file that cannot be used leaves the
// defaults in place, and the next save keeps it as Orlatim.cfg.bak first.
QString LoadSettings();
void SetDefaultSettings();
// Replaces Orlatim.cfg as a whole, so a failed write leaves the old file.
QString SaveSettings();

// Reads Orlatim.clk, creating it when missing, and sets ClockCorrection and
// TicksPerSecond. A file without a usable count is kept as Orlatim.clk.bak
// and rewritten with 18000. A usable count far from 18000 is used, with a
// notice of how fast or slow talks will run.
QString LoadClockCorrection();
QString SaveClockCorrection();

// Replaces a file of the working folder as a whole, so a failed write leaves
// the old one; a file marked read-only is left alone. With permissions, the
// file gets exactly those; without, an existing file keeps its own.
QString writeWhole(const QString &name, const QByteArray &content, QFileDevice::Permissions permissions = {});
