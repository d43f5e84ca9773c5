#include "report/report_painter.h"

#include "report/report_geometry.h"

#include "report/report_words.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace report {

namespace {

constexpr double Margin = 100;
constexpr double RowHeight = 60;
constexpr double HeaderHeight = 56;

// The report's face has Japanese glyphs; the PDF embeds it.
QFont reportFont(double size, bool bold = false)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(int(size));
    font.setBold(bold);
    return font;
}

// The columns of the chart, left to right.
struct Columns {
    QRectF number{Margin, 0, 50, 0};
    QRectF title{170, 0, 780, 0};
    QRectF speaker{970, 0, 300, 0};
    QRectF bars{1290, 0, 880, 0};
    // Wide enough for a day in hours, "+23:59:59" in bold.
    QRectF planned{2180, 0, 170, 0};
    QRectF taken{2360, 0, 170, 0};
    QRectF over{2540, 0, 170, 0};
    QRectF pauses{2720, 0, PageSize.width() - Margin - 2720, 0};
};

QRectF at(QRectF column, double top, double height)
{
    column.moveTop(top);
    column.setHeight(height);
    return column;
}

void text(QPainter &p, const QRectF &box, const QString &words, Qt::Alignment align = Qt::AlignLeft)
{
    const QString shown = QFontMetricsF(p.font()).elidedText(words, Qt::ElideRight, box.width());
    p.drawText(box, int(align | Qt::AlignVCenter), shown);
}

// A name in its column: smaller when it is long, on two lines when it is
// longer still, shortened with an ellipsis only when even they cannot hold
// it, so that the PDF's text holds the whole of nearly every title.
void fitted(QPainter &p, const QRectF &box, const QString &words, bool bold = false)
{
    p.save();
    for (int size : {30, 26}) {
        p.setFont(reportFont(size, bold));
        if (QFontMetricsF(p.font()).horizontalAdvance(words) <= box.width()) {
            p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, words);
            p.restore();
            return;
        }
    }
    p.setFont(reportFont(24, bold));
    const QFontMetricsF metrics(p.font());
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    const auto fits = [&](const QString &shown) { return metrics.boundingRect(box, flags, shown).height() <= box.height(); };
    // The longest beginning that fits, found by halving: a title of
    // thousands of characters takes a few layouts, not thousands.
    const auto shortened = [&](qsizetype length) -> QString { return words.left(length) + QStringLiteral("…"); };
    const bool whole = fits(words);
    qsizetype fitting = 0;
    qsizetype tooLong = words.size();
    while (!whole && tooLong - fitting > 1) {
        const qsizetype middle = (fitting + tooLong) / 2;
        if (fits(shortened(middle)))
            fitting = middle;
        else
            tooLong = middle;
    }
    p.drawText(box, flags, whole ? words : shortened(fitting));
    p.restore();
}

// The part past bell 3: red, and hatched so that it reads without colour.
void hatched(QPainter &p, const QRectF &box)
{
    p.fillRect(box, colours::Over);
    p.save();
    p.setClipRect(box);
    p.setPen(QPen(Qt::white, 4));
    for (double x = box.left() - box.height(); x < box.right(); x += 16)
        p.drawLine(QPointF(x, box.bottom()), QPointF(x + box.height(), box.top()));
    p.restore();
}

void pauseMark(QPainter &p, const QPointF &at)
{
    p.fillRect(QRectF(at.x(), at.y() - 12, 6, 24), Qt::black);
    p.fillRect(QRectF(at.x() + 11, at.y() - 12, 6, 24), Qt::black);
}

void paintBars(QPainter &p, const LogRow &talk, int seconds, const QRectF &box)
{
    const TalkBars bars = talkBars(talk, seconds, box.width());
    const double x = box.left();
    const QRectF outline(x, box.top() + 8, 0, box.height() - 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colours::Presentation, 4));
    p.drawRect(outline.adjusted(0, 0, bars.presentationEnd, 0));
    p.setPen(QPen(colours::Discussion, 4));
    if (bars.discussionEnd > bars.presentationEnd)
        p.drawRect(outline.adjusted(bars.presentationEnd, 0, bars.discussionEnd, 0));
    const QRectF filled(x, box.top() + 17, 0, box.height() - 34);
    p.fillRect(filled.adjusted(0, 0, bars.takenEnd, 0), colours::Taken);
    if (bars.overEnd > bars.takenEnd)
        hatched(p, filled.adjusted(bars.takenEnd, 0, bars.overEnd, 0));
}

void paintChart(QPainter &p, const SessionReport &report, int first, int count, double top)
{
    const Columns c;
    const ChartWords words = chartWords();
    const int seconds = chartSeconds(report);
    p.setPen(Qt::black);
    p.setFont(reportFont(30, true));
    text(p, at(c.number, top, HeaderHeight), words.number, Qt::AlignRight);
    text(p, at(c.title, top, HeaderHeight), words.title);
    text(p, at(c.speaker, top, HeaderHeight), words.speaker);
    text(p, at(c.planned, top, HeaderHeight), words.planned, Qt::AlignRight);
    text(p, at(c.taken, top, HeaderHeight), words.taken, Qt::AlignRight);
    text(p, at(c.over, top, HeaderHeight), words.over, Qt::AlignRight);
    text(p, at(c.pauses, top, HeaderHeight), words.pauses, Qt::AlignRight);

    const double rowsTop = top + HeaderHeight;
    const double rowsBottom = rowsTop + count * RowHeight;
    p.setFont(reportFont(26));
    for (int tick : chartTicks(seconds)) {
        const double x = c.bars.left() + c.bars.width() * tick / seconds;
        p.setPen(QPen(colours::Grid, 2));
        p.drawLine(QPointF(x, rowsTop), QPointF(x, rowsBottom));
        p.setPen(Qt::black);
        // The labels stay above the bars, clear of the figures beside them.
        const QRectF label = QRectF(x - 60, top, 120, HeaderHeight)
                                 .translated(std::min(0.0, c.bars.right() - (x + 60)), 0);
        p.drawText(label, Qt::AlignCenter,
                   tick == 0 ? words.minutes : QString::number(tick / 60));
    }

    for (int i = 0; i < count; ++i) {
        const LogRow &talk = report.talks[first + i];
        const double y = rowsTop + i * RowHeight;
        if (i % 2)
            p.fillRect(QRectF(Margin, y, PageSize.width() - 2 * Margin, RowHeight), colours::Stripe);
        paintBars(p, talk, seconds, at(c.bars, y, RowHeight));
        p.setPen(Qt::black);
        p.setFont(reportFont(30));
        // Whole however many digits: it may reach into the margin.
        p.drawText(at(c.number, y, RowHeight), Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                   QString::number(first + i + 1));
        fitted(p, at(c.title, y, RowHeight), talk.title);
        fitted(p, at(c.speaker, y, RowHeight), talk.speaker);
        text(p, at(c.planned, y, RowHeight), minutesSeconds(talk.presentation + talk.discussion), Qt::AlignRight);
        text(p, at(c.taken, y, RowHeight), minutesSeconds(talk.elapsed), Qt::AlignRight);
        if (talk.overtime > 0) {
            p.setFont(reportFont(30, true));
            p.setPen(colours::Over.darker(130));
            text(p, at(c.over, y, RowHeight), signedMinutesSeconds(talk.overtime), Qt::AlignRight);
            p.setPen(Qt::black);
            p.setFont(reportFont(30));
        }
        const QString pauses = pausesText(talk);
        if (!pauses.isEmpty()) {
            const QRectF box = at(c.pauses, y, RowHeight);
            text(p, box, pauses, Qt::AlignRight);
            const double width = QFontMetricsF(p.font()).horizontalAdvance(pauses);
            pauseMark(p, QPointF(box.right() - width - 30, box.center().y()));
        }
    }
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(Margin, rowsTop), QPointF(PageSize.width() - Margin, rowsTop));
    p.drawLine(QPointF(Margin, rowsBottom), QPointF(PageSize.width() - Margin, rowsBottom));

    // The legend, under the chart.
    const double y = rowsBottom + 20;
    double x = c.bars.left();
    p.setFont(reportFont(26));
    const auto label = [&](const QString &words) {
        p.setPen(Qt::black);
        const QRectF box(x, y, QFontMetricsF(p.font()).horizontalAdvance(words) + 10, 40);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, words);
        x = box.right() + 40;
    };
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colours::Presentation, 4));
    p.drawRect(QRectF(x, y + 6, 60, 28));
    x += 75;
    label(words.presentation);
    p.setPen(QPen(colours::Discussion, 4));
    p.drawRect(QRectF(x, y + 6, 60, 28));
    x += 75;
    label(words.discussion);
    p.fillRect(QRectF(x, y + 12, 60, 16), colours::Taken);
    x += 75;
    label(words.takenBar);
    hatched(p, QRectF(x, y + 12, 60, 16));
    x += 75;
    label(words.pastBell3);
    pauseMark(p, QPointF(x, y + 20));
    x += 30;
    label(words.pauses);
}

void paintTotals(QPainter &p, const SessionReport &report, const QRectF &box)
{
    p.setPen(Qt::black);
    p.setFont(reportFont(36, true));
    p.drawText(QRectF(box.left(), box.top(), box.width(), 60), Qt::AlignLeft | Qt::AlignVCenter,
               Words::tr("Totals"));
    double y = box.top() + 80;
    for (const TotalsLine &line : totalsLines(report)) {
        p.setFont(reportFont(30));
        text(p, QRectF(box.left(), y, box.width() * 0.55, 56), line.label);
        p.setFont(reportFont(30, true));
        fitted(p, QRectF(box.left() + box.width() * 0.57, y, box.width() * 0.43, 56), line.value, true);
        p.setPen(QPen(colours::Grid, 2));
        p.drawLine(QPointF(box.left(), y + 56), QPointF(box.right(), y + 56));
        p.setPen(Qt::black);
        y += 64;
    }
    p.setFont(reportFont(26));
    for (const QString &note : reportNotes(report)) {
        p.drawText(QRectF(box.left(), y, box.width(), 80), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note);
        y += 80;
    }
}

void paintDrift(QPainter &p, const SessionReport &report, const QRectF &box)
{
    p.setPen(Qt::black);
    p.setFont(reportFont(36, true));
    p.drawText(QRectF(box.left(), box.top(), box.width(), 60), Qt::AlignLeft | Qt::AlignVCenter, driftHeading());
    p.setFont(reportFont(26));
    p.drawText(QRectF(box.left(), box.top() + 60, box.width(), 44), Qt::AlignLeft | Qt::AlignVCenter,
               driftSource(report));
    const QRectF plot(box.left() + 90, box.top() + 150, box.width() - 120, box.height() - 300);
    const DriftPlot drift = driftPlot(report, plot);
    const DriftAxes axes = driftAxes();
    p.drawText(QRectF(box.left(), plot.top() - 48, box.width(), 40), Qt::AlignLeft | Qt::AlignVCenter, axes.offsets);
    for (const auto &[y, minutes] : drift.minuteLines) {
        p.setPen(QPen(colours::Grid, 2));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(box.left(), y - 20, 80, 40), Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                   QString::number(minutes));
    }
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(QPointF(plot.left(), drift.zeroY), QPointF(plot.right(), drift.zeroY));
    for (const auto &[x, label] : drift.talkLabels)
        p.drawText(QRectF(x - 50, plot.bottom() + 8, 100, 40), Qt::AlignCenter | Qt::TextDontClip, label);
    const QRectF under(plot.left(), plot.bottom() + 50, plot.width(), 40);
    p.drawText(under, Qt::AlignHCenter | Qt::AlignVCenter, axes.talks);
    p.drawText(under, Qt::AlignLeft | Qt::AlignVCenter, axes.early);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colours::Drift, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(drift.points.constData(), int(drift.points.size()));
    p.setBrush(colours::Drift);
    for (const QPointF &point : drift.points)
        p.drawEllipse(point, 9, 9);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setFont(reportFont(30, true));
    p.drawText(QRectF(box.left(), box.bottom() - 60, box.width(), 60), Qt::AlignLeft | Qt::AlignVCenter,
               driftEnds(report));
}

} // namespace

int pageCount(const SessionReport &report) { return pageCountOf(int(report.talks.size())); }

void paintPage(QPainter &p, const SessionReport &report, int page)
{
    p.fillRect(QRectF(QPointF(0, 0), PageSize), Qt::white);
    p.setPen(Qt::black);
    p.setFont(reportFont(60, true));
    p.drawText(QRectF(Margin, Margin, PageSize.width() - 2 * Margin, 80), Qt::AlignLeft | Qt::AlignVCenter,
               reportHeading(report));
    p.setFont(reportFont(32));
    const int pages = pageCount(report);
    p.drawText(QRectF(Margin, Margin, PageSize.width() - 2 * Margin, 80), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    p.drawText(QRectF(Margin, Margin + 85, PageSize.width() - 2 * Margin, 50), Qt::AlignLeft | Qt::AlignVCenter,
               reportSubheading(report));

    const auto [first, count] = pageChunk(int(report.talks.size()), page);
    double top = Margin + 160;
    if (page == 0) {
        paintTotals(p, report, QRectF(Margin, top, 1000, 500));
        paintDrift(p, report, QRectF(1200, top, PageSize.width() - Margin - 1200, 560));
        top += 600;
        const QStringList leftOut = leftOutLines(report.problems, 3);
        p.setFont(reportFont(26));
        p.setPen(Qt::black);
        double y = PageSize.height() - Margin - 40 * leftOut.size();
        for (const QString &line : leftOut) {
            text(p, QRectF(Margin, y, PageSize.width() - 2 * Margin, 40), line);
            y += 40;
        }
    }
    if (count > 0)
        paintChart(p, report, first, count, top);
}

} // namespace report
