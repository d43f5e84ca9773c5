#pragma once

#include "report/session_report.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>
#include <variant>

class QCommandLineParser;

namespace report {

// What `--report` asks for.
struct ReportRequest {
    QString out;  // ends in .html or .pdf
    QString log;  // the talk log to read
    QList<QDate> dates; // none: the latest date of the log
    std::optional<QTime> from;
    std::optional<QTime> to;
};

// The report's options on the program's command line.
class ReportOptions
{
public:
    ReportOptions();
    void addTo(QCommandLineParser &parser) const;
    // No request, the request, or what is wrong with the options.
    std::variant<std::monostate, ReportRequest, QString> read(const QCommandLineParser &parser) const;

private:
    QCommandLineOption m_report;
    QCommandLineOption m_log;
    QCommandLineOption m_date;
    QCommandLineOption m_from;
    QCommandLineOption m_to;
};

// The report of the talk log at `path` for one date (the latest without
// one), or why there is none.
struct LoadedReport {
    SessionReport report;
    QString error;
};
LoadedReport loadReport(const QString &path, const std::optional<QDate> &date, const std::optional<QTime> &from = {},
                        const std::optional<QTime> &to = {});

// The report of one day as a web page, for the remote view.
QByteArray dayReportPage(const QString &logPath, const QDate &day);

// Writes the reports asked for without a window or a sound device, on a
// display-less platform of its own, and returns the exit status: 0 when
// written, 1 when the log cannot be read, holds no talk of a date asked for
// or a file cannot be written.
int runReportJob(const ReportRequest &request, int argc, char *argv[]);

} // namespace report
