#include "fakes/files.h"
#include "fakes/form1_fixture.h"
#include "platform/quit_signals.h"
#include "platform/text_box.h"
#include "settings/config_file.h"
#include "settings/settings_store.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <csignal>

namespace {

QString captions(Form1 &form)
{
    return form.command(1).text() + QLatin1Char('/') + form.command(4).text() +
           (form.command(4).isHidden() ? QStringLiteral(" hidden") : QString());
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void startsInAnEmptyFolder();
    void startsWithTheSavedSettings();
    void unreadableSettingsAreReported();
    void runStatesFollowTheCaptions();
    void pauseKeepsTheUnfinishedSecond();
    void resetStopsTheMusicAndLeavesBells_data();
    void resetStopsTheMusicAndLeavesBells();
    void playersRewindAfterEachPlayback();
    void defaultTalkRingsEverySoundOnce();
    void clockRateChangesAtTheNextTick();
    void secondsCountedDuringARedrawAreNotLost();
    void exitWritesTheSettings();
    void exitThatCannotWriteStaysOpen();
    void closeBoxSavesNothing_data();
    void closeBoxSavesNothing();
    void settingsWindowOpensBesideARunningTalk();
    void keysActAsTheButtons_data();
    void keysActAsTheButtons();
    void keysInAnotherWindowLeaveTheClock();
    void f11TogglesFullScreen();
};

void TestForm1::startsInAnEmptyFolder()
{
    Form1Fixture f;
    f.load();
    QCOMPARE(f.form->windowTitle(), QStringLiteral("Velmora  Orlatim  ver 3.22"));
    QCOMPARE(captions(*f.form), QStringLiteral("start/exit"));
    QCOMPARE(f.form->command(2).text(), QStringLiteral("?"));
    QCOMPARE(f.form->command(3).text(), QStringLiteral("cfg."));
    QCOMPARE(TimerSettings, TimerSettingsRecord{});
    QCOMPARE(TotalTime, int16_t(600));
    QVERIFY(!QFile::exists(ConfigFileName));
    QCOMPARE(readAll(QStringLiteral("Orlatim.clk")), QByteArray("18000\r\n"));
    QCOMPARE(f.players.log.mid(0, 8),
             QStringList({"File 1 Varo-bell1.wav", "Open 1", "File 2 Varo-bell2.wav", "Open 2",
                          "File 3 Varo-bell3.wav", "Open 3", "File 4 Varo-sound.mid", "Open 4"}));
    QCOMPARE(f.form->display().digit(1).text() + f.form->display().digit(2).text(), QStringLiteral("10"));
    QVERIFY(f.messages.isEmpty());
}

void TestForm1::startsWithTheSavedSettings()
{
    Form1Fixture f;
    TimerSettingsRecord saved;
    saved.PresentationTime = 900;
    saved.CountDown = 0;
    QVERIFY(writeFile(ConfigFileName, serializeSettings(saved)));
    f.load();
    QCOMPARE(TimerSettings, saved);
    QCOMPARE(TotalTime, int16_t(1020));
}

void TestForm1::unreadableSettingsAreReported()
{
    Form1Fixture f;
    QVERIFY(writeFile(ConfigFileName, "480,120,420\r\n"));
    f.load();
    QCOMPARE(TimerSettings, TimerSettingsRecord{});
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.messages.first().contains(ConfigFileName));
}

void TestForm1::runStatesFollowTheCaptions()
{
    Form1Fixture f;
    f.load();
    Form1 &form = *f.form;
    form.Command1_Click();
    QCOMPARE(captions(form), QStringLiteral("pause/reset hidden"));
    QCOMPARE(RunState, int16_t(1));
    f.runSeconds(3);
    QCOMPARE(ElapsedSeconds, 3);
    form.Command1_Click();
    QCOMPARE(captions(form), QStringLiteral("contn./reset"));
    f.runSeconds(5);
    QCOMPARE(ElapsedSeconds, 3);
    form.Command1_Click();
    QCOMPARE(captions(form), QStringLiteral("pause/reset hidden"));
    f.runSeconds(1);
    QCOMPARE(ElapsedSeconds, 4);
    form.Command1_Click();
    form.Command4_Click();
    QCOMPARE(captions(form), QStringLiteral("start/exit"));
    QCOMPARE(ElapsedSeconds, 0);
    QCOMPARE(form.display().digit(1).text() + form.display().digit(2).text(), QStringLiteral("10"));
    form.command(1).setText(QStringLiteral("other"));
    form.Command1_Click();
    QCOMPARE(RunState, int16_t(0));
}

void TestForm1::pauseKeepsTheUnfinishedSecond()
{
    Form1Fixture f;
    f.load();
    f.form->Command1_Click();
    f.runSeconds(100);
    for (int i = 0; i < 60; ++i)
        f.form->Timer1_Timer();
    f.form->Command1_Click();
    f.form->Command1_Click();
    for (int i = 0; i < 39; ++i)
        f.form->Timer1_Timer();
    QCOMPARE(ElapsedSeconds, 100);
    f.form->Timer1_Timer();
    QCOMPARE(ElapsedSeconds, 101);
}

void TestForm1::resetStopsTheMusicAndLeavesBells_data()
{
    QTest::addColumn<int>("seconds"); // run for, from "start"
    QTest::addColumn<int>("nudge");   // 0: pause and reset instead
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("reset") << 780 << 0 << QStringList{"Stop 4"};
    QTest::newRow("back before the music's second") << 785 << -10 << QStringList{"Stop 4"};
    QTest::newRow("back, still past the music's second") << 795 << -10 << QStringList{};
    QTest::newRow("back before it starts") << 775 << -10 << QStringList{};
}

void TestForm1::resetStopsTheMusicAndLeavesBells()
{
    QFETCH(int, seconds);
    QFETCH(int, nudge);
    QFETCH(QStringList, sent);
    Form1Fixture f;
    f.load();
    f.form->Command1_Click();
    f.runSeconds(seconds);
    if (nudge == 0)
        f.form->Command1_Click();
    f.players.log.clear();
    if (nudge == 0)
        f.form->Command4_Click();
    else
        f.form->nudge(nudge);
    QCOMPARE(f.players.log, sent);
}

void TestForm1::playersRewindAfterEachPlayback()
{
    Form1Fixture f;
    f.load();
    f.players.log.clear();
    emit f.players.done(3, 1);
    QCOMPARE(f.players.log, QStringList({"Prev 3", "Stop 3"}));
}

void TestForm1::defaultTalkRingsEverySoundOnce()
{
    Form1Fixture f;
    f.load();
    f.form->Command1_Click();
    QStringList heard;
    for (int second = 1; second <= 790; ++second) {
        f.players.log.clear();
        f.runSeconds(1);
        for (const QString &play : f.players.only(QStringLiteral("Play")))
            heard << QStringLiteral("%1 %2").arg(second).arg(play);
    }
    QCOMPARE(heard, QStringList({"420 Play 1", "480 Play 2", "600 Play 3", "660 Play 3", "720 Play 3",
                                 "780 Play 4", "780 Play 3"}));
    QCOMPARE(f.form->display().message().text(), QStringLiteral("時間超過"));
}

void TestForm1::clockRateChangesAtTheNextTick()
{
    Form1Fixture f;
    f.load();
    f.form->Command1_Click();
    for (int i = 0; i < 30; ++i)
        f.form->Timer1_Timer();
    TicksPerSecond = 10; // applied by the clock correction mid-second
    f.form->Timer1_Timer();
    QCOMPARE(ElapsedSeconds, 1);
    for (int i = 0; i < 10; ++i)
        f.form->Timer1_Timer();
    QCOMPARE(ElapsedSeconds, 2);
}

void TestForm1::secondsCountedDuringARedrawAreNotLost()
{
    Form1Fixture f;
    f.load();
    f.form->Command1_Click();
    f.runSeconds(418);
    // While the next second is drawn, the event loop runs and three more
    // seconds' worth of ticks arrive: as after a held-up event loop.
    bool injected = false;
    QMetaObject::invokeMethod(
        f.form.get(),
        [&] {
            if (injected)
                return;
            injected = true;
            for (int i = 0; i < 3 * TicksPerSecond; ++i)
                f.form->Timer1_Timer();
        },
        Qt::QueuedConnection);
    f.players.log.clear();
    f.runSeconds(1);
    QVERIFY(injected);
    QCOMPARE(ElapsedSeconds, 422);
    QCOMPARE(f.players.only(QStringLiteral("Play")), QStringList({"Play 1"}));
    QCOMPARE(f.form->display().digit(4).text() + f.form->display().digit(5).text(), QStringLiteral("58"));
}

void TestForm1::exitWritesTheSettings()
{
    Form1Fixture f;
    f.load();
    TimerSettings.ShowTimeLine = 1;
    f.players.log.clear();
    f.form->Command4_Click();
    QCOMPARE(f.players.log, QStringList({"Close 1", "Close 2", "Close 3", "Close 4"}));
    QCOMPARE(readAll(ConfigFileName), serializeSettings(TimerSettings));
}

void TestForm1::exitThatCannotWriteStaysOpen()
{
    Form1Fixture f;
    f.load();
    const QByteArray old = serializeSettings(TimerSettingsRecord{});
    QVERIFY(writeFile(ConfigFileName, old));
    QFile::setPermissions(ConfigFileName, QFileDevice::ReadOwner);
    TimerSettings.CountDown = 0;
    f.players.log.clear();
    f.form->Command4_Click();
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.messages.first().contains(ConfigFileName));
    QVERIFY(f.players.log.isEmpty());
    QVERIFY(f.form->isVisible());
    QCOMPARE(readAll(ConfigFileName), old);
}

void TestForm1::closeBoxSavesNothing_data()
{
    QTest::addColumn<QString>("talk");
    QTest::addColumn<bool>("bySignal");
    QTest::newRow("close box, idle") << "none" << false;
    QTest::newRow("close box, talk running") << "running" << false;
    QTest::newRow("SIGTERM, talk paused") << "paused" << true;
}

// Only the talk's log line is written: the settings file stays as it was.
void TestForm1::closeBoxSavesNothing()
{
    QFETCH(QString, talk);
    QFETCH(bool, bySignal);
    Form1Fixture f;
    f.load();
    TimerSettings.EnglishDisplay = 1;
    if (talk != QLatin1String("none")) {
        f.form->Command1_Click();
        f.runSeconds(3);
        if (talk == QLatin1String("paused"))
            f.form->Command1_Click();
    }
    f.players.log.clear();
    if (bySignal) {
        // Wired as the program wires it.
        const platform::QuitSignals quitSignals;
        connect(&quitSignals, &platform::QuitSignals::received, f.form.get(), &Form1::closeOnSignal);
        std::raise(SIGTERM);
        QCoreApplication::processEvents();
    } else {
        f.form->close();
    }
    QVERIFY(!f.form->isVisible());
    QVERIFY(!QFile::exists(ConfigFileName));
    QVERIFY(f.players.log.isEmpty());
    const QByteArray log = readAll(programme::TalkLogFileName);
    if (talk == QLatin1String("none"))
        QVERIFY(log.isEmpty());
    else
        QVERIFY2(log.endsWith(",480,120,3,0,0,0,\r\n"), log.constData());
}

void TestForm1::settingsWindowOpensBesideARunningTalk()
{
    Form1Fixture f;
    f.load();
    f.form->Command1_Click();
    f.runSeconds(2);
    f.form->Command3_Click();
    QPointer<Form2> first = f.form->settingsWindow();
    QVERIFY(first && first->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(first->pos(), QPoint(screen.width() - (422 + 50), screen.height() - (263 + 80)));
    QCOMPARE(RunState, int16_t(1));
    f.runSeconds(1);
    QCOMPARE(ElapsedSeconds, 3);

    first->Command1_Click(); // "close" hides and keeps the window
    QVERIFY(!first->isVisible());
    first->move(0, 0);
    f.form->Command3_Click();
    QCOMPARE(f.form->settingsWindow(), first.data());
    QCOMPARE(first->pos(), QPoint(screen.width() - 472, screen.height() - 343));

    first->close(); // the title bar's close discards it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    f.form->Command3_Click();
    QVERIFY(f.form->settingsWindow() && f.form->settingsWindow()->isVisible());
}

void TestForm1::keysActAsTheButtons_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("expected");
    QTest::newRow("space starts") << QList<int>{Qt::Key_Space} << "pause/reset hidden";
    QTest::newRow("enter pauses") << QList<int>{Qt::Key_Space, Qt::Key_Return} << "contn./reset";
    QTest::newRow("page down continues") << QList<int>{Qt::Key_Space, Qt::Key_Space, Qt::Key_PageDown}
                                         << "pause/reset hidden";
    QTest::newRow("escape while running does nothing") << QList<int>{Qt::Key_Space, Qt::Key_Escape}
                                                       << "pause/reset hidden";
    QTest::newRow("escape when paused resets") << QList<int>{Qt::Key_Space, Qt::Key_Space, Qt::Key_Escape}
                                               << "start/exit";
    QTest::newRow("backspace when idle does not exit") << QList<int>{Qt::Key_Backspace} << "start/exit";
}

void TestForm1::keysActAsTheButtons()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, expected);
    Form1Fixture f;
    f.load();
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    // Even with a button focused, Space is the start key, not that button's.
    f.form->command(3).setFocus();
    for (int key : keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(captions(*f.form), expected);
    QVERIFY(!f.form->settingsWindow());
    QVERIFY(!QFile::exists(ConfigFileName));
}

void TestForm1::keysInAnotherWindowLeaveTheClock()
{
    Form1Fixture f;
    f.load();
    f.form->Command3_Click();
    Form2 *settings = f.form->settingsWindow();
    settings->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(settings));
    QWidget *box = settings->text(1);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(captions(*f.form), QStringLiteral("start/exit"));
}

void TestForm1::f11TogglesFullScreen()
{
    Form1Fixture f;
    f.load();
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QTest::keyClick(f.form.get(), Qt::Key_F11);
    QVERIFY(f.form->isFullScreen());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTRY_COMPARE(f.form->size(), screen.size());
    QCOMPARE(f.form->command(1).parentWidget()->pos(), QPoint(screen.width() - 248, screen.height() - 40));
    QTest::mouseDClick(f.form.get(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!f.form->isFullScreen());
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
