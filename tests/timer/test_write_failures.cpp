// Real write failures on "exit": a read-only settings file, a read-only
// folder and a full disk. The folders are small file systems of their own,
// mounted for the test where the system allows it.

#include "fakes/files.h"
#include "fakes/form1_fixture.h"
#include "programme/talk_log.h"
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

// Fills every block that is left, then the crumbs that small files still
// find.
void fillDisk()
{
    for (const int size : {4096, 16}) {
        QFile filler(QStringLiteral("filler%1").arg(size));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(size, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
}

// Mounts a small file system of its own on the working folder and works in
// it; false where the system does not allow that.
bool mountSmallDisk(Mount &mount, const QString &leaveTo)
{
    const QString folder = QDir::currentPath();
    if (!run({QStringLiteral("mount"), QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
              QStringLiteral("size=64k"), QStringLiteral("tmpfs"), folder}))
        return false;
    mount.folder = folder;
    mount.leaveTo = leaveTo;
    QDir::setCurrent(folder); // into the new file system
    return true;
}

} // namespace

class TestWriteFailures : public QObject
{
    Q_OBJECT
private slots:
    void exitKeepsTheOldFile_data();
    void exitKeepsTheOldFile();
    void exitAsksAboutLogLines_data();
    void exitAsksAboutLogLines();
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
    if (failure != QLatin1String("file") && !mountSmallDisk(mount, f.previous))
        QSKIP("This system does not let the test mount a small file system.");
    const QByteArray old = serializeSettings(TimerSettingsRecord{});
    QVERIFY(writeFile(ConfigFileName, old));
    f.load();
    TimerSettings.PresentationTime = 900;

    if (failure == QLatin1String("file")) {
        QFile::setPermissions(ConfigFileName, QFileDevice::ReadOwner);
    } else if (failure == QLatin1String("folder")) {
        QVERIFY(run({QStringLiteral("mount"), QStringLiteral("-o"), QStringLiteral("remount,ro"), folder}));
    } else {
        fillDisk();
    }

    f.form->Command4_Click();
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages.first().contains(ConfigFileName), qPrintable(f.messages.first()));
    QVERIFY(f.form->isVisible());
    QCOMPARE(readAll(ConfigFileName), old);
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("Orlatim.cfg")),
             QStringList{ConfigFileName});
}

void TestWriteFailures::exitAsksAboutLogLines_data()
{
    QTest::addColumn<bool>("fullDisk"); // else a folder where the log should be
    QTest::addColumn<bool>("retry");
    QTest::addColumn<QString>("why");
    QTest::newRow("try again once the folder is fixed") << false << true << "";
    QTest::newRow("leave without them") << false << false << "";
    QTest::newRow("a full disk, said so; room made before exit") << true << true << "the disk is full";
}

void TestWriteFailures::exitAsksAboutLogLines()
{
    QFETCH(bool, fullDisk);
    QFETCH(bool, retry);
    QFETCH(QString, why);
    Form1Fixture f;
    Mount mount;
    if (fullDisk && !mountSmallDisk(mount, f.previous))
        QSKIP("This system does not let the test mount a small file system.");
    f.load();
    if (fullDisk)
        fillDisk();
    else
        QVERIFY(QDir().mkdir(programme::TalkLogFileName)); // no one can write it, not even root
    f.form->Command1_Click(); // start
    f.form->Command1_Click(); // pause
    f.form->Command4_Click(); // reset
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages.first().contains(why), qPrintable(f.messages.first()));
    // Room made before "exit", which writes the settings first.
    if (fullDisk)
        QVERIFY(QFile::remove(QStringLiteral("filler4096")));
    platform::setQuestionSink([&](const QString &text) {
        f.questions << text;
        if (retry)
            QDir().rmdir(programme::TalkLogFileName);
        return retry;
    });
    f.players.log.clear();
    f.form->Command4_Click(); // exit
    QCOMPARE(f.questions.size(), fullDisk ? 0 : 1);
    for (const QString &question : std::as_const(f.questions))
        QVERIFY2(question.contains(programme::TalkLogFileName), qPrintable(question));
    QCOMPARE(f.players.only(QStringLiteral("Close")).size(), 4); // it leaves either way
    QCOMPARE(readAll(programme::TalkLogFileName).count("\r\n"), retry ? 2 : 0);
}

QTEST_MAIN(TestWriteFailures)
#include "test_write_failures.moc"
