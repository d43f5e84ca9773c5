// The board against Debian's mosquitto on 127.0.0.1: rooms published there
// reach "/api/rooms" and the open pages, a room that vanishes shows offline
// through its last will, and a restarted broker brings the rooms back.

#include "board/board_service.h"
#include "board/broker_fixture.h"
#include "board/mqtt_client.h"
#include "board/room_state_sample.h"
#include "remote/link_token.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QWebSocket>

namespace {

constexpr int BrokerTimeoutMs = 10000;

QByteArray stateOf(const QString &room, const QString &title)
{
    QJsonObject state = roomStateSample(room);
    state.insert(QStringLiteral("talk"), QJsonObject{{QStringLiteral("title"), title}, {QStringLiteral("speaker"), QStringLiteral("Ito")}});
    return compactJson(state);
}

board::BrokerAddress addressOf(const BrokerFixture &broker, const QString &user = {})
{
    return std::get<board::BrokerAddress>(board::parseBrokerAddress(broker.url(QStringLiteral("conf"), user)));
}

// A room as its laptop publishes: online, with its last will, and a state.
struct Room {
    Room(const BrokerFixture &broker, const QString &name, const QString &user = {}, const QString &password = {})
    {
        const QString topic = QStringLiteral("conf/") + board::roomTopicLevel(name);
        board::MqttSettings settings{addressOf(broker, user), password, {},
                                     board::MqttMessage{topic + QStringLiteral("/online"), "false"}};
        client.start(settings);
        client.publish(topic + QStringLiteral("/online"), "true");
        client.publish(topic + QStringLiteral("/state"), stateOf(name, QStringLiteral("Talk in ") + name));
    }
    board::MqttClient client;
};

// A board served on 127.0.0.1 only.
struct Board {
    explicit Board(const BrokerFixture &broker, const QString &user = {}, const QString &password = {})
    {
        board::BoardRequest request;
        request.broker = addressOf(broker, user);
        request.password = password;
        request.port = 0;
        request.language = QStringLiteral("en");
        service = std::make_unique<board::BoardService>(request);
        problem = service->start(token, QHostAddress::LocalHost);
    }

    // The rooms as a tool reads them.
    QJsonArray rooms() const
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, service->port());
        if (!socket.waitForConnected(5000))
            return {};
        socket.write("GET /" + token + "/api/rooms HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(service->port())
                     + "\r\n\r\n");
        // The server answers on this thread: wait in its event loop.
        QByteArray answer;
        for (int i = 0; i < 500 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
            QTest::qWait(10);
            answer += socket.readAll();
        }
        answer += socket.readAll();
        return QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).array();
    }

    QStringList names() const
    {
        QStringList all;
        for (const QJsonValue &room : rooms())
            all << room[QStringLiteral("room")].toString() + (room[QStringLiteral("online")].toBool() ? QString() : QStringLiteral(" (offline)"));
        return all;
    }

    QByteArray token = remote::newLinkToken();
    std::unique_ptr<board::BoardService> service;
    QString problem;
};

} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
private slots:
    void boardLinkAnswers_data();
    void boardLinkAnswers();
    void roomsReachTheBoard_data();
    void roomsReachTheBoard();
    void pagesGetEveryChange();
    void killedRoomShowsOffline();
    void brokerRestartBringsRoomsBack();
};

void TestBoard::boardLinkAnswers_data()
{
    // {board} and {host} are filled in for the running board.
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");
    const QByteArray host = "Host: {host}\r\n";
    const QByteArray upgrade = "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n";
    QTest::newRow("page") << "GET /{board} HTTP/1.1\r\n" + host + "\r\n" << 200;
    QTest::newRow("rooms") << "GET /{board}/api/rooms HTTP/1.1\r\n" + host + "\r\n" << 200;
    QTest::newRow("websocket") << "GET /{board}/ws HTTP/1.1\r\n" + host + upgrade + "Origin: http://{host}\r\n\r\n" << 101;
    QTest::newRow("websocket from another site")
        << "GET /{board}/ws HTTP/1.1\r\n" + host + upgrade + "Origin: http://evil.example\r\n\r\n" << 403;
    QTest::newRow("no token") << "GET /api/rooms HTTP/1.1\r\n" + host + "\r\n" << 403;
    QTest::newRow("foreign host") << QByteArray("GET /{board}/api/rooms HTTP/1.1\r\nHost: evil.example\r\n\r\n") << 403;
    QTest::newRow("no room's state") << "GET /{board}/state HTTP/1.1\r\n" + host + "\r\n" << 404;
    QTest::newRow("no report") << "GET /{board}/report HTTP/1.1\r\n" + host + "\r\n" << 404;
    QTest::newRow("no command") << "POST /{board}/api/pause HTTP/1.1\r\n" + host + "Content-Length: 0\r\n\r\n" << 404;
    QTest::newRow("head over 4 KiB") << "GET /{board} HTTP/1.1\r\n" + host + "X-Pad: " + QByteArray(4100, 'a') + "\r\n\r\n" << 0;
}

void TestBoard::boardLinkAnswers()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    // The board serves its page whether or not the broker is there.
    BrokerFixture broker;
    broker.stop();
    Board b(broker);
    QCOMPARE(b.problem, QString());
    request.replace("{board}", b.token).replace("{host}", QByteArray("127.0.0.1:").append(QByteArray::number(b.service->port())));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, b.service->port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write(request);
    QByteArray answer;
    for (int i = 0; i < 500 && socket.state() == QAbstractSocket::ConnectedState && !answer.contains("\r\n"); ++i) {
        QTest::qWait(10);
        answer += socket.readAll();
    }
    QCOMPARE(answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0, status);
}

void TestBoard::roomsReachTheBoard_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("anonymous") << QString() << QString();
    QTest::newRow("password file") << QStringLiteral("board") << QStringLiteral("hallway wörd");
}

void TestBoard::roomsReachTheBoard()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    BrokerFixture broker(user, password);
    QVERIFY2(broker.ready(), qPrintable(broker.problem()));
    Room ten(broker, QStringLiteral("Room 10"), user, password);
    Room two(broker, QStringLiteral("Room 2"), user, password);
    Board b(broker, user, password);
    QCOMPARE(b.problem, QString());
    QTRY_COMPARE_WITH_TIMEOUT(b.names(), (QStringList{QStringLiteral("Room 2"), QStringLiteral("Room 10")}), BrokerTimeoutMs);
    const QJsonObject room = b.rooms().at(0).toObject();
    QCOMPARE(room[QStringLiteral("state")][QStringLiteral("talk")][QStringLiteral("title")].toString(),
             QStringLiteral("Talk in Room 2"));
}

void TestBoard::pagesGetEveryChange()
{
    BrokerFixture broker;
    QVERIFY2(broker.ready(), qPrintable(broker.problem()));
    Board b(broker);
    QWebSocket page;
    QSignalSpy received(&page, &QWebSocket::textMessageReceived);
    QNetworkRequest request(QUrl(QStringLiteral("ws://127.0.0.1:%1/%2/ws").arg(b.service->port()).arg(QString::fromLatin1(b.token))));
    request.setRawHeader("Origin", "http://127.0.0.1:" + QByteArray::number(b.service->port()));
    page.open(request);
    // Everything at once on opening, then each change (the board's own
    // connection to the broker may be one already).
    QTRY_VERIFY_WITH_TIMEOUT(!received.isEmpty(), BrokerTimeoutMs);
    QVERIFY(QJsonDocument::fromJson(received.at(0).at(0).toString().toUtf8()).object().contains(QStringLiteral("order")));
    Room hall(broker, QStringLiteral("Hall <A>"));
    const auto heard = [&received] {
        for (const QList<QVariant> &message : std::as_const(received)) {
            const QJsonArray rooms = QJsonDocument::fromJson(message.at(0).toString().toUtf8())[QStringLiteral("rooms")].toArray();
            for (const QJsonValue &room : rooms) {
                if (room[QStringLiteral("state")][QStringLiteral("room")] == QLatin1String("Hall <A>"))
                    return true;
            }
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(heard(), BrokerTimeoutMs);
}

void TestBoard::killedRoomShowsOffline()
{
    BrokerFixture broker;
    QVERIFY2(broker.ready(), qPrintable(broker.problem()));
    // A room in a process of its own, which the system kills.
    QProcess room;
    room.start(QStringLiteral("/usr/bin/mosquitto_pub"),
               {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(broker.port()),
                QStringLiteral("-q"), QStringLiteral("1"), QStringLiteral("-r"), QStringLiteral("-l"),
                QStringLiteral("-t"), QStringLiteral("conf/Room 1/online"), QStringLiteral("--will-topic"),
                QStringLiteral("conf/Room 1/online"), QStringLiteral("--will-payload"), QStringLiteral("false"),
                QStringLiteral("--will-retain"), QStringLiteral("--will-qos"), QStringLiteral("1")});
    QVERIFY(room.waitForStarted(10000));
    room.write("true\n");
    Board b(broker);
    QTRY_COMPARE_WITH_TIMEOUT(b.names(), QStringList{QStringLiteral("Room 1")}, BrokerTimeoutMs);
    room.kill();
    room.waitForFinished(10000);
    QTRY_COMPARE_WITH_TIMEOUT(b.names(), QStringList{QStringLiteral("Room 1 (offline)")}, BrokerTimeoutMs);
    // Seen going: the board knows since when.
    QVERIFY(!b.rooms().at(0)[QStringLiteral("since")].toString().isEmpty());
}

void TestBoard::brokerRestartBringsRoomsBack()
{
    BrokerFixture broker;
    QVERIFY2(broker.ready(), qPrintable(broker.problem()));
    Room one(broker, QStringLiteral("Room 1"));
    Board b(broker);
    QTRY_COMPARE_WITH_TIMEOUT(b.names(), QStringList{QStringLiteral("Room 1")}, BrokerTimeoutMs);
    // The broker forgets everything; the room publishes again when it is
    // back, and the board has subscribed again.
    broker.stop();
    Room two(broker, QStringLiteral("Room 2"));
    QVERIFY2(broker.start(), qPrintable(broker.problem()));
    // Reconnection waits 1 s, then 2, 4...: 30 s is a generous bound.
    QTRY_COMPARE_WITH_TIMEOUT(b.names(), (QStringList{QStringLiteral("Room 1"), QStringLiteral("Room 2")}), 30000);
}

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
