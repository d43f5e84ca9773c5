#pragma once

#include <QHash>
#include <QLabel>

namespace platform {

// A label that takes the size of its caption at its font, so that its width
// and height can be read back as soon as the caption or the size is set.
class AutoLabel : public QLabel
{
    Q_OBJECT
public:
    explicit AutoLabel(const QString &caption, QWidget *parent);

    void setCaption(const QString &caption);
    void setFontFace(const QString &face);
    // Fractional sizes are kept; a size of 0 or less draws at the smallest
    // size Qt accepts.
    void setPointSize(double points);
    void setTextColour(const QColor &colour);
    // An opaque label fills its box with this colour.
    void setBackgroundColour(const QColor &colour);

    // One em high: fonts differ in the line gap they ask for, and the layout
    // reads the label's height, so the digits and the room under them come
    // out alike whichever font stands in for the named face.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void changeEvent(QEvent *event) override;

private:
    // Measuring a caption hundreds of pixels high means shaping it, and the
    // digits change every second through the same few captions.
    mutable QHash<QString, QSize> m_sizeHints;
};

} // namespace platform
