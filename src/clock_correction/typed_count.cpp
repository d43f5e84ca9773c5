#include "clock_correction/typed_count.h"

#include "settings/number_text.h"

#include <limits>

std::optional<int16_t> readTypedCount(const QString &text)
{
    const std::optional<LeadingNumber> number = readLeadingNumber(typedNumberText(text));
    const long count = roundHalfEven(number ? number->value : 0);
    if (count < 0 || count > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return int16_t(count);
}
