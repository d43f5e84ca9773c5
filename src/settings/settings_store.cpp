#include "settings/settings_store.h"

#include "platform/file_lookup.h"
#include "settings/clock_file.h"
#include "settings/config_file.h"
#include "settings/declare.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Set when Orlatim.cfg could not be read, so that it is not lost unseen.
bool keepUnreadableSettings = false;

QString describe(const QString &name, const QString &what) { return QStringLiteral("%1: %2").arg(name, what); }

// Where a file that could not be used is kept before it is replaced.
QString backupName(const QString &name) { return name + QStringLiteral(".bak"); }

// Copies the file to its backup, replacing an older one only once the new
// copy is complete; an empty string when that worked, else what went wrong.
QString keepBackup(const QString &name)
{
    const QString backup = backupName(name);
    QFile original(name);
    QString error = original.open(QIODevice::ReadOnly) ? writeWhole(backup, original.readAll())
                                                       : describe(name, original.errorString());
    if (error.isEmpty())
        return {};
    return QCoreApplication::translate("SettingsStore", "%1; the unusable %2 could not be kept, so it is not replaced")
        .arg(error, name);
}

} // namespace

QString writeWhole(const QString &name, const QByteArray &content, QFileDevice::Permissions permissions)
{
    const QFileInfo info(name);
    // The owner's write bit, not access(): a file marked read-only stays so
    // even for an administrator.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return describe(name, QCoreApplication::translate("SettingsStore", "the file is read-only"));
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
    // Set on the new file before it takes the old one's place, so that a
    // secret is never readable by others, not even for a moment.
    if (permissions && !file.setPermissions(permissions)) {
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
        return QCoreApplication::translate("SettingsStore", "%1; the default settings are used.")
            .arg(describe(ConfigFileName, file.errorString()));
    }
    const SettingsParse parsed = parseSettings(file.readAll());
    if (!parsed.settings) {
        SetDefaultSettings();
        keepUnreadableSettings = true;
        return QCoreApplication::translate("SettingsStore",
                                           "%1; the default settings are used. \"exit\" keeps the old file as %2.")
            .arg(describe(ConfigFileName, parsed.error), backupName(ConfigFileName));
    }
    TimerSettings = *parsed.settings;
    keepUnreadableSettings = false;
    return {};
}

QString SaveSettings()
{
    if (keepUnreadableSettings && QFile::exists(ConfigFileName)) {
        const QString error = keepBackup(ConfigFileName);
        if (!error.isEmpty())
            return error;
    }
    const QString error = writeWhole(ConfigFileName, serializeSettings(TimerSettings));
    if (error.isEmpty())
        keepUnreadableSettings = false;
    return error;
}

QString SaveClockCorrection() { return writeWhole(ClockFileName, serializeClockCorrection(ClockCorrection)); }

QString LoadClockCorrection()
{
    QStringList problems;
    std::optional<double> correction;
    const bool present = platform::foundExactly(ClockFileName);
    if (present) {
        QFile file(ClockFileName);
        if (file.open(QIODevice::ReadOnly))
            correction = parseClockCorrection(file.readAll());
    }
    ClockCorrection = correction.value_or(DefaultClockCorrection);
    TicksPerSecond = *ticksPerSecondFor(ClockCorrection);
    if (correction) {
        problems << clockCorrectionNotice(ClockCorrection);
    } else if (!present) {
        problems << SaveClockCorrection();
    } else {
        // The file is rewritten at once, so what it held is kept first.
        const QString kept = keepBackup(ClockFileName);
        const QString saved = kept.isEmpty() ? SaveClockCorrection() : QString();
        if (kept.isEmpty() && saved.isEmpty())
            problems << QCoreApplication::translate(
                            "SettingsStore", "%1 holds no usable tick count; 18000 is used, and the old file is kept as %2.")
                            .arg(ClockFileName, backupName(ClockFileName));
        else
            problems << QCoreApplication::translate("SettingsStore", "%1 holds no usable tick count; 18000 is used.")
                            .arg(ClockFileName)
                     << kept << saved;
    }
    problems.removeAll(QString());
    return problems.join(QLatin1Char('\n'));
}
