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
                   .arg(t.firstBell ? QString::number(*t.firstBell) : QStringLiteral("-"))
                   + (t.start ? QLatin1Char('|') + t.start->toString(QStringLiteral("HH:mm:ss")) : QString());
    return out;
}

} // namespace

class TestProgrammeFile : public QObject
{
    Q_OBJECT
private slots:
    void readsLines_data();
    void readsLines();
    void readsWhatItWrites();
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
    QTest::newRow("a stray quote takes only its own line")
        << QByteArray("T1,S1,12,3\r\n\"Open, title,S2,12,3\r\nT3,\"S3\" ,10,2\r\n\"Stray,S4,10,2\r\nT5,S5,10,2\r\n")
        << QStringList{"T1|S1|720|180|-", "T3|S3|600|120|-", "T5|S5|600|120|-"} << QStringList{"line 2:", "line 4:"};
    QTest::newRow("Japanese names in any order, slots split by a fifth or the discussion given")
        << QByteArray("開始,氏名,演題,持ち時間,質疑\r\n"
                      "９：３０,佐藤,開会,１５,\r\n"
                      "9:45,Kim,講演,20,\r\n"
                      "10:05:30,Lee,Short,12,\r\n"
                      ",Ota,Fixed,15,5\r\n"
                      "25:00,Late,Late,15,\r\n"
                      "10:40,Ito,Closed,3,3\r\n")
        << QStringList{"開会|佐藤|720|180|-|09:30:00", "講演|Kim|960|240|-|09:45:00",
                       "Short|Lee|600|120|-|10:05:30", "Fixed|Ota|600|300|-"}
        << QStringList{"line 6:", "line 7:"};
    QTest::newRow("English names: a presentation alone, or with its slot")
        << QByteArray("Speaker,Bell 1,Presentation,Title,Slot\n"
                      "A,8,10,One,\n"
                      "B,,10,Two,15\n"
                      "C,,10,Three,8\n")
        << QStringList{"One|A|600|0|480", "Two|B|600|300|-"} << QStringList{"line 4:"};
    QTest::newRow("UTF-8 but for a bad byte: the line with it is skipped")
        << QByteArray("演題,発表者,発表,討論\r\n開会の辞,佐藤,10,2\r\nBad\xFF,Kim,10,2\r\n閉会,田中,5,0\r\n")
        << QStringList{"開会の辞|佐藤|600|120|-", "閉会|田中|300|0|-"} << QStringList{"line 3:"};
    QTest::newRow("ASCII but for a Latin-1 byte: only the line with it is skipped")
        << QByteArray("Opening,Chair,5,0\r\nTalk,M\xFCller,12,3\r\nLast,Kim,10,2\r\n")
        << QStringList{"Opening|Chair|300|0|-", "Last|Kim|600|120|-"} << QStringList{"line 2:"};
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

void TestProgrammeFile::readsWhatItWrites()
{
    const QList<programme::Talk> talks{
        {QStringLiteral("\"Quoted\", <b> & co, 1/2"), QStringLiteral("A / B"), 750, 180, std::nullopt, QTime(9, 30)},
        {QStringLiteral("演題"), QString(), 600, 0, int16_t(480), QTime(9, 45, 30)},
        {QStringLiteral("No start"), QStringLiteral("C"), 60, 1, std::nullopt, std::nullopt},
        // Shown as text by a spreadsheet, read back as they were.
        {QStringLiteral("=1+2"), QStringLiteral("@Sato"), 60, 0, std::nullopt, std::nullopt},
        {QStringLiteral("'=x"), QStringLiteral("-Kim"), 60, 0, std::nullopt, std::nullopt},
        {QStringLiteral("'Tis \"x\""), QStringLiteral("+81"), 60, 0, std::nullopt, std::nullopt},
    };
    const QByteArray bytes = programme::programmeFileBytes(talks);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBFtitle,speaker,presentation,discussion,start,bell 1\r\n"
                             "\"\"\"Quoted\"\", <b> & co, 1/2\",A / B,12:30,3,09:30,\r\n"));
    QVERIFY(bytes.contains("\r\n\"'=1+2\",\"'@Sato\",1,0,,\r\n\"''=x\",\"'-Kim\",1,0,,\r\n"
                           "\"'Tis \"\"x\"\"\",\"'+81\",1,0,,\r\n"));
    const programme::ProgrammeRead read = programme::readProgramme(bytes);
    QCOMPARE(read.problems, QStringList{});
    QCOMPARE(described(read.talks), described(talks));
}

QTEST_GUILESS_MAIN(TestProgrammeFile)
#include "test_programme_file.moc"
