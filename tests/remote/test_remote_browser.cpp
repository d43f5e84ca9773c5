// The remote view in a real browser: Debian's chromium, headless, started so
// that it can reach nothing but 127.0.0.1 and driven over its DevTools
// protocol on 127.0.0.1.

#include "remote/headless_browser.h"
#include "remote/remote_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

namespace {

// The main window's readout as the page's computed style writes it.
QString readoutAsCss(const RemoteFixture &r)
{
    const QColor c = r.f.form->display().digit(1).palette().color(QPalette::WindowText);
    return QStringLiteral("%1 rgb(%2, %3, %4)").arg(r.readout()).arg(c.red()).arg(c.green()).arg(c.blue());
}

// Sends a command to the control API as a tool would; the status, or 0.
int post(const RemoteFixture &r, const QByteArray &command, const QByteArray &body)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, r.port);
    if (!socket.waitForConnected(5000))
        return 0;
    socket.write("POST /" + r.control + "/api/" + command + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                 QByteArray::number(r.port) + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
                 body);
    QByteArray answer;
    for (int i = 0; i < 500 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        QTest::qWait(10);
        answer += socket.readAll();
    }
    answer += socket.readAll();
    return answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0;
}

const QString PageReadout = QStringLiteral(
    "(() => { const r = document.getElementById('readout'); return r.textContent + ' ' + getComputedStyle(r).color; })()");

} // namespace

class TestRemoteBrowser : public QObject
{
    Q_OBJECT
private slots:
    void pageShowsWhatTheMainWindowShows();
    void controlLinkStartsTheTalk();
    void pageStaysAwakeWithoutWakeLock();
    void replacedLinkStopsRetrying();
    void messageShowsAsTextOverTheReadout();

private:
    static QString chromium();
};

QString TestRemoteBrowser::chromium()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (program.isEmpty())
        QTest::qSkip("chromium is not installed (scripts/install-deps.sh installs it)", __FILE__, __LINE__);
    return program;
}

void TestRemoteBrowser::pageShowsWhatTheMainWindowShows()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    // A short presentation, so the talk reaches the discussion at once.
    TimerSettings.PresentationTime = 2;
    TimerSettings.DiscussionTime = 118;
    updateTotalTime();
    r.f.form->DrawTime();
    Browser browser(program);
    QVERIFY(browser.open(r.local(r.view)));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(PageReadout).toString(), readoutAsCss(r), PageTimeoutMs);
    QCOMPARE(readoutAsCss(r), QStringLiteral("02:00 rgb(0, 255, 0)"));

    r.f.form->Command1_Click();
    r.f.runSeconds(2);
    QCOMPARE(readoutAsCss(r), QStringLiteral("01:58 rgb(255, 255, 0)"));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(PageReadout).toString(), readoutAsCss(r), PageTimeoutMs);
    QCOMPARE(browser.evaluate(QStringLiteral("document.getElementById('message').textContent")),
             QStringLiteral("討論時間"));
    QCOMPARE(browser.evaluate(QStringLiteral("document.querySelectorAll('button:not(#palette)').length")), 0);
}

void TestRemoteBrowser::controlLinkStartsTheTalk()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    r.remote().setControlAllowed(true);
    Browser browser(program);
    QVERIFY(browser.open(r.local(r.control)));
    const QString start = QStringLiteral("document.getElementById('start')");
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(start + QStringLiteral(".disabled")), false, PageTimeoutMs);
    // In Orlatim's language, not the browser's.

    QCOMPARE(browser.evaluate(QStringLiteral("document.getElementById('report').textContent")),
             QStringLiteral("本日のレポート"));
    browser.evaluate(start + QStringLiteral(".click()"));
    QTRY_COMPARE_WITH_TIMEOUT(r.f.form->command(1).text(), QStringLiteral("pause"), PageTimeoutMs);
    QCOMPARE(RunState, int16_t(1));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(start + QStringLiteral(".textContent")), QStringLiteral("pause"),
                              PageTimeoutMs);
}

void TestRemoteBrowser::pageStaysAwakeWithoutWakeLock()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    Browser browser(program);
    QVERIFY(browser.open(QStringLiteral("about:blank")));
    // As over plain http on a phone that plays a video only on a tap:
    // 127.0.0.1 is trusted with a wake lock, a phone's page is not.
    browser.beforeEachPage(QStringLiteral(
        "delete Navigator.prototype.wakeLock;"
        "const play = HTMLMediaElement.prototype.play;"
        "HTMLMediaElement.prototype.play = function () {"
        "  return navigator.userActivation.isActive ? play.call(this)"
        "                                          : Promise.reject(new DOMException('', 'NotAllowedError')); };"));
    browser.navigate(r.local(r.view));
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(QStringLiteral("document.getElementById('readout').textContent")),
                              QStringLiteral("10:00"), PageTimeoutMs);
    const QString video = QStringLiteral("document.getElementById('awake')");
    QCOMPARE(browser.evaluate(video + QStringLiteral(".paused")), true);
    browser.tap(400, 225);
    const QString playing = QStringLiteral(
        "(() => { const v = document.getElementById('awake'); return !!v && !v.paused && v.currentTime > 0; })()");
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(playing), true, PageTimeoutMs);
    QCOMPARE(browser.evaluate(QStringLiteral("document.getElementById('awakeNote') === null")), true);
}

void TestRemoteBrowser::replacedLinkStopsRetrying()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    Browser browser(program);
    QVERIFY(browser.open(r.local(r.view)));
    const QString status = QStringLiteral("document.getElementById('status').textContent");
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(QStringLiteral("document.getElementById('status').hidden")), true,
                              PageTimeoutMs);
    // The page is away when new links are made, then finds the server
    // again with its old link.
    r.remote().turnOff();
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(status), QStringLiteral("リモート表示は停止されました"), PageTimeoutMs);
    r.remote().renewLinks();
    QVERIFY(r.remote().turnOn(r.port, QHostAddress::LocalHost).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(status),
                              QStringLiteral("このリンクは無効になりました。新しいリンクを受け取ってください"),
                              PageTimeoutMs);
}

void TestRemoteBrowser::messageShowsAsTextOverTheReadout()
{
    const QString program = chromium();
    if (program.isEmpty())
        return;
    RemoteFixture r;
    r.remote().setControlAllowed(true);
    Browser browser(program);
    QVERIFY(browser.open(r.local(r.view)));
    const QString band = QStringLiteral(
        "(() => { const b = document.getElementById('speakerMessage'); "
        "return (b.hidden ? 'hidden ' : '') + b.childElementCount + ' ' + b.textContent; })()");
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(band).toString(), QStringLiteral("hidden 0 "), PageTimeoutMs);

    // Markup in a message is shown as the characters it is made of.
    const QByteArray text = "Please wrap up <b>now</b> \xE3\x81\x82";
    QCOMPARE(post(r, "message", text), 200);
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(band).toString(), QStringLiteral("0 ") + QString::fromUtf8(text),
                              PageTimeoutMs);
    QCOMPARE(post(r, "message", {}), 200);
    QTRY_COMPARE_WITH_TIMEOUT(browser.evaluate(band).toString(), QStringLiteral("hidden 0 "), PageTimeoutMs);
}

QTEST_MAIN(TestRemoteBrowser)
#include "test_remote_browser.moc"
