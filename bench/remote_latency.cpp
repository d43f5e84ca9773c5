// Measures the remote view: the time from a counted second in the program to
// the WebSocket message that a page on this computer receives, with 1 and
// with 50 pages open, and the program's CPU share while a talk runs with 50
// pages open. Everything talks to 127.0.0.1 only.
//
//   remote_latency [--seconds S]    (S: length of each CPU run, default 60)

#include "bench_support.h"
#include "fakes/recording_players.h"
#include "platform/fonts.h"
#include "remote/remote_view.h"
#include "settings/declare.h"
#include "timer/form1.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace {

using bench::memoryMiB;
using bench::nowNs;
using bench::runFor;

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Pages in a thread of their own, so that they receive while the program's
// thread works, as browsers on other devices would.
class Pages : public QObject
{
public:
    std::atomic<int> connected{0};
    std::atomic<int> received{0};
    std::atomic<qint64> secondAt{0};
    std::atomic<int> round{0};
    std::mutex mutex;
    std::vector<double> latenciesMs;
    QEventLoop *waiting = nullptr;
    int expected = 0;

    void open(const QUrl &url, const QString &origin, int count)
    {
        for (int i = 0; i < count; ++i) {
            auto *page = new QWebSocket(origin, QWebSocketProtocol::VersionLatest, this);
            auto seenRound = std::make_shared<int>(0);
            connect(page, &QWebSocket::connected, this, [this] { ++connected; });
            connect(page, &QWebSocket::textMessageReceived, this, [this, seenRound] {
                const int r = round.load();
                if (r == 0 || *seenRound == r)
                    return;
                *seenRound = r;
                const double ms = double(nowNs() - secondAt.load()) / 1e6;
                {
                    const std::lock_guard<std::mutex> lock(mutex);
                    latenciesMs.push_back(ms);
                }
                if (++received == expected && waiting)
                    QMetaObject::invokeMethod(waiting, [l = waiting] { l->quit(); }, Qt::QueuedConnection);
            });
            page->open(url);
        }
    }
};

// Runs the event loop, without spinning, until the condition holds or the
// time is up.
template <typename Condition> bool waitFor(Condition done, int milliseconds)
{
    const qint64 until = nowNs() + qint64(milliseconds) * 1000000;
    while (!done() && nowNs() < until) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

void measureLatency(Form1 &form, const QUrl &url, const QString &origin, int clients, int seconds)
{
    QThread thread;
    Pages pages;
    pages.moveToThread(&thread);
    thread.start();
    pages.expected = clients;
    QMetaObject::invokeMethod(&pages, [&] { pages.open(url, origin, clients); }, Qt::BlockingQueuedConnection);
    if (!waitFor([&] { return form.remoteView().viewerCount() == clients && pages.connected == clients; }, 30000)) {
        std::printf("%d pages did not connect\n", clients);
    } else {
        for (int s = 1; s <= seconds; ++s) {
            QEventLoop loop;
            pages.waiting = &loop;
            pages.received = 0;
            // The tick that completes a second, as the timer delivers it.
            TickCount = int16_t(TicksPerSecond - 1);
            pages.secondAt = nowNs();
            pages.round = s;
            form.Timer1_Timer();
            QTimer::singleShot(2000, &loop, &QEventLoop::quit);
            if (pages.received < clients)
                loop.exec();
            pages.waiting = nullptr;
            runFor(20);
        }
        std::vector<double> l = pages.latenciesMs;
        std::sort(l.begin(), l.end());
        double sum = 0;
        for (double v : l)
            sum += v;
        std::printf("counted second to WebSocket message, %d page(s): mean %.2f ms, 99th percentile %.2f ms, "
                    "worst %.2f ms (%zu messages)\n",
                    clients, sum / double(l.size()), l[l.size() * 99 / 100], l.back(), l.size());
    }
    QMetaObject::invokeMethod(&pages, [&] { qDeleteAll(pages.children()); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    waitFor([&] { return form.remoteView().viewerCount() == 0; }, 10000);
}

void measureCpu(Form1 &form, const QUrl &url, const QString &origin, int clients, int seconds)
{
    QThread thread;
    Pages pages;
    pages.moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(&pages, [&] { pages.open(url, origin, clients); }, Qt::BlockingQueuedConnection);
    waitFor([&] { return form.remoteView().viewerCount() == clients; }, 30000);

    form.timer1().setInterval(10);
    form.Command1_Click();
    const double cpuBefore = threadCpuSeconds();
    const qint64 start = nowNs();
    runFor(seconds * 1000);
    const double cpu = threadCpuSeconds() - cpuBefore;
    const double real = double(nowNs() - start) / 1e9;
    form.Command1_Click();
    form.Command4_Click();
    form.timer1().setInterval(0);
    std::printf("CPU share of the program's thread while a talk runs, %d page(s) open: %.2f %% of one core\n",
                clients, 100 * cpu / real);

    QMetaObject::invokeMethod(&pages, [&] { qDeleteAll(pages.children()); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    waitFor([&] { return form.remoteView().viewerCount() == 0; }, 10000);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    int cpuSeconds = 60;
    const qsizetype s = args.indexOf(QStringLiteral("--seconds"));
    if (s >= 0 && s + 1 < args.size())
        cpuSeconds = args[s + 1].toInt();

    platform::installFontSubstitutes();
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    RecordingPlayers players;
    Form1 form(players);
    form.resize(1920, 1080);
    form.Form_Load();
    form.timer1().setInterval(0);
    TimerSettings.ShowTimeLine = 1;
    // A talk long enough for every second measured to change the readout.
    TimerSettings.PresentationTime = 3000;
    updateTotalTime();

    remote::RemoteView &remote = form.remoteView();
    // The 50 pages all come from this computer, standing for a hall of
    // phones: one address may hold all the connections here.
    remote::Admission::Limits &limits = remote.server().limits();
    limits.perAddress = limits.tokenless = limits.tokenlessPerAddress = limits.connections;
    limits.reserved = 0;
    remote.turnOn(0, QHostAddress::LocalHost);
    const quint16 port = remote.server().port();
    const QString token = QUrl(remote.viewLink()).path();
    const QUrl url(QStringLiteral("ws://127.0.0.1:%1%2/ws").arg(port).arg(token));
    const QString origin = QStringLiteral("http://127.0.0.1:%1").arg(port);

    form.Command1_Click();
    measureLatency(form, url, origin, 1, 300);
    measureLatency(form, url, origin, 50, 300);
    form.Command1_Click();
    form.Command4_Click();

    measureCpu(form, url, origin, 0, cpuSeconds);
    measureCpu(form, url, origin, 50, cpuSeconds);
    return 0;
}
