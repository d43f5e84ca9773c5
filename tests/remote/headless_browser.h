#pragma once

// Debian's chromium, headless, started so that it can reach nothing but
// 127.0.0.1 and driven over its DevTools protocol on 127.0.0.1.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

// Every wait is bounded; a browser starting on a busy machine gets long.
inline constexpr int StartTimeoutMs = 60000;
inline constexpr int PageTimeoutMs = 10000;

class Browser
{
public:
    explicit Browser(const QString &program, const QString &windowSize = QStringLiteral("800,450"))
        : m_program(program), m_windowSize(windowSize)
    {
    }

    ~Browser()
    {
        m_devTools.close();
        // Asked to end, the browser takes its helper processes with it.
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    Browser(const Browser &) = delete;
    Browser &operator=(const Browser &) = delete;

    bool open(const QString &url)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_profile.path());
        m_process.setProcessEnvironment(env);
        const QStringList flags{QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                                QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                                QStringLiteral("--disable-background-networking"),
                                QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                                QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"),
                                QStringLiteral("--user-data-dir=") + m_profile.path(),
                                QStringLiteral("--remote-debugging-port=0"), QStringLiteral("--window-size=") + m_windowSize};
        m_process.start(m_program, flags + QStringList{url});
        // The browser writes its DevTools port into its profile folder.
        quint16 port = 0;
        for (int waited = 0; waited < StartTimeoutMs && port == 0; waited += 50) {
            QTest::qWait(50);
            QFile file(m_profile.filePath(QStringLiteral("DevToolsActivePort")));
            const QByteArray lines = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            if (lines.contains('\n'))
                port = quint16(lines.first(lines.indexOf('\n')).toUInt());
        }
        const QString socketUrl = port == 0 ? QString() : pageSocket(port);
        if (socketUrl.isEmpty())
            return false;
        m_devTools.open(QUrl(socketUrl));
        for (int waited = 0; waited < StartTimeoutMs && m_devTools.state() != QAbstractSocket::ConnectedState;
             waited += 50)
            QTest::qWait(50);
        QObject::connect(&m_devTools, &QWebSocket::textMessageReceived, &m_devTools,
                         [this](const QString &m) { m_replies << QJsonDocument::fromJson(m.toUtf8()).object(); });
        return m_devTools.state() == QAbstractSocket::ConnectedState;
    }

    // The value of a JavaScript expression in the page, or undefined.
    QJsonValue evaluate(const QString &expression)
    {
        const QJsonObject reply = call(QStringLiteral("Runtime.evaluate"),
                                       {{QStringLiteral("expression"), expression},
                                        {QStringLiteral("returnByValue"), true}});
        return reply[QStringLiteral("result")][QStringLiteral("result")][QStringLiteral("value")];
    }

    void navigate(const QString &url) { call(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), url}}); }

    // Runs a script in every page loaded from now on, before the page's own.
    void beforeEachPage(const QString &script)
    {
        call(QStringLiteral("Page.enable"), {});
        call(QStringLiteral("Page.addScriptToEvaluateOnNewDocument"), {{QStringLiteral("source"), script}});
    }

    // A tap as the reader's own, which lets a page start a video.
    void tap(int x, int y)
    {
        for (const char *type : {"mousePressed", "mouseReleased"})
            call(QStringLiteral("Input.dispatchMouseEvent"),
                 {{QStringLiteral("type"), QLatin1String(type)}, {QStringLiteral("x"), x}, {QStringLiteral("y"), y},
                  {QStringLiteral("button"), QStringLiteral("left")}, {QStringLiteral("clickCount"), 1}});
    }

private:
    // The DevTools WebSocket of the browser's one page.
    static QString pageSocket(quint16 port)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            QTcpSocket http;
            http.connectToHost(QHostAddress::LocalHost, port);
            if (http.waitForConnected(5000)) {
                // The page's DevTools address is made from this Host.
                http.write("GET /json/list HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n\r\n");
                QByteArray answer;
                for (int i = 0; i < 200 && !answer.trimmed().endsWith(']'); ++i) {
                    http.waitForReadyRead(50);
                    answer += http.readAll();
                }
                const QJsonArray targets = QJsonDocument::fromJson(answer.mid(answer.indexOf('['))).array();
                for (const QJsonValue &target : targets) {
                    if (target[QStringLiteral("type")] == QLatin1String("page"))
                        return target[QStringLiteral("webSocketDebuggerUrl")].toString();
                }
            }
            QTest::qWait(100);
        }
        return {};
    }

    QJsonObject call(const QString &method, const QJsonObject &params)
    {
        const int id = ++m_lastId;
        m_devTools.sendTextMessage(QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("method"), method},
                                      {QStringLiteral("params"), params}})
                .toJson(QJsonDocument::Compact)));
        for (int waited = 0; waited < PageTimeoutMs; waited += 10) {
            for (const QJsonObject &reply : std::as_const(m_replies)) {
                if (reply[QStringLiteral("id")].toInt() == id)
                    return reply;
            }
            QTest::qWait(10);
        }
        return {};
    }

    QString m_program;
    QString m_windowSize;
    QTemporaryDir m_profile;
    QProcess m_process;
    QWebSocket m_devTools;
    QList<QJsonObject> m_replies;
    int m_lastId = 0;
};

