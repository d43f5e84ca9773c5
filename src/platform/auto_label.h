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
    // OneEm: fonts differ in the line gap they ask for, and the layout reads
    // the digits' height, so the digits and the room under them come out
    // alike whichever font stands in for the named face. Text: as high as
    // the caption's line at its font, descenders included, for a label
    // whose height no layout reads.
    enum class Height { OneEm, Text };

    AutoLabel(const QString &caption, QWidget *parent, Height height = Height::OneEm);

    void setCaption(const QString &caption);
    void setFontFace(const QString &face);
    // Fractional sizes are kept; a size of 0 or less draws at the smallest
    // size Qt accepts.
    void setPointSize(double points);
    void setTextColour(const QColor &colour);
    // An opaque label fills its box with this colour.
    void setBackgroundColour(const QColor &colour);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void changeEvent(QEvent *event) override;
    // Draws the caption from its kept ink: see caption_images.h.
    void paintEvent(QPaintEvent *event) override;

private:
    Height m_height;
    // Measuring a caption hundreds of pixels high means shaping it, and the
    // digits change every second through the same few captions.
    mutable QHash<QString, QSize> m_sizeHints;
};

} // namespace platform
