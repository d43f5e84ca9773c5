// The counted seconds as a page on this computer receives them while a talk
// rings a bell through the real sound players (SDL's disk audio driver): the
// interval between the messages that bring a new readout. It stays at one
// second, within a few milliseconds, unless something holds up the
// program's thread, such as a sound decoded when the device wakes.
//
//   bell_remote [bell file] [seconds]
//
// Bell 1 rings at second 6, so the device wakes at second 4; the talk runs
// for `seconds` (default 12). The page talks to 127.0.0.1 only.

#include "bench_support.h"
#include "readout_page.h"
#include "platform/fonts.h"
#include "platform/sound_players.h"
#include "remote/remote_server.h"
#include "remote/remote_view.h"
#include "settings/declare.h"
#include "timer/form1.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

using bench::memoryMiB;
using bench::nowNs;
using bench::runFor;

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString bell =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ORLATIM_SOUNDS_DIR "/Varo-bell1.wav");
    const int seconds = argc > 2 ? std::max(8, std::atoi(argv[2])) : 12;
    if (!QFile::exists(bell)) {
        std::fprintf(stderr, "no bell at %s\n", qPrintable(bell));
        return 1;
    }
    platform::installFontSubstitutes();
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    for (const QString &sound : QDir(QStringLiteral(ORLATIM_SOUNDS_DIR)).entryList(QDir::Files))
        QFile::copy(QStringLiteral(ORLATIM_SOUNDS_DIR "/") + sound, sound);
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(folder.filePath(QStringLiteral("out.raw"))));

    const auto players = platform::createSoundPlayers();
    Form1 form(*players);
    form.resize(1280, 720);
    form.Form_Load();
    TimerSettings.FirstBellTime = 6;
    TimerSettings.SoundFiles[0] = bell;
    players->setFileName(1, bell);
    players->send(1, platform::MediaPlayers::Command::Open);

    remote::RemoteView &remote = form.remoteView();
    remote.turnOn(0, QHostAddress::LocalHost);
    const quint16 port = remote.server().port();
    const QString token = QUrl(remote.viewLink()).path();
    QThread thread;
    bench::ReadoutPage page;
    page.openIn(thread, port, token);
    // The timekeeper starts the talk some time after the program.
    runFor(8000);
    const long before = memoryMiB();

    {
        const std::lock_guard<std::mutex> lock(page.mutex);
        page.arrivals = {nowNs()}; // "start": second 0
    }
    form.Command1_Click();
    runFor(seconds * 1000 + 500);
    form.Command1_Click();

    std::vector<qint64> arrivals;
    {
        const std::lock_guard<std::mutex> lock(page.mutex);
        arrivals = page.arrivals;
    }
    std::printf("bell 1 (%s) at second 6, the device woken at second 4; one page on 127.0.0.1\n", qPrintable(bell));
    double worst = 0;
    for (std::size_t i = 1; i < arrivals.size(); ++i) {
        const double interval = double(arrivals[i] - arrivals[i - 1]) / 1e6;
        worst = std::max(worst, std::abs(interval - 1000));
        std::printf("second %2zu reached the page %7.1f ms after the one before\n", i, interval);
    }
    std::printf("%zu seconds; the largest departure from one second: %.1f ms; resident memory %ld MiB before the "
                "talk, %ld MiB after, %ld MiB at most\n",
                arrivals.empty() ? 0 : arrivals.size() - 1, worst, before, memoryMiB(),
                memoryMiB(QByteArrayLiteral("VmHWM:")));
    QMetaObject::invokeMethod(&page, [&] { qDeleteAll(page.children()); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    return arrivals.size() >= std::size_t(seconds) ? 0 : 1;
}
