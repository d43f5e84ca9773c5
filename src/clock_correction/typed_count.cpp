#include "clock_correction/typed_count.h"

#include "settings/number_text.h"

#include <cmath>
#include <limits>

std::optional<int16_t> readTypedCount(const QString &text)
{
    const std::optional<LeadingNumber> number = readLeadingNumber(text);
    const double value = number ? number->value : 0;
    // Range is judged on the rounded value, so 32767.4 is kept and 32767.5 is not;
    // judging first also keeps huge values away from the integer conversion.
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < 0 || rounded > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return int16_t(roundHalfEven(value));
}
