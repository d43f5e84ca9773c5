#pragma once

class Form3;
class QWidget;

// Shows the one clock-correction window just above and left of the settings
// window, creating it when it does not exist. It has no owner window, so it
// stays open when the settings window is hidden.
void openClockCorrectionWindow(QWidget *settingsWindow);

// The clock-correction window while it exists, else null.
Form3 *clockCorrectionWindow();
