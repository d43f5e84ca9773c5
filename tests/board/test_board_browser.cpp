// The board's page in Debian's chromium, headless, on a hallway screen of
// 1920×1080: 24 rooms fit without scrolling, in natural order, a room's
// words are text and never markup, and an offline room says so.

#include "board/board_service.h"
#include "board/broker_fixture.h"
#include "board/mqtt_client.h"
#include "board/room_state_sample.h"
#include "remote/headless_browser.h"
#include "remote/link_token.h"

namespace {

// Every room in its discussion.
QByteArray stateOf(const QString &room, const QDateTime &sent)
{
    QJsonObject state = roomStateSample(room, sent);
    state.insert(QStringLiteral("phase"), QStringLiteral("discussion"));
    state.insert(QStringLiteral("colour"), QStringLiteral("#FFFF00"));
    return compactJson(state);
}

const QString Hostile = QStringLiteral("<img src=x onerror=\"document.title='owned'\">");

} // namespace

class TestBoardBrowser : public QObject
{
    Q_OBJECT
private slots:
    void hallwayScreen_data();
    void hallwayScreen();
};

void TestBoardBrowser::hallwayScreen_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("offline");
    QTest::addColumn<QString>("stale");
    QTest::addColumn<QString>("late");
    QTest::newRow("en") << "en" << "offline" << "no news since" << "5 min late";
    QTest::newRow("ja") << "ja" << "オフライン" << "以降更新なし" << "5分 遅れ";
}

void TestBoardBrowser::hallwayScreen()
{
    QFETCH(QString, language);
    QFETCH(QString, offline);
    QFETCH(QString, stale);
    QFETCH(QString, late);
    const QString program = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (program.isEmpty())
        QSKIP("chromium is not installed (scripts/install-deps.sh installs it)");
    BrokerFixture broker;
    QVERIFY2(broker.ready(), qPrintable(broker.problem()));
    const board::BrokerAddress address =
        std::get<board::BrokerAddress>(board::parseBrokerAddress(broker.url(QStringLiteral("conf"))));

    // 23 rooms, published out of order, and one whose name is markup.
    board::MqttClient rooms;
    rooms.start(board::MqttSettings{address, {}, {}, std::nullopt});
    QStringList names;
    for (int i = 23; i >= 1; --i)
        names << QStringLiteral("Room %1").arg(i);
    names << Hostile;
    for (const QString &name : std::as_const(names)) {
        const QString topic = QStringLiteral("conf/") + board::roomTopicLevel(name);
        rooms.publish(topic + QStringLiteral("/online"), name == QLatin1String("Room 7") ? "false" : "true");
        // Room 5 stopped the day before yesterday; the broker kept its state.
        rooms.publish(topic + QStringLiteral("/state"),
                      stateOf(name, QDateTime::currentDateTime().addDays(name == QLatin1String("Room 5") ? -2 : 0)));
    }

    board::BoardRequest request;
    request.broker = address;
    request.port = 0;
    request.language = language;
    board::BoardService service(request);
    const QByteArray token = remote::newLinkToken();
    QCOMPARE(service.start(token, QHostAddress::LocalHost), QString());

    Browser browser(program, QStringLiteral("1920,1080"));
    QVERIFY(browser.open(QStringLiteral("http://127.0.0.1:%1/%2").arg(service.port()).arg(QString::fromLatin1(token))));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(QStringLiteral("document.querySelectorAll('.tile .readout:not([hidden])').length")).toInt(),
                              24, 20000);

    // Natural order, the markup name (first: "<" comes before letters) as
    // text; nothing it held ran.
    const QJsonArray shown = browser.evaluate(QStringLiteral(
        "Array.from(document.querySelectorAll('.tile .name')).map(e => e.textContent)")).toArray();
    QCOMPARE(shown.first().toString(), Hostile);
    QCOMPARE(shown.at(1).toString(), QStringLiteral("Room 1"));
    QCOMPARE(shown.at(10).toString(), QStringLiteral("Room 10"));
    QCOMPARE(browser.evaluate(QStringLiteral("document.querySelectorAll('img').length")).toInt(), 0);
    QVERIFY(browser.evaluate(QStringLiteral("document.title")).toString() != QLatin1String("owned"));

    // Everything on the screen: no scrolling, no tile cut, digits legible
    // from five metres.
    const QString fits = QStringLiteral(
        "(() => { const d = document.documentElement;"
        " if (d.scrollHeight > innerHeight || d.scrollWidth > innerWidth)"
        "   return 'the page scrolls: ' + d.scrollWidth + 'x' + d.scrollHeight + ' on ' + innerWidth + 'x' + innerHeight;"
        " for (const t of document.querySelectorAll('.tile')) {"
        "   const r = t.getBoundingClientRect();"
        "   if (r.bottom > innerHeight || r.right > innerWidth) return t.textContent + ' is off the screen';"
        "   if (t.scrollHeight > t.clientHeight + 1) return t.textContent + ' is cut';"
        "   if (parseFloat(getComputedStyle(t.querySelector('.readout')).fontSize) < 60) return 'digits under 60 px';"
        " } return 'fits'; })()");
    QCOMPARE(browser.evaluate(fits).toString(), QStringLiteral("fits"));

    // The offline room is grey and says so, in the board's language.
    const QString seventh = QStringLiteral("document.querySelectorAll('.tile')[7]");
    QVERIFY(browser.evaluate(seventh + QStringLiteral(".classList.contains('away')")).toBool());
    QVERIFY2(browser.evaluate(seventh + QStringLiteral(".querySelector('.note').textContent")).toString().contains(offline),
             qPrintable(browser.evaluate(seventh + QStringLiteral(".querySelector('.note').textContent")).toString()));
    const QString fifth = QStringLiteral("document.querySelectorAll('.tile')[5]");
    QVERIFY(browser.evaluate(fifth + QStringLiteral(".classList.contains('away')")).toBool());
    QVERIFY2(browser.evaluate(fifth + QStringLiteral(".querySelector('.note').textContent")).toString().contains(stale),
             qPrintable(browser.evaluate(fifth + QStringLiteral(".querySelector('.note').textContent")).toString()));
    QCOMPARE(browser.evaluate(QStringLiteral("document.querySelector('.tile .offset').textContent")).toString(), late);
    // The palette for colour-blind readers: the discussion's digits in orange.
    const QString colour = QStringLiteral("getComputedStyle(document.querySelectorAll('.tile .readout')[1]).color");
    QCOMPARE(browser.evaluate(colour).toString(), QStringLiteral("rgb(255, 255, 0)"));
    browser.evaluate(QStringLiteral("document.getElementById('palette').click()"));
    QCOMPARE(browser.evaluate(colour).toString(), QStringLiteral("rgb(255, 153, 0)"));
    QCOMPARE(browser.evaluate(QStringLiteral("document.documentElement.lang")).toString(), language);
    // Each readout is a timer to screen readers.
    QCOMPARE(browser.evaluate(QStringLiteral("document.querySelectorAll('[role=timer]').length")).toInt(), 24);
}

QTEST_GUILESS_MAIN(TestBoardBrowser)
#include "test_board_browser.moc"
