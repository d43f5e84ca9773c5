#include "report/day_report_service.h"
#include "report/log_file.h"
#include "report/log_reader.h"
#include "report/report_files.h"
#include "report/report_geometry.h"
#include "report/report_job.h"
#include "report/report_window.h"
#include "report/session_report.h"
#include "settings/cp932.h"

#include "fakes/files.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString hms(int seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

const QByteArray Header = "date,start,end,title,speaker,presentation_s,discussion_s,elapsed_s,overtime_s,pauses,paused_s";

QByteArray manyRows()
{
    QByteArray log = Header + "\r\n";
    for (int i = 0; i < 10000; ++i)
        log += "2026-12-07,09:00:00,09:12:30,T,S,600,120,750,30,1,2\r\n";
    return log;
}

// A day's worth of overtime in each of 25,000 talks: sums past 32 bits.
QByteArray yearOfOvertime()
{
    QByteArray log = Header + "\r\n";
    for (int i = 0; i < 25000; ++i)
        log += "2026-12-07,09:00:00,09:00:00,T,S,600,0,86400,86400,0,0\r\n";
    return log;
}

// The session as the program writes it: UTF-8 with its mark, CR LF, planned
// starts; the session of the 7th runs past midnight, the 8th has its own.
const QByteArray PastMidnight = "\xEF\xBB\xBF" + Header + ",planned_start\r\n"
                                "2026-12-06,10:00:00,10:12:00,Before,b,600,120,720,0,0,0,10:00:00\r\n"
                                "2026-12-07,23:40:00,23:52:00,Evening,e,600,120,720,0,0,0,23:40:00\r\n"
                                "2026-12-07,23:59:00,00:11:30,Late,l,600,60,690,30,0,0,23:58:00\r\n"
                                "2026-12-08,00:12:00,00:24:00,Night,n,600,60,720,60,0,0,00:10:00\r\n"
                                "2026-12-08,00:25:00,00:37:00,Dawn,d,600,60,720,60,0,0,00:22:00\r\n"
                                "2026-12-08,09:00:00,09:12:00,Morning,m,600,120,720,0,0,0,09:00:00\r\n";

QString withoutSpace(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    void sessionArithmetic_data();
    void sessionArithmetic();
    void words_data();
    void words();
    void fileSelection_data();
    void fileSelection();
    void serviceSharesOneBuild();
    void windowBuildsAside();
    void formsHoldEveryTitle();
};

void TestReport::sessionArithmetic_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("range"); // "from-to", or empty
    // talks|over|total overtime|median|longest|its title|paused|talks of 0:00
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QString>("drift");  // offsets at each start and at the end; "-" for none; empty: not compared
    QTest::addColumn<QString>("ends");   // planned end, actual end
    QTest::addColumn<QStringList>("leftOut"); // each problem's beginning

    QTest::newRow("older log without planned starts: the overtime summed talk by talk")
        << QByteArray("\xEF\xBB\xBF" + Header + "\r\n"
                      "2026-12-07,10:00:00,10:12:10,A,a,600,120,720,0,1,10\r\n"
                      "2026-12-07,10:14:00,10:27:00,B,b,600,120,780,60,0,0\r\n"
                      "2026-12-07,10:28:00,10:40:35,C,c,600,120,750,30,2,5\r\n")
        << "2026-12-07" << "" << "3|2|90|45|60|B|15|0" << "0,0,60,90" << "10:39:05 10:40:35" << QStringList{};
    QTest::newRow("planned starts: offsets from them; odd count over gives the middle one")
        << QByteArray(Header + ",planned_start\r\n"
                      "2026-12-07,13:01:30,13:14:20,A,a,600,120,770,50,0,0,13:00:00\r\n"
                      "2026-12-07,13:16:00,13:30:20,B,b,600,120,860,140,0,0,13:13:00\r\n"
                      "2026-12-07,13:31:00,13:43:00,C,c,600,120,720,0,0,0,13:26:00\r\n"
                      "2026-12-07,13:44:00,13:56:20,D,d,600,120,740,20,0,0,13:39:00\r\n")
        << "2026-12-07" << "" << "4|3|210|50|140|B|0|0" << "90,180,300,300,320" << "13:51:00 13:56:20"
        << QStringList{};
    QTest::newRow("even count over: the median halfway; a talk without planned start has no offset")
        << QByteArray(Header + ",planned_start\r\n"
                      "2026-12-07,09:00:00,09:11:00,A,a,600,0,660,60,0,0,09:00:00\r\n"
                      "2026-12-07,09:12:00,09:24:01,B,b,600,60,721,61,0,0,\r\n"
                      "2026-12-07,09:25:00,09:35:00,C,c,600,0,600,0,0,0,09:20:00\r\n")
        << "2026-12-07" << "" << "3|2|121|60.5|61|B|0|0" << "0,-,300,300" << "9:30:00 9:35:00" << QStringList{};
    QTest::newRow("spreadsheet: code page 932, columns moved, missing and extra, blank lines, text for a number")
        << encodeCp932(QStringLiteral(
               "speaker,title,date,start,presentation_s,discussion_s,elapsed_s,overtime_s,paused_s,メモ\r\n"
               "佐藤,量子ドット,2026/12/7,9:00,600,120,780,60,30,遅れ\r\n"
               "\r\n"
               ",,,,,,,\r\n"
               "田中,地震波,2026-12-07,09:15:00,600,120,abc,0\r\n"
               "鈴木,重力波,2026-12-07,09:30:00,600,120,700,0\r\n"
               "伊藤,欠け,2026-12-07,09:45:00,600\r\n"))
        << "2026-12-07" << "" << "2|1|60|60|60|量子ドット|30|0" << "0,60,60" << "9:40:40 9:41:40"
        << QStringList{"line 5:", "line 7:"};
    QTest::newRow("no header: the program's order; another date and a time range are left out")
        << QByteArray("2026-12-06,09:00:00,09:12:00,Old,o,600,120,720,0,0,0\r\n"
                      "2026-12-07,08:00:00,08:13:00,Early,e,600,120,780,60,0,0\r\n"
                      "2026-12-07,10:00:00,10:12:10,In,i,600,120,730,10,0,0\r\n"
                      "2026-12-07,12:30:00,12:43:00,Late,l,600,120,780,60,0,0\r\n")
        << "2026-12-07" << "09:00-12:00" << "1|1|10|10|10|In|0|0" << "0,10" << "10:12:00 10:12:10"
        << QStringList{};
    QTest::newRow("saved in code page 932, then a line appended in UTF-8; a title kept from formulas")
        << encodeCp932(QString::fromUtf8(Header + "\r\n2026-12-07,10:00:00,10:12:00,開会,阿部,600,120,720,0,0,0\r\n"))
               + QByteArray("2026-12-07,10:14:00,10:27:00,\"'=量子\",田中,600,120,780,60,0,0\r\n")
        << "2026-12-07" << "" << "2|1|60|60|60|=量子|0|0" << "" << "" << QStringList{};
    QTest::newRow("ten thousand lines") << manyRows() << "2026-12-07" << ""
                                        << "10000|10000|300000|30|30|T|20000|0" << "" << "" << QStringList{};
    QTest::newRow("a day of overtime in each of 25,000 talks: the sums do not overflow")
        << yearOfOvertime() << "2026-12-07" << "" << "25000|25000|2160000000|86400|86400|T|0|0" << "" << ""
        << QStringList{};
    QTest::newRow("a session past midnight stays on the day it started; planned starts past midnight too")
        << PastMidnight << "2026-12-07" << "" << "4|3|150|60|60|Night|0|0" << "0,60,120,180,240"
        << "24:33:00 24:37:00" << QStringList{};
    QTest::newRow("the next day's own session leaves the night to the day before")
        << PastMidnight << "2026-12-08" << "" << "1|0|0|-|0||0|0" << "0,0" << "9:12:00 9:12:00" << QStringList{};
    QTest::newRow("talks of 0:00 are listed but in no total")
        << QByteArray(Header + "\r\n"
                      "2026-12-07,10:00:00,10:00:00,Mistake,m,600,120,0,0,1,0\r\n"
                      "2026-12-07,10:00:05,10:13:05,Real,r,600,120,780,60,1,20\r\n")
        << "2026-12-07" << "" << "2|1|60|60|60|Real|20|1" << "0,0,60" << "10:12:05 10:13:05" << QStringList{};
}

void TestReport::sessionArithmetic()
{
    QFETCH(QByteArray, log);
    QFETCH(QString, date);
    QFETCH(QString, range);
    QFETCH(QString, totals);
    QFETCH(QString, drift);
    QFETCH(QString, ends);
    QFETCH(QStringList, leftOut);

    const report::LogRead read = report::readTalkLog(log);
    std::optional<QTime> from, to;
    if (!range.isEmpty()) {
        from = QTime::fromString(range.section(QLatin1Char('-'), 0, 0), QStringLiteral("HH:mm"));
        to = QTime::fromString(range.section(QLatin1Char('-'), 1, 1), QStringLiteral("HH:mm"));
    }
    const report::SessionReport r =
        report::sessionReport(read.rows, QDate::fromString(date, Qt::ISODate), from, to);

    QCOMPARE(QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
                 .arg(r.talks.size())
                 .arg(r.talksOver)
                 .arg(r.totalOvertime)
                 .arg(r.medianOvertime ? QString::number(*r.medianOvertime) : QStringLiteral("-"))
                 .arg(r.longestOvertime)
                 .arg(r.longestTitle)
                 .arg(r.totalPaused)
                 .arg(r.emptyTalks),
             totals);
    if (!drift.isEmpty()) {
        QStringList offsets;
        for (const std::optional<int> &offset : r.drift)
            offsets << (offset ? QString::number(*offset) : QStringLiteral("-"));
        QCOMPARE(offsets.join(QLatin1Char(',')), drift);
        QCOMPARE(hms(r.plannedEnd) + QLatin1Char(' ') + hms(r.actualEnd), ends);
    }
    QCOMPARE(read.problems.size(), leftOut.size());
    for (int i = 0; i < leftOut.size(); ++i)
        QVERIFY2(read.problems[i].startsWith(leftOut[i]), qPrintable(read.problems[i]));

    // Whatever the range, the chart keeps a few lines and labels.
    const report::DriftPlot plot = report::driftPlot(r, QRectF(0, 0, 1500, 400));
    QVERIFY2(plot.minuteLines.size() <= 10, qPrintable(QString::number(plot.minuteLines.size())));
    QVERIFY2(plot.talkLabels.size() <= 13, qPrintable(QString::number(plot.talkLabels.size())));
}

void TestReport::words_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");

    report::LogRow talk;
    talk.pauses = 1;
    QTest::newRow("a pause of 0:00 is not listed") << report::pausesText(talk) << "";
    talk.pauses = 2;
    talk.pausedSeconds = 3930;
    QTest::newRow("an hour or more reads as hours") << report::pausesText(talk) << "2× 1:05:30";
    QTest::newRow("early by an hour") << report::signedMinutesSeconds(-3600) << "-1:00:00";
    QTest::newRow("late by less") << report::signedMinutesSeconds(3599) << "+59:59";

    report::SessionReport one;
    one.talks << report::LogRow{QDate(2026, 12, 7), QTime(9, 0)};
    one.actualEnd = 9 * 3600 + 600;
    one.emptyTalks = 1;
    QTest::newRow("one talk") << report::reportSubheading(one) << "1 talk from 09:00 to 09:10";
    QTest::newRow("one talk of 0:00") << report::reportNotes(one).join(QLatin1Char('|'))
                                      << "1 talk of 0:00 (started by mistake) is listed but left out of the totals.";
    QTest::newRow("one line left out") << report::leftOutLines({QStringLiteral("line 3: no date")}, 3).constFirst()
                                       << "1 line of the log was left out:";
    one.talks << one.talks;
    one.logCut = true;
    one.emptyTalks = 0;
    QTest::newRow("two talks, a log too long") << report::reportSubheading(one) + QLatin1Char('|')
                                                      + report::reportNotes(one).join(QLatin1Char('|'))
                                               << "2 talks from 09:00 to 09:10|The log is longer than 64 MiB: this "
                                                  "report holds only the talks in its first 64 MiB.";
}

void TestReport::words()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

void TestReport::fileSelection_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("date");     // empty: the latest
    QTest::addColumn<QString>("day");      // the report's
    QTest::addColumn<QString>("titles");   // the talks, in order; "=N" for their number
    QTest::addColumn<QStringList>("leftOut"); // each problem's beginning
    QTest::addColumn<bool>("cut");

    QTest::newRow("the latest session started the day before the log's last date")
        << PastMidnight.left(PastMidnight.lastIndexOf("2026-12-08,09")) << "" << "2026-12-07" << "Evening Late Night Dawn"
        << QStringList{} << false;
    QTest::newRow("the latest day, not a date written in a title")
        << QByteArray(PastMidnight + "2026-12-08,09:20:00,09:32:00,Results due 2031/1/5,r,600,120,720,0,0,0,\r\n")
        << "" << "2026-12-08" << "Morning Results due 2031/1/5" << QStringList{} << false;
    // Saved again by a spreadsheet: code page 932, columns moved, a quoted
    // line break; the faulty line of another day is not read, that of the
    // day keeps its number.
    QTest::newRow("a spreadsheet's file: only the day's lines, numbered as in the file")
        << encodeCp932(QStringLiteral("title,speaker,date,start,presentation_s,discussion_s,elapsed_s,overtime_s\r\n"
                                      "\"古い\n発表\",a,2026/12/1,9:00,600,120,abc,0\r\n"
                                      "量子ドット,b,2026/12/7,9:00,600,120,720,0\r\n"
                                      "\"二行の\n題名\",c,2026/12/7,9:15,600,120,730,10\r\n"
                                      "壊れた行,d,2026/12/7,9:30,600,120,xyz,0\r\n"
                                      "次の日,e,2026/12/9,9:00,600,120,720,0\r\n"))
        << "2026-12-07" << "2026-12-07" << "量子ドット 二行の 題名" << QStringList{"line 7:"} << false;
    // Read a MiB at a time: a line far down keeps its number.
    QByteArray long_ = Header + "\n";
    for (int i = 0; i < 30000; ++i)
        long_ += "2026-12-07,09:00:00,09:12:00,T,t,600,120,720,0,0,0\n";
    long_ += "2026-12-06,09:00:00,09:12:00,Other,o,600,120,oops,0,0,0\n"
             "2026-12-07,09:00:00,09:12:00,T,t,600,120,wrong,0,0,0\n";
    QTest::newRow("a long day") << long_ << "2026-12-07" << "2026-12-07" << "=30000"
                                << QStringList{"line 30002:", "line 30003:"} << false;
    // A log over the limit: the day at its beginning is reported, what lies
    // past the limit is not read.
    QByteArray huge = Header + "\r\n2026-12-07,09:00:00,09:12:00,First,f,600,120,720,0,0,0\r\n";
    const QByteArray filler = "2026-01-01,09:00:00,09:12:00,Filler,f,600,120,720,0,0,0\r\n";
    huge += filler.repeated(int(report::MaxLogBytes / filler.size()));
    huge += "2026-12-07,10:00:00,10:12:00,Past the limit,p,600,120,720,0,0,0\r\n";
    QTest::newRow("a log longer than the limit") << huge << "2026-12-07" << "2026-12-07" << "First" << QStringList{}
                                                 << true;
}

void TestReport::fileSelection()
{
    QFETCH(QByteArray, log);
    QFETCH(QString, date);
    QFETCH(QString, day);
    QFETCH(QString, titles);
    QFETCH(QStringList, leftOut);
    QFETCH(bool, cut);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orlatim-log.csv"));
    QVERIFY(writeFile(path, log));
    const report::LoadedReport loaded = report::loadReport(
        path, date.isEmpty() ? std::nullopt : std::optional(QDate::fromString(date, Qt::ISODate)));
    QCOMPARE(loaded.error, QString());
    QCOMPARE(loaded.report.date.toString(Qt::ISODate), day);
    QStringList shown;
    for (const report::LogRow &talk : loaded.report.talks)
        shown << talk.title;
    if (titles.startsWith(QLatin1Char('=')))
        QCOMPARE(QString::number(shown.size()), titles.mid(1));
    else
        QCOMPARE(shown.join(QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')), titles);
    QCOMPARE(loaded.report.problems.size(), leftOut.size());
    for (int i = 0; i < leftOut.size(); ++i)
        QVERIFY2(loaded.report.problems[i].startsWith(leftOut[i]), qPrintable(loaded.report.problems[i]));
    QCOMPARE(loaded.report.logCut, cut);
}

// Requests that arrive while a page is built share it; the page is kept
// until the log changes.
void TestReport::serviceSharesOneBuild()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orlatim-log.csv"));
    QVERIFY(writeFile(path, PastMidnight));
    report::DayReportService service(path);
    QList<QByteArray> pages;
    const auto ask = [&] { service.request(QDate(2026, 12, 7), [&](const QByteArray &page) { pages << page; }); };
    ask();
    ask();
    ask();
    QVERIFY2(pages.isEmpty(), "the reply comes later, never inside the request");
    constexpr int Limit = 60000;
    QTRY_VERIFY2_WITH_TIMEOUT(pages.size() == 3, "three replies within the 60 s allowed", Limit);
    QCOMPARE(service.builds(), 1);
    QVERIFY(pages[0].contains("Dawn") && pages[1] == pages[0] && pages[2] == pages[0]);
    ask();
    QTRY_VERIFY2_WITH_TIMEOUT(pages.size() == 4, "the kept page within the 60 s allowed", Limit);
    QCOMPARE(service.builds(), 1);

    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write("2026-12-08,00:40:00,00:52:00,Sunrise,s,600,60,720,60,0,0,00:38:00\r\n");
    file.close();
    ask();
    QTRY_VERIFY2_WITH_TIMEOUT(pages.size() == 5, "a new page within the 60 s allowed", Limit);
    QCOMPARE(service.builds(), 2);
    QVERIFY(pages[4].contains("Sunrise"));

    // Past midnight, today's report is the session still going on from the day before.
    QVERIFY(writeFile(path, PastMidnight.left(PastMidnight.lastIndexOf("2026-12-08,09"))));
    service.request(QDate(2026, 12, 8), [&](const QByteArray &page) { pages << page; });
    QTRY_VERIFY2_WITH_TIMEOUT(pages.size() == 6, "a new page within the 60 s allowed", Limit);
    QVERIFY(pages[5].contains("Session report, 2026-12-07") && pages[5].contains("Dawn"));
}

// The window is never held up by the log: it says so while the report is built.
void TestReport::windowBuildsAside()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orlatim-log.csv"));
    QVERIFY(writeFile(path, PastMidnight));
    report::ReportWindow window(nullptr);
    window.load(path);
    const auto saveButton = [&] {
        const auto buttons = window.findChildren<QPushButton *>();
        return buttons.isEmpty() ? nullptr : buttons.constFirst();
    };
    QVERIFY(saveButton() && !saveButton()->isEnabled());
    QVERIFY(!window.findChildren<QLabel *>().isEmpty());
    QCOMPARE(window.findChildren<QLabel *>().constFirst()->text(), QStringLiteral("building…"));
    QTRY_VERIFY2_WITH_TIMEOUT(saveButton()->isEnabled(), "the report within the 60 s allowed", 60000);
    // No line of the log was left out.
    QVERIFY(window.findChildren<QLabel *>().constFirst()->text().isEmpty());
}

void TestReport::formsHoldEveryTitle()
{
    const report::LogRead read = report::readTalkLog(readAll(QStringLiteral(REPORT_DATA "/session.csv")));
    const report::SessionReport session = report::sessionReport(read.rows, QDate(2026, 12, 7));
    QCOMPARE(session.talks.size(), 12);
    QTemporaryDir dir;
    const QString html = dir.filePath(QStringLiteral("report.html"));
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QCOMPARE(report::writeReport(session, html), QString());
    QCOMPARE(report::writeReport(session, pdf), QString());

    const QString page = QString::fromUtf8(readAll(html));
    QVERIFY(!page.contains(QLatin1String("<script")));
    QVERIFY(!page.contains(QLatin1String("http")));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY2(text.waitForFinished(30000) && text.exitCode() == 0, "pdftotext (poppler-utils) reads the PDF");
    const QString pdfText = withoutSpace(QString::fromUtf8(text.readAllStandardOutput()));
    for (const report::LogRow &talk : session.talks) {
        QVERIFY2(page.contains(talk.title.toHtmlEscaped()), qPrintable(talk.title));
        QVERIFY2(pdfText.contains(withoutSpace(talk.title)), qPrintable(talk.title));
    }

    // A long day: numbers of three digits whole beside their titles, a
    // title of thousands of characters shortened at once, and a day of
    // overtime whole in hours.
    QByteArray log = Header + "\r\n";
    for (int i = 1; i <= 120; ++i)
        log += "2026-12-07,09:00:00,09:12:00,\"" + (i == 3 ? QByteArray("Long title ").repeated(900) : "Talk " + QByteArray::number(i))
               + (i == 5 ? "\",s,600,120,86400,85680,0,0\r\n" : "\",s,600,120,720,0,0,0\r\n");
    const report::SessionReport day = report::sessionReport(report::readTalkLog(log).rows, QDate(2026, 12, 7));
    QCOMPARE(report::writeReport(day, pdf), QString());
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY2(text.waitForFinished(30000) && text.exitCode() == 0, "pdftotext (poppler-utils) reads the PDF");
    const QString dayText = withoutSpace(QString::fromUtf8(text.readAllStandardOutput()));
    for (const char *numbered : {"99Talk99", "100Talk100", "120Talk120", "24:00:00+23:48:00"})
        QVERIFY2(dayText.contains(QLatin1String(numbered)), numbered);
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
