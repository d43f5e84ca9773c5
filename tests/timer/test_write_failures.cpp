// Real write failures on "exit": a read-only settings file, a read-only
// folder and a full disk. The folders are small file systems of their own,
// mounted for the test where the system allows it.

#include "fakes/files.h"
#include "fakes/form1_fixture.h"
#include "settings/config_file.h"
#include "settings/settings_store.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

bool run(const QStringList &command)
{
    return QProcess::execute(command.first(), command.mid(1)) == 0;
}

// Unmounts the test's file system however the test ends.
struct Mount {
    QString folder;
    QString leaveTo;
    ~Mount()
    {
        if (folder.isEmpty())
            return;
        QDir::setCurrent(leaveTo);
        run({QStringLiteral("umount"), folder});
    }
};

} // namespace

class TestWriteFailures : public QObject
{
    Q_OBJECT
private slots:
    void exitKeepsTheOldFile_data();
    void exitKeepsTheOldFile();
};

void TestWriteFailures::exitKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("read-only file") << "file";
    QTest::newRow("read-only folder") << "folder";
    QTest::newRow("full disk") << "disk";
}

void TestWriteFailures::exitKeepsTheOldFile()
{
    QFETCH(QString, failure);
    Form1Fixture f;
    const QString folder = QDir::currentPath();
    Mount mount;
    if (failure != QLatin1String("file")) {
        if (!run({QStringLiteral("mount"), QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                  QStringLiteral("size=64k"), QStringLiteral("tmpfs"), folder}))
            QSKIP("This system does not let the test mount a small file system.");
        mount.folder = folder;
        mount.leaveTo = f.previous;
        QDir::setCurrent(folder); // into the new file system
    }
    const QByteArray old = serializeSettings(TimerSettingsRecord{});
    QVERIFY(writeFile(ConfigFileName, old));
    f.load();
    TimerSettings.PresentationTime = 900;

    if (failure == QLatin1String("file")) {
        QFile::setPermissions(ConfigFileName, QFileDevice::ReadOwner);
    } else if (failure == QLatin1String("folder")) {
        QVERIFY(run({QStringLiteral("mount"), QStringLiteral("-o"), QStringLiteral("remount,ro"), folder}));
    } else {
        // Fill every block that is left, then the crumbs that small files
        // still find.
        for (const int size : {4096, 16}) {
            QFile filler(QStringLiteral("filler%1").arg(size));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(size, 'x');
            while (filler.write(block) == block.size()) {
            }
        }
    }

    f.form->Command4_Click();
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages.first().contains(ConfigFileName), qPrintable(f.messages.first()));
    QVERIFY(f.form->isVisible());
    QCOMPARE(readAll(ConfigFileName), old);
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("Orlatim.cfg")),
             QStringList{ConfigFileName});
}

QTEST_MAIN(TestWriteFailures)
#include "test_write_failures.moc"
