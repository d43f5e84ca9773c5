#pragma once

class QWidget;

namespace platform {

// Moves, and shrinks if it must, a window that is about to be shown so
// that it lies wholly inside its screen's available area, its frame
// included: a tall window on a 1280×1024 screen would otherwise open with
// its buttons below the bottom edge. A window not yet placed is centred
// on its parent's window, or on the screen. Called from showEvent(),
// before the window system maps the window.
void placeOnScreen(QWidget &window);

} // namespace platform
