#pragma once

#include <QLineEdit>

namespace platform {

// A one-line text box that reports a click and every typed character before
// it edits its own text, which it then does as usual: the windows read the
// Enter key as a confirmation without taking the key from the box.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent);

    void setBackgroundColour(const QColor &colour);
    QColor backgroundColour() const;
    void setTextColour(const QColor &colour);

    // For boxes that read digits typed as plain characters: an input method
    // would hold them back until its own conversion ends.
    void keepInputMethodOff();

signals:
    void clicked();
    // The character code of the key: 13 for Enter.
    void keyPressed(int code);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace platform
