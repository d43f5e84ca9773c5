#include "board/command_line.h"
#include "board/room_publisher.h"
#include "platform/fonts.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/quit_signals.h"
#include "platform/sound_players.h"
#include "platform/translations.h"
#include "remote/command_line.h"
#include "remote/remote_view.h"
#include "report/report_job.h"
#include "stage/stage.h"
#include "timer/command_line.h"
#include "timer/form1.h"

#include <QApplication>

#include <csignal>
#include <memory>
#include <optional>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Orlatim"));
    QApplication::setApplicationVersion(QStringLiteral("3.22"));
    // A file-size limit (ulimit -f) fails a write as a full disk does, which
    // every writer reports; by default it would end the program instead.
    std::signal(SIGXFSZ, SIG_IGN);
    // The command line is answered by a plain application object, which needs
    // no display, in the user's language; the window system is reached only
    // when the program is really to start.
    auto early = std::make_unique<QCoreApplication>(argc, argv);
    platform::installTranslations(*early);
    CommandLine commandLine;
    if (const auto status = commandLine.answer(argc, argv))
        return *status;
    early.reset();
    if (const auto &request = commandLine.reportRequest())
        return report::runReportJob(*request, argc, argv);
    if (const auto &request = commandLine.boardRequest())
        return board::runBoardJob(*request, argc, argv);

    QApplication app(argc, argv);
    platform::installTranslations(app);
    platform::installFontSubstitutes();
    platform::installHelpKey(app);

    const std::unique_ptr<platform::MediaPlayers> players = platform::createSoundPlayers();
    Form1 form(*players);
    form.Form_Load();
    if (const std::optional<quint16> port = commandLine.remotePort()) {
        remote::serveFromCommandLine(form.remoteView(), *port);
    } else {
        // The remote view comes back as open as the timekeeper left it.
        const QString remoteProblem = form.remoteView().restore();
        if (!remoteProblem.isEmpty())
            platform::showMessage(&form, remoteProblem);
    }
    const QString stageProblem = form.stage().restore(commandLine.stageScreen());
    if (!stageProblem.isEmpty())
        platform::showMessage(&form, stageProblem);
    if (const std::optional<QString> broker = commandLine.broker()) {
        board::publishFromCommandLine(form.roomPublisher(), *broker, commandLine.room());
    } else {
        const QString boardProblem = form.roomPublisher().restore();
        if (!boardProblem.isEmpty())
            platform::showMessage(&form, boardProblem);
    }
    // SIGTERM and Ctrl+C leave as the close box does: the talk's log line
    // is written first.
    const platform::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &platform::QuitSignals::received, &form, &Form1::closeOnSignal);
    return QApplication::exec();
}
