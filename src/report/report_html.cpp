#include "report/report_files.h"

#include "report/report_geometry.h"

#include "report/report_words.h"

#include <QCoreApplication>
#include <QLocale>

namespace report {

namespace {

// The SVG's own units: a bar line is as wide as in the printed chart.
constexpr double BarsWidth = 1140;
constexpr double BarsHeight = 52;
constexpr double DriftWidth = 1670;
constexpr double DriftHeight = 520;

QString esc(const QString &text) { return text.toHtmlEscaped(); }
QString num(double value) { return QString::number(value, 'f', 1); }
QString colour(const QColor &c) { return c.name(); }

const char *const Style = R"~(
@page { size: A4 landscape; margin: 10mm; }
* { -webkit-print-color-adjust: exact; print-color-adjust: exact; box-sizing: border-box; }
body { font-family: "IPAPGothic", "IPAGothic", sans-serif; font-size: 10pt; margin: 10mm; color: #000; background: #fff; }
h1 { font-size: 17pt; margin: 0; }
h2 { font-size: 12pt; margin: 0 0 1mm 0; }
p { margin: 1mm 0; }
.page { break-after: page; }
.page:last-of-type { break-after: auto; }
.summary { display: flex; gap: 8mm; margin: 3mm 0; break-inside: avoid; }
.totals { flex: 0 0 34%; }
.totals table { border-collapse: collapse; width: 100%; }
.totals td { border-bottom: 1px solid #d0d0d0; padding: 1mm 0; }
.totals td + td { font-weight: bold; padding-left: 2mm; }
.drift { flex: 1 1 auto; }
.drift svg { width: 100%; height: auto; display: block; }
svg text { font-family: inherit; }
table.talks { width: 100%; border-collapse: collapse; table-layout: fixed; break-inside: avoid; margin-top: 2mm; }
table.talks th { text-align: left; font-size: 9pt; border-bottom: 1px solid #000; padding: 0.6mm 1mm; }
table.talks td { padding: 0.6mm 1mm; white-space: nowrap; }
table.talks td.w { white-space: normal; overflow-wrap: anywhere; }
table.talks tr { break-inside: avoid; }
table.talks tbody tr:nth-child(even) { background: #f3f3f3; }
table.talks tbody { border-bottom: 1px solid #000; }
.n, .t { text-align: right !important; }
.bars { padding: 0 !important; }
.bars svg { width: 100%; height: auto; display: block; }
.late { color: #961b1c; font-weight: bold; }
.legend { margin-top: 1.5mm; font-size: 9pt; }
.legend svg { vertical-align: middle; margin: 0 1mm 0 4mm; }
.leftout { font-size: 9pt; }
@media print { body { margin: 0; } }
/* On a phone the summary stacks and the chart keeps its width, scrolled sideways. */
@media screen and (max-width: 760px) {
  body { margin: 3mm; }
  .summary { flex-direction: column; }
  .chart { overflow-x: auto; }
  .chart table.talks { min-width: 760px; }
}
)~";

QString hatchDefs()
{
    return QStringLiteral(R"~(<svg width="0" height="0" style="position:absolute" aria-hidden="true"><defs>)~"
                          R"~(<pattern id="hatch" patternUnits="userSpaceOnUse" width="16" height="16" patternTransform="rotate(45)">)~"
                          R"~(<rect width="16" height="16" fill="%1"/><rect width="5" height="16" fill="#fff"/></pattern>)~"
                          R"~(</defs></svg>)~")
        .arg(colour(colours::Over));
}

QString rect(double x, double y, double w, double h, const QString &style)
{
    return QStringLiteral(R"~(<rect x="%1" y="%2" width="%3" height="%4" %5/>)~")
        .arg(num(x), num(y), num(w), num(h), style);
}

QString outline(const QColor &c) { return QStringLiteral(R"~(fill="none" stroke="%1" stroke-width="4")~").arg(colour(c)); }
QString fill(const QColor &c) { return QStringLiteral(R"~(fill="%1")~").arg(colour(c)); }
const QString Hatch = QStringLiteral(R"~(fill="url(#hatch)")~");

QString pauseMark()
{
    return QStringLiteral(R"~(<svg width="8" height="11" viewBox="0 0 17 24"><rect width="6" height="24"/><rect x="11" width="6" height="24"/></svg>)~");
}

QString barsSvg(const LogRow &talk, int seconds)
{
    const TalkBars bars = talkBars(talk, seconds, BarsWidth);
    QString svg = QStringLiteral(R"~(<svg viewBox="0 0 %1 %2"><title>%3</title>)~")
                      .arg(num(BarsWidth), num(BarsHeight), esc(talk.title));
    for (int tick : chartTicks(seconds)) {
        const double x = BarsWidth * tick / seconds;
        svg += QStringLiteral(R"~(<line x1="%1" x2="%1" y1="0" y2="%2" stroke="%3" stroke-width="2"/>)~")
                   .arg(num(x), num(BarsHeight), colour(colours::Grid));
    }
    svg += rect(2, 8, bars.presentationEnd - 2, BarsHeight - 16, outline(colours::Presentation));
    if (bars.discussionEnd > bars.presentationEnd)
        svg += rect(bars.presentationEnd, 8, bars.discussionEnd - bars.presentationEnd, BarsHeight - 16,
                    outline(colours::Discussion));
    svg += rect(0, 17, bars.takenEnd, BarsHeight - 34, fill(colours::Taken));
    if (bars.overEnd > bars.takenEnd)
        svg += rect(bars.takenEnd, 17, bars.overEnd - bars.takenEnd, BarsHeight - 34, Hatch);
    return svg + QStringLiteral("</svg>");
}

QString ticksSvg(int seconds, const QString &minutes)
{
    QString svg = QStringLiteral(R"~(<svg viewBox="0 0 %1 40">)~").arg(num(BarsWidth));
    for (int tick : chartTicks(seconds)) {
        const double x = BarsWidth * tick / seconds;
        const QString anchor = tick == 0 ? QStringLiteral("start") : tick == seconds ? QStringLiteral("end") : QStringLiteral("middle");
        svg += QStringLiteral(R"~(<text x="%1" y="32" font-size="30" text-anchor="%2">%3</text>)~")
                   .arg(num(x), anchor, tick == 0 ? esc(minutes) : QString::number(tick / 60));
    }
    return svg + QStringLiteral("</svg>");
}

QString driftSvg(const SessionReport &report)
{
    const QRectF plot(150, 60, DriftWidth - 180, DriftHeight - 150);
    const DriftPlot drift = driftPlot(report, plot);
    const DriftAxes axes = driftAxes();
    QString svg = QStringLiteral(R"~(<svg viewBox="0 0 %1 %2" role="img">)~").arg(num(DriftWidth), num(DriftHeight));
    svg += QStringLiteral(R"~(<text x="0" y="36" font-size="28">%1</text>)~").arg(esc(axes.offsets));
    for (const auto &[y, minutes] : drift.minuteLines) {
        svg += QStringLiteral(R"~(<line x1="%1" x2="%2" y1="%3" y2="%3" stroke="%4" stroke-width="2"/>)~")
                   .arg(num(plot.left()), num(plot.right()), num(y), colour(colours::Grid));
        svg += QStringLiteral(R"~(<text x="%1" y="%2" font-size="28" text-anchor="end">%3</text>)~")
                   .arg(num(plot.left() - 10), num(y + 10))
                   .arg(minutes);
    }
    svg += QStringLiteral(R"~(<line x1="%1" x2="%2" y1="%3" y2="%3" stroke="#000" stroke-width="3"/>)~")
               .arg(num(plot.left()), num(plot.right()), num(drift.zeroY));
    for (const auto &[x, label] : drift.talkLabels)
        svg += QStringLiteral(R"~(<text x="%1" y="%2" font-size="28" text-anchor="middle">%3</text>)~")
                   .arg(num(x), num(plot.bottom() + 40), esc(label));
    svg += QStringLiteral(R"~(<text x="%1" y="%2" font-size="28" text-anchor="middle">%3</text>)~"
                          R"~(<text x="%4" y="%2" font-size="28">%5</text>)~")
               .arg(num(plot.center().x()), num(plot.bottom() + 80), esc(axes.talks), num(plot.left()),
                    esc(axes.early));
    QStringList points;
    for (const QPointF &p : drift.points)
        points << num(p.x()) + QLatin1Char(',') + num(p.y());
    svg += QStringLiteral(R"~(<polyline points="%1" fill="none" stroke="%2" stroke-width="6" stroke-linejoin="round"/>)~")
               .arg(points.join(QLatin1Char(' ')), colour(colours::Drift));
    for (int i = 0; i < drift.points.size(); ++i) {
        const int talk = drift.talkAt[i];
        const qint64 offset = report.drift[talk == 0 ? report.drift.size() - 1 : talk - 1].value_or(0);
        svg += QStringLiteral(R"~(<circle cx="%1" cy="%2" r="9" fill="%3"><title>%4</title></circle>)~")
                   .arg(num(drift.points[i].x()), num(drift.points[i].y()), colour(colours::Drift),
                        (talk == 0 ? QString() : report.talks[talk - 1].title.toHtmlEscaped() + QStringLiteral(": "))
                            + signedMinutesSeconds(offset));
    }
    return svg + QStringLiteral("</svg>");
}

QString legend(const ChartWords &w)
{
    const auto swatch = [](const QString &shape) {
        return QStringLiteral(R"~(<svg width="24" height="12" viewBox="0 0 60 30">%1</svg>)~").arg(shape);
    };
    return QStringLiteral(R"~(<div class="legend">)~") + swatch(rect(2, 2, 56, 26, outline(colours::Presentation)))
           + esc(w.presentation) + swatch(rect(2, 2, 56, 26, outline(colours::Discussion))) + esc(w.discussion)
           + swatch(rect(0, 7, 60, 16, fill(colours::Taken))) + esc(w.takenBar)
           + swatch(rect(0, 7, 60, 16, Hatch)) + esc(w.pastBell3) + QStringLiteral(" &nbsp; ") + pauseMark()
           + QLatin1Char(' ') + esc(w.pauses) + QStringLiteral("</div>");
}

QString talksTable(const SessionReport &report, int first, int count)
{
    const ChartWords w = chartWords();
    const int seconds = chartSeconds(report);
    QString html = QStringLiteral(R"~(<div class="chart"><table class="talks"><colgroup><col style="width:4%"><col style="width:21%">)~"
                                  R"~(<col style="width:11%"><col style="width:38%"><col style="width:6%">)~"
                                  R"~(<col style="width:6%"><col style="width:6%"><col style="width:8%"></colgroup>)~");
    html += QStringLiteral(R"~(<thead><tr><th class="n">%1</th><th>%2</th><th>%3</th><th class="bars">%4</th>)~"
                           R"~(<th class="t">%5</th><th class="t">%6</th><th class="t">%7</th><th class="t">%8</th></tr></thead><tbody>)~")
                .arg(esc(w.number), esc(w.title), esc(w.speaker), ticksSvg(seconds, w.minutes), esc(w.planned),
                     esc(w.taken), esc(w.over), esc(w.pauses));
    for (int i = first; i < first + count; ++i) {
        const LogRow &talk = report.talks[i];
        const QString pauses = pausesText(talk);
        html += QStringLiteral(R"~(<tr><td class="n">%1</td><td class="w">%2</td><td class="w">%3</td>)~"
                               R"~(<td class="bars">%4</td><td class="t">%5</td><td class="t">%6</td>)~"
                               R"~(<td class="t late">%7</td><td class="t">%8</td></tr>)~")
                    .arg(QString::number(i + 1), esc(talk.title), esc(talk.speaker), barsSvg(talk, seconds),
                         minutesSeconds(talk.presentation + talk.discussion), minutesSeconds(talk.elapsed),
                         talk.overtime > 0 ? signedMinutesSeconds(talk.overtime) : QString(),
                         pauses.isEmpty() ? QString() : pauseMark() + QLatin1Char(' ') + esc(pauses));
    }
    return html + QStringLiteral("</tbody></table>") + legend(w) + QStringLiteral("</div>");
}

} // namespace

QByteArray reportHtml(const SessionReport &report)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\"><head><meta charset=\"utf-8\">"
                                  "<meta name=\"viewport\" content=\"width=device-width\">"
                                  "<title>%2</title><style>%3</style></head><body>\n")
                       .arg(QLocale().bcp47Name(), esc(reportHeading(report)), QString::fromUtf8(Style));
    html += hatchDefs();
    // Written out page by page: a long day's page is held once, in UTF-8.
    QByteArray bytes = html.toUtf8();
    const int talks = int(report.talks.size());
    for (int page = 0; page < pageCountOf(talks); ++page) {
        html = QStringLiteral("<section class=\"page\">\n<h1>%1</h1><p>%2</p>\n")
                    .arg(esc(reportHeading(report)), esc(reportSubheading(report)));
        if (page == 0 && !report.talks.isEmpty()) {
            html += QStringLiteral("<div class=\"summary\"><div class=\"totals\"><h2>%1</h2><table>")
                        .arg(esc(Words::tr("Totals")));
            for (const TotalsLine &line : totalsLines(report))
                html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(esc(line.label), esc(line.value));
            html += QStringLiteral("</table>");
            for (const QString &note : reportNotes(report))
                html += QStringLiteral("<p>%1</p>").arg(esc(note));
            html += QStringLiteral("</div><div class=\"drift\"><h2>%1</h2><p>%2</p>%3<p><b>%4</b></p></div></div>\n")
                        .arg(esc(driftHeading()), esc(driftSource(report)), driftSvg(report), esc(driftEnds(report)));
        }
        if (const auto [first, count] = pageChunk(talks, page); count > 0)
            html += talksTable(report, first, count);
        if (page == 0) {
            const QStringList leftOut = leftOutLines(report.problems, 20);
            if (!leftOut.isEmpty())
                html += QStringLiteral("<div class=\"leftout\"><p>%1</p><ul><li>%2</li></ul></div>")
                            .arg(esc(leftOut.constFirst()), esc(leftOut.mid(1).join(QStringLiteral("\n"))).replace(QLatin1Char('\n'), QStringLiteral("</li><li>")));
        }
        html += QStringLiteral("</section>\n");
        bytes += html.toUtf8();
    }
    return bytes + "</body></html>\n";
}

} // namespace report
