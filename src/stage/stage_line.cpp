#include "stage/stage_line.h"

#include <QPainter>

namespace stage {

StageLine::StageLine(const QColor &text, const QColor &background, QWidget *parent) : QWidget(parent)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    hide();
}

void StageLine::setText(const QString &text, const QString &kept)
{
    if (text == m_text && kept == m_kept)
        return;
    m_text = text;
    m_kept = kept;
    setVisible(!this->text().isEmpty());
    update();
}

void StageLine::setPixelSize(int pixels)
{
    QFont f = font();
    f.setPixelSize(std::max(1, pixels));
    f.setBold(true);
    setFont(f);
    updateGeometry();
}

QSize StageLine::sizeHint() const { return QSize(0, fontMetrics().height() * 5 / 4); }

void StageLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int margin = fontMetrics().averageCharWidth();
    const QRect room = rect().adjusted(margin, 0, -margin, 0);
    const int keptWidth = fontMetrics().horizontalAdvance(m_kept);
    const QString shown = keptWidth < room.width()
                              ? fontMetrics().elidedText(m_text, Qt::ElideRight, room.width() - keptWidth) + m_kept
                              : fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    painter.drawText(room, Qt::AlignCenter, shown);
}

} // namespace stage
