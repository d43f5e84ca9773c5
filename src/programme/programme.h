#pragma once

#include "programme/programme_file.h"

#include <QObject>

namespace programme {

inline const QString ProgrammeFileName = QStringLiteral("Orlatim-programme.csv");
inline const QString CurrentTalkFileName = QStringLiteral("Orlatim-programme.cur");
// The changeover between talks, in seconds, as text.
inline const QString ChangeoverFileName = QStringLiteral("Orlatim-programme.chg");
constexpr int LongestChangeover = 60 * 60;

// The session's programme: the talks of Orlatim-programme.csv and which of
// them is current. The current talk is remembered in a small file of its
// own, so that a restarted program picks up where it ended, while a new or
// changed programme starts at its first talk. Taking a talk is the main
// window's business: only it knows whether the clock is idle.
class Programme : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Reads the programme of the working folder, if there is one, and makes
    // the talk current that was current when the program last ended. Returns
    // what could not be read, for the user, or an empty string.
    QString load();
    // Puts imported talks in place of the programme, which then starts at
    // the first of them. Returns why the file could not be written (the
    // programme is then kept), or an empty string.
    QString replace(const QList<Talk> &talks);
    // Makes a talk current and remembers it; a failure to remember it is
    // returned the first time only.
    QString setCurrent(int index);

    const QList<Talk> &talks() const { return m_talks; }
    // -1 without a programme.
    int currentIndex() const { return m_current; }
    const Talk *current() const { return talk(m_current); }
    const Talk *next() const { return talk(m_current + 1); }
    const Talk *talk(int index) const;
    // The lines of the file that were skipped, one message each.
    const QStringList &problems() const { return m_problems; }

    // The time planned between one talk's end and the next one's start
    // where the next has no start time of its own.
    int changeoverSeconds() const { return m_changeover; }
    // Returns why it could not be kept for the next run, or an empty string.
    QString setChangeoverSeconds(int seconds);

signals:
    void changed();

private:
    void take(const ProgrammeRead &read);

    QList<Talk> m_talks;
    QStringList m_problems;
    int m_current = -1;
    bool m_rememberFailed = false;
    int m_changeover = 0;
};

// Writes talks as the working folder's programme, whole or not at all, and
// marks the first of them as the current talk. Returns why not, or an empty
// string.
QString writeProgrammeFiles(const QList<Talk> &talks);

// The first few problems, as many as a message holds.
QString problemSummary(const QStringList &problems);

// What the file of the current talk holds, and which talk of a programme it
// names: the first one unless the number, title and speaker all match.
QByteArray currentTalkMark(int index, const Talk &talk);
int rememberedTalk(const QByteArray &mark, const QList<Talk> &talks);

} // namespace programme
