#include "programme/programme.h"

#include "platform/file_lookup.h"
#include "settings/settings_store.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <variant>

namespace programme {

namespace {

// A programme is a few dozen lines; anything far larger is not one.
constexpr qint64 LargestFile = 1 << 20;

QString describe(const QString &name, const QString &what) { return QStringLiteral("%1: %2").arg(name, what); }

// The whole file, or why it cannot be read.
std::variant<QByteArray, QString> readFile(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return describe(name, file.errorString());
    if (file.size() > LargestFile)
        return describe(name, QCoreApplication::translate("Programme", "the file is too large for a programme"));
    return file.readAll();
}

} // namespace

QString problemSummary(const QStringList &problems)
{
    constexpr int Shown = 8;
    QStringList lines = problems.mid(0, Shown);
    if (problems.size() > Shown)
        lines << QCoreApplication::translate("Programme", "… and %n more lines that could not be read.", nullptr,
                                             int(problems.size() - Shown));
    return lines.join(QLatin1Char('\n'));
}

const Talk *Programme::talk(int index) const
{
    return index >= 0 && index < m_talks.size() ? &m_talks[index] : nullptr;
}

void Programme::take(const ProgrammeRead &read)
{
    m_talks = read.talks;
    m_problems.clear();
    for (const QString &problem : read.problems)
        m_problems << describe(ProgrammeFileName, problem);
    if (m_talks.isEmpty() && m_problems.isEmpty())
        m_problems << describe(ProgrammeFileName, QCoreApplication::translate("Programme", "the file holds no talk"));
}

QString Programme::load()
{
    m_talks.clear();
    m_problems.clear();
    m_current = -1;
    QFile changeover(ChangeoverFileName);
    if (changeover.open(QIODevice::ReadOnly))
        m_changeover = std::clamp(changeover.read(16).trimmed().toInt(), 0, LongestChangeover);
    if (platform::foundExactly(ProgrammeFileName)) {
        const auto bytes = readFile(ProgrammeFileName);
        if (const QString *error = std::get_if<QString>(&bytes)) {
            m_problems << *error;
        } else {
            take(readProgramme(std::get<QByteArray>(bytes)));
            QFile mark(CurrentTalkFileName);
            if (!m_talks.isEmpty())
                m_current = rememberedTalk(mark.open(QIODevice::ReadOnly) ? mark.read(LargestFile) : QByteArray(),
                                           m_talks);
        }
    }
    emit changed();
    return problemSummary(m_problems);
}

QString Programme::replace(const QList<Talk> &talks)
{
    const QString error = writeProgrammeFiles(talks);
    if (!error.isEmpty())
        return error;
    take(ProgrammeRead{talks, {}});
    m_current = 0;
    emit changed();
    return {};
}

QString Programme::setCurrent(int index)
{
    const Talk *chosen = talk(index);
    if (!chosen)
        return {};
    m_current = index;
    emit changed();
    const QString error = writeWhole(CurrentTalkFileName, currentTalkMark(index, *chosen));
    if (error.isEmpty() || m_rememberFailed)
        return {};
    m_rememberFailed = true;
    return error;
}

QString Programme::setChangeoverSeconds(int seconds)
{
    m_changeover = std::clamp(seconds, 0, LongestChangeover);
    emit changed();
    return writeWhole(ChangeoverFileName, QByteArray::number(m_changeover) + "\r\n");
}

QString writeProgrammeFiles(const QList<Talk> &talks)
{
    if (talks.isEmpty())
        return describe(ProgrammeFileName, QCoreApplication::translate("Programme", "the file holds no talk"));
    const QString error = writeWhole(ProgrammeFileName, programmeFileBytes(talks));
    // Without a mark, too, the programme starts at its first talk.
    if (error.isEmpty() && !writeWhole(CurrentTalkFileName, currentTalkMark(0, talks.first())).isEmpty())
        QFile::remove(CurrentTalkFileName);
    return error;

}

QByteArray currentTalkMark(int index, const Talk &talk)
{
    // UTF-8: a title may hold characters that code page 932 lacks, and the
    // mark must match it exactly.
    return QStringLiteral("%1\r\n%2\r\n%3\r\n").arg(index + 1).arg(talk.title, talk.speaker).toUtf8();
}

int rememberedTalk(const QByteArray &mark, const QList<Talk> &talks)
{
    const QStringList lines = QString::fromUtf8(mark).split(QStringLiteral("\r\n"));
    if (lines.size() < 3)
        return 0;
    bool ok = false;
    const int index = lines[0].toInt(&ok) - 1;
    if (!ok || index < 0 || index >= talks.size())
        return 0;
    const Talk &talk = talks[index];
    return talk.title == lines[1] && talk.speaker == lines[2] ? index : 0;
}

} // namespace programme
