// Loads the board of all rooms as a large conference would: Debian's
// mosquitto on 127.0.0.1, 200 simulated rooms that each publish a state a
// second, the real "orlatim --board" in a process of its own, and 20 open
// board pages (WebSockets on 127.0.0.1). It reports the board's CPU share
// and memory, and the delay from a room's publish to a page's receipt,
// read from the state's own "sent" time. Everything talks to 127.0.0.1 only.
//
//   board_load [--rooms N] [--pages N] [--seconds S] [ORLATIM]
//   (defaults: 200 rooms, 20 pages, 30 s measured after 5 s of warming up;
//    ORLATIM defaults to the orlatim beside the bench folder)

#include "board/broker_address.h"
#include "board/broker_fixture.h"
#include "board/mqtt_client.h"
#include "board/room_state_sample.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr int WarmUpSeconds = 5;
// The rooms publish through a few connections, as the broker sees many
// rooms; each connection carries its share of them.
constexpr int Publishers = 10;

// The state of a room whose talk has run so many seconds.
QByteArray stateOf(const QString &room, int second)
{
    QJsonObject state = roomStateSample(room);
    state.insert(QStringLiteral("readout"), QStringLiteral("%1:%2")
                                                .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
                                                .arg(second % 60, 2, 10, QLatin1Char('0')));
    state.insert(QStringLiteral("elapsed"), second);
    return compactJson(state);
}

// The open pages, on a thread of their own so that they read while the
// rooms publish, as hallway screens would.
class Pages : public QObject
{
public:
    std::atomic<int> connected{0};
    std::atomic<bool> measuring{false};
    std::mutex mutex;
    std::vector<qint64> delaysMs;

    // One after another, as screens switched on in turn: the server lets
    // few connections from one address wait for their heads at once.
    void open(const QUrl &url, const QByteArray &origin, int count)
    {
        if (count == 0)
            return;
        auto page = std::make_unique<QWebSocket>();
        QWebSocket *socket = page.get();
        connect(socket, &QWebSocket::connected, this, [this, url, origin, count] {
            ++connected;
            open(url, origin, count - 1);
        });
        connect(socket, &QWebSocket::textMessageReceived, this, [this](const QString &message) { take(message); });
        QNetworkRequest request(url);
        request.setRawHeader("Origin", origin);
        socket->open(request);
        m_pages.push_back(std::move(page));
    }
    void close() { m_pages.clear(); }

private:
    void take(const QString &message)
    {
        const QDateTime now = QDateTime::currentDateTime();
        if (!measuring)
            return;
        const QJsonArray rooms = QJsonDocument::fromJson(message.toUtf8())[QStringLiteral("rooms")].toArray();
        std::vector<qint64> delays;
        for (const QJsonValue &room : rooms) {
            const QDateTime sent = QDateTime::fromString(room[QStringLiteral("state")][QStringLiteral("sent")].toString(), Qt::ISODateWithMs);
            if (sent.isValid())
                delays.push_back(sent.msecsTo(now));
        }
        const std::lock_guard<std::mutex> lock(mutex);
        delaysMs.insert(delaysMs.end(), delays.begin(), delays.end());
    }

    std::vector<std::unique_ptr<QWebSocket>> m_pages;
};

// Clock ticks of CPU the process has used, user and system.
qint64 cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : 0;
}

QString memory(qint64 pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return QString::fromLatin1(line.mid(qstrlen(field) + 1).simplified());
    }
    return {};
}

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

qint64 percentile(std::vector<qint64> values, double p)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const auto option = [&arguments](const QString &name, int fallback) {
        const qsizetype at = arguments.indexOf(name);
        if (at < 0 || at + 1 >= arguments.size())
            return fallback;
        const int value = arguments.at(at + 1).toInt();
        arguments.remove(at, 2);
        return value;
    };
    const int roomCount = option(QStringLiteral("--rooms"), 200);
    const int pageCount = option(QStringLiteral("--pages"), 20);
    const int seconds = option(QStringLiteral("--seconds"), 30);
    const QString orlatim = arguments.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../orlatim")
                                                : arguments.first();

    BrokerFixture broker;
    if (!broker.ready()) {
        std::fprintf(stderr, "%s\n", qPrintable(broker.problem()));
        return 1;
    }
    // The board in its own folder, which keeps its link's token.
    QTemporaryDir folder;
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 boardPort = probe.serverPort();
    probe.close();
    QProcess board;
    board.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    board.setProcessEnvironment(environment);
    board.start(orlatim, {QStringLiteral("--board"), broker.url(QStringLiteral("bench")), QStringLiteral("--remote-port"),
                          QString::number(boardPort)});
    QByteArray printed;
    for (int i = 0; i < 100 && !printed.contains('\n'); ++i) {
        board.waitForReadyRead(100);
        printed += board.readAllStandardOutput();
    }
    const QRegularExpressionMatch link = QRegularExpression(QStringLiteral("board: http://\\S+/(\\S+)")).match(QString::fromUtf8(printed));
    if (!link.hasMatch()) {
        std::fprintf(stderr, "the board did not print its link: %s%s\n", printed.constData(), board.readAllStandardError().constData());
        return 1;
    }
    const QString token = link.captured(1);

    // The rooms, their publishes spread evenly over each second.
    const board::BrokerAddress address = std::get<board::BrokerAddress>(board::parseBrokerAddress(broker.url(QStringLiteral("bench"))));
    std::vector<std::unique_ptr<board::MqttClient>> publishers;
    for (int i = 0; i < Publishers; ++i) {
        publishers.push_back(std::make_unique<board::MqttClient>());
        publishers.back()->start(board::MqttSettings{address, {}, {}, std::nullopt});
    }
    int next = 0;
    int tick = 0;
    QTimer rooms;
    rooms.setTimerType(Qt::PreciseTimer);
    rooms.setInterval(std::max(1, 1000 / roomCount));
    QObject::connect(&rooms, &QTimer::timeout, [&] {
        // A coarse timer may fire late: catch up to where the second is.
        const int due = int(qint64(tick++) * rooms.interval() * roomCount / 1000);
        for (; next < due; ++next) {
            const QString room = QStringLiteral("Room %1").arg(next % roomCount + 1);
            const QString topic = QStringLiteral("bench/") + board::roomTopicLevel(room);
            publishers[size_t(next % Publishers)]->publish(topic + QStringLiteral("/state"), stateOf(room, next / roomCount));
        }
    });
    for (int i = 0; i < roomCount; ++i)
        publishers[size_t(i % Publishers)]->publish(QStringLiteral("bench/Room %1/online").arg(i + 1), "true");
    rooms.start();

    QThread pageThread;
    Pages pages;
    pages.moveToThread(&pageThread);
    pageThread.start();
    const QUrl url(QStringLiteral("ws://127.0.0.1:%1/%2/ws").arg(boardPort).arg(token));
    const QByteArray origin = "http://127.0.0.1:" + QByteArray::number(boardPort);
    QMetaObject::invokeMethod(&pages, [&] { pages.open(url, origin, pageCount); });

    wait(WarmUpSeconds * 1000);
    const qint64 pid = board.processId();
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    const qint64 ticksBefore = cpuTicks(pid);
    QElapsedTimer measured;
    measured.start();
    pages.measuring = true;
    wait(seconds * 1000);
    pages.measuring = false;
    const double cpu = double(cpuTicks(pid) - ticksBefore) / double(ticksPerSecond) / (double(measured.elapsed()) / 1000.0);
    const QString rss = memory(pid, "VmRSS:");
    const QString peak = memory(pid, "VmHWM:");
    rooms.stop();
    QMetaObject::invokeMethod(&pages, [&] { pages.close(); }, Qt::BlockingQueuedConnection);
    pageThread.quit();
    pageThread.wait();
    board.terminate();
    board.waitForFinished(10000);

    const std::lock_guard<std::mutex> lock(pages.mutex);
    std::printf("board_load: %d rooms publishing a state a second, %d pages (%d connected), %d s\n", roomCount,
                pageCount, pages.connected.load(), seconds);
    std::printf("board CPU: %.1f %% of one core\n", cpu * 100.0);
    std::printf("board memory: %s resident, %s at most\n", qPrintable(rss), qPrintable(peak));
    std::printf("publish to page: %zu receipts (expected about %lld), p50 %lld ms, p99 %lld ms, max %lld ms\n",
                pages.delaysMs.size(), qint64(roomCount) * pageCount * seconds, percentile(pages.delaysMs, 0.5),
                percentile(pages.delaysMs, 0.99), percentile(pages.delaysMs, 1.0));
    return 0;
}
