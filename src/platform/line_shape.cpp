#include "platform/line_shape.h"

#include <QPainter>
#include <QWidget>

namespace platform {

void LineShape::setPoints(QPointF from, QPointF to)
{
    if (from == m_from && to == m_to)
        return;
    changed();
    m_from = from;
    m_to = to;
    changed();
}

void LineShape::setPenWidth(int pixels)
{
    if (pixels == m_penWidth)
        return;
    changed();
    m_penWidth = pixels;
    changed();
}

void LineShape::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    // The area is repainted while the line is still counted as shown, so
    // that a line being hidden is wiped too.
    m_visible = true;
    changed();
    m_visible = visible;
}

QRect LineShape::bounds() const
{
    const double reach = std::max(m_penWidth, 1) + 2;
    return QRectF(m_from, m_to).normalized().adjusted(-reach, -reach, reach, reach).toAlignedRect();
}

void LineShape::changed()
{
    if (m_visible)
        m_owner->update(bounds());
}

void LineShape::paint(QPainter &painter) const
{
    if (!m_visible)
        return;
    const int width = std::max(m_penWidth, 1);
    painter.save();
    if (m_from == m_to) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_colour);
        painter.drawEllipse(m_from, width / 2.0, width / 2.0);
    } else {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(m_colour, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(m_from, m_to);
    }
    painter.restore();
}

} // namespace platform
