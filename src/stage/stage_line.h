#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace stage {

// One line of text across the stage, centred, cut with an ellipsis when it
// is wider than the screen: a long title must never widen the window past
// its screen. Its height follows its font.
class StageLine : public QWidget
{
    Q_OBJECT
public:
    StageLine(const QColor &text, const QColor &background, QWidget *parent);

    void setText(const QString &text);
    QString text() const { return m_text; }
    // The font's pixel size; the text is bold.
    void setPixelSize(int pixels);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};

} // namespace stage
