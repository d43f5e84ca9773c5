#pragma once

#include <QImage>
#include <QPointF>

class QLabel;

namespace platform {

// The ink of a caption as its label draws it: only the box the glyphs
// cover, on a transparent ground, and where that box lies in the label.
struct CaptionInk {
    QImage image;
    // In the label's own pixels; a fraction of one on a scaled screen.
    QPointF at;
};

// The readout's digits are drawn hundreds of pixels high, too large for
// Qt's glyph cache, so every repaint would fill each glyph from its outline
// again; yet they cycle through the same eleven captions at one size and
// colour for as long as the window keeps its size. The ink is drawn once per
// caption and look and kept, the most recent first, within a few megabytes.
// Null when the ink is too large to keep.
const CaptionInk *captionInk(const QLabel &label);

} // namespace platform
