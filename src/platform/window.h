#pragma once

#include "platform/line_shape.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace platform {

// A top-level window whose client area is drawn in pixels and which paints
// its line shapes under its child controls.
class Window : public QWidget
{
    Q_OBJECT
public:
    explicit Window(const QString &caption, QSize clientSize, const QColor &background);

    LineShape *addLine(const QColor &colour);

    // Called after every change of the client size.
    virtual void resized() {}
    // Called when the window system asks the window to close; the window
    // closes when this returns true.
    virtual bool closeRequested() { return true; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::vector<std::unique_ptr<LineShape>> m_lines;
};

// Twips (1/1440 inch) of the design converted to pixels of this screen.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
double twipsPerPixelX();
double twipsPerPixelY();

} // namespace platform
