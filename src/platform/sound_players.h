#pragma once

#include "platform/players.h"

#include <memory>

class QObject;

namespace platform {

// The four players of the running program, on the default audio device.
// There is one audio device, so only one such object may exist at a time.
std::unique_ptr<MediaPlayers> createSoundPlayers(QObject *parent = nullptr);

} // namespace platform
