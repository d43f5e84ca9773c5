#include "display/readout_text.h"

namespace {

// The value the readout shows, before it is cut into minutes and seconds.
int32_t shownSeconds(int32_t t, const TimerSettingsRecord &s, int16_t total)
{
    const int32_t p = s.PresentationTime;
    // The presentation range includes t = P itself, while the colour already
    // switches there, so a count-down reads 00:00 at bell 2.
    if (t <= p) {
        if (s.CountDown != 1)
            return t;
        return s.CumulativeDisplay == 1 ? total - t : p - t;
    }
    if (t < total) {
        if (s.CountDown == 1)
            return total - t;
        return s.CumulativeDisplay == 1 ? t : t - p;
    }
    return t - total;
}

// The decimal digits without sign, padded with zeros and cut to the last
// width characters.
QString lastDigits(int32_t value, int width)
{
    const QString digits = QStringLiteral("00") + QString::number(std::abs(value));
    return digits.right(width);
}

} // namespace

QString StrTime(int32_t t, const TimerSettingsRecord &settings, int16_t total)
{
    const int32_t x = shownSeconds(t, settings, total);
    const int minuteWidth = sixCharacterReadout(total) ? 3 : 2;
    return lastDigits(x / 60, minuteWidth) + QLatin1Char(':') + lastDigits(x % 60, 2);
}
