#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

namespace remote {

// What the message window needs of the remote view: the message shown to
// the speaker and its presets.
class SpeakerDesk
{
public:
    virtual ~SpeakerDesk() = default;

    virtual QString speakerMessage() const = 0;
    // An empty message clears it.
    virtual void setSpeakerMessage(const QString &message) = 0;
    virtual const QStringList &presets() const = 0;
    // Empty on success, else what went wrong with the presets' file.
    virtual QString setPresets(const QStringList &presets) = 0;
    // Calls back after the message or the presets may have changed, for
    // as long as the receiver lives.
    virtual void whenChanged(QObject *receiver, std::function<void()> callback) = 0;
};

} // namespace remote
