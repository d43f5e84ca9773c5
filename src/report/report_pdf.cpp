#include "report/report_files.h"

#include "report/report_geometry.h"
#include "report/report_painter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace report {

QString writeReportPdf(const SessionReport &report, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(1200);
        pdf.setTitle(reportHeading(report));
        pdf.setCreator(QCoreApplication::applicationName());
        QPainter painter(&pdf);
        const double scale = pdf.width() / PageSize.width();
        for (int page = 0; page < pageCount(report); ++page) {
            if (page > 0)
                pdf.newPage();
            painter.resetTransform();
            painter.scale(scale, scale);
            paintPage(painter, report, page);
        }
    }
    if (!file.commit())
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    return {};
}

QString writeReport(const SessionReport &report, const QString &path)
{
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(reportHtml(report)) >= 0 && file.commit())
            return {};
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    }
    return writeReportPdf(report, path);
}

} // namespace report
