#include "settings/clock_file.h"

#include "settings/number_text.h"

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
