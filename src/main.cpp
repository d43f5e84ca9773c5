#include "platform/fonts.h"
#include "platform/help.h"
#include "platform/sound_players.h"
#include "remote/command_line.h"
#include "remote/remote_view.h"
#include "timer/form1.h"

#include <QApplication>

#include <cstdio>
#include <optional>

namespace {

// "--remote-port PORT": the port to serve the remote view on, if given.
std::optional<quint16> remotePortArgument(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--remote-port"));
    if (at < 0)
        return std::nullopt;
    bool ok = false;
    const uint port = at + 1 < arguments.size() ? arguments[at + 1].toUInt(&ok) : 0;
    if (!ok || port == 0 || port > 65535) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate("main", "--remote-port needs a port number from 1 to 65535")));
        std::exit(2);
    }
    return quint16(port);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlatim"));
    QApplication::setApplicationVersion(QStringLiteral("3.22"));
    const std::optional<quint16> remotePort = remotePortArgument(QApplication::arguments());
    platform::installFontSubstitutes();
    platform::installHelpKey(app);

    const std::unique_ptr<platform::MediaPlayers> players = platform::createSoundPlayers();
    Form1 form(*players);
    form.Form_Load();
    if (remotePort) {
        remote::serveFromCommandLine(form.remoteView(), *remotePort);
    } else {
        const QString remoteProblem = form.remoteView().restore();
        if (!remoteProblem.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(remoteProblem));
    }
    return QApplication::exec();
}
