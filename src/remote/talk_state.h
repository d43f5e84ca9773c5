#pragma once

#include "settings/timer_settings.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace remote {

// A talk of the session's programme, as the pages name it.
struct TalkName {
    QString title;
    QString speaker;
};

// What only the main window knows: its buttons and whether the blink has
// hidden the phase message for the rest of this second.
struct WindowState {
    QString startCaption = QStringLiteral("start"); // "start", "pause" or "contn."
    bool resetOffered = false;                       // "reset" shown, i.e. paused
    bool messageShown = true;
    // With a programme: the current talk, and the next one if there is one.
    std::optional<TalkName> talk;
    std::optional<TalkName> next;
};

// The talk as the main window shows it, as the small JSON object that is
// pushed to every page and answered to the state request: the readout with
// its colour and phase, the phase message, the seconds elapsed and planned,
// the time line as fractions of its axis, the buttons, whether the control
// link may press them, and the current and the next talk of the programme.
QJsonObject talkState(const TimerSettingsRecord &settings, int16_t total, int32_t elapsed, const WindowState &window,
                      bool controlAllowed);

} // namespace remote
