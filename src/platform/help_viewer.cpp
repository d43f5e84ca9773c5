#include "platform/help.h"

#include "platform/messages.h"
#include "platform/placement.h"

#include <chm_lib.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtEndian>

#include <memory>
#include <optional>

namespace platform {

namespace {

// Pages inside the help file are addressed as chm:/path, so that relative
// links and images resolve against the page that holds them.
const QString archiveScheme = QStringLiteral("chm");

// One compiled help file, open for reading its objects.
class ChmArchive
{
public:
    explicit ChmArchive(const QString &path) : m_file(chm_open(QFile::encodeName(path).constData())) {}

    bool isOpen() const { return m_file != nullptr; }

    std::optional<QByteArray> read(const QString &objectPath) const
    {
        chmUnitInfo unit{};
        if (chm_resolve_object(m_file.get(), objectPath.toUtf8().constData(), &unit) != CHM_RESOLVE_SUCCESS)
            return std::nullopt;
        // A damaged directory can claim any length; no help object comes near this.
        constexpr LONGUINT64 largestObject = 64 * 1024 * 1024;
        if (unit.length > largestObject)
            return std::nullopt;
        QByteArray bytes(qsizetype(unit.length), Qt::Uninitialized);
        const LONGINT64 got =
            chm_retrieve_object(m_file.get(), &unit, reinterpret_cast<unsigned char *>(bytes.data()), 0, LONGINT64(unit.length));
        if (got != LONGINT64(unit.length))
            return std::nullopt;
        return bytes;
    }

    // The page the help opens at: the project's default topic, else the home
    // page of its first window, else index.html, else the first page found.
    QString defaultPage() const
    {
        for (const QString &page : {systemDefaultTopic(), windowHomePage(), QStringLiteral("/index.html")})
            if (!page.isEmpty() && read(page))
                return page;
        return firstPage();
    }

private:
    static QString objectName(const QByteArray &name)
    {
        const QString path = QString::fromUtf8(name);
        return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
    }

    // #SYSTEM: a version, then records of a 16-bit code, a 16-bit length and
    // the data; code 2 names the default topic.
    QString systemDefaultTopic() const
    {
        const QByteArray system = read(QStringLiteral("/#SYSTEM")).value_or(QByteArray());
        for (qsizetype at = 4; at + 4 <= system.size();) {
            const quint16 code = qFromLittleEndian<quint16>(system.constData() + at);
            const quint16 length = qFromLittleEndian<quint16>(system.constData() + at + 2);
            at += 4;
            if (at + length > system.size())
                break;
            if (code == 2)
                return objectName(QByteArray(system.constData() + at, length).split('\0').first());
            at += length;
        }
        return {};
    }

    // #WINDOWS: a count and an entry size, then the entries; the home page of
    // an entry is an offset into #STRINGS.
    QString windowHomePage() const
    {
        const QByteArray windows = read(QStringLiteral("/#WINDOWS")).value_or(QByteArray());
        constexpr qsizetype homeAt = 8 + 0x68;
        if (windows.size() < homeAt + 4 || qFromLittleEndian<quint32>(windows.constData()) == 0)
            return {};
        const quint32 offset = qFromLittleEndian<quint32>(windows.constData() + homeAt);
        const QByteArray strings = read(QStringLiteral("/#STRINGS")).value_or(QByteArray());
        if (offset == 0 || offset >= quint32(strings.size()))
            return {};
        const QByteArray home(strings.constData() + offset);
        return home.isEmpty() ? QString() : objectName(home);
    }

    QString firstPage() const
    {
        QStringList pages;
        auto collect = [](chmFile *, chmUnitInfo *unit, void *context) -> int {
            const QString path = QString::fromUtf8(unit->path);
            if (path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) ||
                path.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive))
                *static_cast<QStringList *>(context) << path;
            return CHM_ENUMERATOR_CONTINUE;
        };
        chm_enumerate(m_file.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collect, &pages);
        // A damaged file can list pages whose content is gone.
        for (const QString &page : std::as_const(pages))
            if (read(page))
                return page;
        return {};
    }

    struct Closer {
        void operator()(chmFile *file) const { chm_close(file); }
    };
    std::unique_ptr<chmFile, Closer> m_file;
};

// Reads pages, style sheets and images from the help file; links that leave
// it go to the desktop's browser.
class HelpBrowser : public QTextBrowser
{
public:
    explicit HelpBrowser(QWidget *parent) : QTextBrowser(parent) {}

    void open(std::unique_ptr<ChmArchive> archive, const QString &page)
    {
        m_archive = std::move(archive);
        clearHistory();
        setSource(QUrl(archiveScheme + QLatin1Char(':') + page));
    }

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (name.scheme() != archiveScheme || !m_archive)
            return QTextBrowser::loadResource(type, name);
        const std::optional<QByteArray> bytes = m_archive->read(name.path());
        return bytes ? QVariant(*bytes) : QVariant();
    }

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override
    {
        if (name.scheme() == archiveScheme)
            QTextBrowser::doSetSource(name, type);
        else
            QDesktopServices::openUrl(name);
    }

private:
    std::unique_ptr<ChmArchive> m_archive;
};

class HelpWindow : public QWidget
{
public:
    HelpWindow()
    {
        setWindowTitle(QCoreApplication::translate("HelpWindow", "Orlatim help"));
        setObjectName(QStringLiteral("HelpWindow"));
        setAttribute(Qt::WA_DeleteOnClose);
        resize(720, 560);

        auto *browser = new HelpBrowser(this);
        m_browser = browser;
        auto *back = new QPushButton(QCoreApplication::translate("HelpWindow", "< Back"), this);
        auto *forward = new QPushButton(QCoreApplication::translate("HelpWindow", "Forward >"), this);
        auto *home = new QPushButton(QCoreApplication::translate("HelpWindow", "Contents"), this);
        back->setObjectName(QStringLiteral("back"));
        forward->setObjectName(QStringLiteral("forward"));
        home->setObjectName(QStringLiteral("home"));
        back->setEnabled(false);
        forward->setEnabled(false);
        connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
        connect(forward, &QPushButton::clicked, browser, &QTextBrowser::forward);
        connect(home, &QPushButton::clicked, browser, &QTextBrowser::home);
        connect(browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        connect(browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

        auto *buttons = new QHBoxLayout;
        buttons->addWidget(back);
        buttons->addWidget(forward);
        buttons->addWidget(home);
        buttons->addStretch();
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(browser);
    }

    void open(std::unique_ptr<ChmArchive> archive, const QString &page) { m_browser->open(std::move(archive), page); }

protected:
    void showEvent(QShowEvent *event) override
    {
        placeOnScreen(*this);
        QWidget::showEvent(event);
    }

private:
    HelpBrowser *m_browser = nullptr;
};

// The one help window; a close from its title bar discards it.
QPointer<HelpWindow> theHelpWindow;

} // namespace

void showHelp()
{
    const QString path = helpFile();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        showMessage(nullptr,
                    QCoreApplication::translate("HelpWindow", "The help file \"%1\" was not found.").arg(path));
        return;
    }
    auto archive = std::make_unique<ChmArchive>(path);
    const QString page = archive->isOpen() ? archive->defaultPage() : QString();
    if (page.isEmpty()) {
        showMessage(nullptr, QCoreApplication::translate(
                                 "HelpWindow", "The help file \"%1\" cannot be shown: it is damaged or not a help file.")
                                 .arg(path));
        return;
    }
    if (!theHelpWindow)
        theHelpWindow = new HelpWindow; // deletes itself when closed
    theHelpWindow->open(std::move(archive), page);
    theHelpWindow->show();
    theHelpWindow->raise();
    theHelpWindow->activateWindow();
}

} // namespace platform
