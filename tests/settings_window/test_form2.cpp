#include "platform/fonts.h"
#include "platform/line_shape.h"
#include "settings/declare.h"
#include "settings_window/form2.h"
#include "settings_window/main_window_calls.h"
#include "platform/text_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>
#include <utility>

// Stands in for the main window: logs each redraw and the settings it saw.
class Recorder : public MainWindowCalls
{
public:
    void DrawTime() override { record(QStringLiteral("DrawTime")); }
    void TimeLine() override { record(QStringLiteral("TimeLine")); }
    void Form_Resize() override { record(QStringLiteral("Form_Resize")); }
    void DrawMsg() override { record(QStringLiteral("DrawMsg")); }
    QStringList take() { return std::exchange(calls, {}); }

    QStringList calls;
    TimerSettingsRecord firstSeen;
    int16_t firstSeenTotal = 0;

private:
    void record(const QString &call)
    {
        if (calls.isEmpty())
            std::tie(firstSeen, firstSeenTotal) = std::pair(TimerSettings, TotalTime);
        calls << call;
    }
};

class TestForm2 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { platform::installFontSubstitutes(); }
    void init();
    void loadFollowsFlags_data();
    void loadFollowsFlags();
    void twoClicksRestoreFlag_data();
    void twoClicksRestoreFlag();
    void agreeingBoxDoesNotRedraw();
    void enterStoresThenRedraws();
    void refusedEntryOnlyRefills();
    void closeHidesAndKeepsState();
    void layout_data();
    void layout();
    void captionsShowWhole_data();
    void captionsShowWhole();

private:
    QString label(Form2 &form, const char *name) { return form.findChild<QLabel *>(QLatin1String(name))->text(); }
    Recorder m_main;
    std::unique_ptr<Form2> m_form;
};

void TestForm2::init()
{
    TimerSettings = {};
    updateTotalTime();
    m_main.take();
}

void TestForm2::loadFollowsFlags_data()
{
    QTest::addColumn<QString>("flags"); // "index=value", flags in file order
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("shown"); // boxes, unit, first bar
    const QString timeLine = QStringLiteral("TimeLine");
    QTest::newRow("defaults") << "" << "12345" << QStringList() << "8 2 7 min 口演時間";
    QTest::newRow("time line and seconds") << "4=1 8=1" << "1234578" << QStringList{timeLine, timeLine}
                                           << "480 120 420 sec 口演時間";
    QTest::newRow("English, no re-layout") << "7=1" << "123456" << QStringList() << "8 2 7 min presentation";
    QTest::newRow("all off") << "1=0 2=0 3=0 5=0 6=0" << "" << QStringList() << "8 2 7 min 口演時間";
    QTest::newRow("unit flag 2 stays, box clear") << "8=2" << "12345" << QStringList() << "8 2 7 min 口演時間";
}

void TestForm2::loadFollowsFlags()
{
    QFETCH(QString, flags);
    for (const QString &set : flags.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        TimerSettings.flag(set.section(QLatin1Char('='), 0, 0).toInt()) = int16_t(set.section(QLatin1Char('='), 1).toInt());
    const TimerSettingsRecord before = TimerSettings;
    Form2 form(m_main);
    QString ticked;
    for (int n = 1; n <= 9; ++n)
        ticked += form.check(n)->isChecked() ? QString::number(n) : QString();
    QTEST(ticked, "ticked");
    QTEST(m_main.take(), "calls");
    QVERIFY(TimerSettings == before);
    QTEST(QStringList({form.text(1)->text(), form.text(2)->text(), form.text(3)->text(), label(form, "Label12"),
                       form.msc(1)->text()}).join(QLatin1Char(' ')), "shown");
    QVERIFY(!form.text(1)->testAttribute(Qt::WA_InputMethodEnabled));
}

void TestForm2::twoClicksRestoreFlag_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("flag"); // in file order
    QTest::addColumn<QString>("calls");
    QTest::newRow("Check1") << 1 << 1 << "";
    QTest::newRow("Check2") << 2 << 2 << "DrawTime";
    QTest::newRow("Check3") << 3 << 3 << "DrawTime";
    QTest::newRow("Check4") << 4 << 5 << "";
    QTest::newRow("Check6") << 6 << 7 << "Form_Resize";
    QTest::newRow("Check7") << 7 << 4 << "TimeLine";
    QTest::newRow("Check8") << 8 << 8 << "TimeLine";
}

void TestForm2::twoClicksRestoreFlag()
{
    QFETCH(int, box);
    QFETCH(int, flag);
    Form2 form(m_main);
    const int16_t first = TimerSettings.flag(flag);
    for (const int16_t expected : {int16_t(1 - first), first}) {
        form.check(box)->click();
        QCOMPARE(TimerSettings.flag(flag), expected);
        const QString calls = m_main.take().join(QLatin1Char(' '));
        QTEST(calls, "calls");
        if (!calls.isEmpty())
            QCOMPARE(m_main.firstSeen.flag(flag), expected);
    }
}

void TestForm2::agreeingBoxDoesNotRedraw()
{
    Form2 form(m_main);
    TimerSettings.CountDown = 0;
    form.check(2)->click();
    QCOMPARE(m_main.take(), QStringList());
}

void TestForm2::enterStoresThenRedraws()
{
    Form2 form(m_main);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    platform::TextBox *bell = form.text(3);
    QTest::mouseClick(bell, Qt::LeftButton);
    QCOMPARE(bell->text(), QString());
    QCOMPARE(bell->backgroundColour(), QColor(0xFF, 0xFF, 0x00));
    QTest::keyClicks(bell, QStringLiteral("10"));
    QTest::keyClick(bell, Qt::Key_Return);
    QCOMPARE(TimerSettings.FirstBellTime, int16_t(540));
    QCOMPARE(bell->text(), QStringLiteral("9"));
    QCOMPARE(bell->backgroundColour(), QColor(Qt::white));
    QCOMPARE(m_main.take(), (QStringList{QStringLiteral("DrawMsg"), QStringLiteral("DrawTime")}));
    QVERIFY(m_main.firstSeen == TimerSettings);
    // Bell 1 now rings in the discussion: the marker moves over there.
    QVERIFY(form.findChild<QLabel *>(QStringLiteral("Label6"))->isHidden());
    QVERIFY(!form.findChild<QLabel *>(QStringLiteral("Label1"))->isHidden());
    QVERIFY(form.line(15)->isVisible() && form.line(16)->isVisible());
    QVERIFY(!form.line(9)->isVisible() && !form.line(10)->isVisible());

    form.Text_Click(1);
    QTest::keyClicks(form.text(1), QStringLiteral("5"));
    QTest::keyClick(form.text(1), Qt::Key_Enter);
    QCOMPARE(m_main.firstSeenTotal, int16_t(420));
    QCOMPARE(label(form, "Label11"), QStringLiteral("total  7 min"));
    QCOMPARE(bell->text(), QStringLiteral("6"));
}

void TestForm2::refusedEntryOnlyRefills()
{
    Form2 form(m_main);
    form.Text_Click(2);
    form.text(2)->setText(QStringLiteral("2 min"));
    form.Text_KeyPress(2, 13);
    QCOMPARE(form.text(2)->text(), QStringLiteral("2"));
    QCOMPARE(form.text(2)->backgroundColour(), QColor(Qt::white));
    QVERIFY(TimerSettings == TimerSettingsRecord{});
    QCOMPARE(m_main.take(), QStringList());
}

void TestForm2::closeHidesAndKeepsState()
{
    QPointer<Form2> form = new Form2(m_main);
    QSignalSpy clock(form.data(), &Form2::clockCorrectionRequested);
    form->show();
    form->Text_Click(2);
    form->findChild<QPushButton *>(QStringLiteral("Command4"))->click();
    form->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form && form->isHidden());
    QCOMPARE(clock.count(), 1);
    form->show();
    QCOMPARE(form->text(2)->text(), QString());
    QCOMPARE(form->text(2)->backgroundColour(), QColor(0xFF, 0xFF, 0x00));
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form);
}

void TestForm2::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // in its parent, pixels at 96 dpi
    QTest::newRow("Frame1") << "Frame1" << QRect(8, 0, 405, 135);
    QTest::newRow("Check7 on the window") << "Check7" << QRect(144, 144, 113, 25);
    QTest::newRow("Check5 in Frame2") << "Check5" << QRect(256, 43, 158, 25);
    QTest::newRow("Text2 is lower") << "Text2" << QRect(240, 80, 41, 23);
    QTest::newRow("msc3") << "msc3" << QRect(312, 32, 84, 17);
    QTest::newRow("Label8") << "Label8" << QRect(193, 16, 49, 17);
    QTest::newRow("Label11") << "Label11" << QRect(124, 112, 81, 17);
    QTest::newRow("Command4") << "Command4" << QRect(16, 232, 73, 25);
}

void TestForm2::layout()
{
    QFETCH(QString, name);
    Form2 form(m_main);
    QCOMPARE(form.innerSize(), QSize(422, 263));
    QTEST(form.findChild<QWidget *>(name)->geometry(), "geometry");
    // The lines are painted by the window and show through the diagram panel.
    const QImage image = form.grab().toImage();
    QCOMPARE(form.line(14)->to(), QPointF(315, 120));
    QCOMPARE(image.pixelColor(100, 120), QColor(Qt::black));            // total line
    QCOMPARE(image.pixelColor(211, 70), QColor(Qt::black));             // end of the presentation
    QCOMPARE(image.pixelColor(170, 120), QColor(0xE0, 0xE0, 0xE0));     // gap under the total caption
    QCOMPARE(image.pixelColor(27, 40), QColor(0x80, 0xFF, 0x80));       // presentation bar
}

void TestForm2::captionsShowWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("total");
    for (const char *name : {"Check4", "Check5", "Check9"})
        QTest::newRow(name) << name << 1 << 9999;
    QTest::newRow("Label11 in minutes") << "Label11" << 0 << 32759;
    QTest::newRow("Label11 in seconds") << "Label11" << 1 << 32759;
}

// Measured with the fonts that stand in for the design's: the caption of a
// control fits the part of it that its panel and the window show.
void TestForm2::captionsShowWhole()
{
    QFETCH(QString, name);
    QFETCH(int, units);
    QFETCH(int, total);
    TimerSettings.SecondsUnits = int16_t(units);
    TimerSettings.PresentationTime = int16_t(total - TimerSettings.DiscussionTime);
    TimerSettings.WarningInterval = TimerSettings.BlinkTime = 9999;
    TimerSettings.MusicStartTime = int16_t(std::min(9999, 32767 - total));
    updateTotalTime();
    Form2 form(m_main);
    const QWidget *control = form.findChild<QWidget *>(name);
    const QWidget *panel = control->parentWidget();
    const QRect shown = (control->geometry() & panel->rect()).translated(panel->mapTo(&form, QPoint())) & form.rect();
    QVERIFY2(control->sizeHint().width() <= shown.width(),
             qPrintable(QStringLiteral("%1 needs %2 pixels, shows %3").arg(control->property("text").toString())
                            .arg(control->sizeHint().width()).arg(shown.width())));
}

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
