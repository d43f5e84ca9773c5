#include "stage/stage_file.h"

#include "settings/settings_store.h"

#include <QFile>
#include <QList>

namespace stage {

QString parseStageFile(const QByteArray &content)
{
    QString screen;
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray &line : lines) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && line.first(equals).trimmed() == "screen")
            screen = QString::fromUtf8(line.sliced(equals + 1)).trimmed();
    }
    return screen;
}

QByteArray serializeStageFile(const QString &screenName)
{
    // A name is one line of the file whatever the system calls the screen.
    QString name = screenName;
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return "[stage]\r\nscreen=" + name.trimmed().toUtf8() + "\r\n";
}

QString loadStageScreen()
{
    QFile file(StageFileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // One short line; anything much longer is not our file.
    return parseStageFile(file.read(4096));
}

QString saveStageScreen(const QString &screenName) { return writeWhole(StageFileName, serializeStageFile(screenName)); }

} // namespace stage
