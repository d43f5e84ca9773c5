#include "report/day_report_service.h"

#include "report/background.h"
#include "report/report_job.h"

#include <QFileInfo>
#include <QTimer>

namespace report {

DayReportService::DayReportService(QString logPath, QObject *parent) : QObject(parent), m_logPath(std::move(logPath))
{
}

DayReportService::Stamp DayReportService::stamp() const
{
    const QFileInfo info(m_logPath);
    return {info.exists() ? info.size() : -1, info.lastModified()};
}

void DayReportService::request(const QDate &day, Reply reply)
{
    if (m_kept && m_kept->day == day && m_kept->stamp == stamp()) {
        // Called later even so: the caller never sees its reply before the request returns.
        QTimer::singleShot(0, this, [reply = std::move(reply), page = m_kept->page] { reply(page); });
        return;
    }
    m_waiting.append({day, std::move(reply)});
    buildNext();
}

void DayReportService::buildNext()
{
    if (m_building || m_waiting.isEmpty())
        return;
    m_building = true;
    ++m_builds;
    const QDate day = m_waiting.constFirst().first;
    // Taken before the log is read: a line written meanwhile makes the next request build again.
    const Stamp before = stamp();
    runInBackground<QByteArray>(
        this, [path = m_logPath, day] { return dayReportPage(path, day); },
        [this, day, before](const QByteArray &page) { built(day, before, page); });
}

void DayReportService::built(const QDate &day, const Stamp &stamp, const QByteArray &page)
{
    m_building = false;
    m_kept = Kept{day, stamp, page};
    QList<Reply> replies;
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (it->first == day) {
            replies << std::move(it->second);
            it = m_waiting.erase(it);
        } else {
            ++it;
        }
    }
    for (const Reply &reply : std::as_const(replies))
        reply(page);
    buildNext();
}

} // namespace report
