#include "display/digit_layout.h"

#include "display/readout_text.h"
#include "settings/number_text.h"

#include <algorithm>
#include <limits>

namespace {

// Metrics are 16-bit; a window that would overflow them is beyond any screen,
// so they saturate instead of wrapping.
int16_t to16(long value)
{
    return int16_t(std::clamp<long>(value, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

struct Band {
    double width;
    double left;
};

Band digitBand(double width, double height, int16_t total)
{
    const double target = sixCharacterReadout(total) ? 2.4 : 1.8;
    if (width / height > target)
        return {target * height, (width - target * height) / 2};
    return {width, 0};
}

} // namespace

int16_t digitFontSizeFor(double width, double height, int16_t total)
{
    const Band band = digitBand(width, height, total);
    return to16(roundHalfEven(band.width / (sixCharacterReadout(total) ? 5 : 4)));
}

DigitLayout layoutDigits(double width, double height, int16_t total,
                         const std::function<QSizeF(int16_t fontSize)> &measure)
{
    const Band band = digitBand(width, height, total);
    DigitLayout layout;
    layout.sixCells = sixCharacterReadout(total);
    layout.DigitFontSize = digitFontSizeFor(width, height, total);
    const QSizeF cell = measure(layout.DigitFontSize);
    layout.DigitTop = to16(roundHalfEven(cell.height() / 10));
    layout.DigitWidth = to16(roundHalfEven(cell.width()));
    // Four cells right of Digi(0)'s, or five: the row is centred on the band.
    const long rowWidth = long(layout.sixCells ? 4 : 5) * layout.DigitWidth;
    layout.DigitLeft = to16(roundHalfEven(band.left + (band.width - rowWidth) / 2));
    return layout;
}
