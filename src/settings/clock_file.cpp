#include "settings/clock_file.h"

#include "settings/number_text.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

QByteArray serializeClockCorrection(double correction)
{
    // The shortest text that reads back as the same number: a count a hair above
    // 90 must not be written as 90, which no longer gives a tick rate.
    return QLocale::c().toString(correction, 'f', QLocale::FloatingPointShortest).toLatin1() + QByteArrayLiteral("\r\n");
}

std::optional<int16_t> ticksPerSecondFor(double correction)
{
    const double perSecond = correction / 180;
    if (!std::isfinite(perSecond) || perSecond < 0.5 || perSecond >= 32767.5)
        return std::nullopt;
    const long ticks = roundHalfEven(perSecond);
    if (ticks < 1 || ticks > 32767)
        return std::nullopt;
    return int16_t(ticks);
}

std::optional<double> parseClockCorrection(const QByteArray &bytes)
{
    // One field, ended by a comma or the line end.
    QByteArray field = bytes;
    const qsizetype end = field.indexOf('\n');
    if (end >= 0)
        field.truncate(end);
    const qsizetype comma = field.indexOf(',');
    if (comma >= 0)
        field.truncate(comma);
    const std::optional<double> value = readDecimalField(QString::fromLatin1(field));
    if (!value || !ticksPerSecondFor(*value))
        return std::nullopt;
    return value;
}

QString clockCorrectionNotice(double correction)
{
    const std::optional<int16_t> ticks = ticksPerSecondFor(correction);
    if (!ticks || std::abs(correction - DefaultClockCorrection) <= 0.02 * DefaultClockCorrection)
        return {};
    // A counted second lasts ticks × 10 ms of real time.
    const double speed = 100.0 / *ticks;
    const long percent = std::lround(std::abs(speed - 1) * 100);
    const long tenMinutes = std::lround(600 / speed);
    const char *text =
        speed > 1 ? QT_TRANSLATE_NOOP("ClockFile", "%1 holds the clock correction %2, more than 2 % away from 18000: talks "
                                                   "will run %3 % fast, a 10-minute talk ending after %4 min %5 s. "
                                                   "\"時間補正\" in the settings window measures the clock again.")
                  : QT_TRANSLATE_NOOP("ClockFile", "%1 holds the clock correction %2, more than 2 % away from 18000: talks "
                                                   "will run %3 % slow, a 10-minute talk ending after %4 min %5 s. "
                                                   "\"時間補正\" in the settings window measures the clock again.");
    return QCoreApplication::translate("ClockFile", text)
        .arg(ClockFileName, QString::number(correction, 'g', 15), QString::number(percent),
             QString::number(tenMinutes / 60), QString::number(tenMinutes % 60));
}
