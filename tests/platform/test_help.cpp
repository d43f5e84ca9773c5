#include "platform/help.h"
#include "platform/messages.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

QString tinyHelp(const QString &name) { return QStringLiteral(TINY_HELP_DIR "/") + name + QStringLiteral(".chm"); }

QWidget *helpWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (window->objectName() == QLatin1String("HelpWindow") && window->isVisible())
            return window;
    return nullptr;
}

QTextBrowser *helpBrowser()
{
    QWidget *window = helpWindow();
    return window ? window->findChild<QTextBrowser *>() : nullptr;
}

QByteArray load(QTextBrowser *browser, QTextDocument::ResourceType type, const QUrl &url)
{
    return browser->loadResource(type, url).toByteArray();
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void f1OpensTheFirstPage_data();
    void f1OpensTheFirstPage();
    void linksAndImagesComeFromTheFile();
    void unusableFileGivesAMessage_data();
    void unusableFileGivesAMessage();
    void everyPageOfOurHelpIsReachedAndResolves();

private:
    QStringList m_messages;
    QWidget m_someWindow;
    QTemporaryDir m_folder;
};

void TestHelp::initTestCase()
{
    platform::installHelpKey(*qApp);
    platform::setMessageSink([this](const QString &text) { m_messages << text; });
    m_someWindow.show();
}

void TestHelp::cleanup()
{
    if (QWidget *window = helpWindow())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_messages.clear();
}

void TestHelp::f1OpensTheFirstPage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("text");
    QTest::newRow("default topic") << "topic" << "/sub/third.html" << "Third page";
    QTest::newRow("home page of the window") << "window" << "/second.html" << "二ページ目";
    QTest::newRow("index.html") << "plain" << "/index.html" << "First page";
    QTest::newRow("the only page") << "bare" << "/sub/third.html" << "Third page";
}

void TestHelp::f1OpensTheFirstPage()
{
    QFETCH(QString, file);
    QFETCH(QString, page);
    QFETCH(QString, text);
    platform::setHelpFile(tinyHelp(file));
    QTest::keyClick(&m_someWindow, Qt::Key_F1);
    QTextBrowser *browser = helpBrowser();
    QVERIFY(browser);
    QCOMPARE(browser->source().path(), page);
    QVERIFY(browser->toPlainText().contains(text));
    QVERIFY(m_messages.isEmpty());

    // F1 again reuses the one window.
    QTest::keyClick(&m_someWindow, Qt::Key_F1);
    QCOMPARE(helpBrowser(), browser);
}

void TestHelp::linksAndImagesComeFromTheFile()
{
    platform::setHelpFile(tinyHelp(QStringLiteral("plain")));
    platform::showHelp();
    QTextBrowser *browser = helpBrowser();
    QVERIFY(browser);

    const QImage dot = QImage::fromData(load(browser, QTextDocument::ImageResource, browser->source().resolved(QUrl(QStringLiteral("dot.png")))));
    QCOMPARE(dot.size(), QSize(3, 3));

    // Tab selects the link and Enter follows it, as a reader would.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    QCOMPARE(browser->source().path(), QStringLiteral("/second.html"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Second page")));

    auto *back = helpWindow()->findChild<QPushButton *>(QStringLiteral("back"));
    QVERIFY(back->isEnabled());
    back->click();
    QCOMPARE(browser->source().path(), QStringLiteral("/index.html"));
    QVERIFY(!back->isEnabled());
}

void TestHelp::unusableFileGivesAMessage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: the file does not exist
    QByteArray noise(4096, Qt::Uninitialized);
    QRandomGenerator generator(1234);
    generator.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QFile real(tinyHelp(QStringLiteral("plain")));
    QVERIFY(real.open(QIODevice::ReadOnly));
    const QByteArray whole = real.readAll();

    QTest::newRow("missing") << "missing.chm" << QByteArray();
    QTest::newRow("random bytes") << "noise.chm" << noise;
    QTest::newRow("empty") << "empty.chm" << QByteArray("");
    QTest::newRow("cut after its header") << "cut.chm" << whole.left(600);
    QTest::newRow("cut in the middle") << "half.chm" << whole.left(whole.size() / 2);
}

void TestHelp::unusableFileGivesAMessage()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = m_folder.filePath(name);
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    platform::setHelpFile(path);
    QTest::keyClick(&m_someWindow, Qt::Key_F1);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains(path), qPrintable(m_messages.first()));
    QVERIFY(!helpWindow());
}

void TestHelp::everyPageOfOurHelpIsReachedAndResolves()
{
    QFile project(QStringLiteral(HELP_SOURCE_DIR "/Orlatim.hhp"));
    QVERIFY(project.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString files = QString::fromUtf8(project.readAll()).section(QStringLiteral("[FILES]"), 1);
    QStringList listed;
    for (const QString &line : files.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (line.trimmed().endsWith(QStringLiteral(".html")))
            listed << QLatin1Char('/') + line.trimmed();

    platform::setHelpFile(QStringLiteral(BUILD_DIR "/Orlatim.chm"));
    platform::showHelp();
    QTextBrowser *browser = helpBrowser();
    QVERIFY(browser);
    QCOMPARE(browser->source().path(), QStringLiteral("/index.html"));

    QStringList reached{browser->source().path()};
    for (qsizetype next = 0; next < reached.size(); ++next) {
        const QUrl page(QStringLiteral("chm:") + reached[next]);
        browser->setSource(page);
        QVERIFY2(!browser->documentTitle().isEmpty(), qPrintable(page.toString()));
        for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QTextCharFormat format = fragment.fragment().charFormat();
                if (format.isImageFormat()) {
                    const QUrl image = page.resolved(QUrl(format.toImageFormat().name()));
                    QVERIFY2(!QImage::fromData(load(browser, QTextDocument::ImageResource, image)).isNull(),
                             qPrintable(image.toString()));
                }
                if (format.isAnchor() && !format.anchorHref().isEmpty()) {
                    const QString href = format.anchorHref();
                    QUrl target = page.resolved(QUrl(href));
                    target.setFragment(QString());
                    QVERIFY2(!load(browser, QTextDocument::HtmlResource, target).isEmpty(),
                             qPrintable(page.toString() + QStringLiteral(" -> ") + href));
                    if (!reached.contains(target.path()))
                        reached << target.path();
                }
            }
        }
    }
    reached.sort();
    listed.sort();
    QCOMPARE(reached, listed);
}

QTEST_MAIN(TestHelp)
#include "test_help.moc"
