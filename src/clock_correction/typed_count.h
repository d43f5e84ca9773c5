#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The count a user typed into the clock-correction box, full-width forms
// read as their ASCII ones: the leading number, rounded to the nearest whole
// count with halves to even. A text without a leading number counts as 0. A
// count the measurement could never reach (below 0 or above 32767) gives no
// value.
std::optional<int16_t> readTypedCount(const QString &text);
