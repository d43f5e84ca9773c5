#include "remote/remote_fixture.h"

#include "remote/command_rate.h"
#include "remote/remote_file.h"
#include "settings/config_file.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

namespace {

QString captions(Form1 &form)
{
    return form.command(1).text() + QLatin1Char('/') + form.command(4).text() +
           (form.command(4).isHidden() ? QStringLiteral(" hidden") : QString());
}

// Sends raw bytes to the server and gives the status of its answer, or 0
// when it closed the connection without one.
int statusFor(quint16 port, const QByteArray &request, QByteArray *body = nullptr)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return -1;
    socket.write(request);
    QByteArray answer;
    for (int i = 0; i < 1000 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        QTest::qWait(5);
        answer += socket.readAll();
        // A WebSocket stays open after its answer.
        if (answer.startsWith("HTTP/1.1 101") && answer.contains("\r\n\r\n"))
            break;
    }
    answer += socket.readAll();
    if (body)
        *body = answer.mid(answer.indexOf("\r\n\r\n") + 4);
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
    void controlLinkPressesTheButtons_data();
    void controlLinkPressesTheButtons();
    void newLinksDropTheOpenPages();
    void blinkReachesThePage();
    void commandsAreLimitedPerSecond();
    void remoteFileKeepsTheLinks_data();
    void remoteFileKeepsTheLinks();
};

void TestRemoteServer::requestsGetTheirStatus_data()
{
    // {view}, {control} and {host} are filled in for the running server.
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");
    const QByteArray host = "Host: {host}\r\n";
    const QByteArray upgrade = "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n";
    QTest::newRow("view page") << "GET /{view} HTTP/1.1\r\n" + host + "\r\n" << 200;
    QTest::newRow("control page") << "GET /{control} HTTP/1.1\r\n" + host + "\r\n" << 200;
    QTest::newRow("state") << "GET /{view}/state?x=1 HTTP/1.1\r\n" + host + "\r\n" << 200;
    QTest::newRow("control link's report") << "GET /{control}/report HTTP/1.1\r\n" + host + "\r\n" << 200;
    QTest::newRow("no report for the view link") << "GET /{view}/report HTTP/1.1\r\n" + host + "\r\n" << 404;
    QTest::newRow("websocket") << "GET /{view}/ws HTTP/1.1\r\n" + host + upgrade + "Origin: http://{host}\r\n\r\n"
                               << 101;
    QTest::newRow("no token") << "GET / HTTP/1.1\r\n" + host + "\r\n" << 403;
    QTest::newRow("favicon") << "GET /favicon.ico HTTP/1.1\r\n" + host + "\r\n" << 403;
    QTest::newRow("wrong token") << "GET /AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA HTTP/1.1\r\n" + host + "\r\n" << 403;
    QTest::newRow("token cut short") << "GET /{view}/../x HTTP/1.1\r\n" + host + "\r\n" << 404;
    QTest::newRow("token and more") << "GET /{view}x HTTP/1.1\r\n" + host + "\r\n" << 403;
    QTest::newRow("wrong token, right path") << "GET /x/state HTTP/1.1\r\n" + host + "\r\n" << 403;
    QTest::newRow("absolute form") << "GET http://{host}/{view} HTTP/1.1\r\n" + host + "\r\n" << 403;
    QTest::newRow("file from disk") << "GET /{view}/../../etc/passwd HTTP/1.1\r\n" + host + "\r\n" << 404;
    QTest::newRow("folder") << "GET /{view}/ HTTP/1.1\r\n" + host + "\r\n" << 404;
    QTest::newRow("post") << "POST /{view}/state HTTP/1.1\r\n" + host + "Content-Length: 0\r\n\r\n" << 404;
    QTest::newRow("foreign host") << QByteArray("GET /{view} HTTP/1.1\r\nHost: evil.example:8421\r\n\r\n") << 403;
    QTest::newRow("foreign address") << QByteArray("GET /{view} HTTP/1.1\r\nHost: 203.0.113.9\r\n\r\n") << 403;
    QTest::newRow("text after an address") << QByteArray("GET /{view} HTTP/1.1\r\nHost: [::1]x\r\n\r\n") << 403;
    QTest::newRow("no host") << QByteArray("GET /{view} HTTP/1.0\r\n\r\n") << 403;
    QTest::newRow("websocket from another site")
        << "GET /{view}/ws HTTP/1.1\r\n" + host + upgrade + "Origin: http://evil.example\r\n\r\n" << 403;
    QTest::newRow("websocket without origin") << "GET /{view}/ws HTTP/1.1\r\n" + host + upgrade + "\r\n" << 403;
    QTest::newRow("websocket, wrong token")
        << "GET /x/ws HTTP/1.1\r\n" + host + upgrade + "Origin: http://{host}\r\n\r\n" << 403;
    QTest::newRow("websocket without key")
        << "GET /{view}/ws HTTP/1.1\r\n" + host + "Upgrade: websocket\r\nOrigin: http://{host}\r\n\r\n" << 0;
    QTest::newRow("not http") << QByteArray("HELLO\r\n\r\n") << 400;
    QTest::newRow("binary") << QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n", 15) << 400;
    QTest::newRow("head over 4 KiB")
        << "GET /{view} HTTP/1.1\r\n" + host + "X-Pad: " + QByteArray(4100, 'a') + "\r\n\r\n" << 0;
}

void TestRemoteServer::requestsGetTheirStatus()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    RemoteFixture r;
    r.f.form->Command1_Click();
    r.f.runSeconds(3);

    request.replace("{view}", r.view).replace("{control}", r.control);
    request.replace("{host}", QByteArray("127.0.0.1:").append(QByteArray::number(r.port)));
    QCOMPARE(statusFor(r.port, request), status);

    // The talk runs on as before, and nothing is left behind.
    r.f.runSeconds(1);
    QCOMPARE(ElapsedSeconds, 4);
    QCOMPARE(r.readout(), QStringLiteral("09:56"));
    QCOMPARE(captions(*r.f.form), QStringLiteral("pause/reset hidden"));
    QTRY_COMPARE(r.remote().server().connectionCount(), 0);
    QVERIFY(!QFile::exists(ConfigFileName));
}

void TestRemoteServer::limitsHoldForEveryClient()
{
    RemoteFixture r;
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i < remote::RemoteServer::MaxConnections + 1; ++i) {
        clients.push_back(std::make_unique<QTcpSocket>());
        clients.back()->connectToHost(QHostAddress::LocalHost, r.port);
        QVERIFY(clients.back()->waitForConnected(5000));
        QTRY_COMPARE(r.remote().server().connectionCount(), std::min(i + 1, remote::RemoteServer::MaxConnections));
    }
    // The 65th is closed at once; the others wait for their requests.
    QTRY_COMPARE(clients.back()->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(clients.front()->state(), QAbstractSocket::ConnectedState);
    clients.clear();
    QTRY_COMPARE(r.remote().server().connectionCount(), 0);

    // A client that never finishes its request is dropped; an open page,
    // whose request was finished long ago, stays.
    r.remote().server().setRequestTimeout(100);
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

void TestRemoteServer::remoteFileKeepsTheLinks_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("tokensKept");
    const QByteArray tokens = "view=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\r\ncontrol=BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB\r\n";
    QTest::newRow("as written") << "[remote]\r\non=1\r\nport=9000\r\nallowControl=0\r\n" + tokens << true << 9000
                                << true;
    QTest::newRow("bad port and switch") << "on=yes\r\nport=70000\r\n" + tokens << false << 8421 << true;
    QTest::newRow("short token") << QByteArray("on=1\nview=AAAA\ncontrol=BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB\n")
                                 << true << 8421 << false;
    QTest::newRow("one token for both")
        << QByteArray("view=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\ncontrol=AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\n") << false << 8421
        << false;
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
    QCOMPARE(!s.viewToken.isEmpty() && !s.controlToken.isEmpty(), tokensKept);
    QCOMPARE(remote::parseRemoteFile(remote::serializeRemoteFile(s)), s);
}

QTEST_MAIN(TestRemoteServer)
#include "test_remote_server.moc"
