#include "platform/file_lookup.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

bool foundExactly(const QString &name)
{
    return QDir::current().entryList({name}, QDir::Files | QDir::Hidden, QDir::NoSort).contains(name);
}

QString programFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace platform
