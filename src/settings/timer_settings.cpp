#include "settings/timer_settings.h"

#include <QCoreApplication>

#include <limits>

namespace {

using Time = int16_t TimerSettingsRecord::*;

constexpr std::array<Time, TimerSettingsRecord::TimeCount> timeFields{
    &TimerSettingsRecord::PresentationTime, &TimerSettingsRecord::DiscussionTime,
    &TimerSettingsRecord::FirstBellTime,    &TimerSettingsRecord::MusicStartTime,
    &TimerSettingsRecord::WarningInterval,  &TimerSettingsRecord::BlinkTime,
};

constexpr std::array<Time, TimerSettingsRecord::FlagCount> flagFields{
    &TimerSettingsRecord::RingFirstBell,  &TimerSettingsRecord::CountDown,
    &TimerSettingsRecord::CumulativeDisplay, &TimerSettingsRecord::ShowTimeLine,
    &TimerSettingsRecord::OvertimeWarning, &TimerSettingsRecord::OvertimeMusic,
    &TimerSettingsRecord::EnglishDisplay, &TimerSettingsRecord::SecondsUnits,
    &TimerSettingsRecord::BlinkAtEnd,
};

bool fits16(long value)
{
    return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}

} // namespace

int16_t &TimerSettingsRecord::time(int index) { return this->*timeFields.at(index - 1); }
int16_t TimerSettingsRecord::time(int index) const { return this->*timeFields.at(index - 1); }
int16_t &TimerSettingsRecord::flag(int index) { return this->*flagFields.at(index - 1); }
int16_t TimerSettingsRecord::flag(int index) const { return this->*flagFields.at(index - 1); }

std::array<QString *, 12> TimerSettingsRecord::textFields()
{
    return {&SoundFiles[0],    &SoundFiles[1],    &SoundFiles[2],    &SoundFiles[3],
            &PhaseTitles[0],   &PhaseTitles[1],   &PhaseTitles[2],   &PhaseTitlesEn[0],
            &PhaseTitlesEn[1], &PhaseTitlesEn[2], &DigitFontName,    &MessageFontName};
}

std::array<const QString *, 12> TimerSettingsRecord::textFields() const
{
    auto fields = const_cast<TimerSettingsRecord *>(this)->textFields();
    std::array<const QString *, 12> result{};
    std::copy(fields.begin(), fields.end(), result.begin());
    return result;
}

bool TimerSettingsRecord::operator==(const TimerSettingsRecord &other) const
{
    for (int i = 1; i <= TimeCount; ++i)
        if (time(i) != other.time(i))
            return false;
    for (int i = 1; i <= FlagCount; ++i)
        if (flag(i) != other.flag(i))
            return false;
    const auto mine = textFields();
    const auto theirs = other.textFields();
    for (size_t i = 0; i < mine.size(); ++i)
        if (*mine[i] != *theirs[i])
            return false;
    return true;
}

QString sumsOutOfRange(const TimerSettingsRecord &s)
{
    // The time entry refuses a talk of 32760 seconds or more; a file may not
    // hold one either, so that the same limit holds wherever times come from.
    const long total = long(s.PresentationTime) + s.DiscussionTime;
    if (total >= TotalTimeLimit || total < std::numeric_limits<int16_t>::min())
        return QCoreApplication::translate("SettingsFile", "presentation + discussion = %1 seconds, the limit is 32759")
            .arg(total);
    if (!fits16(total + s.MusicStartTime))
        return QCoreApplication::translate("SettingsFile",
                                           "presentation + discussion + music start = %1 seconds, the limit is 32767")
            .arg(total + s.MusicStartTime);
    if (!fits16(long(s.PresentationTime) - s.BlinkTime) || !fits16(total - s.BlinkTime))
        return QCoreApplication::translate("SettingsFile", "blink time %1 does not fit the talk").arg(s.BlinkTime);
    return {};
}
