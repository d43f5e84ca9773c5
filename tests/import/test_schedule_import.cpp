#include "import/schedule.h"

#include <QFile>
#include <QTest>

using schedule_import::ScheduleEntry;

namespace {

QStringList described(const QList<ScheduleEntry> &entries)
{
    QStringList out;
    for (const ScheduleEntry &e : entries)
        out << QStringLiteral("%1 %2 %3 %4|%5|%6%7")
                   .arg(e.day.toString(Qt::ISODate), e.start.toString(QStringLiteral("HH:mm")))
                   .arg(e.minutes)
                   .arg(e.room, e.title, e.speakers.join(QStringLiteral(" / ")),
                        e.isBreak ? QStringLiteral("|break") : QString());
    return out;
}

// The same two days of a conference in Tokyo, as each system writes them.
const QStringList symposium{
    QStringLiteral("2025-03-14 09:30 25 Room 201|Sensor arrays in practice|Lena Vogt"),
    QStringLiteral("2025-03-14 09:30 30 Hall A|Opening: why \"fast\" clocks drift, & how <we> fix them|Hana Sato / Kenji Mori"),
    QStringLiteral("2025-03-14 10:00 15 Hall A|Coffee break||break"),
    QStringLiteral("2025-03-14 10:15 20 Hall A|音声認識の最新動向|山田 太郎"),
    QStringLiteral("2025-03-15 09:00 45 Hall A|Keynote: Listening machines|Amir Haddad"),
    QStringLiteral("2025-03-15 12:00 60 Hall A|Lunch||break"),
};

} // namespace

class TestScheduleImport : public QObject
{
    Q_OBJECT
private slots:
    void readsFiles_data();
    void readsFiles();
    void refusesBadInput_data();
    void refusesBadInput();
};

void TestScheduleImport::readsFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("entries"); // in any order

    QTest::newRow("pretalx XML") << "pretalx-schedule.xml" << symposium;
    QTest::newRow("frab JSON") << "frab-schedule.json" << symposium;
}

void TestScheduleImport::readsFiles()
{
    QFETCH(QString, file);
    QFETCH(QStringList, entries);
    QFile in(QStringLiteral(SCHEDULE_DATA "/") + file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const schedule_import::ScheduleRead read = schedule_import::readSchedule(in.readAll(), file);
    QCOMPARE(read.error, QString());
    QStringList got = described(read.entries);
    got.sort();
    entries.sort();
    QCOMPARE(got, entries);
}

void TestScheduleImport::refusesBadInput_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message"); // its beginning: the file and the place

    QTest::newRow("XML cut short")
        << QByteArray("<schedule>\n<day date=\"2025-03-14\"><room name=\"A\"><event><title>T</title>\n</room>")
        << "bad, line 3, column 7: ";
    QTest::newRow("XML declaring entities that grow")
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE schedule [<!ENTITY a \"aaaaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>\n<schedule><event><title>&b;</title></event></schedule>")
        << "bad, line 2, column ";
    QTest::newRow("XML event without a duration")
        << QByteArray("<schedule><day date=\"2025-03-14\"><room name=\"A\">\n  <event id=\"1\"><title>T</title>"
                      "<start>09:00</start></event></room></day></schedule>")
        << "bad, line 2, column 16: ";
    QTest::newRow("JSON with a negative duration")
        << QByteArray(R"({"schedule": {"conference": {"days": [{"date": "2025-03-14", "rooms": {"Hall A": [)"
                      R"({"title": "T", "start": "09:00", "duration": "-00:10"}]}}]}}})")
        << "bad, schedule.conference.days[0].rooms[\"Hall A\"][0].duration: ";
    QTest::newRow("JSON broken")
        << QByteArray("{\"schedule\": {\n  \"conference\":\n    [}}")
        << "bad, line 3, column 7: ";
}

void TestScheduleImport::refusesBadInput()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    const schedule_import::ScheduleRead read = schedule_import::readSchedule(file, QStringLiteral("bad"));
    QVERIFY(read.entries.isEmpty());
    QVERIFY2(read.error.startsWith(message), qPrintable(read.error));
}

QTEST_GUILESS_MAIN(TestScheduleImport)
#include "test_schedule_import.moc"
