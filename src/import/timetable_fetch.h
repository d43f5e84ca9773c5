#pragma once

#include "import/import_source.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>

class QNetworkReply;

namespace schedule_import {

// Fetches a published timetable from its https address: within a time limit
// and LargestImport, following redirects only to other https addresses, so
// that neither a slow or endless answer nor a downgrade to plain http gets
// through.
class TimetableFetch : public QObject
{
    Q_OBJECT
public:
    explicit TimetableFetch(QObject *parent = nullptr);

    // For a server with a certificate of its own, as a test's is: the
    // configuration to trust it by.
    void setSslConfiguration(const QSslConfiguration &configuration) { m_ssl = configuration; }
    void setTimeLimit(std::chrono::milliseconds limit) { m_limit.setInterval(limit); }

    // One fetch at a time: a new one ends the one before, unreported.
    void fetch(const QUrl &url);

signals:
    void fetched(const schedule_import::ImportSource &source);
    void failed(const QString &message);

private:
    void fail(const QString &why);
    void received();
    void ended();

    QNetworkAccessManager m_network;
    std::optional<QSslConfiguration> m_ssl;
    QPointer<QNetworkReply> m_reply;
    QTimer m_limit;
    QByteArray m_bytes;
    QString m_name;
};

} // namespace schedule_import
