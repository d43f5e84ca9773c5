#include "report/report_window.h"

#include "platform/placement.h"
#include "report/background.h"
#include "report/report_files.h"
#include "report/report_geometry.h"
#include "report/report_job.h"
#include "report/report_painter.h"

#include <QBoxLayout>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>

namespace report {

namespace {

constexpr int PageWidth = 1123; // A4 at 96 dots an inch
constexpr int PageGap = 12;

// The pages one under the other, as they print.
class PagesView : public QWidget
{
public:
    explicit PagesView(const SessionReport &report, QWidget *parent) : QWidget(parent), m_report(report) {}

    void refresh()
    {
        const int pages = m_report.talks.isEmpty() ? 0 : pageCount(m_report);
        setFixedSize(PageWidth, pages * (pageHeight() + PageGap));
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        const double scale = PageWidth / PageSize.width();
        // Only the pages in sight: a long day has thousands.
        const int step = pageHeight() + PageGap;
        for (int page = event->rect().top() / step; page * step < std::min(height(), event->rect().bottom() + 1); ++page) {
            painter.resetTransform();
            painter.translate(0, page * (pageHeight() + PageGap));
            painter.scale(scale, scale);
            paintPage(painter, m_report, page);
        }
    }

private:
    static int pageHeight() { return int(PageWidth * PageSize.height() / PageSize.width()); }
    const SessionReport &m_report;
};

} // namespace

ReportWindow::ReportWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Report"));
    resize(PageWidth + 60, 760);
    m_pages = new PagesView(m_report, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_pages);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    // The log's lines appear here, titles included: shown as written, never as markup.
    m_note->setTextFormat(Qt::PlainText);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_save = new QPushButton(tr("save…"), this);
    m_save->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, &ReportWindow::save);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_note, 1);
    buttons->addWidget(m_save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(buttons);
}

void ReportWindow::load(const QString &logPath)
{
    m_save->setEnabled(false);
    m_note->setText(tr("building…"));
    // A later request wins over one still being built.
    const int generation = ++m_generation;
    runInBackground<LoadedReport>(
        this, [logPath] { return loadReport(logPath, std::nullopt); },
        [this, generation](const LoadedReport &loaded) {
            if (generation == m_generation)
                showLoaded(loaded);
        });
}

void ReportWindow::showLoaded(const LoadedReport &loaded)
{
    m_report = loaded.report;
    static_cast<PagesView *>(m_pages)->refresh();
    m_save->setEnabled(loaded.error.isEmpty());
    m_note->setText(loaded.error.isEmpty()
                        ? QStringList(reportNotes(m_report) + m_report.problems.mid(0, 3)).join(QLatin1Char('\n'))
                        : loaded.error);
}

void ReportWindow::showEvent(QShowEvent *event)
{
    platform::placeOnScreen(*this);
    QWidget::showEvent(event);
}

void ReportWindow::save()
{
    const QString suggested = QStringLiteral("Orlatim-report-%1.pdf").arg(m_report.date.toString(Qt::ISODate));
    QString filter;
    QString path = QFileDialog::getSaveFileName(this, tr("Save the report"), suggested,
                                                tr("PDF (*.pdf);;Web page (*.html)"), &filter);
    if (path.isEmpty())
        return;
    // A name typed without its ending gets the one of the form chosen.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("html") && suffix != QLatin1String("htm"))
        path += filter.contains(QLatin1String("*.pdf")) ? QStringLiteral(".pdf") : QStringLiteral(".html");
    // A long day's PDF takes a while: written aside, like the building.
    m_save->setEnabled(false);
    m_note->setText(tr("saving…"));
    runInBackground<QString>(
        this, [report = m_report, path] { return writeReport(report, path); },
        [this, path, generation = m_generation](const QString &error) {
            // A report asked for meanwhile has the window now.
            if (generation != m_generation)
                return;
            m_save->setEnabled(true);
            m_note->setText(error.isEmpty() ? tr("Saved as %1.").arg(path) : error);
        });
}

} // namespace report
