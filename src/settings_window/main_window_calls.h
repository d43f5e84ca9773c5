#pragma once

// The redraws of the main window that the settings window asks for when a
// setting changes. The main window implements them; tests record them.
class MainWindowCalls
{
public:
    virtual ~MainWindowCalls() = default;
    virtual void DrawTime() = 0;
    virtual void TimeLine() = 0;
    virtual void Form_Resize() = 0;
    virtual void DrawMsg() = 0;
};
