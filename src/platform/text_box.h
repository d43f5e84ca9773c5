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

    // For boxes that read a typed number. The input method stays off, so
    // that digits arrive as plain characters at once instead of waiting for
    // its conversion and an extra Enter; where one sees the box all the same,
    // the hints ask it for Latin digits. No character is refused: the readers
    // also take full-width forms.
    void askForNumbers();

signals:
    void clicked();
    // The character code of the key: 13 for Enter.
    void keyPressed(int code);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace platform
