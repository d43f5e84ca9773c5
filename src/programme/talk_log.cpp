#include "programme/talk_log.h"

#include "programme/csv_records.h"
#include "programme/session_timetable.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace programme {

namespace {

QString wallTime(const QDateTime &at) { return at.time().toString(QStringLiteral("HH:mm:ss")); }

// Far longer than any header the log has had.
constexpr qint64 LongestHeader = 4096;

} // namespace

QByteArray talkLogHeader()
{
    return QByteArrayLiteral("date,start,end,title,speaker,presentation_s,discussion_s,elapsed_s,overtime_s,pauses,"
                             "paused_s,planned_start\r\n");
}

QByteArray talkLogLine(const LoggedTalk &t, bool withPlannedStart)
{
    QStringList fields{t.start.date().toString(Qt::ISODate),
                             wallTime(t.start),
                             wallTime(t.end),
                             csvField(t.title),
                             csvField(t.speaker),
                             QString::number(t.presentation),
                             QString::number(t.discussion),
                             QString::number(t.elapsed),
                             QString::number(t.overtime),
                             QString::number(t.pauses),
                             QString::number(t.pausedSeconds)};
    if (withPlannedStart)
        fields << (t.plannedStart ? clockTextWithSeconds(*t.plannedStart) : QString());
    return (fields.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
}

void TalkLog::started(const QString &title, const QString &speaker, std::optional<int> plannedStart)
{
    m_ran = true;
    m_talk = LoggedTalk{};
    m_talk.start = m_clock();
    m_talk.title = title;
    m_talk.speaker = speaker;
    m_talk.plannedStart = plannedStart;
    m_pausedMs = 0;
}

void TalkLog::paused()
{
    m_pausedAt = m_clock();
    m_talk.end = m_pausedAt;
}

void TalkLog::continued()
{
    ++m_talk.pauses;
    m_pausedMs += std::max<qint64>(0, m_pausedAt.msecsTo(m_clock()));
}

void TalkLog::finished(int32_t elapsed, int16_t presentation, int16_t discussion, int16_t total)
{
    if (!m_ran)
        return;
    m_ran = false;
    m_talk.presentation = presentation;
    m_talk.discussion = discussion;
    m_talk.elapsed = elapsed;
    m_talk.overtime = std::max<int32_t>(0, elapsed - total);
    m_talk.pausedSeconds = int((m_pausedMs + 500) / 1000);
    m_waiting << m_talk;
}

QString TalkLog::write()
{
    if (m_waiting.isEmpty())
        return {};
    QFile file(TalkLogFileName);
    // Appended, never rewritten: what the log already holds is never at risk.
    // Unbuffered, so that the lines reach the file in this one write.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    const qint64 before = written ? file.size() : 0;
    QByteArray lines;
    bool withPlannedStart = true;
    if (written && before == 0) {
        // The byte-order mark lets a Japanese spreadsheet read UTF-8.
        lines = "\xEF\xBB\xBF" + talkLogHeader();
    } else if (written) {
        // An older log keeps its columns, so that its lines stay in step.
        QFile existing(TalkLogFileName);
        withPlannedStart = existing.open(QIODevice::ReadOnly)
            && existing.readLine(LongestHeader).contains(QByteArrayLiteral(",planned_start"));
    }
    for (const LoggedTalk &talk : std::as_const(m_waiting))
        lines += talkLogLine(talk, withPlannedStart);
    written = written && file.write(lines) == lines.size();
    if (written) {
        m_waiting.clear();
        m_failure.clear();
        return {};
    }
    // A full disk can take part of a line: the file is cut back to its last
    // whole line, so the retry neither leaves half a line nor writes one twice.
    const QString error = file.errorString();
    if (file.isOpen())
        file.resize(before);
    const bool reported = !m_failure.isEmpty();
    m_failure = QStringLiteral("%1: %2").arg(TalkLogFileName, error);
    if (reported)
        return {};
    return QCoreApplication::translate("Programme", "%1: %2; the talk's line is kept and written with the next one.")
        .arg(TalkLogFileName, error);
}

} // namespace programme
