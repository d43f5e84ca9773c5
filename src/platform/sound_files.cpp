#include "platform/sound_files.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace platform {

SoundKind soundKindOf(const QString &fileName, const QByteArray &head)
{
    if (head.startsWith("MThd"))
        return SoundKind::Midi;
    // A RIFF file holds either wave audio or, rarely, a MIDI file wrapped as "RMID".
    if (head.startsWith("RIFF") && head.size() >= 12)
        return head.mid(8, 4) == "RMID" ? SoundKind::Midi : SoundKind::Sampled;
    if (head.size() >= 4)
        return SoundKind::Sampled;
    static const QStringList midiSuffixes{QStringLiteral("mid"), QStringLiteral("midi"), QStringLiteral("rmi"),
                                          QStringLiteral("kar")};
    return midiSuffixes.contains(QFileInfo(fileName).suffix(), Qt::CaseInsensitive) ? SoundKind::Midi
                                                                                     : SoundKind::Sampled;
}

QString soundFilePath(const QString &storedName)
{
    if (!storedName.contains(QLatin1Char('\\')) || QFileInfo::exists(storedName))
        return storedName;
    QString slashed = storedName;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo::exists(slashed) ? slashed : storedName;
}

QStringList defaultSoundFonts()
{
    return {QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"), QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
            QStringLiteral("/usr/share/sounds/sf3/default-GM.sf3"), QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2")};
}

QString firstExistingFile(const QString &searchList)
{
    static const QRegularExpression separators(QStringLiteral("[:;]"));
    const QStringList candidates = searchList.split(separators, Qt::SkipEmptyParts);
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

} // namespace platform
