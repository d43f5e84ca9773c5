#include "fakes/files.h"
#include "fakes/form1_fixture.h"
#include "programme/programme.h"
#include "programme/talk_log.h"
#include "report/log_reader.h"
#include "settings/cp932.h"

#include <QPushButton>
#include <QTest>

class TestSession : public QObject
{
    Q_OBJECT
private slots:
    void logsTheTalkThatRan();
    void logLinesAreWrittenWholeAndOnce();
    void nudgeRingsABellInsideTheJumpOnce();
    void logFollowsTheFileItContinues_data();
    void logFollowsTheFileItContinues();
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

void TestSession::logLinesAreWrittenWholeAndOnce()
{
    Form1Fixture f;
    f.load();
    int talks = 0;
    const auto runTalk = [&] {
        const int minute = talks++;
        f.form->talkLog().setClock([minute] { return QDateTime(QDate(2026, 3, 14), QTime(9, minute)); });
        f.form->Command1_Click(); // start
        f.form->Command1_Click(); // pause
        f.form->Command4_Click(); // reset
    };
    runTalk();
    const QByteArray first = readAll(programme::TalkLogFileName);
    {
        // The disk fills up in the middle of the next line.
        const FileSizeLimit full(first.size() + 10);
        runTalk();
        QCOMPARE(readAll(programme::TalkLogFileName), first);
        runTalk(); // the same failure is not reported twice in a row
        QCOMPARE(readAll(programme::TalkLogFileName), first);
    }
    QCOMPARE(f.messages.size(), 1);
    // The system's words for the write cut short, not "Unknown error".
    QVERIFY2(f.messages.first().startsWith(programme::TalkLogFileName + QStringLiteral(": File too large")),
             qPrintable(f.messages.first()));
    runTalk();
    const QByteArray log = readAll(programme::TalkLogFileName);
    QVERIFY(log.startsWith(first));
    QCOMPARE(log.mid(first.size()).split('\n').size() - 1, 3);
    for (const char *start : {"2026-03-14,09:01:00", "2026-03-14,09:02:00", "2026-03-14,09:03:00"})
        QCOMPARE(log.count(start), 1);
    {
        // A failure after a line was written is reported again.
        const FileSizeLimit full(log.size());
        runTalk();
    }
    QCOMPARE(f.messages.size(), 2);
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

namespace {
const QByteArray OldHeader("date,start,end,title,speaker,presentation_s,discussion_s,elapsed_s,overtime_s,pauses,"
                           "paused_s");
const QByteArray OldLine("2026-03-14,08:00:00,08:10:00,Early,Abe,600,0,600,0,0,0");
} // namespace

void TestSession::logFollowsTheFileItContinues_data()
{
    QTest::addColumn<QByteArray>("old"); // none: no log yet
    QTest::addColumn<QString>("title");
    QTest::addColumn<QByteArray>("log"); // after one more talk; the old file in UTF-8 where it was not
    QTest::addColumn<bool>("backup");

    const QByteArray line = ",600,0,0,0,0,0\r\n";
    QTest::newRow("a new log") << QByteArray() << "Late"
                               << "\xEF\xBB\xBF" + OldHeader + ",planned_start\r\n2026-03-14,09:00:00,09:00:00,Late,Ito"
                                      + line.chopped(2) + ",00:10:00\r\n"
                               << false;
    QTest::newRow("a log begun without planned starts")
        << OldHeader + "\r\n" << "Late" << OldHeader + "\r\n2026-03-14,09:00:00,09:00:00,Late,Ito" + line << false;
    QTest::newRow("columns moved, dropped and added by a spreadsheet")
        << QByteArray("speaker,title,date,start,presentation_s,discussion_s,elapsed_s,overtime_s,memo\r\n") << "Late"
        << QByteArray("speaker,title,date,start,presentation_s,discussion_s,elapsed_s,overtime_s,memo\r\n"
                      "Ito,Late,2026-03-14,09:00:00,600,0,0,0,\r\n")
        << false;
    QTest::newRow("the last line without its end")
        << OldHeader + "\r\n" + OldLine << "Late"
        << OldHeader + "\r\n" + OldLine + "\r\n2026-03-14,09:00:00,09:00:00,Late,Ito" + line << false;
    QTest::newRow("saved again in Shift_JIS: rewritten in UTF-8")
        << encodeCp932(QString::fromUtf8(OldHeader + "\r\n" + "2026-03-14,08:00:00,08:10:00,開会,阿部,600,0,600,0,0,0\r\n"))
        << "量子ドット"
        << "\xEF\xBB\xBF" + OldHeader + "\r\n2026-03-14,08:00:00,08:10:00,開会,阿部,600,0,600,0,0,0\r\n"
               "2026-03-14,09:00:00,09:00:00,量子ドット,Ito" + line
        << true;
    QTest::newRow("a title a spreadsheet would take for a formula")
        << OldHeader + "\r\n" << "=HYPERLINK(\"http://x\",\"y\")"
        << OldHeader + "\r\n2026-03-14,09:00:00,09:00:00,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",Ito" + line << false;
    QTest::newRow("a title that begins with an apostrophe and a minus")
        << OldHeader + "\r\n" << "'-40 °C' in Antarctica"
        << OldHeader + "\r\n2026-03-14,09:00:00,09:00:00,\"''-40 °C' in Antarctica\",Ito" + line << false;
}

void TestSession::logFollowsTheFileItContinues()
{
    QFETCH(QByteArray, old);
    QFETCH(QString, title);
    QFETCH(QByteArray, log);
    QFETCH(bool, backup);
    Form1Fixture f; // for its empty working folder
    if (!old.isEmpty())
        QVERIFY(writeFile(programme::TalkLogFileName, old));
    const QDateTime nine(QDate(2026, 3, 14), QTime(9, 0));
    programme::TalkLog talkLog;
    talkLog.setClock([&nine] { return nine; });
    talkLog.started(title, QStringLiteral("Ito"), 24 * 3600 + 10 * 60);
    talkLog.paused();
    talkLog.finished(0, 600, 0, 600);
    QCOMPARE(talkLog.write(), QString());

    QCOMPARE(readAll(programme::TalkLogFileName), log);
    QCOMPARE(readAll(programme::TalkLogFileName + QStringLiteral(".bak")), backup ? old : QByteArray());
    // The report reads every line back, the title as it was.
    const report::LogRead read = report::readTalkLog(log);
    QCOMPARE(read.problems, QStringList());
    QCOMPARE(read.rows.size(), log.count('\n') - 1);
    QCOMPARE(read.rows.last().title, title);
}

QTEST_MAIN(TestSession)
#include "test_session.moc"
