// The counted seconds while the chair link's report is asked for: a talk
// log of 50,000 lines (a year of sessions, or with --one-day all of today),
// the program's main window with its remote view on 127.0.0.1, and 60
// requests for the report at once while a talk runs. It prints the largest
// gap between the counted seconds as a page receives them, the time the
// talk lost against the wall clock, and when the replies came.
//
//   report_load [--one-day] [--requests N]

#include "bench_support.h"
#include "readout_page.h"
#include "fakes/recording_players.h"
#include "platform/fonts.h"
#include "programme/talk_log.h"
#include "remote/remote_server.h"
#include "remote/remote_view.h"
#include "report/day_report_service.h"
#include "timer/form1.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

using bench::memoryMiB;
using bench::nowNs;
using bench::runFor;

// 50,000 lines as the program writes them: a year of days up to today, or
// all of them today.
QByteArray talkLog(bool oneDay)
{
    constexpr int Lines = 50000;
    QByteArray log = "\xEF\xBB\xBF" + programme::talkLogHeader();
    const QDate today = QDate::currentDate();
    const int perDay = oneDay ? Lines : Lines / 365 + 1;
    for (int i = 0; i < Lines; ++i) {
        const QDate date = today.addDays(-(Lines - 1 - i) / perDay);
        const int start = 8 * 3600 + (i % perDay) * 13 * 60 % (15 * 3600);
        const QString at = QTime::fromMSecsSinceStartOfDay(start * 1000).toString(QStringLiteral("HH:mm:ss"));
        const QString end = QTime::fromMSecsSinceStartOfDay((start + 750) * 1000).toString(QStringLiteral("HH:mm:ss"));
        log += QStringLiteral("%1,%2,%3,Talk %4 on the spectra of small molecules,Speaker %4,600,120,750,30,1,12,%2\r\n")
                   .arg(date.toString(Qt::ISODate), at, end)
                   .arg(i)
                   .toUtf8();
    }
    return log;
}

// The pages and the requests, in a thread of their own as other devices
// would be.
class Clients : public bench::ReadoutPage
{
public:
    std::vector<qint64> replies; // when each report came whole
    std::vector<qint64> sizes;
    QMap<QByteArray, int> statuses; // status line: how many

    // `count` requests, as many at once as the server lets in (it holds
    // only a few connections that have not yet named their link), each
    // next one as soon as one is answered.
    void ask(quint16 port, const QByteArray &path, int count)
    {
        constexpr int InFlight = 12;
        m_port = port;
        m_path = path;
        m_left = count;
        for (int i = 0; i < InFlight; ++i)
            askOne();
    }

private:
    void askOne()
    {
        if (m_left == 0)
            return;
        const int i = m_left--;
        auto *socket = new QTcpSocket(this);
        auto *body = new QByteArray;
        connect(socket, &QTcpSocket::connected, socket, [this, socket] {
            socket->write("GET " + m_path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_port)
                          + "\r\nConnection: close\r\n\r\n");
        });
        connect(socket, &QTcpSocket::readyRead, socket, [socket, body] { *body += socket->readAll(); });
        connect(socket, &QTcpSocket::disconnected, socket, [this, socket, body] {
            *body += socket->readAll();
            {
                const std::lock_guard<std::mutex> lock(mutex);
                replies.push_back(nowNs());
                sizes.push_back(body->startsWith("HTTP/1.1 200") ? body->size() : -body->size());
                ++statuses[body->left(body->indexOf('\r'))];
            }
            delete body;
            socket->deleteLater();
            askOne();
        });
        // Each from an address of its own, as chairs' phones would be.
        socket->bind(QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + i % 200)));
        socket->connectToHost(QHostAddress::LocalHost, m_port);
    }

    quint16 m_port = 0;
    QByteArray m_path;
    int m_left = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool oneDay = args.contains(QStringLiteral("--one-day"));
    const int at = int(args.indexOf(QStringLiteral("--requests")));
    const int requests = at > 0 && at + 1 < args.size() ? args[at + 1].toInt() : 60;
    platform::installFontSubstitutes();
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    {
        QFile log(programme::TalkLogFileName);
        if (!log.open(QIODevice::WriteOnly) || log.write(talkLog(oneDay)) < 0)
            return 1;
    }

    RecordingPlayers players;
    Form1 form(players);
    form.resize(1280, 720);
    form.Form_Load();
    remote::RemoteView &remote = form.remoteView();
    remote.turnOn(0, QHostAddress::LocalHost);
    const quint16 port = remote.server().port();
    const QByteArray chair = QUrl(remote.chairLink()).path().toUtf8();
    const QString view = QUrl(remote.viewLink()).path();

    QThread thread;
    Clients clients;
    clients.openIn(thread, port, view);
    runFor(2000);

    const qint64 start = nowNs();
    {
        const std::lock_guard<std::mutex> lock(clients.mutex);
        clients.arrivals = {start}; // "start": second 0
    }
    form.Command1_Click();
    runFor(3000);
    const qint64 asked = nowNs();
    QMetaObject::invokeMethod(&clients, [&] { clients.ask(port, chair + "/report", requests); });
    // Until every reply came and a few seconds more, a minute at most.
    for (int waited = 0; waited < 60000; waited += 500) {
        runFor(500);
        const std::lock_guard<std::mutex> lock(clients.mutex);
        if (int(clients.replies.size()) == requests)
            break;
    }
    runFor(3000);
    const qint64 stopped = nowNs();
    form.Command1_Click();
    runFor(200);

    const std::lock_guard<std::mutex> lock(clients.mutex);
    double largest = 0;
    for (std::size_t i = 1; i < clients.arrivals.size(); ++i)
        largest = std::max(largest, double(clients.arrivals[i] - clients.arrivals[i - 1]) / 1e6);
    const qint64 counted = qint64(clients.arrivals.size()) - 1;
    // The talk's clock against the wall: a second not counted is lost.
    // Less than a hundredth either way is the page's own delay.
    const double lost = std::max(0.0, double(clients.arrivals.back() - start) / 1e9 - double(counted));
    const qint64 lastReply = clients.replies.empty() ? asked : *std::max_element(clients.replies.begin(), clients.replies.end());
    const qint64 firstReply = clients.replies.empty() ? asked : *std::min_element(clients.replies.begin(), clients.replies.end());
    const long ok = std::count_if(clients.sizes.begin(), clients.sizes.end(), [](qint64 s) { return s > 0; });
    std::printf("log: 50,000 lines, %s; %d requests on the chair link's report, 12 at a time, while the talk ran\n",
                oneDay ? "all of today" : "a year of sessions", requests);
    std::printf("replies: %zu (%ld with the page, %lld bytes each), the first after %.0f ms, the last after %.0f ms\n",
                clients.replies.size(), ok, clients.sizes.empty() ? 0LL : (long long)std::abs(clients.sizes.front()),
                double(firstReply - asked) / 1e6, double(lastReply - asked) / 1e6);
    if (const auto *reports = form.findChild<report::DayReportService *>())
        std::printf("pages built: %d\n", reports->builds());
    for (auto it = clients.statuses.cbegin(); it != clients.statuses.cend(); ++it)
        std::printf("  %d: \"%s\"\n", it.value(), it.key().constData());
    std::printf("counted seconds: %lld in %.1f s; the largest gap between two: %.0f ms; the talk lost %.2f s; "
                "peak resident memory %ld MiB\n",
                (long long)counted, double(stopped - start) / 1e9, largest, lost, memoryMiB(QByteArrayLiteral("VmHWM:")));
    QMetaObject::invokeMethod(&clients, [&] { qDeleteAll(clients.children()); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    return int(clients.replies.size()) == requests ? 0 : 1;
}
