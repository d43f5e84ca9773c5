#pragma once

#include <QLineEdit>

// The count box of the clock-correction window. A click empties it for
// typing, and every typed character is reported before the box takes it, so
// that Enter can confirm the typed count.
class ClockBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit ClockBox(QWidget *parent);

    void setBackground(const QColor &colour);

signals:
    void clicked();
    // The character code of the key: 13 for Enter.
    void keyPressed(int keyAscii);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
