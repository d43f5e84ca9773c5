#include "import/schedule.h"

#include <QFile>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTest>

#include <ctime>
#include <optional>

using schedule_import::ScheduleEntry;

namespace {

QStringList described(const QList<ScheduleEntry> &entries)
{
    QStringList out;
    for (const ScheduleEntry &e : entries)
        out << QStringLiteral("%1 %2%3 %4 %5|%6|%7%8%9")
                   .arg(e.day.toString(Qt::ISODate), e.start.toString(QStringLiteral("HH:mm")),
                        e.startDate.isValid() && e.startDate != e.day
                            ? QStringLiteral("(+%1)").arg(e.day.daysTo(e.startDate))
                            : QString())
                   .arg(e.minutes)
                   .arg(e.room, e.title, e.speakers.join(QStringLiteral(" / ")),
                        e.isBreak ? QStringLiteral("|break") : QString(),
                        e.unreadable.isEmpty() ? QString() : QStringLiteral("|unreadable: ") + e.unreadable);
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

// Two talks of a night in Brussels, the second after midnight, and another
// room's event that cannot be read.
const QStringList nightCamp{
    QStringLiteral("2026-02-07 23:30 40 Hall A|Moonlight radio|Ines Duarte"),
    QStringLiteral("2026-02-07 00:50(+1) 30 Hall A|Last words before sunrise|Tomas Berg"),
};

QByteArray readData(const QString &file)
{
    QFile in(QStringLiteral(SCHEDULE_DATA "/") + file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// As Windows saves "Unicode" text: UTF-16 with a byte-order mark.
QByteArray inUtf16(const QByteArray &utf8, QStringConverter::Encoding encoding)
{
    QStringEncoder encode(encoding, QStringEncoder::Flag::WriteBom);
    return encode(QString::fromUtf8(utf8));
}

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
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("zone"); // the laptop's; none: whatever the test runs in
    QTest::addColumn<QStringList>("entries"); // in any order

    const QByteArray pretalx = readData(QStringLiteral("pretalx-schedule.xml"));
    QTest::newRow("pretalx XML") << pretalx << QByteArray() << symposium;
    QTest::newRow("frab JSON") << readData(QStringLiteral("frab-schedule.json")) << QByteArray() << symposium;
    QTest::newRow("XML in UTF-16, little-endian")
        << inUtf16(QByteArray(pretalx).replace("encoding='utf-8'", "encoding='utf-16'"), QStringConverter::Utf16LE)
        << QByteArray() << symposium;
    QTest::newRow("XML in UTF-16 that still declares UTF-8")
        << inUtf16(pretalx, QStringConverter::Utf16LE) << QByteArray() << symposium;
    QTest::newRow("JSON in UTF-16, big-endian")
        << inUtf16(readData(QStringLiteral("frab-schedule.json")), QStringConverter::Utf16BE) << QByteArray()
        << symposium;

    const QString workshop = QStringLiteral("2026-02-07 21:00 0 Workshop B|Open soldering||unreadable: line 55, "
                                            "column 72: the event has no <duration>");
    QTest::newRow("a day past midnight, pretalx XML")
        << readData(QStringLiteral("pretalx-past-midnight.xml")) << QByteArray()
        << nightCamp + QStringList{workshop, QStringLiteral("2026-02-08 11:00 30 Hall A|The morning after|Aiko Ueda")};
    QTest::newRow("a day past midnight, pretalx JSON")
        << readData(QStringLiteral("pretalx-past-midnight.json")) << QByteArray()
        << nightCamp + QStringList{QStringLiteral("2026-02-07 21:00 0 Workshop B|||unreadable: schedule.conference."
                                                  "days[0].rooms[\"Workshop B\"][0].title: a text is expected here")};
    QTest::newRow("starts without dates, ISO lengths, persons right under the event")
        << readData(QStringLiteral("frab-iso-durations.xml")) << QByteArray()
        << QStringList{nightCamp[0], QStringLiteral("2026-02-07 00:50(+1) 30 Hall A|Last words before sunrise|"
                                                    "Tomas Berg / Rui Faria")};

    QTest::newRow("iCalendar in UTC, speakers as attendees")
        << readData(QStringLiteral("app-export-utc.ics")) << QByteArray("Europe/Brussels")
        << QStringList{QStringLiteral("2026-02-07 14:05 40 Hall A|Packet radio for beginners|Ines Duarte / Berg, Tomas"),
                       QStringLiteral("2026-02-07 14:50 0 Hall A|Lightning talks||unreadable: the event on line 19: "
                                      "the event has neither an end (DTEND) nor a length (DURATION)"),
                       QStringLiteral("2026-02-07 15:10 25 Hall A|Satellites - a field guide|Aiko Ueda")};
    const QByteArray italy = readData(QStringLiteral("camp-italy.ics"));
    const QString untitled = QStringLiteral("Tenda Sud|||unreadable: the event on line 31: the event has no title (SUMMARY)");
    QTest::newRow("iCalendar in a named zone, on a laptop in that zone")
        << italy << QByteArray("Europe/Rome")
        << QStringList{QStringLiteral("2026-08-07 14:00 45 Tenda Nord|Reti mesh in montagna|Giulia Conti"),
                       QStringLiteral("2026-08-07 15:00 0 ") + untitled};
    QTest::newRow("iCalendar in a named zone, on a laptop an hour behind")
        << italy << QByteArray("Europe/London")
        << QStringList{QStringLiteral("2026-08-07 13:00 45 Tenda Nord|Reti mesh in montagna|Giulia Conti"),
                       QStringLiteral("2026-08-07 14:00 0 ") + untitled};

    QTest::newRow("XML event without a duration")
        << QByteArray("<schedule><day date=\"2025-03-14\"><room name=\"A\">\n  <event id=\"1\"><title>T</title>"
                      "<start>09:00</start></event></room></day></schedule>")
        << QByteArray() << QStringList{"2025-03-14 09:00 0 A|T||unreadable: line 2, column 16: the event has no <duration>"};
    QTest::newRow("JSON with a negative duration")
        << QByteArray(R"({"schedule": {"conference": {"days": [{"date": "2025-03-14", "rooms": {"Hall A": [)"
                      R"({"title": "T", "start": "09:00", "duration": "-00:10"}]}}]}}})")
        << QByteArray()
        << QStringList{"2025-03-14 09:00 0 Hall A|T||unreadable: schedule.conference.days[0].rooms[\"Hall A\"][0]."
                       "duration: the length is negative: the end comes before the start"};
    QTest::newRow("Indico event export, ends without lengths")
        << readData(QStringLiteral("indico-event-export.json")) << QByteArray()
        << QStringList{QStringLiteral("2026-03-14 09:30 25 Seminar Room 3|Calibrating the quiet detector|Sato, Hana"),
                       QStringLiteral("2026-03-14 09:55 20 Seminar Room 3|Noise floors, measured twice|"
                                      "Kim, Min-jun / Vogt, Lena")};
}

void TestScheduleImport::readsFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, zone);
    QFETCH(QStringList, entries);
    QVERIFY(!content.isEmpty());
    const std::optional<QByteArray> laptopZone =
        qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
    const auto restore = qScopeGuard([&] {
        laptopZone ? qputenv("TZ", *laptopZone) : qunsetenv("TZ");
        tzset();
    });
    if (!zone.isEmpty()) {
        qputenv("TZ", zone);
        tzset();
    }
    const schedule_import::ScheduleRead read = schedule_import::readSchedule(content, QStringLiteral("file"));
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
    QTest::newRow("iCalendar in Windows-1252")
        << QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Office//Calendar//EN\r\nBEGIN:VEVENT\r\n"
                      "DTSTART:20260207T130000Z\r\nDTEND:20260207T133000Z\r\nSUMMARY:Caf\xE9 scientifique\r\n"
                      "END:VEVENT\r\nEND:VCALENDAR\r\n")
        << "bad, line 7, column 12: this is not UTF-8";
    QTest::newRow("XML with a byte that is not UTF-8")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<schedule>\n  <day date=\"2026-02-07\">"
                      "<room name=\"Caf\xE9\"></room></day></schedule>")
        << "bad, line 3, column 41: this is not UTF-8";
    QTest::newRow("JSON of another kind")
        << QByteArray(R"({"results": [{"_type": "Category", "id": "7", "title": "Seminars"}]})")
        << "bad: the file is none of the timetables that can be read (pretalx or frab XML or JSON, Indico";
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
