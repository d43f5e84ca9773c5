#include "programme/talk_log.h"

#include "programme/csv_records.h"
#include "programme/session_timetable.h"
#include "settings/settings_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace programme {

namespace {

QString wallTime(const QDateTime &at) { return at.time().toString(QStringLiteral("HH:mm:ss")); }

const QByteArray Utf8Mark("\xEF\xBB\xBF");

// The columns a log's first line names, or a new log's when it names none.
QStringList columnsOf(const QString &text)
{
    const QList<Record> records = splitRecords(text.section(QLatin1Char('\n'), 0, 0));
    QStringList names;
    for (const QString &field : records.value(0).fields)
        names << field.trimmed().toLower();
    const bool header = names.contains(QLatin1String("date")) && names.contains(QLatin1String("start"));
    return header ? names : talkLogColumns();
}

// What keeps a write from the file, in the user's words where the system's
// are unclear.
QString failureOf(const QFileDevice &file)
{
    const QString what = file.error() == QFileDevice::ResourceError
                             ? QCoreApplication::translate("Programme", "the disk is full")
                             : file.errorString();
    return QStringLiteral("%1: %2").arg(file.fileName(), what);
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return !utf8.hasError();
}

} // namespace

QStringList talkLogColumns()
{
    return {QStringLiteral("date"),       QStringLiteral("start"),          QStringLiteral("end"),
            QStringLiteral("title"),      QStringLiteral("speaker"),        QStringLiteral("presentation_s"),
            QStringLiteral("discussion_s"), QStringLiteral("elapsed_s"),    QStringLiteral("overtime_s"),
            QStringLiteral("pauses"),     QStringLiteral("paused_s"),       QStringLiteral("planned_start")};
}

QByteArray talkLogHeader() { return (talkLogColumns().join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8(); }

QByteArray talkLogLine(const LoggedTalk &t, const QStringList &columns)
{
    // In the order of talkLogColumns().
    const QStringList values{t.start.date().toString(Qt::ISODate),
                             wallTime(t.start),
                             wallTime(t.end),
                             csvTextField(t.title),
                             csvTextField(t.speaker),
                             QString::number(t.presentation),
                             QString::number(t.discussion),
                             QString::number(t.elapsed),
                             QString::number(t.overtime),
                             QString::number(t.pauses),
                             QString::number(t.pausedSeconds),
                             t.plannedStart ? clockTextWithSeconds(*t.plannedStart) : QString()};
    const QStringList known = talkLogColumns();
    QStringList fields;
    for (const QString &column : columns)
        fields << values.value(known.indexOf(column));
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
    const QString error = writeLines(m_waiting);
    if (error.isEmpty()) {
        m_waiting.clear();
        m_failure.clear();
        return {};
    }
    const bool reported = !m_failure.isEmpty();
    m_failure = error;
    if (reported)
        return {};
    return QCoreApplication::translate("Programme", "%1; the talk's line is kept and written with the next one.")
        .arg(error);
}

QString TalkLog::writeLines(const QList<LoggedTalk> &talks)
{
    QFile file(TalkLogFileName);
    // Appended, never rewritten (but for a log saved in code page 932, kept
    // first): what the log already holds is never at risk. Unbuffered, so
    // that the lines reach the file in this one write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return failureOf(file);
    const qint64 before = file.size();
    QByteArray old;
    if (before > 0) {
        QFile existing(TalkLogFileName);
        if (!existing.open(QIODevice::ReadOnly))
            return failureOf(existing);
        old = existing.readAll();
    }
    // The byte-order mark lets a Japanese spreadsheet read UTF-8.
    QByteArray lines = old.isEmpty() ? Utf8Mark + talkLogHeader() : QByteArray();
    // A spreadsheet may leave the last line without its end.
    if (!old.isEmpty() && !old.endsWith('\n') && !old.endsWith('\r'))
        lines += "\r\n";
    const std::optional<QString> text = decodeTextByLine(old);
    const QStringList columns = columnsOf(text.value_or(QString()));
    for (const LoggedTalk &talk : talks)
        lines += talkLogLine(talk, columns);

    if (text && !isUtf8(old)) {
        // Saved again in code page 932: a line in UTF-8 would not read with
        // the rest, so the whole log becomes UTF-8, kept as it was first.
        file.close();
        QString error = writeWhole(TalkLogFileName + QStringLiteral(".bak"), old);
        if (error.isEmpty())
            error = writeWhole(TalkLogFileName, Utf8Mark + text->toUtf8() + lines);
        return error;
    }
    // A write cut short (a file-size limit, the last blocks of a disk) is
    // tried again for the rest, so that its failure is the system's own.
    qint64 done = 0;
    while (done < lines.size()) {
        const qint64 written = file.write(lines.constData() + done, lines.size() - done);
        if (written <= 0)
            break;
        done += written;
    }
    if (done == lines.size())
        return {};
    // A full disk can take part of a line: the file is cut back to its last
    // whole line, so the retry neither leaves half a line nor writes one twice.
    const QString error = failureOf(file);
    file.resize(before);
    return error;
}

} // namespace programme
