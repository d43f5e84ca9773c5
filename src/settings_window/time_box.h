#pragma once

#include <QLineEdit>

// A time box of the schedule diagram. It reports a mouse press and every
// typed character before it edits its own text, which it then does as usual.
class TimeBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TimeBox(QWidget *parent);

    void setBackgroundColour(const QColor &colour);
    QColor backgroundColour() const;

    // The boxes read digits typed as plain characters; an input method
    // would hold them back until its own conversion ends.
    void keepInputMethodOff();

signals:
    void pressed();
    // The character code of the key: 13 for Enter.
    void keyTyped(int code);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
