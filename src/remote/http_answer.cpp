#include "remote/http_answer.h"

#include <QStringBuilder>

namespace remote {

namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 100:
        return QByteArrayLiteral("Continue");
    case 200:
        return QByteArrayLiteral("OK");
    case 206:
        return QByteArrayLiteral("Partial Content");
    case 400:
        return QByteArrayLiteral("Bad Request");
    case 403:
        return QByteArrayLiteral("Forbidden");
    case 409:
        return QByteArrayLiteral("Conflict");
    case 411:
        return QByteArrayLiteral("Length Required");
    case 413:
        return QByteArrayLiteral("Content Too Large");
    case 429:
        return QByteArrayLiteral("Too Many Requests");
    case 500:
        return QByteArrayLiteral("Internal Server Error");
    case 503:
        return QByteArrayLiteral("Service Unavailable");
    default:
        return QByteArrayLiteral("Not Found");
    }
}

} // namespace

QByteArray httpAnswer(int status, const QByteArray &contentType, const QByteArray &body,
                      const QByteArray &extraHeaders, bool withBody)
{
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    if (!contentType.isEmpty())
        answer += "Content-Type: " + contentType + "\r\n";
    answer += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    answer += "Cache-Control: no-store\r\n"
              "X-Content-Type-Options: nosniff\r\n"
              "Referrer-Policy: no-referrer\r\n"
              "Connection: close\r\n";
    answer += extraHeaders;
    answer += "\r\n";
    if (withBody)
        answer += body;
    return answer;
}

QByteArray pagePolicy(const QByteArray &host)
{
    return "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; "
           "img-src data:; media-src 'self'; connect-src 'self' ws://"
           + host + "; base-uri 'none'; form-action 'none'; frame-ancestors 'none'\r\n";
}

} // namespace remote
