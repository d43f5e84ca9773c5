#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The clock file holds one number: the ticks counted in 180 seconds.
inline const QString ClockFileName = QStringLiteral("Orlatim.clk");
inline constexpr double DefaultClockCorrection = 18000;

QByteArray serializeClockCorrection(double correction);

// The ticks that make one counted second for a correction, or no value when
// it would not be from 1 to 32767.
std::optional<int16_t> ticksPerSecondFor(double correction);

// The correction a file holds, or no value when it holds no usable count.
std::optional<double> parseClockCorrection(const QByteArray &bytes);

// The talk clock counts exact 10 ms ticks, so a correction more than 2 %
// away from 18000 (one measured on another computer, say) makes every talk
// run fast or slow by as much. Says by how much and how to measure again;
// empty for a correction within 2 %.
QString clockCorrectionNotice(double correction);
