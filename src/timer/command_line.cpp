#include "timer/command_line.h"

#include "board/broker_address.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Status for a command line the program cannot follow, as usual on Unix.
constexpr int UsageError = 2;

QString programName() { return QStringLiteral("orlatim"); }

int printed(const QString &text, std::FILE *stream, int status)
{
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
    return status;
}

int usageError(const QString &why)
{
    return printed(programName() % QStringLiteral(": ") % why % QLatin1Char('\n')
                       % CommandLine::tr("Run \"%1 --help\" to see the options.")
                             .arg(programName())
                       % QLatin1Char('\n'),
                   stderr, UsageError);
}

// The options QGuiApplication and QApplication take for themselves; those
// after "=" take a value.
const char *const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
const char *const QtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                      "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                      "display", "geometry", "style", "stylesheet", "name", "title",
                                      "qmljsdebugger", "fontengine", "visual"};

void addHidden(QCommandLineParser &parser, const char *name, bool takesValue)
{
    QCommandLineOption option(QString::fromLatin1(name));
    if (takesValue)
        option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

} // namespace

CommandLine::CommandLine()
    : m_help({QStringLiteral("h"), QStringLiteral("help")},
             CommandLine::tr("Show this help and exit."))
    , m_version({QStringLiteral("v"), QStringLiteral("version")},
                CommandLine::tr("Show the version and exit."))
    , m_remotePortOption(QStringLiteral("remote-port"),
                         CommandLine::tr("Serve the remote view on PORT for this run only and print its "
                                         "view, control and chair links."),
                         QStringLiteral("PORT"))
    , m_stageScreenOption(QStringLiteral("stage-screen"),
                          CommandLine::tr("Show the stage window on screen N (from 1, in the order of the "
                                          "right-click menu) for this run only; 0 for none."),
                          QStringLiteral("N"))
    , m_brokerOption(QStringLiteral("broker"),
                     CommandLine::tr("Publish this room's talk for this run only to the conference board's MQTT "
                                     "broker at URL, mqtt://[user@]host[:port]/prefix or mqtts://…; the password "
                                     "comes from ORLATIM_BROKER_PASSWORD."),
                     QStringLiteral("URL"))
{
    // Qt's own options are single-dash words; read them as words, never as
    // bundles of letters ("-reverse" is not -r -e -v ...).
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(CommandLine::tr(
        "Presentation timer for academic conferences. It keeps its settings,\n"
        "Orlatim.cfg and Orlatim.clk, in the folder it is started in.\n"
        "Qt's own options, such as -platform and -style, are accepted too.\n"
        "See orlatim(1)."));
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);
    m_parser.addOption(m_remotePortOption);
    m_parser.addOption(m_stageScreenOption);
    m_parser.addOption(m_brokerOption);
    m_reportOptions.addTo(m_parser);
    m_boardOptions.addTo(m_parser);
    m_importCommand.addOptions(m_parser);
    for (const char *name : QtFlags)
        addHidden(m_parser, name, false);
    for (const char *name : QtValueOptions)
        addHidden(m_parser, name, true);
}

std::optional<int> CommandLine::answer(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const bool parsed = m_parser.parse(arguments);
    if (m_parser.isSet(m_help)) {
        // The parser names the program by the path it was started with, or
        // by a placeholder before the application object exists; users type
        // the launcher's name.
        const QString options = m_parser.helpText().section(QLatin1Char('\n'), 1);
        return printed(CommandLine::tr("Usage: %1 [options]").arg(programName())
                           % QLatin1Char('\n') % options,
                       stdout, 0);
    }
    if (m_parser.isSet(m_version)) {
        return printed(QCoreApplication::applicationName() % QLatin1Char(' ')
                           % QCoreApplication::applicationVersion() % QLatin1Char('\n'),
                       stdout, 0);
    }
    if (!parsed)
        return usageError(m_parser.errorText());
    if (!m_parser.positionalArguments().isEmpty()) {
        return usageError(CommandLine::tr("Unexpected argument \"%1\".")
                              .arg(m_parser.positionalArguments().constFirst()));
    }
    // Each is a run of its own; one must not pass over another in silence.
    // The board is served at --remote-port.
    const bool boardRun = m_parser.isSet(QStringLiteral("board"));
    const int runs = int(m_parser.isSet(QStringLiteral("import"))) + int(m_parser.isSet(QStringLiteral("report")))
                     + int(boardRun || m_parser.isSet(m_remotePortOption));
    if (runs > 1)
        return usageError(CommandLine::tr("--import, --report and --remote-port or --board are given one at a time."));
    if (m_parser.isSet(m_stageScreenOption)) {
        if (m_parser.isSet(QStringLiteral("import")) || m_parser.isSet(QStringLiteral("report")) || boardRun)
            return usageError(CommandLine::tr(
                "--stage-screen is for the timer's window: it cannot go with --import, --report or --board."));
        bool ok = false;
        const int screen = m_parser.value(m_stageScreenOption).toInt(&ok);
        if (!ok || screen < 0)
            return usageError(
                CommandLine::tr("--stage-screen needs a screen number: 1 for the first, 0 for none."));
        m_stageScreen = screen;
    }
    if (m_parser.isSet(m_brokerOption)) {
        if (m_parser.isSet(QStringLiteral("import")) || m_parser.isSet(QStringLiteral("report")) || boardRun)
            return usageError(CommandLine::tr("--broker publishes a running timer, not --import, --report or --board."));
        const auto address = board::parseBrokerAddress(m_parser.value(m_brokerOption));
        if (const QString *mistake = std::get_if<QString>(&address))
            return usageError(*mistake);
        const QString room = QStringLiteral("room");
        m_room = m_parser.value(room).trimmed();
        if (m_parser.isSet(room) && m_room.isEmpty())
            return usageError(CommandLine::tr("--room needs the room's name."));
        m_broker = m_parser.value(m_brokerOption);
    }
    if (const auto status = m_importCommand.answer(m_parser, usageError))
        return status;
    if (m_parser.isSet(m_remotePortOption)) {
        bool ok = false;
        const uint port = m_parser.value(m_remotePortOption).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            return usageError(CommandLine::tr("--remote-port needs a port number from 1 to 65535."));
        m_remotePort = quint16(port);
    }
    const auto asked = m_reportOptions.read(m_parser);
    if (const QString *mistake = std::get_if<QString>(&asked))
        return usageError(*mistake);
    if (const auto *request = std::get_if<report::ReportRequest>(&asked))
        m_reportRequest = *request;
    auto boardAsked = m_boardOptions.read(m_parser);
    if (const QString *mistake = std::get_if<QString>(&boardAsked))
        return usageError(*mistake);
    if (auto *request = std::get_if<board::BoardRequest>(&boardAsked)) {
        request->port = m_remotePort;
        m_remotePort.reset();
        m_boardRequest = *request;
    }
    return std::nullopt;
}
