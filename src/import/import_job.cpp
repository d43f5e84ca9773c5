#include "import/import_job.h"

#include "import/import_source.h"
#include "programme/programme.h"

#include <QStringList>

namespace schedule_import {

namespace {

// As usual on Unix, and as the rest of the command line answers.
constexpr int Written = 0;
constexpr int Failed = 1;
constexpr int ChoiceNeeded = 2;

int printed(std::FILE *stream, const QStringList &lines, int status)
{
    for (const QString &line : lines) {
        std::fputs(qPrintable(line), stream);
        std::fputc('\n', stream);
    }
    std::fflush(stream);
    return status;
}

QString error(const QString &what) { return QStringLiteral("orlatim: ") + what; }

} // namespace

ImportCommand::ImportCommand()
    : m_import(QStringLiteral("import"),
               tr("Make FILE (a pretalx or frab schedule, an Indico or\n"
                  "Sessionize export, an iCalendar file or a CSV) the\n"
                  "programme of the working folder, print its talks,\n"
                  "and exit."),
               QStringLiteral("FILE"))
    , m_day(QStringLiteral("day"), tr("With --import: the day to take, when the file\nholds several."),
            QStringLiteral("YYYY-MM-DD"))
    , m_room(QStringLiteral("room"),
             tr("With --import: the room to take, when the day has\nseveral. With --broker: the room's name on "
                "the\nconference board."),
             QStringLiteral("NAME"))
    , m_discussion(QStringLiteral("discussion"),
                   tr("With --import: each talk's discussion in minutes;\n"
                      "by default the file's own, or a fifth of the slot."),
                   QStringLiteral("MINUTES"))
{
}

void ImportCommand::addOptions(QCommandLineParser &parser) const
{
    for (const QCommandLineOption &option : {m_import, m_day, m_room, m_discussion})
        parser.addOption(option);
}

std::optional<int> ImportCommand::answer(const QCommandLineParser &parser,
                                         const std::function<int(const QString &)> &usageError) const
{
    if (!parser.isSet(m_import)) {
        if (parser.isSet(m_day) || parser.isSet(m_discussion))
            return usageError(tr("--day and --discussion go with --import FILE."));
        // The room names this laptop's room on the conference board, too.
        if (parser.isSet(m_room) && !parser.isSet(QStringLiteral("broker")))
            return usageError(tr("--room goes with --import FILE or --broker URL."));
        return std::nullopt;
    }
    SessionChoice choice;
    // A value pasted from a listing or a web page keeps the blanks around it.
    if (parser.isSet(m_day)) {
        choice.day = QDate::fromString(parser.value(m_day).trimmed(), Qt::ISODate);
        if (!choice.day->isValid())
            return usageError(tr("--day needs a date such as 2026-03-14."));
    }
    if (parser.isSet(m_room))
        choice.room = parser.value(m_room).trimmed();
    if (parser.isSet(m_discussion)) {
        bool ok = false;
        choice.discussionMinutes = parser.value(m_discussion).toInt(&ok);
        if (!ok || *choice.discussionMinutes < 0 || *choice.discussionMinutes > 120)
            return usageError(tr("--discussion needs a number of minutes from 0 to 120."));
    }
    return runImport(parser.value(m_import), choice, stdout, stderr);
}

int runImport(const QString &path, const SessionChoice &choice, std::FILE *out, std::FILE *err)
{
    const ImportSource source = readImportFile(path);
    const SessionTalks taken = takeSession(source, choice);
    QStringList problems;
    for (const QString &problem : taken.problems)
        problems << error(problem);
    if (taken.needsChoice) {
        const QString how =
            ImportCommand::tr("Choose with --day and --room; each day and room with its number of talks:");
        return printed(err, QStringList{error(taken.error), how} + sessionListing(sessionsOf(source)) + problems,
                       ChoiceNeeded);
    }
    if (!taken.error.isEmpty())
        return printed(err, QStringList{error(taken.error)} + problems, Failed);
    const QString writeError = programme::writeProgrammeFiles(taken.talks);
    if (!writeError.isEmpty())
        return printed(err, {error(writeError)}, Failed);
    printed(err, problems, Written);
    QStringList lines{
        ImportCommand::tr("%1 now holds these talks of %2:").arg(programme::ProgrammeFileName, source.name)};
    for (const programme::Talk &talk : taken.talks) {
        const QString start = talk.start ? talk.start->toString(QStringLiteral("HH:mm")) : QStringLiteral("--:--");
        lines << ImportCommand::tr("%1  %2 + %3 min  %4")
                         .arg(start, programme::talkMinutesText(talk.presentation),
                              programme::talkMinutesText(talk.discussion), talk.title)
                     + (talk.speaker.isEmpty() ? QString() : QStringLiteral(" — ") + talk.speaker);
    }
    return printed(out, lines, Written);
}

} // namespace schedule_import
