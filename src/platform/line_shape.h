#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>

class QPainter;
class QWidget;

namespace platform {

// A straight line drawn on a window between two points in fractional
// pixels, with flat ends so that it ends exactly at its points. A line of
// zero length shows as a filled dot as wide as its pen.
class LineShape
{
public:
    LineShape(QWidget *owner, const QColor &colour) : m_owner(owner), m_colour(colour) {}

    void setPoints(QPointF from, QPointF to);
    // Whole pixels; a width of 0 or less draws 1 pixel wide.
    void setPenWidth(int pixels);
    void setVisible(bool visible);

    QPointF from() const { return m_from; }
    QPointF to() const { return m_to; }
    int penWidth() const { return m_penWidth; }
    bool isVisible() const { return m_visible; }
    QColor colour() const { return m_colour; }
    // Every pixel the line may touch.
    QRect bounds() const;

    void paint(QPainter &painter) const;

private:
    void changed();

    QWidget *m_owner;
    QColor m_colour;
    QPointF m_from;
    QPointF m_to;
    int m_penWidth = 1;
    bool m_visible = false;
};

} // namespace platform
