// The remote view in a real browser: Debian's chromium, headless, started so
// that it can reach nothing but 127.0.0.1 and driven over its DevTools
// protocol on 127.0.0.1.

#include "remote/remote_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

namespace {

// Every wait is bounded; a browser starting on a busy machine gets long.
constexpr int StartTimeoutMs = 60000;
constexpr int PageTimeoutMs = 10000;

class Browser
{
public:
    explicit Browser(const QString &program) : m_program(program) {}

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
                                QStringLiteral("--remote-debugging-port=0"), QStringLiteral("--window-size=800,450")};
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
    QTemporaryDir m_profile;
    QProcess m_process;
    QWebSocket m_devTools;
    QList<QJsonObject> m_replies;
    int m_lastId = 0;
};

// The main window's readout as the page's computed style writes it.
QString readoutAsCss(const RemoteFixture &r)
{
    const QColor c = r.f.form->display().digit(1).palette().color(QPalette::WindowText);
    return QStringLiteral("%1 rgb(%2, %3, %4)").arg(r.readout()).arg(c.red()).arg(c.green()).arg(c.blue());
}

// Sends a command to the control API as a tool would; the status, or 0.
int post(const RemoteFixture &r, const QByteArray &command, const QByteArray &body)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, r.port);
    if (!socket.waitForConnected(5000))
        return 0;
    socket.write("POST /" + r.control + "/api/" + command + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                 QByteArray::number(r.port) + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
                 body);
    QByteArray answer;
    for (int i = 0; i < 500 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        QTest::qWait(10);
        answer += socket.readAll();
    }
    answer += socket.readAll();
    return answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0;
}

const QString PageReadout = QStringLiteral(
    "(() => { const r = document.getElementById('readout'); return r.textContent + ' ' + getComputedStyle(r).color; })()");

} // namespace

class TestRemoteBrowser : public QObject
{
    Q_OBJECT
private slots:
    void pageShowsWhatTheMainWindowShows();
    void controlLinkStartsTheTalk();
    void pageStaysAwakeWithoutWakeLock();
    void replacedLinkStopsRetrying();
    void messageShowsAsTextOverTheReadout();

private:
    static QString chromium();
};

QString TestRemoteBrowser::chromium()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (program.isEmpty())
        QTest::qSkip("chromium is not installed (scripts/install-deps.sh installs it)", __FILE__, __LINE__);
    return program;
}

void TestRemoteBrowser::pageShowsWhatTheMainWindowShows()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    // A short presentation, so the talk reaches the discussion at once.
    TimerSettings.PresentationTime = 2;
    TimerSettings.DiscussionTime = 118;
    updateTotalTime();
    r.f.form->DrawTime();
    Browser browser(program);
    QVERIFY(browser.open(r.local(r.view)));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(PageReadout).toString(), readoutAsCss(r), PageTimeoutMs);
    QCOMPARE(readoutAsCss(r), QStringLiteral("02:00 rgb(0, 255, 0)"));

    r.f.form->Command1_Click();
    r.f.runSeconds(2);
    QCOMPARE(readoutAsCss(r), QStringLiteral("01:58 rgb(255, 255, 0)"));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(PageReadout).toString(), readoutAsCss(r), PageTimeoutMs);
    QCOMPARE(browser.evaluate(QStringLiteral("document.getElementById('message').textContent")),
             QStringLiteral("討論時間"));
    QCOMPARE(browser.evaluate(QStringLiteral("document.querySelectorAll('button:not(#palette)').length")), 0);
}

void TestRemoteBrowser::controlLinkStartsTheTalk()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    r.remote().setControlAllowed(true);
    Browser browser(program);
    QVERIFY(browser.open(r.local(r.control)));
    const QString start = QStringLiteral("document.getElementById('start')");
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(start + QStringLiteral(".disabled")), false, PageTimeoutMs);
    // In Orlatim's language, not the browser's.

    QCOMPARE(browser.evaluate(QStringLiteral("document.getElementById('report').textContent")),
             QStringLiteral("本日のレポート"));
    browser.evaluate(start + QStringLiteral(".click()"));
    QTRY_COMPARE_WITH_TIMEOUT(r.f.form->command(1).text(), QStringLiteral("pause"), PageTimeoutMs);
    QCOMPARE(RunState, int16_t(1));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(start + QStringLiteral(".textContent")), QStringLiteral("pause"),
                              PageTimeoutMs);
}

void TestRemoteBrowser::pageStaysAwakeWithoutWakeLock()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    Browser browser(program);
    QVERIFY(browser.open(QStringLiteral("about:blank")));
    // As over plain http on a phone that plays a video only on a tap:
    // 127.0.0.1 is trusted with a wake lock, a phone's page is not.
    browser.beforeEachPage(QStringLiteral(
        "delete Navigator.prototype.wakeLock;"
        "const play = HTMLMediaElement.prototype.play;"
        "HTMLMediaElement.prototype.play = function () {"
        "  return navigator.userActivation.isActive ? play.call(this)"
        "                                          : Promise.reject(new DOMException('', 'NotAllowedError')); };"));
    browser.navigate(r.local(r.view));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(QStringLiteral("document.getElementById('readout').textContent")),
                              QStringLiteral("10:00"), PageTimeoutMs);
    const QString video = QStringLiteral("document.getElementById('awake')");
    QCOMPARE(browser.evaluate(video + QStringLiteral(".paused")), true);
    browser.tap(400, 225);
    const QString playing = QStringLiteral(
        "(() => { const v = document.getElementById('awake'); return !!v && !v.paused && v.currentTime > 0; })()");
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(playing), true, PageTimeoutMs);
    QCOMPARE(browser.evaluate(QStringLiteral("document.getElementById('awakeNote') === null")), true);
}

void TestRemoteBrowser::replacedLinkStopsRetrying()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    Browser browser(program);
    QVERIFY(browser.open(r.local(r.view)));
    const QString status = QStringLiteral("document.getElementById('status').textContent");
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(QStringLiteral("document.getElementById('status').hidden")), true,
                              PageTimeoutMs);
    // The page is away when new links are made, then finds the server
    // again with its old link.
    r.remote().turnOff();
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(status), QStringLiteral("リモート表示は停止されました"), PageTimeoutMs);
    r.remote().renewLinks();
    QVERIFY(r.remote().turnOn(r.port, QHostAddress::LocalHost).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(status),
                              QStringLiteral("このリンクは無効になりました。新しいリンクを受け取ってください"),
                              PageTimeoutMs);
}

void TestRemoteBrowser::messageShowsAsTextOverTheReadout()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    r.remote().setControlAllowed(true);
    Browser browser(program);
    QVERIFY(browser.open(r.local(r.view)));
    const QString band = QStringLiteral(
        "(() => { const b = document.getElementById('speakerMessage'); "
        "return (b.hidden ? 'hidden ' : '') + b.childElementCount + ' ' + b.textContent; })()");
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(band).toString(), QStringLiteral("hidden 0 "), PageTimeoutMs);

    // Markup in a message is shown as the characters it is made of.
    const QByteArray text = "Please wrap up <b>now</b> \xE3\x81\x82";
    QCOMPARE(post(r, "message", text), 200);
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(band).toString(), QStringLiteral("0 ") + QString::fromUtf8(text),
                              PageTimeoutMs);
    QCOMPARE(post(r, "message", {}), 200);
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(band).toString(), QStringLiteral("hidden 0 "), PageTimeoutMs);
}

QTEST_MAIN(TestRemoteBrowser)
#include "test_remote_browser.moc"
