#include "display/time_line_geometry.h"

#include "settings/number_text.h"

TimeLineGeometry timeLineGeometry(double height, double frameLeft, const TimerSettingsRecord &s, int16_t total,
                                  int32_t elapsed)
{
    TimeLineGeometry g;
    const double u = 0.01 * height;
    g.unit = u;
    // The axis covers the talk and the overtime until the music starts, in
    // whole minutes, plus two.
    g.minutes = (s.MusicStartTime + total) / 60 + 2;
    const double k = (frameLeft - 3 * u) / g.minutes;
    g.pixelsPerMinute = k;
    g.barPen = int(roundHalfEven(u));
    g.dotPen = int(roundHalfEven(2 * u));

    const QPointF start(3 * u, height - 30);
    const QPointF presentationEnd(start.x() + k * s.PresentationTime / 60, start.y());
    g.presentationBar = QLineF(start, presentationEnd);
    // The gap between the bars is taken out of the discussion bar, so its
    // right end still marks the end of the talk.
    g.discussionBar = QLineF(presentationEnd.x() + u, start.y(), presentationEnd.x() + k * s.DiscussionTime / 60,
                             start.y());
    g.dot = QPointF(start.x() + k * elapsed / 60, start.y());

    g.presentationCaptionAt = QPointF(start.x(), start.y() + u);
    g.discussionCaptionAt = QPointF(g.discussionBar.x1(), g.presentationCaptionAt.y());
    if (s.SecondsUnits == 1) {
        g.presentationCaption = QStringLiteral("口演") + spacedNumber(s.PresentationTime) + QStringLiteral("秒");
        g.discussionCaption = QStringLiteral("討論") + spacedNumber(s.DiscussionTime) + QStringLiteral("秒");
    } else {
        g.presentationCaption = QStringLiteral("口演") + spacedNumber(s.PresentationTime / 60) + QStringLiteral("分");
        g.discussionCaption = QStringLiteral("討論") + spacedNumber(s.DiscussionTime / 60) + QStringLiteral("分");
    }
    return g;
}
