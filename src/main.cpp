#include "platform/fonts.h"
#include "platform/help.h"
#include "platform/sound_players.h"
#include "timer/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlatim"));
    QApplication::setApplicationVersion(QStringLiteral("3.22"));
    platform::installFontSubstitutes();
    platform::installHelpKey(app);

    const std::unique_ptr<platform::MediaPlayers> players = platform::createSoundPlayers();
    Form1 form(*players);
    form.Form_Load();
    return QApplication::exec();
}
