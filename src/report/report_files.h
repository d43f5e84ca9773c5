#pragma once

#include "report/session_report.h"

#include <QByteArray>
#include <QString>

namespace report {

// One self-contained page: inline SVG and CSS, no script, nothing fetched;
// it prints on A4, about twenty talks a page.
QByteArray reportHtml(const SessionReport &report);

// A4 landscape through Qt's PDF writer, its fonts embedded, its text
// searchable. Returns why it could not be written, or an empty text.
QString writeReportPdf(const SessionReport &report, const QString &path);

// HTML or PDF as the file's name ends; an empty text when written.
QString writeReport(const SessionReport &report, const QString &path);

} // namespace report
