#include "settings_window/time_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

TimeBox::TimeBox(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
    setTextMargins(0, 0, 0, 0);
    QPalette p = palette();
    p.setColor(QPalette::Text, QColor(0xFF, 0x00, 0x00));
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

void TimeBox::setBackgroundColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

QColor TimeBox::backgroundColour() const { return palette().color(QPalette::Base); }

void TimeBox::keepInputMethodOff()
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
}

void TimeBox::mousePressEvent(QMouseEvent *event)
{
    emit pressed();
    QLineEdit::mousePressEvent(event);
}

void TimeBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit keyTyped(13);
    else if (!event->text().isEmpty())
        emit keyTyped(event->text().at(0).unicode());
    QLineEdit::keyPressEvent(event);
}
