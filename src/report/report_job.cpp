#include "report/report_job.h"

#include "platform/translations.h"
#include "programme/talk_log.h"
#include "report/log_file.h"
#include "report/report_files.h"

#include "report/report_words.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

namespace report {

namespace {

void print(std::FILE *stream, const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stream);
}

// "session.pdf" for 2026-12-07 becomes "session-2026-12-07.pdf" when a
// report is written for each of several dates.
QString datedPath(const QString &path, const QDate &date)
{
    const QString suffix = QFileInfo(path).suffix();
    return path.left(path.size() - suffix.size() - 1) + QLatin1Char('-') + date.toString(Qt::ISODate)
           + QLatin1Char('.') + suffix;
}

} // namespace

ReportOptions::ReportOptions()
    : m_report(QStringLiteral("report"),
               Words::tr("Write the report of a session from the talk log to FILE (.html or .pdf) and exit."),
               QStringLiteral("FILE"))
    , m_log(QStringLiteral("log"), Words::tr("With --report: the talk log to read (default: %1).").arg(programme::TalkLogFileName),
            QStringLiteral("FILE"))
    , m_date(QStringLiteral("date"),
             Words::tr("With --report: the day of the session, YYYY-MM-DD (default: the latest); once per report."),
             QStringLiteral("DATE"))
    , m_from(QStringLiteral("from"), Words::tr("With --report: only the talks started at HH:MM or later."),
             QStringLiteral("HH:MM"))
    , m_to(QStringLiteral("to"), Words::tr("With --report: only the talks started at HH:MM or earlier."),
           QStringLiteral("HH:MM"))
{
}

void ReportOptions::addTo(QCommandLineParser &parser) const
{
    for (const QCommandLineOption *option : {&m_report, &m_log, &m_date, &m_from, &m_to})
        parser.addOption(*option);
}

std::variant<std::monostate, ReportRequest, QString> ReportOptions::read(const QCommandLineParser &parser) const
{
    if (!parser.isSet(m_report)) {
        for (const QCommandLineOption *option : {&m_log, &m_date, &m_from, &m_to}) {
            if (parser.isSet(*option))
                return Words::tr("--%1 goes with --report.").arg(option->names().constFirst());
        }
        return std::monostate{};
    }
    ReportRequest request;
    request.out = parser.value(m_report);
    if (!request.out.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)
        && !request.out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return Words::tr("--report needs a file name ending in .html or .pdf.");
    request.log = parser.isSet(m_log) ? parser.value(m_log) : programme::TalkLogFileName;
    for (const QString &value : parser.values(m_date)) {
        const QDate date = QDate::fromString(value, Qt::ISODate);
        if (!date.isValid())
            return Words::tr("--date needs a date as YYYY-MM-DD, not \"%1\".").arg(value);
        if (!request.dates.contains(date))
            request.dates << date;
    }
    for (auto [option, target] : {std::pair{&m_from, &request.from}, std::pair{&m_to, &request.to}}) {
        if (!parser.isSet(*option))
            continue;
        const QTime time = QTime::fromString(parser.value(*option), QStringLiteral("H:mm"));
        if (!time.isValid())
            return Words::tr("--%1 needs a time as HH:MM, not \"%2\".").arg(option->names().constFirst(), parser.value(*option));
        *target = time;
    }
    return request;
}

namespace {

// The rows that can make up the sessions of `days`: a session runs past
// midnight, so the days either side are read too.
LogRead rowsAround(const QByteArray &log, const QList<QDate> &days)
{
    QList<QDate> dates;
    for (const QDate &day : days)
        dates << day.addDays(-1) << day << day.addDays(1);
    LogRead read;
    for (const QByteArray &piece : linesOfDates(log, dates)) {
        LogRead part = readTalkLog(piece);
        // What is wrong with the whole file is said once.
        if (part.rows.isEmpty() && part.problems.size() == 1 && read.problems.contains(part.problems.constFirst()))
            continue;
        read.rows += std::move(part.rows);
        read.problems += std::move(part.problems);
    }
    return read;
}

// The latest day a session started on: the log's latest date, or the one
// before when its talks go on from there. A date that only a title writes
// holds no talk, and the next one down is tried; a few times, then the whole
// log is read.
std::optional<QDate> latestSessionDay(const QByteArray &log, LogRead &read)
{
    const QList<QDate> dates = datesWritten(log);
    for (const QDate &date : dates.mid(0, 8)) {
        read = rowsAround(log, {date});
        if (std::any_of(read.rows.begin(), read.rows.end(), [&](const LogRow &row) { return row.date == date; }))
            return latestDate(read.rows);
    }
    read = readTalkLog(log);
    return latestDate(read.rows);
}

} // namespace

LoadedReport loadReport(const QString &path, const std::optional<QDate> &date, const std::optional<QTime> &from,
                        const std::optional<QTime> &to)
{
    LoadedReport loaded;
    loaded.report.date = date.value_or(QDate());
    // Before the first talk ends there is simply nothing yet: no fault to report in the system's words.
    if (!QFile::exists(path)) {
        loaded.error = Words::tr("%1: there is no talk log yet. It is written when a talk is reset and when "
                                 "Orlatim ends.")
                           .arg(path);
        return loaded;
    }
    const LogFile log = readLogFile(path);
    if (!log.error.isEmpty()) {
        loaded.error = log.error;
        return loaded;
    }
    LogRead read;
    const std::optional<QDate> day = date ? date : latestSessionDay(log.bytes, read);
    if (!day) {
        loaded.error = read.problems.isEmpty() ? Words::tr("%1: the log holds no talk.").arg(path)
                                               : Words::tr("%1: no line of the log can be read (%2).")
                                                     .arg(path, read.problems.constFirst());
        return loaded;
    }
    // The latest day's rows may have been read around the date after it.
    read = rowsAround(log.bytes, {*day});
    loaded.report = sessionReport(read.rows, *day, from, to);
    loaded.report.problems = read.problems;
    loaded.report.logCut = log.cut;
    if (loaded.report.talks.isEmpty())
        loaded.error = Words::tr("%1: no talk of %2 in the log.").arg(path, day->toString(Qt::ISODate));
    return loaded;
}

QByteArray dayReportPage(const QString &logPath, const QDate &day)
{
    LoadedReport loaded = loadReport(logPath, day);
    // Past midnight, today's report is that of the session still going on
    // from the day before.
    if (loaded.report.talks.isEmpty()) {
        LoadedReport before = loadReport(logPath, day.addDays(-1));
        if (std::any_of(before.report.talks.begin(), before.report.talks.end(),
                        [&](const LogRow &talk) { return talk.date == day; }))
            loaded = std::move(before);
    }
    // A day without talks still gets its page, which says so.
    return reportHtml(loaded.report);
}

int runReportJob(const ReportRequest &request, int argc, char *argv[])
{
    // The drawing needs fonts but no screen: the job runs the same with no
    // display at all.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    platform::installTranslations(app);

    const QList<std::optional<QDate>> dates = request.dates.isEmpty()
                                                  ? QList<std::optional<QDate>>{std::nullopt}
                                                  : QList<std::optional<QDate>>(request.dates.begin(), request.dates.end());
    int status = 0;
    bool problemsShown = false;
    for (const std::optional<QDate> &date : dates) {
        const LoadedReport loaded = loadReport(request.log, date, request.from, request.to);
        if (!loaded.error.isEmpty()) {
            print(stderr, QStringLiteral("orlatim: ") + loaded.error);
            status = 1;
            continue;
        }
        if (!problemsShown) {
            // Every line left out, once: the report itself lists only the first.
            for (const QString &problem : loaded.report.problems)
                print(stderr, QStringLiteral("orlatim: %1: %2").arg(request.log, problem));
            problemsShown = true;
        }
        const QString out = dates.size() > 1 ? datedPath(request.out, loaded.report.date) : request.out;
        const QString error = writeReport(loaded.report, out);
        if (!error.isEmpty()) {
            print(stderr, QStringLiteral("orlatim: ") + error);
            status = 1;
            continue;
        }
        print(stdout, Words::counted("%1: the report of %2, %n talk.", "%1: the report of %2, %n talks.",
                                     loaded.report.talks.size())
                          .arg(out, loaded.report.date.toString(Qt::ISODate)));
    }
    return status;
}

} // namespace report
