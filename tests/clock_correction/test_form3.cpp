#include "clock_correction/form3.h"
#include "platform/messages.h"
#include "platform/tick_source.h"
#include "platform/translations.h"
#include "settings/clock_file.h"
#include "settings/declare.h"

#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

QByteArray clockFile()
{
    QFile file(QStringLiteral("Orlatim.clk"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool confirming(const Form3 &form)
{
    const bool shown = !form.findChild<QWidget *>(QStringLiteral("Label2"))->isHidden();
    for (const char *name : {"Command3", "Command4"})
        if (form.findChild<QWidget *>(QLatin1String(name))->isHidden() == shown)
            qFatal("the confirmation line and its buttons differ");
    return shown;
}

QLineEdit *box(const Form3 &form) { return form.findChild<QLineEdit *>(QStringLiteral("ClockIndic")); }

// Plays a script of user actions, separated by blanks: start, stop, apply,
// redo, close, tickN (N timer events), passN (N ticks' time passes before
// the event loop wakes), type:TEXT (click into the box, type
// the text, press Enter) and ime:TEXT (the same with the text committed by an
// input method).
void play(Form3 &form, const QString &script, qint64 &nowNs)
{
    const QStringList steps = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        if (step == QLatin1String("start"))
            form.Command1_Click();
        else if (step == QLatin1String("stop"))
            form.Command2_Click();
        else if (step == QLatin1String("apply"))
            form.Command3_Click();
        else if (step == QLatin1String("redo"))
            form.Command4_Click();
        else if (step == QLatin1String("close"))
            form.Command5_Click();
        else if (step.startsWith(QLatin1String("pass")))
            nowNs += step.mid(4).toInt() * 10000000LL;
        else if (step.startsWith(QLatin1String("tick")))
            for (int i = step.mid(4).toInt(); i > 0; --i)
                form.Timer2_Timer();
        else if (step.startsWith(QLatin1String("type:"))) {
            QTest::mouseClick(box(form), Qt::LeftButton);
            QTest::keyClicks(box(form), step.mid(5));
            QTest::keyClick(box(form), Qt::Key_Return);
        } else if (step.startsWith(QLatin1String("ime:"))) {
            QTest::mouseClick(box(form), Qt::LeftButton);
            QInputMethodEvent commit;
            commit.setCommitString(step.mid(4));
            QCoreApplication::sendEvent(box(form), &commit);
            QTest::keyClick(box(form), Qt::Key_Return);
        } else
            qFatal("unknown step %s", qPrintable(step));
    }
}

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensIdleWithTheStoredCorrection();
    void steps_data();
    void steps();
    void typingMarksTheBoxYellow();
    void anUnwritableFileKeepsTheNewRate();
    void saidInJapaneseInAJapaneseLocale();

private:
    std::unique_ptr<Form3> openForm();

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_startFolder = QDir::currentPath();
    QStringList m_messages;
    qint64 m_nowNs = 0;
};

void TestForm3::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_folder->path());
    ClockCorrection = 18000;
    TicksPerSecond = 100;
    m_messages.clear();
    platform::setMessageSink([this](const QString &text) { m_messages << text; });
}

void TestForm3::cleanup()
{
    QDir::setCurrent(m_startFolder);
    m_folder.reset();
}

std::unique_ptr<Form3> TestForm3::openForm()
{
    // The handlers are driven by hand; real time must not add ticks.
    m_nowNs = 0;
    auto form = std::make_unique<Form3>([this] { return m_nowNs; });
    form->show();
    return form;
}

void TestForm3::opensIdleWithTheStoredCorrection()
{
    ClockCorrection = 11790;
    Form3 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("時間補正"));
    QCOMPARE(form.findChild<platform::TickSource *>(QStringLiteral("Timer2"))->interval(), 10);
    QCOMPARE(box(form)->text(), QStringLiteral("11790"));
    QVERIFY(!confirming(form));
    QVERIFY(!form.measuring());

    // Every control lies inside the client area.
    const QList<QWidget *> controls = form.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(controls.size(), 10);
    for (const QWidget *control : controls)
        QVERIFY2(form.rect().contains(control->geometry()), qPrintable(control->objectName()));

    // Tab walks the controls that take the focus in their designed order.
    QStringList order;
    QWidget *at = form.findChild<QWidget *>(QStringLiteral("Command1"));
    for (int i = 0; i < 6; ++i, at = at->nextInFocusChain()) {
        while (!(at->focusPolicy() & Qt::TabFocus))
            at = at->nextInFocusChain();
        order << at->objectName();
    }
    QCOMPARE(order, QStringList({QStringLiteral("Command1"), QStringLiteral("Command2"), QStringLiteral("Command3"),
                                 QStringLiteral("Command5"), QStringLiteral("ClockIndic"), QStringLiteral("Command4")}));
}

void TestForm3::steps_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("measuring");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("correction");
    QTest::addColumn<QByteArray>("file"); // empty: not written

    const QByteArray none;
    QTest::newRow("start again restarts") << "start tick5 start tick2" << true << 2 << false << "2" << 18000 << none;
    QTest::newRow("box keeps its text until a tick") << "start tick5 stop start" << true << 0 << true << "5" << 18000 << none;
    QTest::newRow("start while confirming") << "start tick5 stop start tick2" << true << 2 << true << "2" << 18000 << none;
    QTest::newRow("apply a measurement") << "start tick12000 stop apply" << false << 0 << true << "12000" << 12000 << QByteArray("12000\r\n");
    QTest::newRow("apply a typed count") << "type:12000 apply" << false << 0 << true << "12000" << 12000 << QByteArray("12000\r\n");
    QTest::newRow("full-width count") << "ime:　１２０００ apply" << false << 0 << true << "　１２０００" << 12000 << QByteArray("12000\r\n");
    QTest::newRow("2.5 goes to 2") << "type:2.5" << false << 2 << true << "2.5" << 18000 << none;
    QTest::newRow("3.5 goes to 4") << "type:3.5" << false << 4 << true << "3.5" << 18000 << none;
    QTest::newRow("leading number only") << "type:9000ticks" << false << 9000 << true << "9000ticks" << 18000 << none;
    QTest::newRow("no number counts 0") << "type:abc" << false << 0 << true << "abc" << 18000 << none;
    QTest::newRow("Enter in an empty box") << "type:" << false << 0 << false << "" << 18000 << none;
    QTest::newRow("close during a count") << "start tick4 close" << false << 0 << false << "18000" << 18000 << none;
    QTest::newRow("redo after apply") << "type:12000 apply redo" << false << 0 << false << "12000" << 12000 << QByteArray("12000\r\n");
    QTest::newRow("redo takes no tick from before it") << "start tick5 stop start pass7 redo tick3 stop" << false << 3 << true << "3" << 18000 << none;
    QTest::newRow("a typed count takes no tick from before it") << "start pass7 type:12000" << false << 12000 << true << "12000" << 18000 << none;
    QTest::newRow("redo while counting goes on from 0") << "start tick5 stop start tick3 redo tick2" << true << 2 << false << "2" << 18000 << none;

    // What the design leaves open.
    QTest::newRow("count stops at 32767") << "start tick32800" << true << 32767 << false << "32767" << 18000 << none;
    QTest::newRow("typed 32767.5 is refused") << "type:32767.5" << false << 0 << false << "18000" << 18000 << none;
    QTest::newRow("typed negative is refused") << "type:-1" << false << 0 << false << "18000" << 18000 << none;
    QTest::newRow("refusal ends a count") << "start tick3 type:99999" << false << 0 << false << "18000" << 18000 << none;
    QTest::newRow("90 is not applied") << "type:90 apply" << false << 90 << true << "90" << 18000 << none;
    QTest::newRow("91 is applied") << "type:91 apply" << false << 0 << true << "91" << 91 << QByteArray("91\r\n");
    QTest::newRow("second apply changes nothing") << "type:12000 apply apply" << false << 0 << true << "12000" << 12000 << QByteArray("12000\r\n");
}

void TestForm3::steps()
{
    QFETCH(QString, script);
    QFETCH(bool, measuring);
    QFETCH(int, ticks);
    QFETCH(bool, confirm);
    QFETCH(QString, shown);
    QFETCH(int, correction);
    QFETCH(QByteArray, file);

    const auto form = openForm();
    play(*form, script, m_nowNs);
    QCOMPARE(form->measuring(), measuring);
    QCOMPARE(form->measuredTicks(), ticks);
    QCOMPARE(confirming(*form), confirm);
    QCOMPARE(box(*form)->text(), shown);
    QCOMPARE(ClockCorrection, double(correction));
    QCOMPARE(int(TicksPerSecond), correction == 18000 ? 100 : *ticksPerSecondFor(correction));
    QCOMPARE(clockFile(), file);
    QCOMPARE(form->isVisible(), !script.endsWith(QLatin1String("close")));
    QVERIFY(m_messages.isEmpty());
    // An apply that stored nothing says so in the window.
    const bool refused = script.endsWith(QLatin1String("apply")) && correction == 18000;
    QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Label4"))->isVisible(), refused);
}

void TestForm3::typingMarksTheBoxYellow()
{
    const auto form = openForm();
    QLineEdit *count = box(*form);
    QTest::mouseClick(count, Qt::LeftButton);
    QCOMPARE(count->text(), QString());
    QCOMPARE(count->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x00));
    QTest::keyClick(count, Qt::Key_Enter);
    QCOMPARE(count->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xFF));
}

void TestForm3::anUnwritableFileKeepsTheNewRate()
{
    QFile file(QStringLiteral("Orlatim.clk"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("18000\r\n");
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner));

    const auto form = openForm();
    play(*form, QStringLiteral("type:12000 apply"), m_nowNs);
    QCOMPARE(TicksPerSecond, int16_t(67));
    QCOMPARE(ClockCorrection, 12000.0);
    QCOMPARE(clockFile(), QByteArray("18000\r\n"));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains(QStringLiteral("Orlatim.clk")), qPrintable(m_messages.first()));
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestForm3::saidInJapaneseInAJapaneseLocale()
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    platform::installTranslations(*QCoreApplication::instance());
    const auto form = openForm();
    play(*form, QStringLiteral("type:90 apply"), m_nowNs);
    const QString said = form->findChild<QLabel *>(QStringLiteral("Label4"))->text();
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
    QLocale::setDefault(QLocale::c());
    QCOMPARE(said, QStringLiteral("補正しませんでした。値は 91 以上にしてください。"));
}

QTEST_MAIN(TestForm3)
#include "test_form3.moc"
