#include "platform/text_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {}

void TextBox::setBackgroundColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

QColor TextBox::backgroundColour() const { return palette().color(QPalette::Base); }

void TextBox::setTextColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, colour);
    setPalette(p);
}

void TextBox::askForNumbers()
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Preferences, not the "only" hints: a sign, a decimal point, blanks and
    // an exponent stay possible.
    setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText |
                        Qt::ImhNoAutoUppercase);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit keyPressed(13);
    else if (!event->text().isEmpty())
        emit keyPressed(event->text().front().unicode());
    QLineEdit::keyPressEvent(event);
}

} // namespace platform
