#include "remote/chair_state.h"

#include <QJsonArray>

namespace remote {

namespace {

QJsonValue minuteOf(const std::optional<programme::DaySeconds> &seconds)
{
    return seconds ? QJsonValue(programme::clockText(*seconds)) : QJsonValue();
}

QJsonValue number(const std::optional<int> &value) { return value ? QJsonValue(*value) : QJsonValue(); }

} // namespace

QJsonObject chairSession(const programme::SessionTimetable &timetable, const QList<programme::Talk> &talks,
                         int firstRemaining, programme::DaySeconds now)
{
    QJsonArray remaining;
    for (qsizetype i = std::max(firstRemaining, 0); i < talks.size(); ++i) {
        remaining.append(QJsonObject{
            {QStringLiteral("title"), talks[i].title},
            {QStringLiteral("speaker"), talks[i].speaker},
            {QStringLiteral("plannedStart"), minuteOf(timetable.plannedStarts.value(i))},
            {QStringLiteral("expectedStart"), minuteOf(timetable.expectedStarts.value(i))},
        });
    }
    return QJsonObject{
        {QStringLiteral("clock"), programme::clockTextWithSeconds(now)},
        {QStringLiteral("hasTimetable"), timetable.planned},
        {QStringLiteral("offset"), number(timetable.offset)},
        {QStringLiteral("projectedEnd"), minuteOf(timetable.projectedEnd)},
        {QStringLiteral("untilFirst"), number(timetable.secondsUntilFirst)},
        {QStringLiteral("remaining"), remaining},
    };
}

} // namespace remote
