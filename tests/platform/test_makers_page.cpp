#include "platform/file_lookup.h"
#include "platform/makers_page.h"
#include "platform/messages.h"

#include <QDesktopServices>
#include <QFile>
#include <QTest>

// Stands in for the desktop's browser.
class FakeDesktop : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;

public slots:
    void openUrl(const QUrl &url) { opened << url; }
};

class TestMakersPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void thePageBesideTheProgramGoesToTheBrowser();
    void withoutABrowserAMessageShowsTheAddress();
    void theBuildPutsThePageBesideTheProgram();

private:
    QStringList m_messages;
};

void TestMakersPage::initTestCase()
{
    platform::setMessageSink([this](const QString &text) { m_messages << text; });
}

void TestMakersPage::thePageBesideTheProgramGoesToTheBrowser()
{
    FakeDesktop desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "openUrl");
    platform::openMakersPage();
    platform::openMakersPage();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    const QUrl expected = QUrl::fromLocalFile(platform::programFolder() + platform::makersPageName());
    QCOMPARE(desktop.opened, (QList<QUrl>{expected, expected}));
    QVERIFY(m_messages.isEmpty());
}

void TestMakersPage::withoutABrowserAMessageShowsTheAddress()
{
    // A handler that cannot take the address stands for a desktop without a browser.
    QObject nobody;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &nobody, "openUrl");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No such method")));
    platform::openMakersPage();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().contains(platform::makersPageUrl().toString()));
}

void TestMakersPage::theBuildPutsThePageBesideTheProgram()
{
    QVERIFY(QFile::exists(QStringLiteral(BUILD_DIR "/") + platform::makersPageName()));
}

QTEST_MAIN(TestMakersPage)
#include "test_makers_page.moc"
