#pragma once

#include "display/phase.h"
#include "settings/timer_settings.h"

#include <QString>

// The message starts where the digits end: eleven tenths of their height.
int messageTop(int16_t digitTop);

// Room left under the message above the bottom strip of 60 pixels that holds
// the button bar and the time line; the message shows only when it is
// positive. The font size in points stands for the text height in pixels.
double messageRoom(double clientHeight, int top, int16_t digitFontSize);

// Whether the half-second tick hides the message: only in the last
// BlinkTime seconds before bell 2 and before bell 3, never in overtime.
bool blinkHides(int32_t elapsed, const TimerSettingsRecord &settings, int16_t total);
