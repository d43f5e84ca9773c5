#pragma once

#include "board/board_job.h"
#include "import/import_job.h"
#include "report/report_job.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <optional>

// The program's own options, read before the application object exists, so
// that --help, --version and a mistyped option are answered without a
// display and never open a window or the sound device. Qt's own options
// (-platform, -style, -reverse...) are known to the parser but not listed in
// the help; QApplication takes them out of the arguments itself.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
public:
    CommandLine();

    // The exit status after printing the help or the version, or after a
    // mistake; no value when the program is to start.
    std::optional<int> answer(int argc, char *argv[]);

    // The port the remote view is to be served on from the start, if given.
    std::optional<quint16> remotePort() const { return m_remotePort; }

    // The screen the stage window goes to for this run, counted from 1 in
    // the order of the right-click menu; 0 for none. No value: as remembered.
    std::optional<int> stageScreen() const { return m_stageScreen; }
    // The conference's broker to publish this room to for this run, if
    // given, and the room's name, empty for the remembered one.
    std::optional<QString> broker() const { return m_broker; }
    QString room() const { return m_room; }

    // The report to write instead of starting, if asked for.
    const std::optional<report::ReportRequest> &reportRequest() const { return m_reportRequest; }

    // The board of all rooms to serve instead of starting, if asked for.
    const std::optional<board::BoardRequest> &boardRequest() const { return m_boardRequest; }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_remotePortOption;
    std::optional<quint16> m_remotePort;
    QCommandLineOption m_stageScreenOption;
    std::optional<int> m_stageScreen;
    QCommandLineOption m_brokerOption;
    std::optional<QString> m_broker;
    QString m_room;
    report::ReportOptions m_reportOptions;
    std::optional<report::ReportRequest> m_reportRequest;
    board::BoardOptions m_boardOptions;
    std::optional<board::BoardRequest> m_boardRequest;
    schedule_import::ImportCommand m_importCommand;
};
