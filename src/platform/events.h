#pragma once

namespace platform {

// Lets the handlers of waiting events run, then returns. A call made while
// an earlier call is still running returns at once, so redraws that let
// events run cannot nest without bound.
void processPendingEvents();

// Sends the program a press of F1, as if the user had pressed it in the
// active window, without waiting for it to be handled.
void sendHelpKey();

} // namespace platform
