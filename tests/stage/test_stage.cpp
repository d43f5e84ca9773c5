#include "fakes/files.h"
#include "fakes/form1_fixture.h"
#include "display/main_display.h"
#include "programme/programme.h"
#include "remote/remote_view.h"
#include "stage/stage.h"
#include "stage/stage_file.h"
#include "stage/stage_line.h"
#include "stage/stage_window.h"
#include "timer/command_line.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <qpa/qplatformnativeinterface.h>

#include <vector>

namespace {

const QRect Left(0, 0, 1280, 1024);
const QRect Right(1280, 0, 1280, 1024);

// Plugs monitors in and out: Qt's offscreen platform takes a new list of
// screens at run time and tells the application of each screen that came
// or went, as a desktop does when a projector's cable is plugged in.
bool setScreens(const QList<std::pair<QString, QRect>> &screens)
{
    QJsonArray list;
    for (const auto &[name, geometry] : screens) {
        list.append(QJsonObject{{QStringLiteral("name"), name},
                                {QStringLiteral("x"), geometry.x()},
                                {QStringLiteral("y"), geometry.y()},
                                {QStringLiteral("width"), geometry.width()},
                                {QStringLiteral("height"), geometry.height()},
                                {QStringLiteral("logicalDpi"), 96}});
    }
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    using Set = void (*)(const QJsonObject &, QPlatformNativeInterface *);
    const auto set = reinterpret_cast<Set>(native->nativeResourceForIntegration("setConfiguration"));
    if (!set)
        return false;
    set(QJsonObject{{QStringLiteral("screens"), list}}, native);
    return QGuiApplication::screens().size() == screens.size();
}

bool twoScreens() { return setScreens({{QStringLiteral("left"), Left}, {QStringLiteral("right"), Right}}); }

QMenu *stageMenu(QMenu &menu)
{
    for (QAction *action : menu.actions()) {
        if (action->menu() && action->text() == QLatin1String("Stage window"))
            return action->menu();
    }
    return nullptr;
}

QAction *entryStarting(QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text().startsWith(text))
            return action;
    }
    return nullptr;
}

QString screenOf(const stage::Stage &stage)
{
    return stage.window() ? stage.window()->screenName() : QString();
}

} // namespace

class TestStage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void menuChoiceIsRememberedAndFollowsTheScreen();
    void restores_data();
    void restores();
    void oneScreenOnlySaysSo();
    void drawsTheMainWindowsSecond();
    void commandLine_data();
    void commandLine();
};

void TestStage::init() { QVERIFY(twoScreens()); }

void TestStage::menuChoiceIsRememberedAndFollowsTheScreen()
{
    Form1Fixture f;
    f.load();
    stage::Stage &stage = f.form->stage();
    QVERIFY(!stage.window());

    QMenu menu;
    f.form->fillContextMenu(menu);
    QMenu *sub = stageMenu(menu);
    QVERIFY(sub);
    QVERIFY(entryStarting(*sub, QStringLiteral("off"))->isChecked());
    QAction *right = entryStarting(*sub, QStringLiteral("right (1280×1024)"));
    QVERIFY(right && right->isEnabled());
    right->trigger();
    QCoreApplication::processEvents();

    QCOMPARE(screenOf(stage), QStringLiteral("right"));
    const stage::StageWindow &window = *stage.window();
    QVERIFY(window.isVisible());
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.geometry(), Right);
    QCOMPARE(readAll(stage::StageFileName), QByteArray("[stage]\r\nscreen=right\r\n"));
    // The settings file keeps its own format: the choice is not in it.
    QVERIFY(!QFile::exists(QStringLiteral("Orlatim.cfg")));

    // Unplugged, the screen takes its window; plugged in again, it gets it
    // back. Another screen coming and going leaves it alone.
    QVERIFY(setScreens({{QStringLiteral("left"), Left}}));
    QVERIFY(!stage.window());
    QVERIFY(twoScreens());
    QCOMPARE(screenOf(stage), QStringLiteral("right"));
    QVERIFY(setScreens({{QStringLiteral("left"), Left}, {QStringLiteral("right"), Right},
                        {QStringLiteral("beamer"), QRect(2560, 0, 1024, 768)}}));
    const stage::StageWindow *same = stage.window();
    QVERIFY(twoScreens());
    QCOMPARE(stage.window(), same);

    // Unplugged while the stage window is being drawn, which lets events
    // run: the window goes once the drawing is done.
    QMetaObject::invokeMethod(
        &stage, [] { setScreens({{QStringLiteral("left"), Left}}); }, Qt::QueuedConnection);
    stage.redraw();
    QVERIFY(!stage.window());
    QVERIFY(twoScreens());
    QCOMPARE(screenOf(stage), QStringLiteral("right"));

    // The stage window's own menu turns it off: it may lie over the main
    // window. The window goes only once its menu has closed.
    QTimer::singleShot(0, [] {
        auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(popup);
        QAction *right = entryStarting(*stageMenu(*popup), QStringLiteral("right"));
        QVERIFY(right && right->isChecked());
        entryStarting(*stageMenu(*popup), QStringLiteral("off"))->trigger();
        popup->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10), Right.topLeft() + QPoint(10, 10));
    QApplication::sendEvent(const_cast<stage::StageWindow *>(stage.window()), &click);
    QCoreApplication::processEvents();
    QVERIFY(!stage.window());
    QCOMPARE(readAll(stage::StageFileName), QByteArray("[stage]\r\nscreen=\r\n"));
}

void TestStage::restores_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("option"); // --stage-screen, or -1 without it
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("problem");

    const QByteArray right = "[stage]\r\nscreen=right\r\n";
    QTest::newRow("remembered") << right << -1 << "right" << "";
    QTest::newRow("remembered, written by hand with LF") << QByteArray("screen = right\n") << -1 << "right" << "";
    QTest::newRow("remembered screen not plugged in") << QByteArray("[stage]\r\nscreen=beamer\r\n") << -1 << ""
                                                      << "";
    QTest::newRow("no file") << QByteArray() << -1 << "" << "";
    QTest::newRow("first screen for this run") << right << 1 << "left" << "";
    QTest::newRow("none for this run") << right << 0 << "" << "";
    QTest::newRow("a screen this computer lacks") << right << 3 << "right" << "There is no screen 3";
}

void TestStage::restores()
{
    QFETCH(QByteArray, file);
    QFETCH(int, option);
    QFETCH(QString, screen);
    QFETCH(QString, problem);
    Form1Fixture f;
    if (!file.isEmpty())
        QVERIFY(writeFile(stage::StageFileName, file));
    f.load();
    stage::Stage &stage = f.form->stage();
    const QString said = stage.restore(option < 0 ? std::nullopt : std::optional<int>(option));
    QVERIFY2(problem.isEmpty() ? said.isEmpty() : said.startsWith(problem), qPrintable(said));
    QCOMPARE(screenOf(stage), screen);
    // A choice for one run is forgotten at the next.
    QCOMPARE(QFile::exists(stage::StageFileName), !file.isEmpty());
    if (!file.isEmpty())
        QCOMPARE(readAll(stage::StageFileName), file);
}

void TestStage::oneScreenOnlySaysSo()
{
    QVERIFY(setScreens({{QStringLiteral("left"), Left}}));
    Form1Fixture f;
    QVERIFY(writeFile(stage::StageFileName, "[stage]\r\nscreen=left\r\n"));
    f.load();
    stage::Stage &stage = f.form->stage();
    // The stage window would hide the timekeeper's buttons.
    QCOMPARE(stage.restore(), QString());
    QVERIFY(!stage.window());
    QVERIFY(stage.restore(2).contains(QLatin1String("only one screen")));
    QMenu menu;
    f.form->fillContextMenu(menu);
    QAction *only = entryStarting(*stageMenu(menu), QStringLiteral("left (1280×1024)"));
    QVERIFY(only);
    QVERIFY(only->text().contains(QLatin1String("the only screen")));
    QVERIFY(!only->isEnabled());
}

void TestStage::drawsTheMainWindowsSecond()
{
    Form1Fixture f;
    // Two talks of a minute and a half: 60 s presentation, 30 s discussion.
    QVERIFY(writeFile(programme::ProgrammeFileName,
                      "\xEF\xBB\xBFtitle,speaker,presentation,discussion,start\r\n"
                      "\"Clocks, drift & <tags>\",Hana Sato,1,0:30,09:30\r\n"
                      "音声認識の最新動向,山田 太郎,1,0:30,09:32\r\n"));
    f.load();
    TimerSettings.BlinkAtEnd = 1;
    TimerSettings.BlinkTime = 5;
    TimerSettings.ShowTimeLine = 1;
    stage::Stage &stage = f.form->stage();
    QCOMPARE(stage.choose(QStringLiteral("right")), QString());
    QVERIFY(stage.window());
    const stage::StageWindow &window = *stage.window();
    QCOMPARE(window.talkLine().text(), QStringLiteral("Clocks, drift & <tags> — Hana Sato"));
    QCOMPARE(window.nextLine().text(), QStringLiteral("next: 音声認識の最新動向 — 山田 太郎"));
    QVERIFY(window.messageBand().isHidden());

    const MainDisplay &main = f.form->display();
    const MainDisplay &shown = window.display();
    const auto sameFace = [&main, &shown] {
        for (int i = 1; i < 6; ++i) {
            if (shown.digit(i).text() != main.digit(i).text()
                || shown.digit(i).palette().color(QPalette::WindowText)
                       != main.digit(i).palette().color(QPalette::WindowText))
                return false;
        }
        return shown.message().text() == main.message().text()
               && shown.message().isVisibleTo(shown.message().parentWidget())
                      == main.message().isVisibleTo(main.message().parentWidget())
               && shown.line(1).isVisible() && main.line(1).isVisible()
               // The stage has no buttons: its time line runs to the edge.
               && shown.line(3).from().x() > main.line(3).from().x();
    };
    f.form->Command1_Click();
    f.runSeconds(1);
    QVERIFY(sameFace());
    // The phase message blinks off half a second into the last seconds of
    // the presentation, on both screens at the same tick.
    f.runSeconds(55);
    for (int i = 0; i < TicksPerSecond / 2; ++i)
        f.form->Timer1_Timer();
    QVERIFY(!main.message().isVisibleTo(main.message().parentWidget()));
    QVERIFY(sameFace());
    f.runSeconds(5);
    QCOMPARE(ElapsedSeconds, 61);
    QVERIFY(sameFace());
    QCOMPARE(shown.digit(1).palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0x00));

    // The message to the speaker shows on the stage, never in the main window.
    f.form->remoteView().setSpeakerMessage(QStringLiteral("Please wrap up"));
    QCOMPARE(window.messageBand().text(), QStringLiteral("Please wrap up"));
    QVERIFY(window.messageBand().isVisibleTo(stage.window()));
    f.form->remoteView().setSpeakerMessage(QString());
    QVERIFY(window.messageBand().isHidden());
}

void TestStage::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status"); // -1: the program starts
    QTest::addColumn<int>("screen"); // -1: as remembered

    QTest::newRow("none") << QStringList() << -1 << -1;
    QTest::newRow("second screen") << QStringList{QStringLiteral("--stage-screen"), QStringLiteral("2")} << -1 << 2;
    QTest::newRow("off") << QStringList{QStringLiteral("--stage-screen=0")} << -1 << 0;
    QTest::newRow("with the remote view")
        << QStringList{QStringLiteral("--stage-screen=2"), QStringLiteral("--remote-port=8421")} << -1 << 2;
    QTest::newRow("not a number") << QStringList{QStringLiteral("--stage-screen=right")} << 2 << -1;
    QTest::newRow("negative") << QStringList{QStringLiteral("--stage-screen=-1")} << 2 << -1;
    QTest::newRow("with a report")
        << QStringList{QStringLiteral("--stage-screen=2"), QStringLiteral("--report=2026-12-08")} << 2 << -1;
    QTest::newRow("with the board")
        << QStringList{QStringLiteral("--stage-screen=2"), QStringLiteral("--board=mqtt://127.0.0.1/conf")} << 2 << -1;
}

void TestStage::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(int, screen);
    std::vector<QByteArray> bytes{QByteArray("orlatim")};
    for (const QString &argument : arguments)
        bytes.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    CommandLine commandLine;
    const std::optional<int> answer = commandLine.answer(int(argv.size()), argv.data());
    QCOMPARE(answer.value_or(-1), status);
    QCOMPARE(commandLine.stageScreen().value_or(-1), screen);
}

QTEST_MAIN(TestStage)
#include "test_stage.moc"
