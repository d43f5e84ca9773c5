#pragma once

#include "settings/timer_settings.h"

#include <QLineF>
#include <QPointF>
#include <QString>

// The whole talk along the bottom edge, computed in fractional pixels: the
// presentation bar, the discussion bar, the elapsed-time dot and the places
// and texts of the two captions.
struct TimeLineGeometry {
    double unit = 0; // u: pen width, gap and caption offset
    int minutes = 0; // N: length of the axis
    double pixelsPerMinute = 0;
    QLineF presentationBar;
    QLineF discussionBar;
    QPointF dot;
    int barPen = 0;
    int dotPen = 0;
    QPointF presentationCaptionAt;
    QPointF discussionCaptionAt;
    QString presentationCaption;
    QString discussionCaption;
};

// height: the client height; frameLeft: the button bar's left edge, where
// the axis ends.
TimeLineGeometry timeLineGeometry(double height, double frameLeft, const TimerSettingsRecord &settings,
                                  int16_t total, int32_t elapsed);
