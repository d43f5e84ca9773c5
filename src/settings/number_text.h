#pragma once

#include <QString>

#include <cmath>
#include <limits>
#include <optional>

// Stores a fraction into a whole number: to the nearest, halves to even.
// Values beyond the range of long saturate, so that range checks on the
// result also refuse them.
inline long roundHalfEven(double value)
{
    const double rounded = std::nearbyint(value);
    if (rounded >= 0x1p62)
        return std::numeric_limits<long>::max();
    if (!(rounded > -0x1p62))
        return std::numeric_limits<long>::min();
    return long(rounded);
}

// "480", "-5": the time boxes and the readout use this form.
inline QString plainNumber(long value) { return QString::number(value); }

// " 480", "-5": captions joined from text and numbers use this form.
inline QString spacedNumber(long value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

// A number typed through an input method in the form the readers below
// take: full-width digits, signs and full stops become ASCII, an ideographic
// space a blank (compatibility normalisation), and the minus sign a hyphen.
QString typedNumberText(const QString &typed);

// Reads a whole field as a decimal number: blanks around it, an optional
// sign, digits, an optional fraction. Anything else gives no value.
std::optional<double> readDecimalField(const QString &text);

// Reads the number at the start of a text (sign, digits, fraction, exponent,
// blanks ignored) and stops at the first other character; returns the value
// and how many characters it took, or no value when none begins the text.
struct LeadingNumber {
    double value = 0;
    int length = 0;
};
std::optional<LeadingNumber> readLeadingNumber(const QString &text);
