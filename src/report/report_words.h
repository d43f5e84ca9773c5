#pragma once

#include <QCoreApplication>

namespace report {

// The report's own words, in the user's language.
class Words
{
    Q_DECLARE_TR_FUNCTIONS(report::Words)
public:
    // English has no translation file to pick its plural, so the count picks
    // the text; "%n" in both.
    static QString counted(const char *one, const char *many, qint64 n)
    {
        return (n == 1 ? tr(one) : tr(many, nullptr, int(n))).replace(QLatin1String("%n"), QString::number(n));
    }
};

} // namespace report
