#include "platform/auto_label.h"

#include "platform/caption_images.h"

#include <QEvent>
#include <QPainter>

#include <cmath>

namespace platform {

AutoLabel::AutoLabel(const QString &caption, QWidget *parent, Height height)
    : QLabel(caption, parent), m_height(height)
{
    setAlignment(Qt::AlignCenter);
    // A phase title from the settings file is shown as written, never as markup.
    setTextFormat(Qt::PlainText);
    setContentsMargins(0, 0, 0, 0);
    adjustSize();
}

QSize AutoLabel::sizeHint() const
{
    const auto known = m_sizeHints.constFind(text());
    if (known != m_sizeHints.cend())
        return *known;
    QSize size = QLabel::sizeHint();
    if (m_height == Height::OneEm)
        size.setHeight(int(std::ceil(font().pointSizeF() * logicalDpiY() / 72.0)));
    m_sizeHints.insert(text(), size);
    return size;
}

void AutoLabel::paintEvent(QPaintEvent *event)
{
    // An opaque label's ground is filled before this, as for any widget.
    if (const CaptionInk *ink = captionInk(*this))
        QPainter(this).drawImage(ink->at, ink->image);
    else
        QLabel::paintEvent(event);
}

void AutoLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_sizeHints.clear();
    QLabel::changeEvent(event);
}

void AutoLabel::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    adjustSize();
}

void AutoLabel::setFontFace(const QString &face)
{
    if (font().family() == face)
        return;
    QFont f = font();
    f.setFamily(face);
    setFont(f);
    adjustSize();
}

void AutoLabel::setPointSize(double points)
{
    const double size = points > 0 ? points : 0.01;
    if (font().pointSizeF() == size)
        return;
    QFont f = font();
    f.setPointSizeF(size);
    setFont(f);
    adjustSize();
}

void AutoLabel::setTextColour(const QColor &colour)
{
    QPalette p = palette();
    if (p.color(QPalette::WindowText) == colour)
        return;
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void AutoLabel::setBackgroundColour(const QColor &colour)
{
    QPalette p = palette();
    setAutoFillBackground(true);
    if (p.color(QPalette::Window) == colour)
        return;
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

} // namespace platform
