#include "import/session_choice.h"

#include "import/entry_checks.h"
#include "settings/timer_settings.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>
#include <variant>

namespace schedule_import {

namespace {

// No talk of a conference lasts a day; a longer one is a misread file.
constexpr int LongestSlotMinutes = 24 * 60;

QString dayText(const QDate &day)
{
    return day.isValid() ? day.toString(Qt::ISODate) : ScheduleImport::tr("(no date)");
}

QString roomText(const QString &room) { return room.isEmpty() ? ScheduleImport::tr("(no room)") : room; }

// Where a talk is in the file, for messages: "2026-03-14 09:30 "Opening"".
QString place(const ScheduleEntry &entry)
{
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(dayText(entry.day), entry.start.toString(QStringLiteral("HH:mm")), entry.title);
}

bool sameRoom(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// An event that cannot be read, named by its place in the file and its title.
QString skippedText(const ScheduleEntry &entry)
{
    return entry.title.isEmpty() ? ScheduleImport::tr("%1; the event is skipped").arg(entry.unreadable)
                                 : ScheduleImport::tr("%1; \"%2\" is skipped").arg(entry.unreadable, entry.title);
}

// The talk of an entry, or why it cannot be timed.
std::variant<programme::Talk, QString> talkOf(const ScheduleEntry &entry, std::optional<int> discussionMinutes)
{
    if (entry.minutes <= 0 || entry.minutes > LongestSlotMinutes)
        return ScheduleImport::tr("%1: a slot of %2 minutes cannot be timed").arg(place(entry)).arg(entry.minutes);
    const int slot = entry.minutes * 60;
    int discussion = programme::fifthOfSlot(slot);
    if (discussionMinutes)
        discussion = *discussionMinutes * 60;
    else if (entry.discussionSeconds)
        discussion = *entry.discussionSeconds;
    // The file's own presentation time counts only with its discussion, or
    // when the timekeeper fixed none.
    const int presentation = entry.presentationSeconds && !discussionMinutes ? *entry.presentationSeconds
                                                                            : slot - discussion;
    if (presentation <= 0 || discussion < 0)
        return ScheduleImport::tr("%1: a discussion of %2 leaves no presentation in a slot of %3 minutes")
            .arg(place(entry), programme::talkTimeText(discussion))
            .arg(entry.minutes);
    if (presentation + discussion >= TotalTimeLimit)
        return ScheduleImport::tr("%1: longer than the clock can time (545 minutes)").arg(place(entry));
    programme::Talk talk;
    talk.title = entry.title.simplified();
    talk.speaker = joinedSpeakers(entry.speakers);
    talk.presentation = int16_t(presentation);
    talk.discussion = int16_t(discussion);
    if (entry.start.isValid())
        talk.start = entry.start;
    return talk;
}

} // namespace

QString joinedSpeakers(const QStringList &speakers)
{
    QStringList names;
    for (const QString &speaker : speakers)
        if (!speaker.simplified().isEmpty())
            names << speaker.simplified();
    return names.join(QStringLiteral(" / "));
}

QList<SessionCount> sessionsOf(const QList<ScheduleEntry> &entries)
{
    QList<SessionCount> sessions;
    for (const ScheduleEntry &entry : entries) {
        if (entry.isBreak || !entry.unreadable.isEmpty())
            continue;
        const auto found = std::find_if(sessions.begin(), sessions.end(), [&](const SessionCount &s) {
            return s.day == entry.day && sameRoom(s.room, entry.room);
        });
        if (found != sessions.end())
            ++found->talks;
        else
            sessions << SessionCount{entry.day, entry.room, 1};
    }
    std::stable_sort(sessions.begin(), sessions.end(),
                     [](const SessionCount &a, const SessionCount &b) { return a.day < b.day; });
    return sessions;
}

QStringList sessionListing(const QList<SessionCount> &sessions)
{
    QStringList lines;
    for (qsizetype i = 0; i < sessions.size(); ++i) {
        const QDate day = sessions[i].day;
        int talks = 0;
        QStringList rooms;
        for (; i < sessions.size() && sessions[i].day == day; ++i) {
            talks += sessions[i].talks;
            rooms << QStringLiteral("  %1  %2").arg(roomText(sessions[i].room)).arg(sessions[i].talks);
        }
        --i;
        lines << QStringLiteral("%1  %2").arg(dayText(day)).arg(talks) << rooms;
    }
    return lines;
}

SessionTalks takeSession(const QList<ScheduleEntry> &entries, const SessionChoice &choice)
{
    SessionTalks taken;
    for (const ScheduleEntry &e : entries) {
        if (!e.unreadable.isEmpty())
            taken.problems << skippedText(e);
    }
    const QList<SessionCount> sessions = sessionsOf(entries);
    if (sessions.isEmpty()) {
        taken.error = ScheduleImport::tr("the file holds no talk");
        return taken;
    }
    QList<SessionCount> ofDay;
    std::copy_if(sessions.begin(), sessions.end(), std::back_inserter(ofDay), [&](const SessionCount &s) {
        return s.day == choice.day.value_or(sessions.first().day);
    });
    taken.needsChoice = true;
    if (choice.day && ofDay.isEmpty()) {
        taken.error = ScheduleImport::tr("the file holds no talk on %1").arg(dayText(*choice.day));
        return taken;
    }
    if (!choice.day && ofDay.size() < sessions.size()) {
        taken.error = ScheduleImport::tr("the file holds talks on several days; choose one");
        return taken;
    }
    const auto room = std::find_if(ofDay.begin(), ofDay.end(), [&](const SessionCount &s) {
        return !choice.room || sameRoom(s.room, *choice.room);
    });
    if (room == ofDay.end()) {
        taken.error = ScheduleImport::tr("the file holds no talk in %1 on %2")
                          .arg(roomText(*choice.room), dayText(ofDay.first().day));
        return taken;
    }
    if (!choice.room && ofDay.size() > 1) {
        taken.error =
            ScheduleImport::tr("the file holds talks in several rooms on %1; choose one").arg(dayText(room->day));
        return taken;
    }
    taken.needsChoice = false;

    QList<ScheduleEntry> chosen;
    QList<ScheduleEntry> unreadable;
    for (const ScheduleEntry &e : entries) {
        const bool here = e.day == room->day && sameRoom(e.room, room->room);
        if (here && !e.unreadable.isEmpty())
            unreadable << e;
        else if (here && !e.isBreak)
            chosen << e;
    }
    const auto byStart = [](const ScheduleEntry &a, const ScheduleEntry &b) { return a.startOrder() < b.startOrder(); };
    std::stable_sort(chosen.begin(), chosen.end(), byStart);
    for (const ScheduleEntry &e : unreadable) {
        // One without a start is shown last.
        const auto next = e.start.isValid() ? std::upper_bound(chosen.cbegin(), chosen.cend(), e, byStart) : chosen.cend();
        taken.skipped << SkippedEvent{next - chosen.cbegin(), e};
    }
    for (const ScheduleEntry &entry : chosen) {
        const auto talk = talkOf(entry, choice.discussionMinutes);
        if (const QString *why = std::get_if<QString>(&talk)) {
            taken.error = *why;
            taken.talks.clear();
            return taken;
        }
        taken.talks << std::get<programme::Talk>(talk);
    }
    return taken;
}

} // namespace schedule_import
