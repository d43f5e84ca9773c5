#include "recording_main_window.h"

#include "platform/fonts.h"
#include "platform/line_shape.h"
#include "settings_window/form2.h"
#include "settings_window/time_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestForm2 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void loadFollowsFlags_data();
    void loadFollowsFlags();
    void twoClicksRestoreFlag_data();
    void twoClicksRestoreFlag();
    void agreeingBoxDoesNotRedraw();
    void enterStoresThenRedraws();
    void refusedEntryOnlyRefills();
    void closeHidesAndKeepsState();
    void buttonsAskTheMainWindow();
    void layout_data();
    void layout();
    void linesShowThroughTheDiagram();

private:
    std::unique_ptr<Form2> load();
    RecordingMainWindow m_main;
};

static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

void TestForm2::initTestCase() { platform::installFontSubstitutes(); }

void TestForm2::init()
{
    TimerSettings = {};
    updateTotalTime();
    m_main.take();
}

std::unique_ptr<Form2> TestForm2::load() { return std::make_unique<Form2>(m_main); }

void TestForm2::loadFollowsFlags_data()
{
    QTest::addColumn<QString>("flags"); // "index=value" in file order
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("firstBar");
    const QString timeLine = QStringLiteral("TimeLine");
    QTest::newRow("defaults") << "" << "12345" << QStringList() << "8|2|7 min" << "口演時間";
    QTest::newRow("time line and seconds") << "4=1 8=1" << "1234578" << QStringList{timeLine, timeLine}
                                           << "480|120|420 sec" << "口演時間";
    QTest::newRow("English, no re-layout") << "7=1" << "123456" << QStringList() << "8|2|7 min" << "presentation";
    QTest::newRow("all off") << "1=0 2=0 3=0 5=0 6=0" << "" << QStringList() << "8|2|7 min" << "口演時間";
    QTest::newRow("unit flag 2 leaves its box clear") << "8=2" << "12345" << QStringList() << "8|2|7 min" << "口演時間";
}

void TestForm2::loadFollowsFlags()
{
    QFETCH(QString, flags);
    for (const QString &assignment : flags.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        TimerSettings.flag(assignment.section(QLatin1Char('='), 0, 0).toInt()) =
            int16_t(assignment.section(QLatin1Char('='), 1, 1).toInt());
    const TimerSettingsRecord before = TimerSettings;

    const auto form = load();

    QString ticked;
    for (int n = 1; n <= 9; ++n)
        if (form->check(n)->isChecked())
            ticked += QString::number(n);
    QTEST(ticked, "ticked");
    QTEST(m_main.take(), "calls");
    QVERIFY(TimerSettings == before);
    const QString boxes = form->text(1)->text() + QLatin1Char('|') + form->text(2)->text() + QLatin1Char('|')
                        + form->text(3)->text() + QLatin1Char(' ')
                        + form->findChild<QLabel *>(QStringLiteral("Label12"))->text();
    QTEST(boxes, "boxes");
    QTEST(form->msc(1)->text(), "firstBar");
    for (int i = 1; i <= 3; ++i) {
        QVERIFY(!form->text(i)->testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(form->text(i)->backgroundColour(), QColor(Qt::white));
    }
}

void TestForm2::twoClicksRestoreFlag_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("Check1") << 1 << QStringList();
    QTest::newRow("Check2") << 2 << QStringList{QStringLiteral("DrawTime")};
    QTest::newRow("Check3") << 3 << QStringList{QStringLiteral("DrawTime")};
    QTest::newRow("Check6") << 6 << QStringList{QStringLiteral("Form_Resize")};
    QTest::newRow("Check7") << 7 << QStringList{QStringLiteral("TimeLine")};
    QTest::newRow("Check8") << 8 << QStringList{QStringLiteral("TimeLine")};
    QTest::newRow("Check9") << 9 << QStringList();
}

void TestForm2::twoClicksRestoreFlag()
{
    QFETCH(int, box);
    QFETCH(QStringList, calls);
    constexpr std::array<int, 9> flagOf{1, 2, 3, 5, 6, 7, 4, 8, 9};
    const auto form = load();
    const int16_t first = TimerSettings.flag(flagOf[box - 1]);
    for (int click = 1; click <= 2; ++click) {
        form->check(box)->click();
        const int16_t expected = click == 1 ? int16_t(1 - first) : first;
        QCOMPARE(TimerSettings.flag(flagOf[box - 1]), expected);
        QCOMPARE(m_main.calls, calls);
        for (const auto &seen : m_main.seen)
            QCOMPARE(seen.settings.flag(flagOf[box - 1]), expected);
        m_main.take();
    }
    if (box == 6) {
        form->check(6)->click();
        QCOMPARE(form->msc(3)->text(), QStringLiteral("time over"));
    }
    if (box == 8) {
        form->check(8)->click();
        QCOMPARE(form->text(1)->text(), QStringLiteral("480"));
        QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Label11"))->text(), QStringLiteral("total  600 sec"));
    }
}

void TestForm2::agreeingBoxDoesNotRedraw()
{
    const auto form = load();
    TimerSettings.CountDown = 0;
    form->check(2)->click();
    QCOMPARE(m_main.take(), QStringList());
    QCOMPARE(TimerSettings.CountDown, int16_t(0));
}

void TestForm2::enterStoresThenRedraws()
{
    const auto form = load();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    TimeBox *bell = form->text(3);
    QTest::mousePress(bell, Qt::LeftButton);
    QCOMPARE(bell->text(), QString());
    QCOMPARE(bell->backgroundColour(), QColor(0xFF, 0xFF, 0x00));
    QTest::keyClicks(bell, QStringLiteral("10"));
    QTest::keyClick(bell, Qt::Key_Return);

    QCOMPARE(TimerSettings.FirstBellTime, int16_t(540));
    QCOMPARE(bell->text(), QStringLiteral("9"));
    QCOMPARE(bell->backgroundColour(), QColor(Qt::white));
    QCOMPARE(m_main.calls, (QStringList{QStringLiteral("DrawMsg"), QStringLiteral("DrawTime")}));
    QVERIFY(m_main.seen.front().settings == TimerSettings);
    // Bell 1 now rings in the discussion.
    QVERIFY(!form->findChild<QLabel *>(QStringLiteral("Label1"))->isHidden());
    QVERIFY(form->findChild<QLabel *>(QStringLiteral("Label6"))->isHidden());
    QVERIFY(form->line(15)->isVisible() && form->line(16)->isVisible());
    QVERIFY(!form->line(9)->isVisible() && !form->line(10)->isVisible());
    m_main.take();

    TimeBox *presentation = form->text(1);
    QTest::mousePress(presentation, Qt::LeftButton);
    QTest::keyClicks(presentation, QStringLiteral("5"));
    QTest::keyClick(presentation, Qt::Key_Enter);
    QCOMPARE(TotalTime, int16_t(420));
    QCOMPARE(m_main.seen.front().totalTime, int16_t(420));
    QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Label11"))->text(), QStringLiteral("total  7 min"));
    QCOMPARE(bell->text(), QStringLiteral("6"));
}

void TestForm2::refusedEntryOnlyRefills()
{
    const auto form = load();
    TimeBox *discussion = form->text(2);
    form->Text_Click(2);
    discussion->setText(QStringLiteral("2 min"));
    form->Text_KeyPress(2, 13);
    QCOMPARE(discussion->text(), QStringLiteral("2"));
    QCOMPARE(discussion->backgroundColour(), QColor(Qt::white));
    QVERIFY(TimerSettings == TimerSettingsRecord{});
    QCOMPARE(m_main.take(), QStringList());
    // Keys other than Enter only edit the box.
    form->Text_KeyPress(2, '5');
    QCOMPARE(discussion->text(), QStringLiteral("2"));
}

void TestForm2::closeHidesAndKeepsState()
{
    QPointer<Form2> form = new Form2(m_main);
    form->show();
    form->Text_Click(2);
    form->check(7)->click();
    form->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    flushDeletes();
    QVERIFY(form);
    QVERIFY(form->isHidden());
    form->show();
    QCOMPARE(form->text(2)->text(), QString());
    QCOMPARE(form->text(2)->backgroundColour(), QColor(0xFF, 0xFF, 0x00));
    QVERIFY(form->check(7)->isChecked());

    form->close();
    flushDeletes();
    QVERIFY(!form);
    QCOMPARE(TimerSettings.ShowTimeLine, int16_t(1));
}

void TestForm2::buttonsAskTheMainWindow()
{
    const auto form = load();
    QSignalSpy page(form.get(), &Form2::makersPageRequested);
    QSignalSpy clock(form.get(), &Form2::clockCorrectionRequested);
    form->findChild<QPushButton *>(QStringLiteral("Command3"))->click();
    form->findChild<QPushButton *>(QStringLiteral("Command4"))->click();
    form->findChild<QPushButton *>(QStringLiteral("Command4"))->click();
    QCOMPARE(page.count(), 1);
    QCOMPARE(clock.count(), 2);
    QVERIFY(TimerSettings == TimerSettingsRecord{});
}

void TestForm2::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // in its parent, pixels at 96 dpi
    QTest::newRow("Frame1") << "Frame1" << QRect(8, 0, 405, 135);
    QTest::newRow("Frame2") << "Frame2" << QRect(8, 144, 414, 137);
    QTest::newRow("Check7 on the window") << "Check7" << QRect(144, 144, 113, 25);
    QTest::newRow("Check5 in Frame2") << "Check5" << QRect(264, 43, 185, 25);
    QTest::newRow("Text1") << "Text1" << QRect(96, 80, 41, 24);
    QTest::newRow("Text2 is lower") << "Text2" << QRect(240, 80, 41, 23);
    QTest::newRow("msc3") << "msc3" << QRect(312, 32, 84, 17);
    QTest::newRow("Label8") << "Label8" << QRect(193, 16, 49, 17);
    QTest::newRow("Label11") << "Label11" << QRect(128, 112, 73, 17);
    QTest::newRow("Command4") << "Command4" << QRect(16, 232, 73, 25);
    QTest::newRow("Command1") << "Command1" << QRect(360, 232, 49, 25);
}

void TestForm2::layout()
{
    QFETCH(QString, name);
    const auto form = load();
    QCOMPARE(form->innerSize(), QSize(422, 263));
    const auto *control = form->findChild<QWidget *>(name);
    QVERIFY(control);
    QTEST(control->geometry(), "geometry");
}

void TestForm2::linesShowThroughTheDiagram()
{
    const auto form = load();
    QCOMPARE(form->line(14)->from(), QPointF(24, 120));
    QCOMPARE(form->line(14)->to(), QPointF(315, 120));
    const QImage image = form->grab().toImage();
    const QColor black(Qt::black);
    QCOMPARE(image.pixelColor(100, 120), black);                  // total line
    QCOMPARE(image.pixelColor(211, 70), black);                   // end of the presentation
    QCOMPARE(image.pixelColor(165, 60), black);                   // bell 1 tick in the presentation
    QCOMPARE(image.pixelColor(170, 120), QColor(0xE0, 0xE0, 0xE0)); // gap under the total caption
    QCOMPARE(image.pixelColor(27, 40), QColor(0x80, 0xFF, 0x80));  // presentation bar
    QCOMPARE(image.pixelColor(5, 5), QColor(0xE0, 0xE0, 0xE0));
}

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
