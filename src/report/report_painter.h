#pragma once

#include "report/session_report.h"

#include <QSizeF>

class QPainter;

namespace report {

// A page of the printed report is A4 landscape, drawn in tenths of a
// millimetre; the PDF and the window scale the painter to it.
inline constexpr QSizeF PageSize{2970, 2100};

int pageCount(const SessionReport &report);
// Draws one page, counted from 0, onto a painter whose page is PageSize.
void paintPage(QPainter &painter, const SessionReport &report, int page);

} // namespace report
