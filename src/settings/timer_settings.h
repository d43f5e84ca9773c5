#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The record that says how a talk is timed. Member initialisers are the
// built-in defaults: a default-constructed record is the default settings.
struct TimerSettingsRecord {
    // The six times, in seconds, addressed 1..6 by time() in this order.
    int16_t PresentationTime = 480;
    int16_t DiscussionTime = 120;
    int16_t FirstBellTime = 420;
    int16_t MusicStartTime = 180;
    int16_t WarningInterval = 60;
    int16_t BlinkTime = 10;

    // The nine flags, 1 for on and 0 for off, addressed 1..9 by flag().
    int16_t RingFirstBell = 1;
    int16_t CountDown = 1;
    int16_t CumulativeDisplay = 1;
    int16_t ShowTimeLine = 0;
    int16_t OvertimeWarning = 1;
    int16_t OvertimeMusic = 1;
    int16_t EnglishDisplay = 0;
    int16_t SecondsUnits = 0;
    int16_t BlinkAtEnd = 0;

    // Indexed from 0 here; the file and the players count them from 1.
    std::array<QString, 4> SoundFiles{QStringLiteral("Varo-bell1.wav"), QStringLiteral("Varo-bell2.wav"),
                                      QStringLiteral("Varo-bell3.wav"), QStringLiteral("Varo-sound.mid")};
    std::array<QString, 3> PhaseTitles{QStringLiteral("口演時間"), QStringLiteral("討論時間"),
                                       QStringLiteral("時間超過")};
    std::array<QString, 3> PhaseTitlesEn{QStringLiteral("presentation"), QStringLiteral("discussion"),
                                         QStringLiteral("time over")};
    QString DigitFontName = QStringLiteral("ＭＳ ゴシック");
    QString MessageFontName = QStringLiteral("ＭＳ ゴシック");

    static constexpr int TimeCount = 6;
    static constexpr int FlagCount = 9;

    int16_t &time(int index);
    int16_t time(int index) const;
    int16_t &flag(int index);
    int16_t flag(int index) const;

    // The title of phase 1..3 (presentation, discussion, overtime): the
    // English one only when EnglishDisplay is exactly 1.
    const QString &phaseTitle(int index) const
    {
        return (EnglishDisplay == 1 ? PhaseTitlesEn : PhaseTitles).at(size_t(index - 1));
    }

    // The twelve text lines of the file, in file order.
    std::array<QString *, 12> textFields();
    std::array<const QString *, 12> textFields() const;

    bool operator==(const TimerSettingsRecord &other) const;
    bool operator!=(const TimerSettingsRecord &other) const { return !(*this == other); }
};

// The longest talk the clock can time is one second shorter: the sums it
// forms with the other times stay in 16 bits.
constexpr long TotalTimeLimit = 32760;

// Why these settings cannot be timed without a sum leaving 16 bits, or an
// empty string when every sum the clock, the readout and the time line form
// stays in range.
QString sumsOutOfRange(const TimerSettingsRecord &settings);
