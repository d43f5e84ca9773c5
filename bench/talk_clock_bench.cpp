// Measures the talk clock: its error against the monotonic clock over real
// minutes (beside a plain QTimer count) and the cost of one counted second at
// two screen sizes. bench/wakeups.sh measures the whole program's wake-ups
// and CPU share.
//
//   talk_clock_bench [--minutes M] [--load] [--skip-drift]

#include "fakes/recording_players.h"
#include "platform/fonts.h"
#include "settings/declare.h"
#include "timer/form1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

// Both cores kept busy by threads of lower priority, as a loaded laptop.
struct BusyCores {
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    explicit BusyCores(bool on)
    {
        if (!on)
            return;
        for (unsigned i = 0; i < std::max(2u, std::thread::hardware_concurrency()); ++i)
            threads.emplace_back([this] {
                volatile unsigned long x = 0;
                while (!stop.load(std::memory_order_relaxed))
                    x = x + 1;
            });
    }
    ~BusyCores()
    {
        stop = true;
        for (auto &t : threads)
            t.join();
    }
};

void measureDrift(Form1 &form, double minutes, bool load)
{
    BusyCores busy(load);
    int plainTicks = 0;
    QTimer plain;
    plain.setTimerType(Qt::PreciseTimer);
    QObject::connect(&plain, &QTimer::timeout, [&] { ++plainTicks; });

    QElapsedTimer wall;
    form.timer1().setInterval(10);
    form.Command1_Click();
    plain.start(10);
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(int(minutes * 60000), &loop, &QEventLoop::quit);
    loop.exec();
    // The clock sleeps between the ticks that change something; the ticks
    // since its last wake-up are counted now.
    form.timer1().poll();
    const double real = wall.nsecsElapsed() / 1e9;
    const double talk = ElapsedSeconds + double(TickCount) / TicksPerSecond;
    form.Command1_Click();
    std::printf("%s, %.1f min: talk clock error %+.1f ms, plain QTimer count error %+.1f ms\n",
                load ? "both cores busy" : "idle", minutes, (talk - real) * 1000, (plainTicks / 100.0 - real) * 1000);
}

void measureSecondCost(Form1 &form, QSize size)
{
    form.timer1().setInterval(0);
    form.resize(size);
    QCoreApplication::processEvents();
    std::vector<double> costs;
    ElapsedSeconds = 0;
    for (int second = 0; second < 600; ++second) {
        QElapsedTimer t;
        t.start();
        ++ElapsedSeconds;
        form.DrawTime();
        // The repaint that the redraw asked for.
        QCoreApplication::processEvents();
        costs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(costs.begin(), costs.end());
    double sum = 0;
    for (double c : costs)
        sum += c;
    std::printf("one counted second at %dx%d: mean %.3f ms, median %.3f ms, 99th percentile %.3f ms\n", size.width(),
                size.height(), sum / costs.size(), costs[costs.size() / 2], costs[costs.size() * 99 / 100]);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    double minutes = 10;
    const qsizetype m = args.indexOf(QStringLiteral("--minutes"));
    if (m >= 0 && m + 1 < args.size())
        minutes = args[m + 1].toDouble();
    const bool load = args.contains(QStringLiteral("--load"));

    platform::installFontSubstitutes();
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    RecordingPlayers players;
    Form1 form(players);
    form.resize(1920, 1080);
    form.Form_Load();
    TimerSettings.ShowTimeLine = 1;

    measureSecondCost(form, QSize(1920, 1080));
    measureSecondCost(form, QSize(3840, 2160));
    if (!args.contains(QStringLiteral("--skip-drift"))) {
        form.resize(1920, 1080);
        measureDrift(form, minutes, load);
    }
    return 0;
}
