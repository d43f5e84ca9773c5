#pragma once

#include "report/session_report.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <utility>

namespace report {

// Shared by the drawing for the PDF and the window and by the HTML's SVG,
// so that both forms show the same chart.
namespace colours {
inline const QColor Presentation{0x1b, 0x7f, 0x3b}; // green outline
inline const QColor Discussion{0xc9, 0x9a, 0x00};   // yellow outline
inline const QColor Taken{0x35, 0x52, 0x8a};        // blue fill
inline const QColor Over{0xd6, 0x27, 0x28};         // red fill, hatched
inline const QColor Drift{0x35, 0x52, 0x8a};
inline const QColor Grid{0xd0, 0xd0, 0xd0};
inline const QColor Stripe{0xf3, 0xf3, 0xf3};
} // namespace colours

// The talks each page of the printed report holds: (first, count). The
// first page also holds the totals and the drift. Worked out for one page
// at a time, so that a day of many pages costs no more per page.
constexpr int TalksOnFirstPage = 14;
constexpr int TalksOnLaterPage = 26;
int pageCountOf(int talks);
std::pair<int, int> pageChunk(int talks, int page);

// The longest time of any talk, planned or taken, rounded up to whole five
// minutes: the width of the bar chart.
int chartSeconds(const SessionReport &report);
// Where the chart's grid lines fall, in seconds.
QList<int> chartTicks(int chartSeconds);

// The bars of one talk along a line of the given width, from 0.
struct TalkBars {
    double presentationEnd = 0; // the planned presentation is [0, this]
    double discussionEnd = 0;   // the planned discussion follows it
    double takenEnd = 0;        // the time taken before bell 3
    double overEnd = 0;         // the time past bell 3 runs to here
};
TalkBars talkBars(const LogRow &talk, int chartSeconds, double width);

// The drift line in a plot rectangle: one point for each offset known, at
// the start of each talk and at the end; the zero line and the grid lines
// labelled in minutes.
struct DriftPlot {
    QList<QPointF> points;
    QList<int> talkAt;       // the talk number a point belongs to; 0 for the end
    double zeroY = 0;
    QList<std::pair<double, qint64>> minuteLines; // y and minutes
    // Under the line: the talk numbers, every one or, with many talks, every
    // few, and "end".
    QList<std::pair<double, QString>> talkLabels;
};
DriftPlot driftPlot(const SessionReport &report, const QRectF &plot);

// The report's words, in the user's language.
QString reportHeading(const SessionReport &report);
QString reportSubheading(const SessionReport &report);
struct TotalsLine {
    QString label;
    QString value;
};
QList<TotalsLine> totalsLines(const SessionReport &report);
// What the reader is told besides the totals: talks of 0:00 left out of
// them, a log too long to read whole.
QStringList reportNotes(const SessionReport &report);
QString driftHeading();
struct DriftAxes {
    QString offsets, talks, early;
};
DriftAxes driftAxes();
QString driftSource(const SessionReport &report);
QString driftEnds(const SessionReport &report);
QString pausesText(const LogRow &talk);
// The lines of the log that were left out, at most `most` and a count of the rest.
QStringList leftOutLines(const QStringList &problems, int most);

struct ChartWords {
    QString number, title, speaker, planned, taken, over, pauses;
    QString presentation, discussion, takenBar, pastBell3, minutes;
};
ChartWords chartWords();

} // namespace report
