#pragma once

#include <QByteArray>
#include <QString>

namespace remote {

// The remote view keeps its own file in the working folder, apart from the
// settings file, whose format is fixed.
inline const QString RemoteFileName = QStringLiteral("Orlatim-remote.ini");

constexpr quint16 DefaultPort = 8421;

// Where this room publishes its state for the conference board: the
// broker's address (mqtt://host/prefix), the room's name, and the login.
struct BoardSettings {
    bool on = false;
    QString broker;
    QString room;
    QString user;
    QString password;
    QString caFile; // empty trusts the system's certificate authorities

    bool operator==(const BoardSettings &other) const;
};

struct RemoteSettings {
    bool on = false;
    quint16 port = DefaultPort;
    bool allowControl = false;
    QByteArray viewToken;
    QByteArray controlToken;
    QByteArray chairToken;
    BoardSettings board;
    // The board's, for "orlatim --board" started in this folder: hallway
    // screens keep their link when the board is started again.
    QByteArray boardToken;

    bool operator==(const RemoteSettings &other) const;
};

// Reads the file's "key=value" lines. Unknown keys and bad values keep the
// defaults; a missing or malformed token stays empty, for the caller to make.
RemoteSettings parseRemoteFile(const QByteArray &content);
QByteArray serializeRemoteFile(const RemoteSettings &settings);

// The file of the working folder; a missing one gives the defaults, off.
RemoteSettings loadRemoteSettings();
// Empty on success, else a message naming the file. The file holds the
// links' tokens and the broker's password: only its owner may read it.
QString saveRemoteSettings(const RemoteSettings &settings);

} // namespace remote
