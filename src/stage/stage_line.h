#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace stage {

// One line of text across the stage, centred, cut with an ellipsis when it
// is wider than the screen: a long title must never widen the window past
// its screen, nor hide the speaker's name after it. Its height follows its
// font; it hides while it has no text.
class StageLine : public QWidget
{
    Q_OBJECT
public:
    StageLine(const QColor &text, const QColor &background, QWidget *parent);

    // The text is cut at its end where it must be; kept follows it whole.
    void setText(const QString &text, const QString &kept = QString());
    QString text() const { return m_text + m_kept; }
    // The font's pixel size; the text is bold.
    void setPixelSize(int pixels);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QString m_kept;
};

} // namespace stage
