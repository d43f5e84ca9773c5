#include "fakes/files.h"
#include "fakes/form1_fixture.h"
#include "programme/programme.h"
#include "programme/talk_log.h"

#include <QPushButton>
#include <QTest>

class TestSession : public QObject
{
    Q_OBJECT
private slots:
    void logsTheTalkThatRan();
    void nudgeRingsABellInsideTheJumpOnce();
    void logKeepsTheColumnsItWasBegunWith();
};

void TestSession::logsTheTalkThatRan()
{
    Form1Fixture f;
    QVERIFY(writeFile(programme::ProgrammeFileName, "Opening,\"Sato, H.\",12:30,3\r\nNext,Kim,7,0\r\n"));
    const QDateTime nine(QDate(2026, 3, 14), QTime(9, 0));
    QDateTime now = nine;
    f.form->talkLog().setClock([&now] { return now; });
    f.load();
    // The talk's times as typed in seconds, though the boxes show minutes.
    QCOMPARE(TimerSettings.PresentationTime, int16_t(750));
    QCOMPARE(TotalTime, int16_t(930));

    f.form->Command1_Click(); // start
    f.runSeconds(5);
    now = nine.addSecs(5);
    f.form->Command1_Click(); // pause
    now = nine.addSecs(65);
    f.form->Command1_Click(); // contn.
    f.runSeconds(3);
    f.form->nudge(10);
    now = nine.addSecs(68);
    f.form->Command1_Click(); // pause
    f.form->takeTalk(1);      // refused: the talk is paused
    QCOMPARE(f.form->sessionProgramme().currentIndex(), 0);
    f.form->Command4_Click(); // reset
    f.form->takeTalk(1);
    QCOMPARE(TimerSettings.PresentationTime, int16_t(420));
    // Bell 1 at 420 meets bell 2 and moves a whole minute back, the step of
    // boxes that show minutes.
    QCOMPARE(TimerSettings.FirstBellTime, int16_t(360));

    QCOMPARE(readAll(programme::TalkLogFileName),
             QByteArray("\xEF\xBB\xBF"
                        "date,start,end,title,speaker,presentation_s,discussion_s,elapsed_s,overtime_s,pauses,paused_s,"
                        "planned_start\r\n"
                        "2026-03-14,09:00:00,09:01:08,Opening,\"Sato, H.\",750,180,18,0,1,60,\r\n"));
    QVERIFY(f.messages.isEmpty());
}

void TestSession::nudgeRingsABellInsideTheJumpOnce()
{
    Form1Fixture f;
    f.load();
    f.form->nudge(10); // idle: nothing
    QCOMPARE(ElapsedSeconds, 0);
    f.form->Command1_Click();
    f.runSeconds(415);
    f.players.log.clear();
    f.form->nudge(10);
    QCOMPARE(ElapsedSeconds, 425);
    QCOMPARE(f.players.only(QStringLiteral("Play")), QStringList{"Play 1"});
    QCOMPARE(f.form->display().digit(4).text() + f.form->display().digit(5).text(), QStringLiteral("55"));
    f.form->nudge(-10);
    f.runSeconds(4);
    QCOMPARE(f.players.only(QStringLiteral("Play")), QStringList{"Play 1"});
    f.runSeconds(1);
    QCOMPARE(f.players.only(QStringLiteral("Play")), QStringList({"Play 1", "Play 1"}));
    f.form->Command1_Click(); // pause
    f.form->nudge(-500);
    QCOMPARE(ElapsedSeconds, 0);
}

void TestSession::logKeepsTheColumnsItWasBegunWith()
{
    Form1Fixture f; // for its empty working folder
    const QDateTime nine(QDate(2026, 3, 14), QTime(9, 0));
    const auto runTalk = [&nine] {
        programme::TalkLog log;
        log.setClock([&nine] { return nine; });
        log.started(QStringLiteral("Late"), QStringLiteral("Ito"), 24 * 3600 + 10 * 60);
        log.paused();
        log.finished(0, 600, 0, 600);
        return log.write();
    };
    const QByteArray older("date,start,end,title,speaker,presentation_s,discussion_s,elapsed_s,overtime_s,pauses,"
                           "paused_s\r\n");
    QVERIFY(writeFile(programme::TalkLogFileName, older));
    QCOMPARE(runTalk(), QString());
    QCOMPARE(readAll(programme::TalkLogFileName), older + "2026-03-14,09:00:00,09:00:00,Late,Ito,600,0,0,0,0,0\r\n");

    QVERIFY(QFile::remove(programme::TalkLogFileName));
    QCOMPARE(runTalk(), QString());
    QVERIFY(readAll(programme::TalkLogFileName)
                .endsWith(",planned_start\r\n2026-03-14,09:00:00,09:00:00,Late,Ito,600,0,0,0,0,0,00:10:00\r\n"));
}

QTEST_MAIN(TestSession)
#include "test_session.moc"
