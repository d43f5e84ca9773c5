#pragma once

#include "platform/players.h"

#include <QStringList>

#include <memory>

// Passes every command on to real players and remembers it, as "Play 3".
class LoggingPlayers : public platform::MediaPlayers
{
public:
    explicit LoggingPlayers(std::unique_ptr<platform::MediaPlayers> real) : m_real(std::move(real))
    {
        connect(m_real.get(), &MediaPlayers::done, this, &MediaPlayers::done);
    }

    void setFileName(int index, const QString &fileName) override { m_real->setFileName(index, fileName); }

    void send(int index, Command command) override
    {
        if (command == Command::Play)
            plays << index;
        m_real->send(index, command);
    }

    void setNextSoundDue(std::optional<std::chrono::milliseconds> dueIn) override { m_real->setNextSoundDue(dueIn); }

    QList<int> plays;

private:
    std::unique_ptr<platform::MediaPlayers> m_real;
};
