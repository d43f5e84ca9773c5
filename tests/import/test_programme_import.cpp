#include "fakes/files.h"
#include "import/import_dialog.h"
#include "import/import_flow.h"
#include "import/import_job.h"
#include "import/import_source.h"
#include "import/timetable_fetch.h"
#include "programme/programme.h"
#include "programme/programme_window.h"
#include "settings/cp932.h"

#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

using schedule_import::ScheduleEntry;
using schedule_import::SessionChoice;

Q_DECLARE_METATYPE(SessionChoice)

namespace {

ScheduleEntry entry(int day, const char *room, QTime start, int minutes, const char *title,
                    const QStringList &speakers = {}, bool isBreak = false)
{
    ScheduleEntry e;
    e.day = QDate(2026, 3, day);
    e.room = QString::fromUtf8(room);
    e.start = start;
    e.minutes = minutes;
    e.title = QString::fromUtf8(title);
    e.speakers = speakers;
    e.isBreak = isBreak;
    return e;
}

// Two days, two rooms on the first, in no order, with a break.
const QList<ScheduleEntry> conference{
    entry(14, "Hall A", QTime(10, 15), 20, "Second", {QStringLiteral("Kim")}),
    entry(14, "Hall A", QTime(9, 30), 15, "Opening: \"fast\" <clocks>, & more",
          {QStringLiteral("Sato"), QStringLiteral("Mori")}),
    entry(14, "Hall A", QTime(10, 0), 15, "Coffee", {}, true),
    entry(14, "Room 201", QTime(9, 30), 12, "Parallel", {QStringLiteral("Vogt")}),
    entry(15, "Hall A", QTime(9, 0), 45, "Keynote", {QStringLiteral("Haddad")}),
};

QStringList described(const QList<programme::Talk> &talks)
{
    QStringList out;
    for (const programme::Talk &t : talks)
        out << QStringLiteral("%1 %2+%3 %4|%5")
                   .arg(t.start ? t.start->toString(QStringLiteral("HH:mm")) : QStringLiteral("-"))
                   .arg(t.presentation)
                   .arg(t.discussion)
                   .arg(t.title, t.speaker);
    return out;
}

QString printed(std::FILE *stream)
{
    std::rewind(stream);
    QByteArray text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
        text.append(buffer, qsizetype(n));
    return QString::fromUtf8(text);
}

const QByteArray OldProgramme("Old,Someone,10,2\r\n");

} // namespace

class TestProgrammeImport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void takesASession_data();
    void takesASession();
    void importsFromTheCommandLine_data();
    void importsFromTheCommandLine();
    void dialogTakesTheChosenRoom();
    void droppedFileIsImported();
    void acceptedTalksOutliveTheDialog();
    void fetches_data();
    void fetches();

private:
    QTemporaryDir m_folder;
    QSslConfiguration m_trust;
    QSslCertificate m_certificate;
    QSslKey m_key;
};

void TestProgrammeImport::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QVERIFY(QDir::setCurrent(m_folder.path()));
    // The test's own https server has a certificate made here, trusted by
    // the fetch alone.
    QProcess openssl;
    openssl.setWorkingDirectory(m_folder.path());
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                   QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-keyout"), QStringLiteral("key.pem"), QStringLiteral("-out"),
                   QStringLiteral("cert.pem"), QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1")});
    QVERIFY(openssl.waitForFinished(30000));
    QCOMPARE(openssl.exitCode(), 0);
    m_certificate = QSslCertificate(readAll(QStringLiteral("cert.pem")));
    m_key = QSslKey(readAll(QStringLiteral("key.pem")), QSsl::Ec);
    QVERIFY(!m_certificate.isNull() && !m_key.isNull());
    m_trust = QSslConfiguration::defaultConfiguration();
    m_trust.addCaCertificate(m_certificate);
}

void TestProgrammeImport::takesASession_data()
{
    QTest::addColumn<QList<ScheduleEntry>>("entries");
    QTest::addColumn<SessionChoice>("choice");
    QTest::addColumn<QStringList>("talks");
    QTest::addColumn<QString>("error"); // a part of it
    QTest::addColumn<bool>("needsChoice");

    const QDate first(2026, 3, 14);
    QTest::newRow("a room of a day, named loosely: breaks skipped, by start, a fifth discussed, speakers joined")
        << conference << SessionChoice{first, QStringLiteral(" hall a "), std::nullopt}
        << QStringList{"09:30 720+180 Opening: \"fast\" <clocks>, & more|Sato / Mori", "10:15 960+240 Second|Kim"}
        << QString() << false;
    QTest::newRow("a fixed discussion") << conference << SessionChoice{first, QStringLiteral("Room 201"), 5}
                                        << QStringList{"09:30 420+300 Parallel|Vogt"} << QString() << false;
    QTest::newRow("the only room of the day chosen")
        << conference << SessionChoice{QDate(2026, 3, 15), std::nullopt, std::nullopt}
        << QStringList{"09:00 2160+540 Keynote|Haddad"} << QString() << false;
    QList<ScheduleEntry> ownSplit{entry(14, "", QTime(), 30, "Own")};
    ownSplit[0].presentationSeconds = 1500;
    ownSplit[0].discussionSeconds = 300;
    QTest::newRow("the file's own split, no room, no start")
        << ownSplit << SessionChoice{} << QStringList{"- 1500+300 Own|"} << QString() << false;
    QTest::newRow("several days") << conference << SessionChoice{} << QStringList{} << "several days" << true;
    QTest::newRow("a room the day lacks") << conference << SessionChoice{QDate(2026, 3, 15), QStringLiteral("Room 201"), {}}
                                          << QStringList{} << "no talk in Room 201 on 2026-03-15" << true;
    QTest::newRow("a slot of more than a day")
        << QList<ScheduleEntry>{entry(14, "A", QTime(9, 0), 20, "Fine"), entry(14, "A", QTime(9, 20), 1500, "Endless")}
        << SessionChoice{} << QStringList{} << "2026-03-14 09:20 \"Endless\": a slot of 1500 minutes" << false;
    QTest::newRow("a discussion that fills the slot")
        << QList<ScheduleEntry>{entry(14, "A", QTime(9, 0), 5, "Short")} << SessionChoice{{}, {}, 5} << QStringList{}
        << "\"Short\": a discussion of 5:00 leaves no presentation" << false;
}

void TestProgrammeImport::takesASession()
{
    QFETCH(QList<ScheduleEntry>, entries);
    QFETCH(SessionChoice, choice);
    QFETCH(QStringList, talks);
    QFETCH(QString, error);
    QFETCH(bool, needsChoice);
    const schedule_import::SessionTalks taken = schedule_import::takeSession(entries, choice);
    QCOMPARE(described(taken.talks), talks);
    QVERIFY2(error.isEmpty() ? taken.error.isEmpty() : taken.error.contains(error), qPrintable(taken.error));
    QCOMPARE(taken.needsChoice, needsChoice);
}

void TestProgrammeImport::importsFromTheCommandLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<SessionChoice>("choice");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("programme"); // what the programme file holds after
    QTest::addColumn<QString>("printed");      // a part of what is printed

    const QByteArray pretalx = readAll(QStringLiteral(SCHEDULE_DATA "/pretalx-schedule.xml"));
    QTest::newRow("a day and room of a timetable")
        << "pretalx-schedule.xml" << pretalx << SessionChoice{QDate(2025, 3, 14), QStringLiteral("Hall A"), {}} << 0
        << QByteArray("\xEF\xBB\xBFtitle,speaker,presentation,discussion,start\r\n"
                      "\"Opening: why \"\"fast\"\" clocks drift, & how <we> fix them\",Hana Sato / Kenji Mori,24,6,09:30\r\n"
                      "音声認識の最新動向,山田 太郎,16,4,10:15\r\n")
        << "10:15  16 + 4 min  音声認識の最新動向 — 山田 太郎";
    QTest::newRow("several rooms, none chosen: nothing written")
        << "pretalx-schedule.xml" << pretalx << SessionChoice{QDate(2025, 3, 14), {}, {}} << 2 << OldProgramme
        << "2025-03-14  3\n  Hall A  2\n  Room 201  1\n2025-03-15  1\n";
    QTest::newRow("a Japanese spreadsheet in code page 932, slots split as fixed")
        << "session.csv"
        << encodeCp932(QStringLiteral("開始時刻,演題,講演者,持ち時間\r\n9:00,開会,佐藤,10\r\n9:10,講演,田中,12.5\r\n"))
        << SessionChoice{{}, {}, 2} << 0
        << QByteArray("\xEF\xBB\xBFtitle,speaker,presentation,discussion,start\r\n"
                      "開会,佐藤,8,2,09:00\r\n講演,田中,10:30,2,09:10\r\n")
        << "09:10  10:30 + 2 min  講演 — 田中";
    QTest::newRow("a day past midnight, an unreadable event in another room")
        << "night.xml" << readAll(QStringLiteral(SCHEDULE_DATA "/pretalx-past-midnight.xml"))
        << SessionChoice{QDate(2026, 2, 7), QStringLiteral("Hall A"), {}} << 0
        << QByteArray("\xEF\xBB\xBFtitle,speaker,presentation,discussion,start\r\n"
                      "Moonlight radio,Ines Duarte,32,8,23:30\r\nLast words before sunrise,Tomas Berg,24,6,00:50\r\n")
        << "night.xml: line 55, column 72: the event has no <duration>; \"Open soldering\" is skipped";
    QTest::newRow("a calendar in UTC, an unreadable event in the chosen room")
        << "app.ics" << readAll(QStringLiteral(SCHEDULE_DATA "/app-export-utc.ics"))
        << SessionChoice{QDate(2026, 2, 7), QStringLiteral("Hall A"), {}} << 0
        << QByteArray("\xEF\xBB\xBFtitle,speaker,presentation,discussion,start\r\n"
                      "Packet radio for beginners,\"Ines Duarte / Berg, Tomas\",32,8,14:05\r\n"
                      "Satellites - a field guide,Aiko Ueda,20,5,15:10\r\n")
        << "app.ics: the event on line 19: the event has neither an end (DTEND) nor a length (DURATION); "
           "\"Lightning talks\" is skipped";
    QTest::newRow("a Japanese spreadsheet naming columns in other words, with columns of its own")
        << "session.csv"
        << QByteArray("\xEF\xBB\xBF会場,開始時間,演題名,筆頭演者,所属,座長,持ち時間\r\n"
                      "第1会場,9:00,開会の辞,佐藤 花子,東京大学,山田 一郎,10\r\n"
                      "第1会場,9:10,誤差の少ない時計,田中 健,大阪大学,山田 一郎,15\r\n")
        << SessionChoice{} << 0
        << QByteArray("\xEF\xBB\xBFtitle,speaker,presentation,discussion,start\r\n"
                      "開会の辞,佐藤 花子,8,2,09:00\r\n誤差の少ない時計,田中 健,12,3,09:10\r\n")
        << "09:10  12 + 3 min  誤差の少ない時計 — 田中 健";
    QTest::newRow("starts that go back") << "back.csv" << QByteArray("title,slot,start\nA,10,9:30\nB,10,9:00\n")
                                         << SessionChoice{} << 1 << OldProgramme << "back.csv: talk 2 (\"B\") starts at 09:00";
    QTest::newRow("a broken timetable") << "broken.json" << QByteArray("{\"schedule\": {\n  \"conference\":\n    [}}")
                                        << SessionChoice{} << 1 << OldProgramme << "broken.json, line 3";
}

void TestProgrammeImport::importsFromTheCommandLine()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(SessionChoice, choice);
    QFETCH(int, status);
    QFETCH(QByteArray, programme);
    QFETCH(QString, printed);
    QVERIFY(writeFile(programme::ProgrammeFileName, OldProgramme));
    QVERIFY(writeFile(name, content));
    std::FILE *out = std::tmpfile();
    std::FILE *err = std::tmpfile();
    QCOMPARE(schedule_import::runImport(name, choice, out, err), status);
    const QString said = ::printed(out) + ::printed(err);
    std::fclose(out);
    std::fclose(err);
    QVERIFY2(said.contains(printed), qPrintable(said));
    QCOMPARE(readAll(programme::ProgrammeFileName), programme);
}

void TestProgrammeImport::dialogTakesTheChosenRoom()
{
    schedule_import::ImportSource source;
    source.name = QStringLiteral("conference.json");
    source.entries = conference;
    // The smaller room first in the file: the busier one is still preselected.
    source.entries.move(3, 0);
    // An event of the room that cannot be read is shown where it falls, not taken.
    ScheduleEntry unreadable = entry(14, "Hall A", QTime(9, 50), 0, "Untimed");
    unreadable.unreadable = QStringLiteral("line 9: no length");
    source.entries << unreadable;
    schedule_import::ImportDialog dialog(source, nullptr);
    QCOMPARE(dialog.dayBox()->currentText(), QStringLiteral("2026-03-14 (3)"));
    QCOMPARE(dialog.roomBox()->currentText(), QStringLiteral("Hall A (2)"));
    QCOMPARE(described(dialog.talks()).size(), 2);
    const auto *table = dialog.findChild<QTableWidget *>();
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("Untimed (line 9: no length)"));
    QVERIFY(table->item(1, 0)->background() != table->item(0, 0)->background());
    const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.cbegin(), labels.cend(), [](const QLabel *label) {
        return label->text().contains(QStringLiteral("line 9: no length; \"Untimed\" is skipped"));
    }));
    dialog.roomBox()->setCurrentIndex(dialog.roomBox()->findText(QStringLiteral("Room 201 (1)")));
    dialog.discussionMinutes()->setValue(5);
    QCOMPARE(described(dialog.talks()), QStringList{"09:30 420+300 Parallel|Vogt"});
    dialog.dayBox()->setCurrentIndex(1);
    QCOMPARE(described(dialog.talks()), QStringList{"09:00 2400+300 Keynote|Haddad"});
}

void TestProgrammeImport::droppedFileIsImported()
{
    programme::Programme programme;
    programme::ProgrammeWindow window(programme, nullptr);
    QSignalSpy files(&window, &programme::ProgrammeWindow::importRequested);
    QSignalSpy addresses(&window, &programme::ProgrammeWindow::addressImportRequested);
    for (const QUrl &url : {QUrl::fromLocalFile(QStringLiteral("/talks/schedule.xml")),
                            QUrl(QStringLiteral("https://example.org/schedule.json"))}) {
        QMimeData data;
        data.setUrls({url});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &drop);
    }
    QCOMPARE(files.size(), 1);
    QCOMPARE(files.first().first().toString(), QStringLiteral("/talks/schedule.xml"));
    QCOMPARE(addresses.size(), 1);
}

void TestProgrammeImport::acceptedTalksOutliveTheDialog()
{
    // The main window redraws on taking the talks, and its redraw runs the
    // pending events, the dialog's deletion among them.
    QWidget window;
    schedule_import::ImportFlow flow(&window);
    QStringList taken;
    connect(&flow, &schedule_import::ImportFlow::talksChosen, this, [&taken](const QList<programme::Talk> &talks) {
        QCoreApplication::processEvents();
        taken = described(talks);
    });
    flow.importFile(QStringLiteral(SCHEDULE_DATA "/pretalx-schedule.xml"));
    QVERIFY(flow.dialog());
    flow.dialog()->accept();
    for (int turn = 0; turn < 10 && taken.isEmpty(); ++turn)
        QCoreApplication::processEvents();
    QCOMPARE(taken.size(), 2);
    QVERIFY(!flow.dialog());
}

void TestProgrammeImport::fetches_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("answer"); // none: the server keeps silent
    QTest::addColumn<int>("limitSeconds");  // the fetch's time limit
    QTest::addColumn<QString>("failure");   // a part of it; none when fetched

    // A transfer gets a limit that a sanitized build on a loaded two-core
    // machine keeps; only the silent server waits the limit out, so its is short.
    const int transfer = 120;
    const QByteArray frab = readAll(QStringLiteral(SCHEDULE_DATA "/frab-schedule.json"));
    QTest::newRow("a timetable") << "/schedule.json"
                                 << QByteArray("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: ")
                                        + QByteArray::number(frab.size()) + "\r\nConnection: close\r\n\r\n" + frab
                                 << transfer << QString();
    QTest::newRow("sent on to plain http")
        << "/moved" << QByteArray("HTTP/1.1 301 Moved\r\nLocation: http://127.0.0.1:1/schedule.json\r\nContent-Length: 0\r\n\r\n")
        << transfer << "which is not https";
    QTest::newRow("over 5 MiB, its length untold")
        << "/big.json" << QByteArray("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n") + QByteArray(5 * 1024 * 1024 + 100, ' ')
        << transfer << "larger than 5 MiB";
    QTest::newRow("no answer") << "/silent" << QByteArray() << 2 << "no complete answer within 2 seconds";
    QTest::newRow("not https") << "http://127.0.0.1/schedule.json" << QByteArray() << transfer << "only an https address";
}

void TestProgrammeImport::fetches()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, answer);
    QFETCH(int, limitSeconds);
    QFETCH(QString, failure);
    QSslServer server;
    QSslConfiguration served = QSslConfiguration::defaultConfiguration();
    served.setLocalCertificate(m_certificate);
    served.setPrivateKey(m_key);
    server.setSslConfiguration(served);
    QVERIFY(server.listen(QHostAddress::LocalHost));
    connect(&server, &QSslServer::pendingConnectionAvailable, this, [&] {
        QTcpSocket *socket = server.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [socket, answer] {
            if (socket->readAll().contains("\r\n\r\n") && !answer.isEmpty()) {
                socket->write(answer);
                socket->disconnectFromHost();
            }
        });
    });

    schedule_import::TimetableFetch fetch;
    fetch.setSslConfiguration(m_trust);
    fetch.setTimeLimit(std::chrono::seconds(limitSeconds));
    QSignalSpy fetched(&fetch, &schedule_import::TimetableFetch::fetched);
    QSignalSpy failed(&fetch, &schedule_import::TimetableFetch::failed);
    fetch.fetch(path.startsWith(QLatin1Char('/')) ? QUrl(QStringLiteral("https://127.0.0.1:%1%2").arg(server.serverPort()).arg(path))
                                                  : QUrl(path));
    QTRY_VERIFY_WITH_TIMEOUT(fetched.size() + failed.size() > 0, (limitSeconds + 30) * 1000);
    if (failure.isEmpty()) {
        QVERIFY2(failed.isEmpty(), failed.isEmpty() ? "" : qPrintable(failed.first().first().toString()));
        const auto source = fetched.first().first().value<schedule_import::ImportSource>();
        QCOMPARE(source.error, QString());
        QCOMPARE(source.entries.size(), 6);
    } else {
        QCOMPARE(fetched.size(), 0);
        QVERIFY2(failed.first().first().toString().contains(failure), qPrintable(failed.first().first().toString()));
    }
}

QTEST_MAIN(TestProgrammeImport)
#include "test_programme_import.moc"
