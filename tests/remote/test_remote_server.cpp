#include "remote/remote_fixture.h"

#include "remote/command_rate.h"
#include "remote/own_host.h"
#include "remote/remote_file.h"
#include "settings/config_file.h"
#include "settings/settings_store.h"

#include <QApplication>
#include <QJsonDocument>
#include <QLabel>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTime>
#include <QWebSocket>

#include <sys/socket.h>

namespace {

QString captions(Form1 &form)
{
    return form.command(1).text() + QLatin1Char('/') + form.command(4).text() +
           (form.command(4).isHidden() ? QStringLiteral(" hidden") : QString());
}

// Sends raw bytes to the server and gives the status of its answer, or 0
// when it closed the connection without one. What follows "{continue}" in
// the request is sent only once the server has answered "100 Continue",
// which is not counted as the answer.
int statusFor(quint16 port, const QByteArray &request, QByteArray *body = nullptr)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return -1;
    const QByteArray goOn = "HTTP/1.1 100 Continue\r\n\r\n";
    const qsizetype split = request.indexOf("{continue}");
    socket.write(request.first(split < 0 ? request.size() : split));
    QByteArray answer;
    for (int i = 0; i < 1000 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        QTest::qWait(5);
        answer += socket.readAll();
        if (split >= 0 && answer.startsWith(goOn)) {
            socket.write(request.sliced(split + 10));
            answer.remove(0, goOn.size());
        }
        // A WebSocket stays open after its answer.
        if (answer.startsWith("HTTP/1.1 101") && answer.contains("\r\n\r\n"))
            break;
    }
    answer += socket.readAll();
    if (body)
        *body = answer.mid(answer.indexOf("\r\n\r\n") + 4);
    return answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0;
}

// Connects from a local address (any 127.0.0.x), sends the request and
// gives the status of the answer, leaving the connection open; -1 when no
// request was sent, 0 when the server closed it without an answer.
int openFrom(QTcpSocket &socket, const QHostAddress &address, quint16 port, const QByteArray &request = {})
{
    if (!socket.bind(address) || (socket.connectToHost(QHostAddress::LocalHost, port), !socket.waitForConnected(5000)))
        return -2;
    // The server, on this thread, takes the connection.
    QTest::qWait(1);
    if (request.isEmpty())
        return -1;
    socket.write(request);
    QByteArray answer;
    for (int i = 0; i < 1000 && !answer.contains("\r\n\r\n") && socket.state() == QAbstractSocket::ConnectedState;
         ++i) {
        QTest::qWait(5);
        answer += socket.readAll();
    }
    answer += socket.readAll();
    return answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0;
}

QJsonObject stateOf(const RemoteFixture &r)
{
    QByteArray body;
    if (statusFor(r.port, "GET /" + r.view + "/state HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", &body) != 200)
        return {};
    return QJsonDocument::fromJson(body).object();
}

// Waits until the server has read everything sent before: it answers the
// ping only after the messages in front of it.
bool settled(QWebSocket &socket)
{
    QSignalSpy pong(&socket, &QWebSocket::pong);
    socket.ping();
    return pong.wait(5000);
}

} // namespace

class TestRemoteServer : public QObject
{
    Q_OBJECT
private slots:
    void requestsGetTheirStatus_data();
    void requestsGetTheirStatus();
    void limitsHoldForEveryClient();
    void largeAnswersAreSentWhole_data();
    void largeAnswersAreSentWhole();
    void controlLinkPressesTheButtons_data();
    void controlLinkPressesTheButtons();
    void newLinksDropTheOpenPages();
    void blinkReachesThePage();
    void commandsAreLimitedPerSecond();
    void commandOfAClientThatLeftActs();
    void remoteFileKeepsTheLinks_data();
    void remoteFileKeepsTheLinks();
    void commandLinePortIsForThisRun_data();
    void commandLinePortIsForThisRun();
    void pingsReachPagesThatComeAndGo();
    void controlLinkIsDrawnOnlyAfterShow();
    void windowOpensWholeOnALaptopScreen();
    void defaultRouteNamesTheInterface_data();
    void defaultRouteNamesTheInterface();
};

void TestRemoteServer::requestsGetTheirStatus_data()
{
    // {view}, {control}, {chair} and {host} are filled in for the running
    // server, whose talk has run 3 seconds when the request comes. After it
    // the talk runs a second more; commands may have changed that.
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("controlAllowed");
    QTest::addColumn<QString>("captionsAfter");
    QTest::addColumn<int>("elapsedAfter");
    const auto row = [](const char *name, const QByteArray &request, int status, bool controlAllowed = false,
                        const QString &captionsAfter = QStringLiteral("pause/reset hidden"), int elapsedAfter = 4) {
        QTest::newRow(name) << request << status << controlAllowed << captionsAfter << elapsedAfter;
    };
    const QByteArray host = "Host: {host}\r\n";
    const QByteArray upgrade = "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n";
    row("view page", "GET /{view} HTTP/1.1\r\n" + host + "\r\n", 200);
    row("control page", "GET /{control} HTTP/1.1\r\n" + host + "\r\n", 200);
    row("state", "GET /{view}/state?x=1 HTTP/1.1\r\n" + host + "\r\n", 200);
    row("control link's report", "GET /{control}/report HTTP/1.1\r\n" + host + "\r\n", 200);
    row("chair link's report", "GET /{chair}/report HTTP/1.1\r\n" + host + "\r\n", 200);
    row("no report for the view link", "GET /{view}/report HTTP/1.1\r\n" + host + "\r\n", 404);
    row("no board's rooms for a room's link", "GET /{chair}/api/rooms HTTP/1.1\r\n" + host + "\r\n", 404);
    row("websocket", "GET /{view}/ws HTTP/1.1\r\n" + host + upgrade + "Origin: http://{host}\r\n\r\n", 101);
    row("no token", "GET / HTTP/1.1\r\n" + host + "\r\n", 403);
    row("favicon", "GET /favicon.ico HTTP/1.1\r\n" + host + "\r\n", 403);
    row("wrong token", "GET /AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA HTTP/1.1\r\n" + host + "\r\n", 403);
    row("token cut short", "GET /{view}/../x HTTP/1.1\r\n" + host + "\r\n", 404);
    row("token and more", "GET /{view}x HTTP/1.1\r\n" + host + "\r\n", 403);
    row("wrong token, right path", "GET /x/state HTTP/1.1\r\n" + host + "\r\n", 403);
    row("absolute form", "GET http://{host}/{view} HTTP/1.1\r\n" + host + "\r\n", 403);
    row("file from disk", "GET /{view}/../../etc/passwd HTTP/1.1\r\n" + host + "\r\n", 404);
    row("link with a trailing slash", "GET /{view}/ HTTP/1.1\r\n" + host + "\r\n", 200);
    row("post", "POST /{view}/state HTTP/1.1\r\n" + host + "Content-Length: 0\r\n\r\n", 404);
    row("foreign host", QByteArray("GET /{view} HTTP/1.1\r\nHost: evil.example:8421\r\n\r\n"), 403);
    row("foreign address", QByteArray("GET /{view} HTTP/1.1\r\nHost: 203.0.113.9\r\n\r\n"), 403);
    row("text after an address", QByteArray("GET /{view} HTTP/1.1\r\nHost: [::1]x\r\n\r\n"), 403);
    row("no host", QByteArray("GET /{view} HTTP/1.0\r\n\r\n"), 403);
    row("websocket from another site", "GET /{view}/ws HTTP/1.1\r\n" + host + upgrade + "Origin: http://evil.example\r\n\r\n", 403);
    row("websocket without origin", "GET /{view}/ws HTTP/1.1\r\n" + host + upgrade + "\r\n", 403);
    row("websocket, wrong token", "GET /x/ws HTTP/1.1\r\n" + host + upgrade + "Origin: http://{host}\r\n\r\n", 403);
    row("websocket without key", "GET /{view}/ws HTTP/1.1\r\n" + host + "Upgrade: websocket\r\nOrigin: http://{host}\r\n\r\n", 0);
    row("video that keeps a phone awake", "GET /{control}/awake.mp4 HTTP/1.1\r\n" + host + "\r\n", 200);
    row("the video's first bytes, as Safari asks",
        "GET /{view}/awake.mp4 HTTP/1.1\r\n" + host + "Range: bytes=0-1\r\n\r\n", 206);
    row("not http", QByteArray("HELLO\r\n\r\n"), 400);
    row("binary", QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n", 15), 400);
    row("head over 4 KiB", "GET /{view} HTTP/1.1\r\n" + host + "X-Pad: " + QByteArray(4100, 'a') + "\r\n\r\n", 0);

    row("chair page", "GET /{chair} HTTP/1.1\r\n" + host + "\r\n", 200);
    row("api state", "GET /{view}/api/state HTTP/1.1\r\n" + host + "\r\n", 200);
    row("api state, chair", "GET /{chair}/api/state HTTP/1.1\r\n" + host + "\r\n", 200);
    const auto post = [&host](const QByteArray &path, const QByteArray &body, const QByteArray &more = {}) -> QByteArray {
        return "POST /{control}/api/" + path + " HTTP/1.1\r\n" + host + more +
               "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    };
    row("api pause", post("pause", {}), 200, true, QStringLiteral("contn./reset"), 3);
    row("api pause, control not allowed", post("pause", {}), 403);
    row("api pause, view link", QByteArray(post("pause", {})).replace("{control}", "{view}"), 403, true);
    row("api pause, chair link", QByteArray(post("pause", {})).replace("{control}", "{chair}"), 403, true);
    row("api pause, wrong token",
        QByteArray(post("pause", {})).replace("{control}", "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"), 403, true);
    row("api pause from another site", post("pause", {}, "Origin: http://evil.example\r\n"), 403, true);
    row("api start while running", post("start", {}), 409, true);
    row("api reset while running", post("reset", {}), 409, true);
    row("api next while a talk runs", post("next", {}), 409, true);
    row("api nudge", post("nudge", "+10"), 200, true, QStringLiteral("pause/reset hidden"), 14);
    row("api nudge by another amount", post("nudge", "+99"), 400, true);
    row("api message", post("message", "Please wrap up"), 200, true);
    row("api message over 200 characters", post("message", QByteArray(201, 'a')), 400, true);
    row("api message not UTF-8", post("message", "\xff\xfe"), 400, true);
    row("api body over 1 KiB",
        "POST /{control}/api/message HTTP/1.1\r\n" + host + "Content-Length: 1025\r\n\r\n", 413, true);
    row("api body in chunks", "POST /{control}/api/message HTTP/1.1\r\n" + host +
        "Transfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 411, true);
    row("api unknown command", post("exit", {}), 404, true);
    row("api message after 100 Continue", "POST /{control}/api/message HTTP/1.1\r\n" + host +
        "Expect: 100-continue\r\nContent-Length: 4\r\n\r\n{continue}Stop", 200, true);
    row("length with a plus sign", "POST /{control}/api/pause HTTP/1.1\r\n" + host + "Content-Length: +0\r\n\r\n",
        400, true);
    row("negative length", "POST /{control}/api/pause HTTP/1.1\r\n" + host + "Content-Length: -1\r\n\r\n",
        400, true);
    row("head of the page", "HEAD /{view} HTTP/1.1\r\n" + host + "\r\n", 200);
    row("head of the report", "HEAD /{chair}/report HTTP/1.1\r\n" + host + "\r\n", 200);
    row("api command by GET", "GET /{control}/api/pause HTTP/1.1\r\n" + host + "\r\n", 404, true);
}

void TestRemoteServer::requestsGetTheirStatus()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    QFETCH(bool, controlAllowed);
    QFETCH(QString, captionsAfter);
    QFETCH(int, elapsedAfter);
    RemoteFixture r;
    r.remote().setControlAllowed(controlAllowed);
    r.f.form->Command1_Click();
    r.f.runSeconds(3);

    request.replace("{view}", r.view).replace("{control}", r.control).replace("{chair}", r.chair);
    request.replace("{host}", QByteArray("127.0.0.1:").append(QByteArray::number(r.port)));
    QByteArray body;
    QCOMPARE(statusFor(r.port, request, &body), status);
    // HEAD is answered as GET, without the body.
    if (status == 200)
        QCOMPARE(body.isEmpty(), request.startsWith("HEAD"));

    // The talk runs on as before, or as the command left it, and nothing
    // is left behind.
    r.f.runSeconds(1);
    QCOMPARE(ElapsedSeconds, elapsedAfter);
    QCOMPARE(r.readout(), QTime(0, 0).addSecs(600 - elapsedAfter).toString(QStringLiteral("mm:ss")));
    QCOMPARE(captions(*r.f.form), captionsAfter);
    QTRY_COMPARE(r.remote().server().connectionCount(), 0);
    QVERIFY(!QFile::exists(ConfigFileName));
}

void TestRemoteServer::limitsHoldForEveryClient()
{
    RemoteFixture r;
    const QByteArray host = "127.0.0.1:" + QByteArray::number(r.port);
    const auto pageRequest = [&host](const QByteArray &token) -> QByteArray {
        return "GET /" + token + "/ws HTTP/1.1\r\nHost: " + host + "\r\nOrigin: http://" + host +
               "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n\r\n";
    };
    const auto from = [](int last) { return QHostAddress(QStringLiteral("127.0.0.%1").arg(last)); };
    std::vector<std::unique_ptr<QTcpSocket>> held;
    // 64 connections that never send a word, from one address: it keeps a few.
    for (int i = 0; i < remote::RemoteServer::MaxConnections; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        QCOMPARE(openFrom(*held.back(), from(2), r.port), -1);
    }
    QTRY_COMPARE(r.remote().server().connectionCount(), r.remote().server().limits().tokenlessPerAddress);
    // 63 pages of the view link: 16 from an address, 48 in all.
    int opened = 0;
    for (int i = 0; i < 63; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        const int status = openFrom(*held.back(), from(i < 17 ? 3 : 4 + (i - 17) / 16), r.port, pageRequest(r.view));
        QVERIFY2(status == 101 || status == 503, qPrintable(QString::number(status)));
        opened += status == 101 ? 1 : 0;
    }
    QCOMPARE(opened, 48);
    QCOMPARE(r.remote().viewerCount(), 48);
    // The timekeeper still opens the control page and its WebSocket, and
    // the chair, behind the same NAT as 16 viewers, its page.
    QCOMPARE(statusFor(r.port, "GET /" + r.control + " HTTP/1.1\r\nHost: " + host + "\r\n\r\n"), 200);
    for (const auto &[token, address] : {std::pair(r.control, 1), std::pair(r.chair, 3)}) {
        held.push_back(std::make_unique<QTcpSocket>());
        QCOMPARE(openFrom(*held.back(), from(address), r.port, pageRequest(token)), 101);
    }
    QCOMPARE(r.remote().viewerCount(), 50);
    QVERIFY(r.remote().server().connectionCount() <= remote::RemoteServer::MaxConnections);
    held.clear();
    QTRY_COMPARE(r.remote().server().connectionCount(), 0);

    // A client that never finishes its request is dropped; an open page,
    // whose request was finished long ago, stays.
    r.remote().server().limits().requestMs = 100;
    QWebSocket page(QStringLiteral("http://127.0.0.1:%1").arg(r.port));
    page.open(QUrl(r.local(r.view, QStringLiteral("/ws")).replace(QStringLiteral("http:"), QStringLiteral("ws:"))));
    QTRY_COMPARE(page.state(), QAbstractSocket::ConnectedState);
    QTcpSocket slow;
    slow.connectToHost(QHostAddress::LocalHost, r.port);
    QVERIFY(slow.waitForConnected(5000));
    slow.write("GET /" + r.view + " HTTP/1.1\r\n");
    QTRY_COMPARE(slow.state(), QAbstractSocket::UnconnectedState);
    QTRY_COMPARE(r.remote().server().connectionCount(), 1);
    QCOMPARE(page.state(), QAbstractSocket::ConnectedState);
}

void TestRemoteServer::largeAnswersAreSentWhole_data()
{
    // The client takes at most 64 KiB at a time and, unless it never reads,
    // starts reading once the request's deadline of 100 ms is over.
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("later");      // the report is built after the client has waited
    QTest::addColumn<int>("readAfterMs"); // -1: the client never reads, -2: it leaves first
    QTest::addColumn<int>("sendTimeoutMs");
    QTest::addColumn<int>("status");      // 0: nothing, or not all of it, arrives
    const qsizetype most = remote::RemoteServer::MaxReportPage;
    const qsizetype huge = 24 * 1024 * 1024;
    QTest::newRow("report, at once") << QByteArray("report") << qsizetype(2000) << false << 0 << 30000 << 200;
    QTest::newRow("report, built later") << QByteArray("report") << qsizetype(2000) << true << 0 << 30000 << 200;
    QTest::newRow("report built after the client left") << QByteArray("report") << qsizetype(2000) << true << -2 << 30000
                                                        << 0;
    QTest::newRow("largest report, read late") << QByteArray("report") << most << false << 400 << 30000 << 200;
    QTest::newRow("report too large") << QByteArray("report") << most + 1 << false << 0 << 30000 << 500;
    QTest::newRow("huge state, read late") << QByteArray("state") << huge << false << 400 << 30000 << 200;
    QTest::newRow("huge state, never read") << QByteArray("state") << huge << false << -1 << 300 << 0;
}

void TestRemoteServer::largeAnswersAreSentWhole()
{
    QFETCH(QByteArray, path);
    QFETCH(qsizetype, size);
    QFETCH(bool, later);
    QFETCH(int, readAfterMs);
    QFETCH(int, sendTimeoutMs);
    QFETCH(int, status);
    RemoteFixture r;
    remote::RemoteServer &server = r.remote().server();
    server.limits().requestMs = 100;
    server.limits().sendStallMs = sendTimeoutMs;
    std::function<void(QByteArray)> pending;
    const QByteArray page(size, 'r');
    server.setReportSource([&](std::function<void(QByteArray)> reply) {
        if (later)
            pending = std::move(reply);
        else
            reply(page);
    });
    server.setStateSource([&page](remote::Link) { return page; });
    QTcpSocket client;
    client.setReadBufferSize(64 * 1024);
    client.connectToHost(QHostAddress::LocalHost, r.port);
    QVERIFY(client.waitForConnected(5000));
    client.write("GET /" + r.chair + '/' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    if (later) {
        QTRY_VERIFY(pending);
        QTest::qWait(300);
        if (readAfterMs == -2) {
            client.abort();
            QTRY_COMPARE(server.connectionCount(), 0);
        }
        pending(page);
    }
    if (readAfterMs == -1) {
        // The server gives up on it.
        QTRY_COMPARE(server.connectionCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(server.connectionCount(), 0, 20000);
    } else {
        QTest::qWait(std::max(readAfterMs, 0));
    }
    QByteArray answer;
    for (int i = 0; i < 100000 && (client.state() == QAbstractSocket::ConnectedState || client.bytesAvailable());
         ++i) {
        answer += client.readAll();
        QTest::qWait(1);
    }
    const qsizetype bodyAt = answer.indexOf("\r\n\r\n") + 4;
    const qsizetype lengthAt = answer.indexOf("Content-Length: ") + 16;
    const bool whole = bodyAt >= 4 && lengthAt >= 16 &&
                       answer.size() - bodyAt == answer.mid(lengthAt, answer.indexOf('\r', lengthAt) - lengthAt).toLongLong();
    QCOMPARE(whole && answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0, status);
    if (status == 200)
        QCOMPARE(answer.size() - bodyAt, size);
    if (status == 500)
        QVERIFY(answer.contains("orlatim --report"));
    QTRY_COMPARE(server.connectionCount(), 0);
}

void TestRemoteServer::controlLinkPressesTheButtons_data()
{
    QTest::addColumn<bool>("controlLink");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("elapsed");
    const QString start = QStringLiteral(R"({"press":"start"})");
    const QString pause = QStringLiteral(R"({"press":"pause"})");
    const QString reset = QStringLiteral(R"({"press":"reset"})");
    QTest::newRow("start") << true << true << QStringList{start} << "pause/reset hidden" << 0;
    QTest::newRow("control not allowed") << true << false << QStringList{start} << "start/exit" << 0;
    QTest::newRow("view link") << false << true << QStringList{start} << "start/exit" << 0;
    QTest::newRow("two pages press start") << true << true << QStringList{start, start} << "pause/reset hidden" << 0;
    QTest::newRow("pause and reset") << true << true << QStringList{start, pause, reset} << "start/exit" << 0;
    QTest::newRow("reset while running") << true << true << QStringList{start, reset} << "pause/reset hidden" << 0;
    QTest::newRow("never exit") << true << true << QStringList{QStringLiteral(R"({"press":"exit"})")}
                                << "start/exit" << 0;
    QTest::newRow("nudges") << true << true
                            << QStringList{QStringLiteral(R"({"press":"+10"})"), start, QStringLiteral(R"({"press":"+10"})"),
                                           QStringLiteral(R"({"press":"+10"})"), QStringLiteral(R"({"press":"-10"})")}
                            << "pause/reset hidden" << 10;
    QTest::newRow("garbage first")
        << true << true
        << QStringList{QStringLiteral("{"), QStringLiteral("[]"), QStringLiteral(R"({"press":5})"), start}
        << "pause/reset hidden" << 0;
}

void TestRemoteServer::controlLinkPressesTheButtons()
{
    QFETCH(bool, controlLink);
    QFETCH(bool, allowed);
    QFETCH(QStringList, messages);
    QFETCH(QString, expected);
    QFETCH(int, elapsed);
    RemoteFixture r;
    r.remote().setControlAllowed(allowed);
    QWebSocket page(QStringLiteral("http://127.0.0.1:%1").arg(r.port));
    page.open(QUrl(r.local(controlLink ? r.control : r.view, QStringLiteral("/ws")).replace(
        QStringLiteral("http:"), QStringLiteral("ws:"))));
    QTRY_COMPARE(page.state(), QAbstractSocket::ConnectedState);
    for (const QString &message : messages)
        page.sendTextMessage(message);
    QVERIFY(settled(page));
    QCOMPARE(captions(*r.f.form), expected);
    QCOMPARE(ElapsedSeconds, elapsed);
    QVERIFY(!QFile::exists(ConfigFileName));
}

void TestRemoteServer::newLinksDropTheOpenPages()
{
    RemoteFixture r;
    QWebSocket page(QStringLiteral("http://127.0.0.1:%1").arg(r.port));
    QSignalSpy states(&page, &QWebSocket::textMessageReceived);
    page.open(QUrl(r.local(r.view, QStringLiteral("/ws")).replace(QStringLiteral("http:"), QStringLiteral("ws:"))));
    QTRY_COMPARE(states.count(), 1);
    QCOMPARE(QJsonDocument::fromJson(states.first().first().toString().toUtf8())[QStringLiteral("readout")],
             QStringLiteral("10:00"));

    r.remote().renewLinks();
    QTRY_COMPARE(page.state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(int(page.closeCode()), int(remote::Goodbye::LinkReplaced));
    QCOMPARE(statusFor(r.port, "GET /" + r.view + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"), 403);
    QVERIFY(RemoteFixture::tokenOf(r.remote().viewLink()) != r.view);
    QCOMPARE(remote::loadRemoteSettings().viewToken, RemoteFixture::tokenOf(r.remote().viewLink()));
}

void TestRemoteServer::blinkReachesThePage()
{
    RemoteFixture r;
    TimerSettings.BlinkAtEnd = 1;
    r.f.form->Command1_Click();
    ElapsedSeconds = 470;
    for (int i = 0; i < TicksPerSecond / 2; ++i)
        r.f.form->Timer1_Timer();
    QCOMPARE(stateOf(r)[QStringLiteral("messageShown")], false);
    // "pause" in the second half of a blinking second shows it again.
    r.f.form->Command1_Click();
    QCOMPARE(stateOf(r)[QStringLiteral("messageShown")], true);
    r.f.form->Command1_Click();
    while (ElapsedSeconds == 470)
        r.f.form->Timer1_Timer();
    QCOMPARE(stateOf(r)[QStringLiteral("messageShown")], true);
}

void TestRemoteServer::commandsAreLimitedPerSecond()
{
    remote::CommandRate rate;
    const QList<qint64> arrivals{0, 10, 20, 30, 40, 50, 999, 1000, 1011, 5000};
    QList<bool> taken;
    for (qint64 at : arrivals)
        taken << rate.allow(at);
    QCOMPARE(taken, (QList<bool>{true, true, true, true, true, false, false, true, true, true}));
}

void TestRemoteServer::commandOfAClientThatLeftActs()
{
    // A tool that gives up on the answer while the command runs; the main
    // window's redraw, inside the command, runs the pending events.
    RemoteFixture r;
    r.remote().setControlAllowed(true);
    QTcpSocket client;
    int commands = 0;
    r.remote().server().setCommandHandler([&client, &commands](const QByteArray &, const QByteArray &) {
        const linger reset{1, 0};
        ::setsockopt(int(client.socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        client.abort();
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        ++commands;
        return remote::CommandOutcome{};
    });
    client.connectToHost(QHostAddress::LocalHost, r.port);
    QVERIFY(client.waitForConnected(5000));
    client.write("POST /" + r.control + "/api/start HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 0\r\n\r\n");
    QTRY_COMPARE(commands, 1);
    QTRY_COMPARE(r.remote().server().connectionCount(), 0);
    QCOMPARE(statusFor(r.port, "GET /" + r.view + "/api/state HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"), 200);
}

void TestRemoteServer::remoteFileKeepsTheLinks_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("tokensKept");
    const QByteArray tokens = "view=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\r\ncontrol=BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB\r\n"
                              "chair=CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC\r\n";
    QTest::newRow("as written") << "[remote]\r\non=1\r\nport=9000\r\nallowControl=0\r\n" + tokens << true << 9000
                                << true;
    // The board's free text, percent-encoded: a password with "=" and
    // spaces at its ends, a room in Japanese.
    QTest::newRow("conference board") << "on=1\r\nport=9000\r\nboardOn=1\r\nbroker=mqtt%3A%2F%2Fb.lan%2Fconf\r\n"
                                         "room=%E7%AC%AC2%E4%BC%9A%E5%A0%B4\r\nbrokerPassword=%20a%3Db%20\r\n" + tokens
                                      << true << 9000 << true;
    QTest::newRow("with the board's token")
        << tokens + "board=DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD\r\n" << false << 8421 << true;
    QTest::newRow("bad port and switch") << "on=yes\r\nport=70000\r\n" + tokens << false << 8421 << true;
    QTest::newRow("short token") << QByteArray("on=1\nview=AAAA\ncontrol=BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB\n")
                                 << true << 8421 << false;
    QTest::newRow("one token for both")
        << QByteArray("view=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\ncontrol=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\n") << false << 8421
        << false;
    QTest::newRow("chair with the view's token")
        << QByteArray("view=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\ncontrol=BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB\n"
                      "chair=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\n")
        << false << 8421 << false;
}

void TestRemoteServer::remoteFileKeepsTheLinks()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, on);
    QFETCH(int, port);
    QFETCH(bool, tokensKept);
    const remote::RemoteSettings s = remote::parseRemoteFile(content);
    QCOMPARE(s.on, on);
    QCOMPARE(int(s.port), port);
    QCOMPARE(!s.viewToken.isEmpty() && !s.controlToken.isEmpty() && !s.chairToken.isEmpty(), tokensKept);
    QCOMPARE(remote::parseRemoteFile(remote::serializeRemoteFile(s)), s);
}

void TestRemoteServer::commandLinePortIsForThisRun_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("port");
    QTest::newRow("no file") << QByteArray() << false << 8421;
    QTest::newRow("left on at another port") << QByteArray("on=1\r\nport=9000\r\n") << true << 9000;
}

void TestRemoteServer::commandLinePortIsForThisRun()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, on);
    QFETCH(int, port);
    Form1Fixture f;
    if (!before.isEmpty())
        QVERIFY(writeWhole(remote::RemoteFileName, before).isEmpty());
    f.load();
    remote::RemoteView &view = f.form->remoteView();
    QVERIFY(view.restore(quint16(0), QHostAddress::LocalHost).isEmpty());
    QVERIFY(view.isListening());
    QVERIFY(view.isOn());
    // The links printed now open again next time; whether the server is on
    // and where is as the file said.
    const remote::RemoteSettings kept = remote::loadRemoteSettings();
    QCOMPARE(kept.on, on);
    QCOMPARE(int(kept.port), port);
    QCOMPARE(kept.viewToken, RemoteFixture::tokenOf(view.viewLink()));
}

void TestRemoteServer::pingsReachPagesThatComeAndGo()
{
    RemoteFixture r;
    r.remote().server().setPingInterval(300);
    // A connection whose handshake is done but which never answers a
    // ping, as a phone that left the network.
    QTcpSocket dead;
    dead.connectToHost(QHostAddress::LocalHost, r.port);
    QVERIFY(dead.waitForConnected(5000));
    const QByteArray host = "127.0.0.1:" + QByteArray::number(r.port);
    dead.write("GET /" + r.view + "/ws HTTP/1.1\r\nHost: " + host + "\r\nOrigin: http://" + host +
               "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n\r\n");
    QTRY_COMPARE(r.remote().viewerCount(), 1);
    // Other pages keep reconnecting, faster than the pings come.
    std::unique_ptr<QWebSocket> page;
    for (int i = 0; i < 100 && dead.state() == QAbstractSocket::ConnectedState; ++i) {
        page = std::make_unique<QWebSocket>(QStringLiteral("http://") + QString::fromLatin1(host));
        page->open(QUrl(r.local(r.view, QStringLiteral("/ws")).replace(QStringLiteral("http:"), QStringLiteral("ws:"))));
        QTest::qWait(100);
    }
    QCOMPARE(dead.state(), QAbstractSocket::UnconnectedState);
}

// The remote view window, as its menu entry opens it.
static QWidget *shownRemoteWindow(RemoteFixture &r)
{
    r.remote().showWindow();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == QStringLiteral("Remote view"))
            return w;
    }
    return nullptr;
}

void TestRemoteServer::controlLinkIsDrawnOnlyAfterShow()
{
    RemoteFixture r;
    QWidget *window = shownRemoteWindow(r);
    QVERIFY(window);
    // What a screenshot of the window can show: the labels' texts and codes.
    const auto drawn = [window] {
        QStringList texts;
        int codes = 0;
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            texts << label->text();
            codes += label->pixmap().isNull() ? 0 : 1;
        }
        return std::make_pair(texts.join(QLatin1Char('\n')), codes);
    };
    QPushButton *show = nullptr;
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("show"))
            show = button;
    }
    QVERIFY(show);
    QVERIFY(drawn().first.contains(QString::fromLatin1(r.view)));
    QVERIFY(!drawn().first.contains(QString::fromLatin1(r.control)));
    // The view and chair links' codes, never the control link's.
    QCOMPARE(drawn().second, 2);

    show->click();
    QVERIFY(drawn().first.contains(QString::fromLatin1(r.control)));
    QCOMPARE(drawn().second, 3);

    window->close();
    QVERIFY(!drawn().first.contains(QString::fromLatin1(r.control)));
    QCOMPARE(drawn().second, 2);
}

void TestRemoteServer::windowOpensWholeOnALaptopScreen()
{
    RemoteFixture r;
    QWidget *window = shownRemoteWindow(r);
    QVERIFY(window);
    // The broker's user and password are at the bottom: a window taller
    // than the screen hides them.
    const int room = window->screen()->availableGeometry().height();
    const int height = window->frameGeometry().height();
    QVERIFY2(height <= room, qPrintable(QStringLiteral("the window is %1 pixels tall with its frame, the screen "
                                                       "%2")
                                            .arg(height)
                                            .arg(room)));
}

void TestRemoteServer::defaultRouteNamesTheInterface_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("interface");
    const QByteArray head = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
    const QByteArray bridge = "virbr0\t007AA8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
    const QByteArray wlan = "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n";
    QTest::newRow("wi-fi after a bridge") << head + bridge + wlan << "wlan0";
    QTest::newRow("a VPN's two half routes")
        << head + "tun0\t00000000\t0100080A\t0003\t0\t0\t0\t00000080\t0\t0\t0\n" +
               "tun0\t00000080\t0100080A\t0003\t0\t0\t0\t00000080\t0\t0\t0\n" + wlan
        << "wlan0";
    QTest::newRow("cable before wi-fi by metric")
        << head + wlan + "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n" << "eth0";
    QTest::newRow("no default route") << head + bridge << "";
    QTest::newRow("empty") << QByteArray() << "";
}

void TestRemoteServer::defaultRouteNamesTheInterface()
{
    QFETCH(QByteArray, table);
    QFETCH(QString, interface);
    QCOMPARE(remote::defaultRouteInterface(table), interface);
}

QTEST_MAIN(TestRemoteServer)
#include "test_remote_server.moc"
