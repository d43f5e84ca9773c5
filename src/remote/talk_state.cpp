#include "remote/talk_state.h"

#include "display/phase.h"
#include "display/readout_text.h"
#include "display/time_line_geometry.h"

#include <QJsonObject>

namespace remote {

namespace {

QString colourName(Phase phase) { return phaseColour(phase).name(QColor::HexRgb).toUpper(); }

// The phase by name, for tools and for the page's screen-reader text.
QString phaseName(Phase phase)
{
    switch (phase) {
    case Phase::Presentation:
        return QStringLiteral("presentation");
    case Phase::Discussion:
        return QStringLiteral("discussion");
    case Phase::Overtime:
        break;
    }
    return QStringLiteral("overtime");
}

// The main window's time line measured along its axis: 0 is the left end of
// the presentation bar, 1 the end of the axis.
QJsonValue timeLine(const TimerSettingsRecord &s, int16_t total, int32_t elapsed)
{
    if (s.ShowTimeLine == 0)
        return QJsonValue::Null;
    const TimeLineGeometry g = timeLineGeometry(0, 0, s, total, elapsed);
    const double axisSeconds = 60.0 * g.minutes;
    return QJsonObject{
        {QStringLiteral("presentationEnd"), s.PresentationTime / axisSeconds},
        {QStringLiteral("talkEnd"), total / axisSeconds},
        {QStringLiteral("dot"), elapsed / axisSeconds},
        {QStringLiteral("presentationCaption"), g.presentationCaption},
        {QStringLiteral("discussionCaption"), g.discussionCaption},
    };
}

QJsonValue talkName(const std::optional<TalkName> &talk)
{
    if (!talk)
        return QJsonValue::Null;
    return QJsonObject{{QStringLiteral("title"), talk->title}, {QStringLiteral("speaker"), talk->speaker}};
}

} // namespace

QJsonObject talkState(const TimerSettingsRecord &settings, int16_t total, int32_t elapsed, const WindowState &window,
                      bool controlAllowed)
{
    const Phase phase = phaseAt(elapsed, settings.PresentationTime, total);
    return QJsonObject{
        {QStringLiteral("readout"), StrTime(elapsed, settings, total)},
        {QStringLiteral("phase"), phaseName(phase)},
        {QStringLiteral("colour"), colourName(phase)},
        {QStringLiteral("elapsed"), elapsed},
        {QStringLiteral("planned"), total},
        {QStringLiteral("presentation"), settings.PresentationTime},
        {QStringLiteral("message"), settings.phaseTitle(titleIndex(phase))},
        {QStringLiteral("messageShown"), window.messageShown},
        {QStringLiteral("english"), settings.EnglishDisplay == 1},
        {QStringLiteral("timeLine"), timeLine(settings, total, elapsed)},
        {QStringLiteral("start"), window.startCaption},
        {QStringLiteral("reset"), window.resetOffered},
        {QStringLiteral("control"), controlAllowed},
        {QStringLiteral("talk"), talkName(window.talk)},
        {QStringLiteral("next"), talkName(window.next)},
    };
}

} // namespace remote
