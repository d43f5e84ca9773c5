#include "stage/stage_window.h"

#include "display/main_display.h"
#include "platform/window.h"
#include "stage/stage_line.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

namespace stage {

// The part of the stage that looks like the main window without its
// buttons: the same controls, laid out and drawn by the same code.
class StageFace : public platform::Window
{
public:
    // A window of the platform's kind, placed in the stage window as a
    // control.
    explicit StageFace(QWidget *stage)
        : platform::Window(QString(), QSize(526, 366), Qt::black), m_display(*this, nullptr)
    {
        setParent(stage);
    }

    MainDisplay &display() { return m_display; }

protected:
    void resized() override { m_display.Form_Resize(); }

private:
    MainDisplay m_display;
};

namespace {

// A talk as the pages show it, "title — speaker", on one line whose title
// gives way first.
void showTalk(StageLine &line, const QString &lead, const std::optional<remote::TalkName> &talk)
{
    if (!talk)
        line.setText({});
    else if (talk->title.isEmpty() || talk->speaker.isEmpty())
        line.setText(lead + talk->title, talk->speaker);
    else
        line.setText(lead + talk->title, QStringLiteral(" — ") + talk->speaker);
}

} // namespace

StageWindow::StageWindow(QScreen &screen, std::function<void(QMenu &)> fillMenu)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_screenName(screen.name()), m_fillMenu(std::move(fillMenu))
{
    setWindowTitle(QStringLiteral("Orlatim"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);

    m_talk = new StageLine(Qt::white, Qt::black, this);
    m_band = new StageLine(Qt::black, Qt::white, this);
    m_face = new StageFace(this);
    m_next = new StageLine(QColor(0xA0, 0xA0, 0xA0), Qt::black, this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_talk);
    column->addWidget(m_band);
    column->addWidget(m_face, 1);
    column->addWidget(m_next);

    fill(screen);
    // A screen set to another resolution keeps its stage window filled.
    connect(&screen, &QScreen::geometryChanged, this, [this, &screen] { fill(screen); });
}

StageWindow::~StageWindow() = default;

void StageWindow::fill(QScreen &screen)
{
    setScreen(&screen);
    setGeometry(screen.geometry());
}

const MainDisplay &StageWindow::display() const { return m_face->display(); }

void StageWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Read from the back of the room: the lines grow with the screen.
    m_talk->setPixelSize(height() / 18);
    m_band->setPixelSize(height() / 14);
    m_next->setPixelSize(height() / 26);
}

// A stage window put on the timekeeper's own screen covers the main window
// and its menu: its own menu turns it off again.
void StageWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    m_fillMenu(menu);
    menu.exec(event->globalPos());
}

void StageWindow::draw(const remote::WindowState &state, const QString &speakerMessage)
{
    showTalk(*m_talk, QString(), state.talk);
    m_band->setText(speakerMessage);
    showTalk(*m_next, tr("next:") + QLatin1Char(' '), state.next);
    MainDisplay &display = m_face->display();
    display.DrawReadout();
    display.Form_Resize();
    if (!state.messageShown)
        display.VisMsg(0);
}

void StageWindow::VisMsg(int show) { m_face->display().VisMsg(show); }

} // namespace stage
