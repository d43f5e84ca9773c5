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

    // Held while a redraw changes several controls in steps that let pending
    // events run: the paints they ask for wait, and are done together in one
    // pass once the last batch is let go.
    class PaintBatch
    {
    public:
        explicit PaintBatch(Window &window);
        ~PaintBatch();
        Q_DISABLE_COPY(PaintBatch)

    private:
        Window &m_window;
    };

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::vector<std::unique_ptr<LineShape>> m_lines;
    int m_paintBatches = 0;
    bool m_paintWaiting = false;
};

// Twips (1/1440 inch) of the design converted to pixels of this screen.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
double twipsPerPixelX();
double twipsPerPixelY();

} // namespace platform
