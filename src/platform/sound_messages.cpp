#include "platform/sound_messages.h"

#include <QCoreApplication>

namespace platform {

namespace {

QString why(SoundProblem problem)
{
    switch (problem) {
    case SoundProblem::NoFileName:
        return QCoreApplication::translate("platform::SoundMessages", "no file is named.");
    case SoundProblem::Missing:
        return QCoreApplication::translate("platform::SoundMessages", "the file is not there.");
    case SoundProblem::Unreadable:
        return QCoreApplication::translate("platform::SoundMessages", "the file cannot be read.");
    case SoundProblem::NotAudio:
        return QCoreApplication::translate("platform::SoundMessages", "it is not a sound file.");
    case SoundProblem::TooLarge:
        return QCoreApplication::translate("platform::SoundMessages", "the file is too large.");
    case SoundProblem::NoSoundFont:
        return QCoreApplication::translate("platform::SoundMessages",
                                           "MIDI needs a General MIDI SoundFont (timgm6mb-soundfont).");
    case SoundProblem::None:
    case SoundProblem::Cancelled:
        break;
    }
    return {};
}

} // namespace

QString silentSoundMessage(int index, const QString &fileName, SoundProblem problem)
{
    if (index == 4)
        return QCoreApplication::translate("platform::SoundMessages", "The music \"%1\" will stay silent: %2")
            .arg(fileName, why(problem));
    return QCoreApplication::translate("platform::SoundMessages", "Bell %1 \"%2\" will stay silent: %3")
        .arg(index)
        .arg(fileName, why(problem));
}

} // namespace platform
