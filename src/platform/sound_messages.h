#pragma once

#include "platform/sound_sources.h"

#include <QString>

namespace platform {

// What the main window tells the timekeeper about a sound that will stay
// silent, in the user's language: which of the four sounds (1 to 3 the
// bells, 4 the music), its file and why.
QString silentSoundMessage(int index, const QString &fileName, SoundProblem problem);

} // namespace platform
