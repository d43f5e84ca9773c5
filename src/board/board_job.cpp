#include "board/board_job.h"

#include "board/board_service.h"
#include "platform/quit_signals.h"
#include "platform/translations.h"
#include "remote/link_token.h"
#include "remote/own_host.h"
#include "remote/remote_file.h"

#include <QCommandLineParser>
#include <QLocale>

#include <cstdio>

namespace board {

namespace {

void print(std::FILE *stream, const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stream);
    std::fflush(stream);
}

} // namespace

BoardOptions::BoardOptions()
    : m_board(QStringLiteral("board"),
              BoardOptions::tr("Serve the board of every room that publishes to the broker at URL "
                               "(mqtt://[user@]host[:port]/prefix or mqtts://...), with no window, and print "
                               "its link. The password is read from ORLATIM_BROKER_PASSWORD."),
              QStringLiteral("URL"))
    , m_lang(QStringLiteral("lang"), BoardOptions::tr("With --board: the page's language, ja or en (default: the system's)."),
             QStringLiteral("LANG"))
    , m_ca(QStringLiteral("broker-ca"),
           BoardOptions::tr("With --board and mqtts://: the certificate authorities to trust (default: the system's)."),
           QStringLiteral("FILE"))
{
}

void BoardOptions::addTo(QCommandLineParser &parser) const
{
    for (const QCommandLineOption *option : {&m_board, &m_lang, &m_ca})
        parser.addOption(*option);
}

std::variant<std::monostate, BoardRequest, QString> BoardOptions::read(const QCommandLineParser &parser) const
{
    if (!parser.isSet(m_board)) {
        for (const QCommandLineOption *option : {&m_lang, &m_ca}) {
            if (parser.isSet(*option))
                return BoardOptions::tr("--%1 goes with --board.").arg(option->names().constFirst());
        }
        return std::monostate{};
    }
    BoardRequest request;
    auto address = parseBrokerAddress(parser.value(m_board));
    if (const QString *mistake = std::get_if<QString>(&address))
        return *mistake;
    request.broker = std::get<BrokerAddress>(address);
    request.caFile = parser.value(m_ca);
    request.password = qEnvironmentVariable("ORLATIM_BROKER_PASSWORD");
    request.language = parser.isSet(m_lang) ? parser.value(m_lang)
                       : QLocale().language() == QLocale::Japanese ? QStringLiteral("ja")
                                                                   : QStringLiteral("en");
    if (request.language != QLatin1String("ja") && request.language != QLatin1String("en"))
        return BoardOptions::tr("--lang takes ja or en, not \"%1\".").arg(request.language);
    return request;
}

int runBoardJob(const BoardRequest &request, int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    platform::installTranslations(app);

    // The link stays the same from one start to the next, so hallway
    // screens find the board again by themselves.
    remote::RemoteSettings settings = remote::loadRemoteSettings();
    if (settings.boardToken.isEmpty()) {
        settings.boardToken = remote::newLinkToken();
        const QString error = remote::saveRemoteSettings(settings);
        if (!error.isEmpty())
            print(stderr, QStringLiteral("orlatim: ") + error);
    }
    BoardService service(request);
    QObject::connect(&service, &BoardService::brokerChanged, &app,
                     [](const QString &words) { print(stderr, QStringLiteral("orlatim: broker: ") + words); });
    const QString problem = service.start(settings.boardToken, QHostAddress::Any);
    if (!problem.isEmpty()) {
        print(stderr, QStringLiteral("orlatim: ") + problem);
        return 1;
    }
    print(stdout, QStringLiteral("board: ") + remote::linkUrl(remote::linkHost(), service.port(), settings.boardToken));
    const platform::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &platform::QuitSignals::received, &app, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

} // namespace board
