#include "clock_correction/clock_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

ClockBox::ClockBox(QWidget *parent) : QLineEdit(parent) {}

void ClockBox::setBackground(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

void ClockBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClockBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit keyPressed(13);
    else if (!event->text().isEmpty())
        emit keyPressed(event->text().front().unicode());
    QLineEdit::keyPressEvent(event);
}
