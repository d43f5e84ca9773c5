#include "import/import_source.h"

#include "import/entry_checks.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace schedule_import {

namespace {

QString described(const QString &name, const QString &what) { return QStringLiteral("%1: %2").arg(name, what); }

QString tooLarge() { return ScheduleImport::tr("the file is larger than 5 MiB"); }

SessionTalks spreadsheetTalks(const QByteArray &bytes, const SessionChoice &choice)
{
    SessionTalks taken;
    std::optional<int16_t> discussion;
    if (choice.discussionMinutes)
        discussion = int16_t(*choice.discussionMinutes * 60);
    const programme::ProgrammeRead read = programme::readProgramme(bytes, discussion);
    taken.problems = read.problems;
    if (read.talks.isEmpty()) {
        taken.error = ScheduleImport::tr("the file holds no talk");
        return taken;
    }
    // A spreadsheet keeps its own order; planned starts that go back in it
    // are a mistake the timetable would carry along.
    const programme::Talk *before = nullptr;
    for (qsizetype i = 0; i < read.talks.size(); ++i) {
        const programme::Talk &talk = read.talks[i];
        if (!talk.start)
            continue;
        if (before && *talk.start < *before->start) {
            taken.error = ScheduleImport::tr("talk %1 (\"%2\") starts at %3, before the talk above it (%4)")
                              .arg(i + 1)
                              .arg(talk.title, talk.start->toString(QStringLiteral("HH:mm")),
                                   before->start->toString(QStringLiteral("HH:mm")));
            return taken;
        }
        before = &talk;
    }
    taken.talks = read.talks;
    return taken;
}

} // namespace

bool isSpreadsheetName(const QString &name)
{
    const QString suffix = QFileInfo(name).suffix();
    return suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
           || suffix.compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
}

ImportSource importSource(const QByteArray &bytes, const QString &name, bool spreadsheet)
{
    ImportSource source;
    source.name = name;
    if (bytes.size() > LargestImport) {
        source.error = described(name, tooLarge());
    } else if (spreadsheet) {
        source.spreadsheet = bytes;
    } else {
        ScheduleRead read = readSchedule(bytes, name);
        source.entries = std::move(read.entries);
        if (!read.error.isEmpty())
            source.error = read.error.startsWith(name) ? read.error : described(name, read.error);
    }
    return source;
}

ImportSource readImportFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ImportSource{name, {}, std::nullopt, described(path, file.errorString())};
    // Read one byte past the limit: a device file tells no size.
    return importSource(file.read(LargestImport + 1), name, isSpreadsheetName(path));
}

QList<SessionCount> sessionsOf(const ImportSource &source)
{
    if (source.spreadsheet)
        return {SessionCount{{}, {}, int(spreadsheetTalks(*source.spreadsheet, {}).talks.size())}};
    return sessionsOf(source.entries);
}

SessionTalks takeSession(const ImportSource &source, const SessionChoice &choice)
{
    if (!source.error.isEmpty()) {
        SessionTalks taken;
        taken.error = source.error;
        return taken;
    }
    SessionTalks taken = source.spreadsheet ? spreadsheetTalks(*source.spreadsheet, choice)
                                            : takeSession(source.entries, choice);
    if (!taken.error.isEmpty())
        taken.error = described(source.name, taken.error);
    for (QString &problem : taken.problems)
        problem = described(source.name, problem);
    return taken;
}

} // namespace schedule_import
