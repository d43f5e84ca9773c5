#include "platform/caption_images.h"

#include <QCache>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace platform {

namespace {

// Eleven digit captions in one colour fill about 4 MB on a 1920 x 1080 screen
// and 14 MB on a 3840 x 2160 one.
constexpr qsizetype MaxBytes = 32 * 1024 * 1024;

QString keyOf(const QLabel &label)
{
    return label.text() + QChar(0x1F) + label.font().key() + QChar(0x1F)
        + QString::number(label.palette().color(QPalette::WindowText).rgba(), 16) + QChar(0x1F)
        + QString::number(label.width()) + QLatin1Char('x') + QString::number(label.height()) + QChar(0x1F)
        + QString::number(int(label.alignment())) + QChar(0x1F) + QString::number(label.devicePixelRatioF());
}

CaptionInk *drawInk(const QLabel &label)
{
    const qreal ratio = label.devicePixelRatioF();
    QImage whole(label.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    whole.setDevicePixelRatio(ratio);
    whole.fill(Qt::transparent);
    QPainter painter(&whole);
    painter.setFont(label.font());
    painter.setPen(label.palette().color(QPalette::WindowText));
    painter.drawText(label.contentsRect(), int(label.alignment()), label.text());
    painter.end();

    // Drawn once for each of a talk's captions: the scan runs over every
    // pixel of a label hundreds of pixels high, so it stays a plain loop.
    const int width = whole.width();
    const int height = whole.height();
    int top = height, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(whole.constScanLine(y));
        int first = 0;
        while (first < width && qAlpha(line[first]) == 0)
            ++first;
        if (first == width)
            continue;
        int last = width - 1;
        while (qAlpha(line[last]) == 0)
            --last;
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    const QRect ink = bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    QImage image = whole.copy(ink);
    image.setDevicePixelRatio(ratio);
    return new CaptionInk{image, QPointF(ink.topLeft()) / ratio};
}

} // namespace

const CaptionInk *captionInk(const QLabel &label)
{
    static QCache<QString, CaptionInk> kept(MaxBytes);
    const QString key = keyOf(label);
    if (const CaptionInk *ink = kept.object(key))
        return ink;
    CaptionInk *ink = drawInk(label);
    // The cache owns what it takes, and deletes what it cannot keep.
    return kept.insert(key, ink, qMax<qsizetype>(1, ink->image.sizeInBytes())) ? ink : nullptr;
}

} // namespace platform
