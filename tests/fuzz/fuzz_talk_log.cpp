// Any bytes as "Orlatim-log.csv": the report of each day read is whole, its
// figures agree with its talks, and its web page can be made.

#include "report/log_reader.h"
#include "report/report_files.h"
#include "report/report_geometry.h"
#include "report/session_report.h"

#include <QSet>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const report::LogRead read = report::readTalkLog(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    // A session past midnight is whole on the day it started: the days of sessions.
    const QList<QDate> sessionDays = report::sessionDays(read.rows);
    const QSet<QDate> days(sessionDays.begin(), sessionDays.end());
    for (const QDate &day : std::as_const(days)) {
        const report::SessionReport session = report::sessionReport(read.rows, day);
        if (session.talks.isEmpty() || session.drift.size() != session.talks.size() + 1
            || session.talksOver > session.talks.size() || session.longestOvertime > session.totalOvertime
            || session.totalOvertime < 0 || session.totalPaused < 0)
            std::abort();
        const report::DriftPlot plot = report::driftPlot(session, QRectF(0, 0, 1000, 500));
        for (const QPointF &point : plot.points) {
            if (!(point.y() >= -0.01 && point.y() <= 500.01))
                std::abort();
        }
        if (report::reportHtml(session).isEmpty())
            std::abort();
    }
    return 0;
}
