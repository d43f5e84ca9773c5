#pragma once

#include <QCoreApplication>

namespace report {

// The report's own words, in the user's language.
class Words
{
    Q_DECLARE_TR_FUNCTIONS(report::Words)
};

} // namespace report
