#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace report {

// The report of a day as a web page for the remote view, built off the
// user-interface thread so that the counted seconds never wait for it: one
// build at a time, shared by every request that arrives meanwhile, and kept
// until the log changes.
class DayReportService : public QObject
{
    Q_OBJECT
public:
    using Reply = std::function<void(QByteArray page)>;

    explicit DayReportService(QString logPath, QObject *parent = nullptr);

    // `reply` is called later, on this object's thread, with the page.
    void request(const QDate &day, Reply reply);

    // How many pages have been built: a benchmark and the tests count them.
    int builds() const { return m_builds; }

private:
    // What the log was when a page was built: its size and when it changed.
    using Stamp = std::pair<qint64, QDateTime>;
    Stamp stamp() const;
    void buildNext();
    void built(const QDate &day, const Stamp &stamp, const QByteArray &page);

    QString m_logPath;
    struct Kept {
        QDate day;
        Stamp stamp;
        QByteArray page;
    };
    std::optional<Kept> m_kept;
    QList<std::pair<QDate, Reply>> m_waiting;
    bool m_building = false;
    int m_builds = 0;
};

} // namespace report
