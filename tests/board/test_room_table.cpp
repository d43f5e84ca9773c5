// The rooms as the board keeps them from the broker's messages: their
// order, what is dropped, and when a room is offline or stale.

#include "board/broker_address.h"
#include "board/room_table.h"
#include "board/room_state_sample.h"

#include <QJsonDocument>
#include <QTest>

namespace {

const QDateTime Now = QDateTime(QDate(2026, 12, 8), QTime(10, 42), Qt::OffsetFromUTC, 9 * 3600);

QJsonObject stateOf(const QString &room, const QDateTime &sent = Now) { return roomStateSample(room, sent); }

QByteArray bytes(const QJsonObject &object) { return compactJson(object); }

QString topic(const QString &level, const char *kind) { return QStringLiteral("conf/") + level + QLatin1Char('/') + QLatin1String(kind); }

QStringList names(const board::RoomTable &table)
{
    QStringList all;
    for (const QJsonValue &entry : table.entries())
        all << entry[QStringLiteral("room")].toString();
    return all;
}

} // namespace

class TestRoomTable : public QObject
{
    Q_OBJECT
private slots:
    void naturalOrder_data();
    void naturalOrder();
    void dropped_data();
    void dropped();
    void offlineSince();
    void staleAfterADay();
    void emptyRetainedForgetsTheRoom();
};

void TestRoomTable::naturalOrder_data()
{
    QTest::addColumn<QStringList>("arrival");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("numbers as numbers") << QStringList{"Room 10", "Room 2", "Room 1"}
                                        << QStringList{"Room 1", "Room 2", "Room 10"};
    QTest::newRow("case ignored") << QStringList{"hall B", "Hall a"} << QStringList{"Hall a", "hall B"};
    QTest::newRow("japanese") << QStringList{"第10会場", "第2会場"} << QStringList{"第2会場", "第10会場"};
}

void TestRoomTable::naturalOrder()
{
    QFETCH(QStringList, arrival);
    QFETCH(QStringList, shown);
    board::RoomTable table(QStringLiteral("conf"));
    // A room is known by its online topic first, under its topic level,
    // until its state names it.
    for (const QString &room : arrival)
        table.take(topic(board::roomTopicLevel(room), "online"), "true", Now);
    for (const QString &room : arrival)
        table.take(topic(board::roomTopicLevel(room), "state"), bytes(stateOf(room)), Now);
    QCOMPARE(names(table), shown);
}

void TestRoomTable::dropped_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QByteArray>("payload");
    QJsonObject big = stateOf(QStringLiteral("Room 1"));
    big.insert(QStringLiteral("padding"), QString(board::MaxStateBytes, QLatin1Char('x')));
    QTest::newRow("over 16 KiB") << "Room 1" << bytes(big);
    QTest::newRow("not JSON") << "Room 1" << QByteArray("<script>alert(1)</script>");
    QTest::newRow("an array") << "Room 1" << QByteArray("[1,2]");
    QTest::newRow("another room's name") << "Room 1" << bytes(stateOf(QStringLiteral("Room 2")));
    QJsonObject unsent = stateOf(QStringLiteral("Room 1"));
    unsent.remove(QStringLiteral("sent"));
    QTest::newRow("no time") << "Room 1" << bytes(unsent);
    const auto with = [](const char *key, const QJsonValue &value) {
        QJsonObject state = stateOf(QStringLiteral("Room 1"));
        state.insert(QLatin1String(key), value);
        return bytes(state);
    };
    QTest::newRow("unknown phase") << "Room 1" << with("phase", QStringLiteral("break"));
    QTest::newRow("colour with CSS") << "Room 1" << with("colour", QStringLiteral("red;background:url(x)"));
    QTest::newRow("readout a number") << "Room 1" << with("readout", 725);
    QTest::newRow("title an object")
        << "Room 1" << with("talk", QJsonObject{{QStringLiteral("title"), QJsonObject()}, {QStringLiteral("speaker"), QString()}});
    QTest::newRow("remaining not a list")
        << "Room 1" << with("session", QJsonObject{{QStringLiteral("remaining"), QStringLiteral("x")}});
    QTest::newRow("online neither true nor false") << "Room 1" << QByteArray("yes");
}

void TestRoomTable::dropped()
{
    QFETCH(QString, level);
    QFETCH(QByteArray, payload);
    board::RoomTable table(QStringLiteral("conf"));
    const QJsonObject good = stateOf(level);
    QVERIFY(table.take(topic(level, "state"), bytes(good), Now));
    QVERIFY(table.take(topic(level, "online"), "true", Now));
    const char *kind = QByteArray(QTest::currentDataTag()).startsWith("online") ? "online" : "state";
    QVERIFY(!table.take(topic(level, kind), payload, Now));
    // The room keeps what it showed.
    const QJsonArray entries = table.entries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0][QStringLiteral("state")].toObject(), good);
    QCOMPARE(entries[0][QStringLiteral("online")], QJsonValue(true));
}

void TestRoomTable::offlineSince()
{
    board::RoomTable table(QStringLiteral("conf"));
    const QDateTime lastState = Now.addSecs(-3600);
    // Offline when the board starts: the broker kept the word from some
    // time; the room's last state says when it was last heard.
    table.take(topic(QStringLiteral("A"), "state"), bytes(stateOf(QStringLiteral("A"), lastState)), Now);
    table.take(topic(QStringLiteral("A"), "online"), "false", Now);
    QCOMPARE(table.entry(QStringLiteral("A"))[QStringLiteral("since")].toString(), lastState.toString(Qt::ISODate));
    // Seen going: since then, by the board's clock, with its offset from
    // UTC for screens in other time zones.
    const QDateTime gone = Now.toLocalTime().addSecs(60);
    table.take(topic(QStringLiteral("B"), "online"), "true", Now);
    table.take(topic(QStringLiteral("B"), "online"), "false", gone);
    const QDateTime since = QDateTime::fromString(table.entry(QStringLiteral("B"))[QStringLiteral("since")].toString(), Qt::ISODate);
    QCOMPARE(since, gone);
    QVERIFY(since.timeSpec() != Qt::LocalTime);
    QCOMPARE(table.entry(QStringLiteral("B"))[QStringLiteral("online")], QJsonValue(false));
}

void TestRoomTable::staleAfterADay()
{
    board::RoomTable table(QStringLiteral("conf"));
    const QDateTime sent = Now.addSecs(-23 * 3600);
    table.take(topic(QStringLiteral("A"), "state"), bytes(stateOf(QStringLiteral("A"), sent)), Now);
    QCOMPARE(table.entry(QStringLiteral("A"))[QStringLiteral("stale")], QJsonValue(false));
    QCOMPARE(table.refreshStale(Now.addSecs(2 * 3600)), QStringList{QStringLiteral("A")});
    QCOMPARE(table.entry(QStringLiteral("A"))[QStringLiteral("stale")], QJsonValue(true));
    QVERIFY(table.refreshStale(Now.addSecs(3 * 3600)).isEmpty());
    // A retained state of a room that stopped yesterday is stale at once.
    table.take(topic(QStringLiteral("B"), "state"), bytes(stateOf(QStringLiteral("B"), Now.addDays(-2))), Now);
    QCOMPARE(table.entry(QStringLiteral("B"))[QStringLiteral("stale")], QJsonValue(true));
}

void TestRoomTable::emptyRetainedForgetsTheRoom()
{
    board::RoomTable table(QStringLiteral("conf"));
    table.take(topic(QStringLiteral("A"), "state"), bytes(stateOf(QStringLiteral("A"))), Now);
    table.take(topic(QStringLiteral("A"), "online"), "true", Now);
    QVERIFY(!table.take(topic(QStringLiteral("A"), "state"), "", Now)->reordered);
    const std::optional<board::Change> gone = table.take(topic(QStringLiteral("A"), "online"), "", Now);
    QVERIFY(gone && gone->reordered);
    QCOMPARE(table.size(), 0);
    QVERIFY(table.order().isEmpty());
}

QTEST_GUILESS_MAIN(TestRoomTable)
#include "test_room_table.moc"
