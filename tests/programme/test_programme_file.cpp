#include "programme/programme_file.h"
#include "settings/cp932.h"

#include <QTest>

namespace {

QStringList described(const QList<programme::Talk> &talks)
{
    QStringList out;
    for (const programme::Talk &t : talks)
        out << QStringLiteral("%1|%2|%3|%4|%5")
                   .arg(t.title, t.speaker)
                   .arg(t.presentation)
                   .arg(t.discussion)
                   .arg(t.firstBell ? QString::number(*t.firstBell) : QStringLiteral("-"));
    return out;
}

} // namespace

class TestProgrammeFile : public QObject
{
    Q_OBJECT
private slots:
    void readsLines_data();
    void readsLines();
};

void TestProgrammeFile::readsLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("talks");
    QTest::addColumn<QStringList>("problemLines"); // each problem's beginning

    QTest::newRow("header, byte-order mark, m:ss, decimal minutes, no bell 1")
        << QByteArray("\xEF\xBB\xBFtitle,speaker,presentation,discussion,bell 1\r\n"
                      "Opening,\"Sato, H.\",12:30,3,10.25\r\n"
                      "Invited,Kim,25,5\r\n")
        << QStringList{"Opening|Sato, H.|750|180|615", "Invited|Kim|1500|300|-"} << QStringList{};
    QTest::newRow("code page 932, full-width digits")
        << encodeCp932(QStringLiteral("演題,講演者,発表,討論\r\n開会の辞,佐藤,１２.５,2.5,\r\n"))
        << QStringList{"開会の辞|佐藤|750|150|-"} << QStringList{};
    QTest::newRow("UTF-8 without a mark, a quoted line break and quote, LF ends")
        << QByteArray("\"A \"\"big\"\"\nday\",B,10,0:30,8:00,room 2\n\n")
        << QStringList{"A \"big\" day|B|600|30|480"} << QStringList{};
    QTest::newRow("bad lines are skipped with their numbers")
        << QByteArray("T1,S1,12,3\r\n"
                      "T2,S2,12;30,3\r\n"
                      "only,two\r\n"
                      ",,,\r\n"
                      "T3,S3,0,3\r\n"
                      "T4,S4,500,46\r\n"
                      "T5,S5,12,3,soon\r\n"
                      "T6,S6,-1,3\r\n"
                      "T7,S7,1:75,3\r\n"
                      "Last,L,1,1\r\n"
                      "\"open,S,1,1\r\n")
        << QStringList{"T1|S1|720|180|-", "Last|L|60|60|-"}
        << QStringList{"line 2:", "line 3:", "line 5:", "line 6:", "line 7:", "line 8:", "line 9:", "line 11:"};
    QTest::newRow("neither UTF-8 nor code page 932") << QByteArray("T,S,1,1\r\n\x82\xFF") << QStringList{}
                                                     << QStringList{"the file"};
}

void TestProgrammeFile::readsLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, talks);
    QFETCH(QStringList, problemLines);
    const programme::ProgrammeRead read = programme::readProgramme(file);
    QCOMPARE(described(read.talks), talks);
    QCOMPARE(read.problems.size(), problemLines.size());
    for (int i = 0; i < problemLines.size(); ++i)
        QVERIFY2(read.problems[i].startsWith(problemLines[i]), qPrintable(read.problems[i]));
}

QTEST_GUILESS_MAIN(TestProgrammeFile)
#include "test_programme_file.moc"
