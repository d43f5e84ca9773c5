#include "settings/number_text.h"

#include <QLocale>

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

} // namespace

QString typedNumberText(const QString &typed)
{
    QString text = typed.normalized(QString::NormalizationForm_KC);
    text.replace(QChar(0x2212), QLatin1Char('-'));
    return text;
}

std::optional<LeadingNumber> readLeadingNumber(const QString &text)
{
    // Blanks count for nothing, anywhere in the number ("1 2.5" is 12.5).
    QString digits;
    int i = 0;
    const int n = int(text.size());
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };
    auto takeDigits = [&] {
        int taken = 0;
        for (skipBlanks(); i < n && text[i].isDigit() && text[i].unicode() < 128; skipBlanks()) {
            digits += text[i++];
            ++taken;
        }
        return taken;
    };

    skipBlanks();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        digits += text[i++];
    int mantissa = takeDigits();
    int end = i;
    if (i < n && text[i] == QLatin1Char('.')) {
        const int save = i;
        const auto before = digits.size();
        digits += text[i++];
        const int fraction = takeDigits();
        if (fraction == 0 && mantissa == 0) {
            i = save;
            digits.truncate(before);
        }
        mantissa += fraction;
    }
    if (mantissa == 0)
        return std::nullopt;
    end = i;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        const auto before = digits.size();
        digits += QLatin1Char('e');
        ++i;
        skipBlanks();
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            digits += text[i++];
        if (takeDigits() > 0)
            end = i;
        else
            digits.truncate(before);
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(digits, &ok);
    if (!ok)
        return std::nullopt;
    return LeadingNumber{value, end};
}

std::optional<double> readDecimalField(const QString &text)
{
    const QString field = text.trimmed();
    int i = 0;
    const int n = int(field.size());
    if (i < n && (field[i] == QLatin1Char('+') || field[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    for (; i < n && field[i].isDigit() && field[i].unicode() < 128; ++i)
        ++digits;
    if (i < n && field[i] == QLatin1Char('.'))
        for (++i; i < n && field[i].isDigit() && field[i].unicode() < 128; ++i)
            ++digits;
    if (digits == 0 || i != n)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(field, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}
