#include "report/log_reader.h"
#include "report/report_files.h"
#include "report/session_report.h"
#include "settings/cp932.h"

#include "fakes/files.h"

#include <QProcess>
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

QString withoutSpace(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    void sessionArithmetic_data();
    void sessionArithmetic();
    void formsHoldEveryTitle();
};

void TestReport::sessionArithmetic_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("range"); // "from-to", or empty
    // talks|over|total overtime|median|longest|its title|paused
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QString>("drift");  // offsets at each start and at the end; "-" for none; empty: not compared
    QTest::addColumn<QString>("ends");   // planned end, actual end
    QTest::addColumn<QStringList>("leftOut"); // each problem's beginning

    QTest::newRow("older log without planned starts: the overtime summed talk by talk")
        << QByteArray("\xEF\xBB\xBF" + Header + "\r\n"
                      "2026-12-07,10:00:00,10:12:10,A,a,600,120,720,0,1,10\r\n"
                      "2026-12-07,10:14:00,10:27:00,B,b,600,120,780,60,0,0\r\n"
                      "2026-12-07,10:28:00,10:40:35,C,c,600,120,750,30,2,5\r\n")
        << "2026-12-07" << "" << "3|2|90|45|60|B|15" << "0,0,60,90" << "10:39:05 10:40:35" << QStringList{};
    QTest::newRow("planned starts: offsets from them; odd count over gives the middle one")
        << QByteArray(Header + ",planned_start\r\n"
                      "2026-12-07,13:01:30,13:14:20,A,a,600,120,770,50,0,0,13:00:00\r\n"
                      "2026-12-07,13:16:00,13:30:20,B,b,600,120,860,140,0,0,13:13:00\r\n"
                      "2026-12-07,13:31:00,13:43:00,C,c,600,120,720,0,0,0,13:26:00\r\n"
                      "2026-12-07,13:44:00,13:56:20,D,d,600,120,740,20,0,0,13:39:00\r\n")
        << "2026-12-07" << "" << "4|3|210|50|140|B|0" << "90,180,300,300,320" << "13:51:00 13:56:20"
        << QStringList{};
    QTest::newRow("even count over: the median halfway; a talk without planned start has no offset")
        << QByteArray(Header + ",planned_start\r\n"
                      "2026-12-07,09:00:00,09:11:00,A,a,600,0,660,60,0,0,09:00:00\r\n"
                      "2026-12-07,09:12:00,09:24:01,B,b,600,60,721,61,0,0,\r\n"
                      "2026-12-07,09:25:00,09:35:00,C,c,600,0,600,0,0,0,09:20:00\r\n")
        << "2026-12-07" << "" << "3|2|121|60.5|61|B|0" << "0,-,300,300" << "9:30:00 9:35:00" << QStringList{};
    QTest::newRow("spreadsheet: code page 932, columns moved, missing and extra, blank lines, text for a number")
        << encodeCp932(QStringLiteral(
               "speaker,title,date,start,presentation_s,discussion_s,elapsed_s,overtime_s,paused_s,メモ\r\n"
               "佐藤,量子ドット,2026/12/7,9:00,600,120,780,60,30,遅れ\r\n"
               "\r\n"
               ",,,,,,,\r\n"
               "田中,地震波,2026-12-07,09:15:00,600,120,abc,0\r\n"
               "鈴木,重力波,2026-12-07,09:30:00,600,120,700,0\r\n"
               "伊藤,欠け,2026-12-07,09:45:00,600\r\n"))
        << "2026-12-07" << "" << "2|1|60|60|60|量子ドット|30" << "0,60,60" << "9:40:40 9:41:40"
        << QStringList{"line 5:", "line 7:"};
    QTest::newRow("no header: the program's order; another date and a time range are left out")
        << QByteArray("2026-12-06,09:00:00,09:12:00,Old,o,600,120,720,0,0,0\r\n"
                      "2026-12-07,08:00:00,08:13:00,Early,e,600,120,780,60,0,0\r\n"
                      "2026-12-07,10:00:00,10:12:10,In,i,600,120,730,10,0,0\r\n"
                      "2026-12-07,12:30:00,12:43:00,Late,l,600,120,780,60,0,0\r\n")
        << "2026-12-07" << "09:00-12:00" << "1|1|10|10|10|In|0" << "0,10" << "10:12:00 10:12:10"
        << QStringList{};
    QTest::newRow("saved in code page 932, then a line appended in UTF-8; a title kept from formulas")
        << encodeCp932(QString::fromUtf8(Header + "\r\n2026-12-07,10:00:00,10:12:00,開会,阿部,600,120,720,0,0,0\r\n"))
               + QByteArray("2026-12-07,10:14:00,10:27:00,\"'=量子\",田中,600,120,780,60,0,0\r\n")
        << "2026-12-07" << "" << "2|1|60|60|60|=量子|0" << "" << "" << QStringList{};
    QTest::newRow("ten thousand lines") << manyRows() << "2026-12-07" << ""
                                        << "10000|10000|300000|30|30|T|20000" << "" << "" << QStringList{};
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

    QCOMPARE(QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                 .arg(r.talks.size())
                 .arg(r.talksOver)
                 .arg(r.totalOvertime)
                 .arg(r.medianOvertime ? QString::number(*r.medianOvertime) : QStringLiteral("-"))
                 .arg(r.longestOvertime)
                 .arg(r.longestTitle)
                 .arg(r.totalPaused),
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
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
