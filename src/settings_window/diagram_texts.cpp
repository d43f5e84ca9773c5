#include "settings_window/diagram_texts.h"

#include "settings/number_text.h"

namespace {

bool inSeconds(int16_t secondsUnits) { return secondsUnits == 1; }

// Seconds, or whole minutes truncated toward zero.
long inUnit(int16_t seconds, int16_t secondsUnits)
{
    return inSeconds(secondsUnits) ? seconds : seconds / 60;
}

} // namespace

QString boxText(int16_t seconds, int16_t secondsUnits) { return plainNumber(inUnit(seconds, secondsUnits)); }

QString totalCaption(int16_t totalTime, int16_t secondsUnits)
{
    const QString unit = inSeconds(secondsUnits) ? QStringLiteral(" sec") : QStringLiteral(" min");
    return QStringLiteral("total ") + spacedNumber(inUnit(totalTime, secondsUnits)) + unit;
}

DiagramTexts diagramTexts(const TimerSettingsRecord &s, int16_t totalTime)
{
    const int16_t units = s.SecondsUnits;
    const bool seconds = inSeconds(units);
    DiagramTexts t;
    t.unit = seconds ? QStringLiteral("sec") : QStringLiteral("min");
    t.boxes = {boxText(s.PresentationTime, units), boxText(s.DiscussionTime, units),
               boxText(s.FirstBellTime, units)};
    t.warning = QStringLiteral("超過") + spacedNumber(inUnit(s.WarningInterval, units))
              + (seconds ? QStringLiteral("秒おきに警告音") : QStringLiteral("分おきに警告音"));
    t.music = QStringLiteral("超過") + spacedNumber(inUnit(s.MusicStartTime, units))
            + (seconds ? QStringLiteral("秒から音楽開始") : QStringLiteral("分から音楽開始"));
    t.total = totalCaption(totalTime, units);
    t.blink = QStringLiteral("最後の") + spacedNumber(s.BlinkTime) + QStringLiteral("秒から点滅");
    return t;
}

bool firstBellInDiscussion(const TimerSettingsRecord &s) { return s.FirstBellTime > s.PresentationTime; }
