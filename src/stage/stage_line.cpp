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

void StageLine::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setVisible(!text.isEmpty());
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
    painter.drawText(room, Qt::AlignCenter, fontMetrics().elidedText(m_text, Qt::ElideRight, room.width()));
}

} // namespace stage
