#include "display/main_display.h"

#include "display/phase.h"
#include "display/phase_message.h"
#include "display/readout_text.h"
#include "display/time_line_geometry.h"
#include "platform/auto_label.h"
#include "platform/events.h"
#include "platform/window.h"
#include "settings/declare.h"
#include "settings/number_text.h"

#include <QLabel>

namespace {

const QColor Black(0x00, 0x00, 0x00);

QLabel *makeTimeLineCaption(QWidget *parent, const QString &caption, const QColor &colour)
{
    auto *label = new QLabel(caption, parent);
    label->setFixedSize(81, 17);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Black);
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    label->hide();
    return label;
}

int toPixel(double value) { return int(roundHalfEven(value)); }

} // namespace

MainDisplay::MainDisplay(platform::Window &window, QWidget *buttonBar) : m_window(window), m_buttonBar(buttonBar)
{
    const QColor green = phaseColour(Phase::Presentation);
    for (size_t i = 0; i < m_digits.size(); ++i) {
        auto *digit = new platform::AutoLabel(i == 3 ? QStringLiteral(":") : QStringLiteral("0"), &window);
        digit->setFontFace(QStringLiteral("ＭＳ ゴシック"));
        digit->setPointSize(72);
        digit->setTextColour(green);
        digit->hide();
        m_digits[i] = digit;
    }
    // The message's top and the room under it follow the digits, never its
    // own height, so it can show its whole line in any font.
    m_message = new platform::AutoLabel(QStringLiteral("口演時間"), &window, platform::AutoLabel::Height::Text);
    m_message->setFontFace(QStringLiteral("ＭＳ Ｐゴシック"));
    m_message->setPointSize(20.25);
    m_message->setBackgroundColour(green);
    m_message->setTextColour(Black);
    m_message->hide();

    m_lines = {window.addLine(green), window.addLine(phaseColour(Phase::Discussion)),
               window.addLine(phaseColour(Phase::Overtime))};
    m_captions = {makeTimeLineCaption(&window, QStringLiteral("口演"), green),
                  makeTimeLineCaption(&window, QStringLiteral("討論"), phaseColour(Phase::Discussion))};
    if (m_buttonBar)
        m_buttonBar->raise();
}

const platform::LineShape &MainDisplay::line(int i) const { return *m_lines.at(size_t(i - 1)); }
const QLabel &MainDisplay::timeLineCaption(int i) const { return *m_captions.at(size_t(i - 1)); }

void MainDisplay::DrawReadout()
{
    const QColor colour = phaseColour(phaseAt(ElapsedSeconds, TimerSettings.PresentationTime, TotalTime));
    // One text per redraw: every cell shows the same second.
    const QString text = StrTime(ElapsedSeconds, TimerSettings, TotalTime);
    const int first = sixCharacterReadout(TotalTime) ? 0 : 1;
    for (int i = first; i < int(m_digits.size()); ++i) {
        m_digits[size_t(i)]->setTextColour(colour);
        m_digits[size_t(i)]->setCaption(text.mid(i - first, 1));
    }
    platform::processPendingEvents();
}

void MainDisplay::Form_Resize()
{
    const int width = m_window.width();
    const int height = m_window.height();
    // A minimised window has no client area to fit the digits to.
    if (width <= 0 || height <= 0)
        return;

    for (platform::AutoLabel *digit : m_digits)
        digit->setFontFace(TimerSettings.DigitFontName);
    m_message->setFontFace(TimerSettings.MessageFontName);

    platform::AutoLabel &measured = *m_digits[1];
    m_layout = layoutDigits(width, height, TotalTime, [&measured](int16_t fontSize) {
        measured.setPointSize(fontSize);
        return QSizeF(measured.width(), measured.height());
    });
    const int first = m_layout.sixCells ? 0 : 1;
    if (first == 1)
        m_digits[0]->hide();
    for (int i = first; i < int(m_digits.size()); ++i) {
        platform::AutoLabel &digit = *m_digits[size_t(i)];
        digit.setPointSize(m_layout.DigitFontSize);
        digit.move(m_layout.cellLeft(i), m_layout.DigitTop);
        digit.show();
    }

    DrawMsg();
    if (m_buttonBar)
        m_buttonBar->move(m_window.width() - ButtonBarRightOffset, m_window.height() - ButtonBarBottomOffset);
    TimeLine();
}

void MainDisplay::DrawMsg()
{
    const Phase phase = phaseAt(ElapsedSeconds, TimerSettings.PresentationTime, TotalTime);
    m_message->setCaption(TimerSettings.phaseTitle(titleIndex(phase)));
    m_message->setBackgroundColour(phaseColour(phase));
    const int top = messageTop(m_layout.DigitTop);
    m_message->setPointSize(m_layout.DigitFontSize / 3.0);
    m_message->move(toPixel((m_window.width() - m_message->width()) / 2.0), top);
    VisMsg(messageRoom(m_window.height(), top, m_layout.DigitFontSize) > 0 ? 1 : 0);
}

void MainDisplay::VisMsg(int show) { m_message->setVisible(show == 1); }

void MainDisplay::TimeLine()
{
    if (TimerSettings.ShowTimeLine == 0) {
        for (platform::LineShape *line : m_lines)
            line->setVisible(false);
        for (QLabel *caption : m_captions)
            caption->hide();
        return;
    }

    const int axisEnd = m_buttonBar ? m_buttonBar->x() : m_window.width();
    const TimeLineGeometry g = timeLineGeometry(m_window.height(), axisEnd, TimerSettings, TotalTime, ElapsedSeconds);
    m_lines[0]->setPenWidth(g.barPen);
    m_lines[0]->setPoints(g.presentationBar.p1(), g.presentationBar.p2());
    m_lines[1]->setPenWidth(g.barPen);
    m_lines[1]->setPoints(g.discussionBar.p1(), g.discussionBar.p2());
    m_lines[2]->setPenWidth(g.dotPen);
    m_lines[2]->setPoints(g.dot, g.dot);
    m_captions[0]->move(toPixel(g.presentationCaptionAt.x()), toPixel(g.presentationCaptionAt.y()));
    m_captions[1]->move(toPixel(g.discussionCaptionAt.x()), toPixel(g.discussionCaptionAt.y()));
    m_captions[0]->setText(g.presentationCaption);
    m_captions[1]->setText(g.discussionCaption);
    for (platform::LineShape *line : m_lines)
        line->setVisible(true);
    for (QLabel *caption : m_captions)
        caption->show();

    platform::processPendingEvents();
}
