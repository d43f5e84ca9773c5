#include "clock_correction/clock_correction_window.h"
#include "clock_correction/form3.h"
#include "platform/window.h"
#include "settings/declare.h"

#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

class TestClockCorrectionWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void opensAboveAndLeftOfTheSettingsWindow();
    void closeButtonKeepsTheWindow();
    void titleBarCloseDiscardsIt();

private:
    QTemporaryDir m_folder;
    QWidget m_settings;
};

void TestClockCorrectionWindow::initTestCase()
{
    QDir::setCurrent(m_folder.path());
    m_settings.setGeometry(400, 300, 420, 260);
    m_settings.show();
}

void TestClockCorrectionWindow::opensAboveAndLeftOfTheSettingsWindow()
{
    const QPoint expected = m_settings.pos() - QPoint(platform::twipsToPixelsX(100), platform::twipsToPixelsY(100));
    openClockCorrectionWindow(&m_settings);
    Form3 *form = clockCorrectionWindow();
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QVERIFY(!form->parentWidget());
    QCOMPARE(form->pos(), expected);

    // Moved away and opened again: the same window comes back to its place.
    form->move(10, 10);
    openClockCorrectionWindow(&m_settings);
    QCOMPARE(clockCorrectionWindow(), form);
    QCOMPARE(form->pos(), expected);
}

void TestClockCorrectionWindow::closeButtonKeepsTheWindow()
{
    openClockCorrectionWindow(&m_settings);
    Form3 *form = clockCorrectionWindow();
    form->Command1_Click();
    form->Command5_Click();
    QVERIFY(!form->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    openClockCorrectionWindow(&m_settings);
    QCOMPARE(clockCorrectionWindow(), form);
}

void TestClockCorrectionWindow::titleBarCloseDiscardsIt()
{
    ClockCorrection = 12000;
    openClockCorrectionWindow(&m_settings);
    QPointer<Form3> old = clockCorrectionWindow();
    old->Command1_Click();
    old->Timer2_Timer();
    QVERIFY(old->close());
    QVERIFY(!old->measuring());
    QVERIFY(!clockCorrectionWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());

    openClockCorrectionWindow(&m_settings);
    Form3 *fresh = clockCorrectionWindow();
    QVERIFY(fresh);
    QVERIFY(!fresh->measuring());
    QCOMPARE(fresh->findChild<QLineEdit *>(QStringLiteral("ClockIndic"))->text(), QStringLiteral("12000"));
}

QTEST_MAIN(TestClockCorrectionWindow)
#include "test_clock_correction_window.moc"
