#include "settings/settings_store.h"

#include "platform/file_lookup.h"
#include "settings/clock_file.h"
#include "settings/config_file.h"
#include "settings/declare.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Set when Orlatim.cfg could not be read, so that it is not lost unseen.
bool keepUnreadableSettings = false;

QString describe(const QString &name, const QString &what) { return QStringLiteral("%1: %2").arg(name, what); }

} // namespace

QString writeWhole(const QString &name, const QByteArray &content)
{
    const QFileInfo info(name);
    // The owner's write bit, not access(): a file marked read-only stays so
    // even for an administrator.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return describe(name, QStringLiteral("the file is read-only"));
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return describe(name, file.errorString());
    // commit() does not notice a buffered write that fails for want of
    // space, and would put an empty file in place of the old one.
    if (file.write(content) != content.size() || !file.flush()) {
        const QString error = describe(name, file.errorString());
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return describe(name, file.errorString());
    return {};
}

void SetDefaultSettings() { TimerSettings = TimerSettingsRecord{}; }

QString LoadSettings()
{
    QFile file(ConfigFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        SetDefaultSettings();
        keepUnreadableSettings = true;
        return describe(ConfigFileName, file.errorString()) + QStringLiteral("; the default settings are used.");
    }
    const SettingsParse parsed = parseSettings(file.readAll());
    if (!parsed.settings) {
        SetDefaultSettings();
        keepUnreadableSettings = true;
        return describe(ConfigFileName, parsed.error) +
               QStringLiteral("; the default settings are used. \"exit\" keeps the old file as %1.bak.")
                   .arg(ConfigFileName);
    }
    TimerSettings = *parsed.settings;
    keepUnreadableSettings = false;
    return {};
}

QString SaveSettings()
{
    if (keepUnreadableSettings && QFile::exists(ConfigFileName)) {
        const QString backup = ConfigFileName + QStringLiteral(".bak");
        QFile::remove(backup);
        if (!QFile::copy(ConfigFileName, backup))
            return describe(backup, QStringLiteral("the unreadable settings could not be kept"));
    }
    const QString error = writeWhole(ConfigFileName, serializeSettings(TimerSettings));
    if (error.isEmpty())
        keepUnreadableSettings = false;
    return error;
}

QString SaveClockCorrection() { return writeWhole(ClockFileName, serializeClockCorrection(ClockCorrection)); }

QString LoadClockCorrection()
{
    QString problem;
    std::optional<double> correction;
    if (platform::foundExactly(ClockFileName)) {
        QFile file(ClockFileName);
        if (file.open(QIODevice::ReadOnly))
            correction = parseClockCorrection(file.readAll());
        if (!correction)
            problem = describe(ClockFileName, QStringLiteral("holds no usable tick count; 18000 is used"));
    }
    ClockCorrection = correction.value_or(DefaultClockCorrection);
    TicksPerSecond = *ticksPerSecondFor(ClockCorrection);
    if (!correction) {
        const QString error = SaveClockCorrection();
        if (!error.isEmpty())
            problem = problem.isEmpty() ? error : problem + QLatin1Char('\n') + error;
    }
    return problem;
}
