#pragma once

#include "board/broker_address.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QString>

#include <optional>
#include <variant>

class QCommandLineParser;

namespace board {

// What `--board URL [--remote-port PORT] [--lang ja|en]` asks for.
struct BoardRequest {
    BrokerAddress broker;
    QString password; // from ORLATIM_BROKER_PASSWORD, never the command line
    QString caFile;
    std::optional<quint16> port;
    QString language; // "ja" or "en"
};

// The board's port when none is given: beside the remote view's, so that
// a room's laptop can show the board too.
constexpr quint16 DefaultBoardPort = 8422;

// The board's options on the program's command line.
class BoardOptions
{
    Q_DECLARE_TR_FUNCTIONS(BoardOptions)
public:
    BoardOptions();
    void addTo(QCommandLineParser &parser) const;
    // No board, the board, or what is wrong with the options. The port is
    // the caller's, which reads --remote-port for the remote view too.
    std::variant<std::monostate, BoardRequest, QString> read(const QCommandLineParser &parser) const;

private:
    QCommandLineOption m_board;
    QCommandLineOption m_lang;
    QCommandLineOption m_ca;
};

// Serves the board of every room until ended by a signal, with no window
// and no display: subscribes to the rooms' topics, prints
// "board: http://ADDRESS:PORT/TOKEN" and pushes every change to the open
// pages. The exit status: 0 when ended by a signal, 1 when the port cannot
// be opened or the broker's settings cannot be used.
int runBoardJob(const BoardRequest &request, int argc, char *argv[]);

} // namespace board
