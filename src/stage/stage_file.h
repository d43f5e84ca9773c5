#pragma once

#include <QByteArray>
#include <QString>

namespace stage {

// The stage window keeps its own file in the working folder, beside the
// others, so that the settings file keeps its fixed format.
inline const QString StageFileName = QStringLiteral("Orlatim-stage.ini");

// The screen the stage window goes to, by the name the system gives it, so
// that the choice follows the monitor and not its place in the list; empty
// for off. Unknown keys are ignored.
QString parseStageFile(const QByteArray &content);
QByteArray serializeStageFile(const QString &screenName);

// The file of the working folder; a missing one means off.
QString loadStageScreen();
// Empty on success, else a message naming the file.
QString saveStageScreen(const QString &screenName);

} // namespace stage
