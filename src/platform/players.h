#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <optional>

namespace platform {

// The four sound players of the main window, addressed 1..4: bell 1, bell 2,
// bell 3 (also the overtime warning) and the music. Commands return at once;
// a playback that ends, or is stopped while playing, raises done() on the
// user-interface thread.
class MediaPlayers : public QObject
{
    Q_OBJECT
public:
    enum class Command { Open, Play, Prev, Stop, Close };
    static constexpr int Count = 4;

    using QObject::QObject;

    virtual void setFileName(int index, const QString &fileName) = 0;
    virtual void send(int index, Command command) = 0;
    // When the next "Play" is due, or that none is: players that let the
    // audio device sleep between sounds wake it in time.
    virtual void setNextSoundDue(std::optional<std::chrono::milliseconds> dueIn) { Q_UNUSED(dueIn) }

signals:
    void done(int index, int code);
    // Sounds found to stay silent (a missing file, one that is no sound),
    // told in the user's language once their players have been opened.
    void silent(const QString &message);
};

} // namespace platform
