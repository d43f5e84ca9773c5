#include "remote/remote_file.h"

#include "remote/link_token.h"
#include "settings/settings_store.h"

#include <QFile>
#include <QList>

namespace remote {

bool RemoteSettings::operator==(const RemoteSettings &other) const
{
    return on == other.on && port == other.port && allowControl == other.allowControl &&
           viewToken == other.viewToken && controlToken == other.controlToken && chairToken == other.chairToken &&
           board == other.board && boardToken == other.boardToken;
}

bool BoardSettings::operator==(const BoardSettings &other) const
{
    return on == other.on && broker == other.broker && room == other.room && user == other.user &&
           password == other.password && caFile == other.caFile;
}

namespace {

// Free text is written percent-encoded, so that "=", spaces at either end,
// line breaks and any script survive the "key=value" lines.
QString text(const QByteArray &value) { return QString::fromUtf8(QByteArray::fromPercentEncoding(value)); }
QByteArray encoded(const QString &value) { return value.toUtf8().toPercentEncoding(); }

} // namespace

RemoteSettings parseRemoteFile(const QByteArray &content)
{
    RemoteSettings settings;
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray &line : lines) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArray key = line.first(equals).trimmed();
        const QByteArray value = line.sliced(equals + 1).trimmed();
        bool ok = false;
        if (key == "on" && (value == "0" || value == "1")) {
            settings.on = value == "1";
        } else if (key == "allowControl" && (value == "0" || value == "1")) {
            settings.allowControl = value == "1";
        } else if (key == "port") {
            const uint port = value.toUInt(&ok);
            if (ok && port > 0 && port <= 65535)
                settings.port = quint16(port);
        } else if (key == "view" && wellFormedToken(value)) {
            settings.viewToken = value;
        } else if (key == "control" && wellFormedToken(value)) {
            settings.controlToken = value;
        } else if (key == "chair" && wellFormedToken(value)) {
            settings.chairToken = value;
        } else if (key == "boardOn" && (value == "0" || value == "1")) {
            settings.board.on = value == "1";
        } else if (key == "broker") {
            settings.board.broker = text(value);
        } else if (key == "room") {
            settings.board.room = text(value);
        } else if (key == "brokerUser") {
            settings.board.user = text(value);
        } else if (key == "brokerPassword") {
            settings.board.password = text(value);
        } else if (key == "brokerCaFile") {
            settings.board.caFile = text(value);
        } else if (key == "board" && wellFormedToken(value)) {
            settings.boardToken = value;
        }
    }
    // One token must never open two links.
    if (settings.viewToken == settings.controlToken)
        settings.controlToken.clear();
    if (settings.chairToken == settings.viewToken || settings.chairToken == settings.controlToken)
        settings.chairToken.clear();
    if (QList<QByteArray>{settings.viewToken, settings.controlToken, settings.chairToken}.contains(settings.boardToken))
        settings.boardToken.clear();
    return settings;
}

QByteArray serializeRemoteFile(const RemoteSettings &s)
{
    QByteArray out;
    const auto line = [&out](const char *key, const QByteArray &value) {
        out += key;
        out += '=';
        out += value;
        out += "\r\n";
    };
    out += "[remote]\r\n";
    line("on", s.on ? "1" : "0");
    line("port", QByteArray::number(s.port));
    line("allowControl", s.allowControl ? "1" : "0");
    line("view", s.viewToken);
    line("control", s.controlToken);
    line("chair", s.chairToken);
    line("boardOn", s.board.on ? "1" : "0");
    line("broker", encoded(s.board.broker));
    line("room", encoded(s.board.room));
    line("brokerUser", encoded(s.board.user));
    line("brokerPassword", encoded(s.board.password));
    line("brokerCaFile", encoded(s.board.caFile));
    if (!s.boardToken.isEmpty())
        line("board", s.boardToken);
    return out;
}

RemoteSettings loadRemoteSettings()
{
    QFile file(RemoteFileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A few short lines; anything much longer is not our file.
    return parseRemoteFile(file.read(16384));
}

QString saveRemoteSettings(const RemoteSettings &settings)
{
    return writeWhole(RemoteFileName, serializeRemoteFile(settings), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace remote
