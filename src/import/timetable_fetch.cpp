#include "import/timetable_fetch.h"

#include "import/entry_checks.h"

#include <QCoreApplication>
#include <QLocale>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace schedule_import {

namespace {

constexpr int MostRedirects = 5;
const QString Https = QStringLiteral("https");

} // namespace

TimetableFetch::TimetableFetch(QObject *parent) : QObject(parent)
{
    m_limit.setSingleShot(true);
    m_limit.setInterval(std::chrono::seconds(15));
    connect(&m_limit, &QTimer::timeout, this, [this] {
        // Whatever limit was set, the message names it.
        const QString seconds = QLocale().toString(m_limit.interval() / 1000.0);
        fail(ScheduleImport::tr("no complete answer within %1 seconds").arg(seconds));
    });
}

void TimetableFetch::fetch(const QUrl &url)
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    m_limit.stop();
    m_bytes.clear();
    m_name = url.toDisplayString(QUrl::RemoveUserInfo);
    if (!url.isValid() || url.scheme() != Https || url.host().isEmpty()) {
        emit failed(ScheduleImport::tr("%1: only an https address (https://…) can be fetched").arg(m_name));
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(MostRedirects);
    if (m_ssl)
        request.setSslConfiguration(*m_ssl);
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::redirected, this, [this](const QUrl &to) {
        if (to.scheme() == Https)
            emit m_reply->redirectAllowed();
        else
            fail(ScheduleImport::tr("the server sends on to %1, which is not https")
                     .arg(to.toDisplayString(QUrl::RemoveUserInfo)));
    });
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > LargestImport)
            fail(ScheduleImport::tr("the file is larger than 5 MiB"));
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &TimetableFetch::received);
    connect(m_reply, &QNetworkReply::finished, this, &TimetableFetch::ended);
    m_limit.start();
}

void TimetableFetch::fail(const QString &why)
{
    m_limit.stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    m_bytes.clear();
    emit failed(QStringLiteral("%1: %2").arg(m_name, why));
}

void TimetableFetch::received()
{
    m_bytes += m_reply->read(LargestImport + 1 - m_bytes.size());
    if (m_bytes.size() > LargestImport)
        fail(ScheduleImport::tr("the file is larger than 5 MiB"));
}

void TimetableFetch::ended()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        fail(ScheduleImport::tr("the server answers %1 %2")
                 .arg(status)
                 .arg(m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        return;
    }
    if (m_reply->error() != QNetworkReply::NoError) {
        fail(m_reply->errorString());
        return;
    }
    received();
    if (!m_reply) // too large
        return;
    m_limit.stop();
    const QString type = m_reply->header(QNetworkRequest::ContentTypeHeader).toString();
    const bool spreadsheet = isSpreadsheetName(m_reply->url().path()) || type.startsWith(QLatin1String("text/csv"));
    m_reply->deleteLater();
    const QByteArray bytes = std::exchange(m_bytes, {});
    emit fetched(importSource(bytes, m_name, spreadsheet));
}

} // namespace schedule_import
