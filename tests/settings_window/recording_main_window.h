#pragma once

#include "settings/declare.h"
#include "settings_window/main_window_calls.h"

#include <QStringList>

#include <vector>

// Stands in for the main window: logs each redraw with the settings it saw.
class RecordingMainWindow : public MainWindowCalls
{
public:
    struct Seen {
        TimerSettingsRecord settings;
        int16_t totalTime;
    };

    void DrawTime() override { record(QStringLiteral("DrawTime")); }
    void TimeLine() override { record(QStringLiteral("TimeLine")); }
    void Form_Resize() override { record(QStringLiteral("Form_Resize")); }
    void DrawMsg() override { record(QStringLiteral("DrawMsg")); }

    // The calls since the last take.
    QStringList take()
    {
        seen.clear();
        return std::exchange(calls, {});
    }

    QStringList calls;
    std::vector<Seen> seen;

private:
    void record(const QString &call)
    {
        calls << call;
        seen.push_back({TimerSettings, TotalTime});
    }
};
