#pragma once

#include "platform/players.h"

#include <QRegularExpression>
#include <QStringList>

// Players that play nothing and remember every command, as "Play 3".
class RecordingPlayers : public platform::MediaPlayers
{
public:
    using MediaPlayers::MediaPlayers;

    void setFileName(int index, const QString &fileName) override
    {
        log << QStringLiteral("File %1 %2").arg(index).arg(fileName);
    }

    void send(int index, Command command) override
    {
        static const char *const names[] = {"Open", "Play", "Prev", "Stop", "Close"};
        log << QStringLiteral("%1 %2").arg(QLatin1String(names[int(command)])).arg(index);
    }

    // The commands that start with a word, e.g. plays("Play").
    QStringList only(const QString &word) const
    {
        return log.filter(QRegularExpression(QStringLiteral("^") + word + QStringLiteral(" ")));
    }

    QStringList log;
};
