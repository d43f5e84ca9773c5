#include "settings_window/form2.h"

#include "platform/events.h"
#include "settings/declare.h"
#include "settings_window/diagram_texts.h"
#include "settings_window/form2_layout.h"
#include "settings_window/main_window_calls.h"
#include "platform/text_box.h"
#include "platform/tick_source.h"
#include "settings_window/time_entry.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace layout = form2_layout;

namespace {

const QColor Grey(0xE0, 0xE0, 0xE0);
const QColor OpenBox(0xFF, 0xFF, 0x00);
const QColor ShownBox(0xFF, 0xFF, 0xFF);
const std::array<QColor, 3> BarColours{QColor(0x80, 0xFF, 0x80), QColor(0xFF, 0xFF, 0x80),
                                       QColor(0xFF, 0x80, 0x80)};

// The flag each of Check1..Check9 switches; not the order of the file.
using Flag = int16_t TimerSettingsRecord::*;
constexpr std::array<Flag, 9> CheckFlags{
    &TimerSettingsRecord::RingFirstBell,   &TimerSettingsRecord::CountDown,
    &TimerSettingsRecord::CumulativeDisplay, &TimerSettingsRecord::OvertimeWarning,
    &TimerSettingsRecord::OvertimeMusic,   &TimerSettingsRecord::EnglishDisplay,
    &TimerSettingsRecord::ShowTimeLine,    &TimerSettingsRecord::SecondsUnits,
    &TimerSettingsRecord::BlinkAtEnd,
};

using Handler = void (Form2::*)();
constexpr std::array<Handler, 9> CheckHandlers{
    &Form2::Check1_Click, &Form2::Check2_Click, &Form2::Check3_Click, &Form2::Check4_Click, &Form2::Check5_Click,
    &Form2::Check6_Click, &Form2::Check7_Click, &Form2::Check8_Click, &Form2::Check9_Click,
};

const std::array<QString, 9> CheckCaptions{
    QStringLiteral("１鈴を鳴らす"),       QStringLiteral("カウントダウン"),
    QStringLiteral("３鈴まで合算表示"),   QStringLiteral("超過 1分おきに警告音"),
    QStringLiteral("超過 3分から音楽開始"), QStringLiteral("英語表示"),
    QStringLiteral("タイムライン表示"),   QStringLiteral("秒単位で設定"),
    QStringLiteral("最後の10秒で点滅"),
};

QRect pixels(const layout::TwipsRect &r)
{
    return {platform::twipsToPixelsX(r.left), platform::twipsToPixelsY(r.top), platform::twipsToPixelsX(r.width),
            platform::twipsToPixelsY(r.height)};
}

QFont designFont(const QString &face, double points)
{
    QFont font(face);
    font.setPointSizeF(points);
    return font;
}

template <typename Control>
Control *place(Control *control, const QString &name, const layout::TwipsRect &at)
{
    control->setObjectName(name);
    control->setGeometry(pixels(at));
    return control;
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, const layout::TwipsRect &at,
              Qt::Alignment alignment)
{
    auto *l = place(new QLabel(caption, parent), name, at);
    l->setAlignment(alignment | Qt::AlignVCenter);
    // The phase titles come from the settings file: shown as written.
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

Form2::Form2(MainWindowCalls &mainWindow)
    : platform::Window(QStringLiteral("設定"),
                       QSize(platform::twipsToPixelsX(layout::InnerWidth), platform::twipsToPixelsY(layout::InnerHeight)),
                       Grey),
      m_main(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Button, Grey);
    p.setColor(QPalette::ButtonText, Qt::black);
    setPalette(p);
    // The standard dialog font of the bell markers, options and buttons.
    setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));

    createDiagram();
    createOptions();
    createButtons();
    Form_Load();
}

void Form2::createDiagram()
{
    // The panel stays transparent: the window paints the diagram's lines
    // under it, and the boxes and the total caption cover them where they
    // lie on a line.
    QWidget *frame1 = place(new QWidget(this), QStringLiteral("Frame1"), layout::Frame1);
    const QPoint origin = frame1->pos();
    for (const layout::TwipsLine &l : layout::Lines) {
        platform::LineShape *line = addLine(Qt::black);
        line->setPoints(origin + QPointF(platform::twipsToPixelsX(l.x1), platform::twipsToPixelsY(l.y1)),
                        origin + QPointF(platform::twipsToPixelsX(l.x2), platform::twipsToPixelsY(l.y2)));
        line->setVisible(true);
        m_lines.at(l.number - 1) = line;
    }

    const QString bell1 = QStringLiteral("▼１鈴");
    m_label6 = label(frame1, QStringLiteral("Label6"), bell1, layout::Label6, Qt::AlignLeft);
    m_label1 = label(frame1, QStringLiteral("Label1"), bell1, layout::Label1, Qt::AlignLeft);
    label(frame1, QStringLiteral("Label8"), QStringLiteral("▼２鈴"), layout::Label8, Qt::AlignHCenter);
    label(frame1, QStringLiteral("Label10"), QStringLiteral("▼３鈴"), layout::Label10, Qt::AlignHCenter);

    const QFont barFont = designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9.75);
    for (int i = 0; i < 3; ++i) {
        QLabel *bar = label(frame1, QStringLiteral("msc%1").arg(i + 1), QString(), layout::Bars[i], Qt::AlignHCenter);
        bar->setFont(barFont);
        bar->setFrameStyle(QFrame::Box | QFrame::Plain);
        bar->setLineWidth(1);
        QPalette p = bar->palette();
        p.setColor(QPalette::Window, BarColours[i]);
        bar->setPalette(p);
        bar->setAutoFillBackground(true);
        m_msc[i] = bar;
    }

    const QFont narrow = designFont(QStringLiteral("Arial Narrow"), 9.75);
    const QFont boxFont = designFont(QStringLiteral("Arial"), 9.75);
    for (int i = 0; i < 3; ++i) {
        auto *box = place(new platform::TextBox(frame1), QStringLiteral("Text%1").arg(i + 1), layout::Boxes[i]);
        box->setFont(boxFont);
        box->setAlignment(Qt::AlignCenter);
        box->setTextMargins(0, 0, 0, 0);
        box->setTextColour(QColor(0xFF, 0x00, 0x00));
        box->setBackgroundColour(Qt::white);
        const int index = i + 1;
        connect(box, &platform::TextBox::clicked, this, [this, index] { Text_Click(index); });
        connect(box, &platform::TextBox::keyPressed, this, [this, index](int code) { Text_KeyPress(index, code); });
        m_texts[i] = box;
    }
    setTabOrder(m_texts[0], m_texts[1]);
    setTabOrder(m_texts[1], m_texts[2]);

    m_label4 = label(frame1, QStringLiteral("Label4"), QStringLiteral("min"), layout::Label4, Qt::AlignLeft);
    m_label5 = label(frame1, QStringLiteral("Label5"), QStringLiteral("min"), layout::Label5, Qt::AlignLeft);
    m_label12 = label(frame1, QStringLiteral("Label12"), QStringLiteral("min"), layout::Label12, Qt::AlignLeft);
    for (QLabel *unit : {m_label4, m_label5, m_label12})
        unit->setFont(narrow);

    // Opaque in the panel's colour, so that it makes a gap in the total line.
    m_label11 = label(frame1, QStringLiteral("Label11"), QStringLiteral("total  10 min"), layout::Label11,
                      Qt::AlignHCenter);
    m_label11->setFont(narrow);
    m_label11->setAutoFillBackground(true);
}

void Form2::createOptions()
{
    // A borderless panel: its first row of options lies on its top edge, where
    // a drawn caption would be.
    QWidget *frame2 = place(new QWidget(this), QStringLiteral("Frame2"), layout::Frame2);
    frame2->setAccessibleName(QStringLiteral("オプション"));
    for (int n = 1; n <= 9; ++n) {
        QWidget *parent = n == 7 ? static_cast<QWidget *>(this) : frame2;
        auto *box = place(new QCheckBox(CheckCaptions[n - 1], parent), QStringLiteral("Check%1").arg(n),
                          layout::Checks[n - 1]);
        // A narrow gap after the tick box, so that the longest option caption
        // still ends inside the window.
        box->setStyleSheet(QStringLiteral("QCheckBox { spacing: 3px; }"));
        // toggled also follows the program's own changes of state, as the
        // load step relies on.
        connect(box, &QCheckBox::toggled, this, CheckHandlers[n - 1]);
        m_checks[n - 1] = box;
    }
    m_checks[6]->raise();
}

void Form2::createButtons()
{
    const std::array<std::pair<QString, layout::TwipsRect>, 4> buttons{{
        {QStringLiteral("close"), layout::Command1},
        {QStringLiteral("help"), layout::Command2},
        {QStringLiteral("作者HP"), layout::Command3},
        {QStringLiteral("時間補正"), layout::Command4},
    }};
    const std::array<Handler, 4> handlers{&Form2::Command1_Click, &Form2::Command2_Click, &Form2::Command3_Click,
                                          &Form2::Command4_Click};
    for (int i = 0; i < 4; ++i) {
        auto *button = place(new QPushButton(buttons[i].first, this), QStringLiteral("Command%1").arg(i + 1),
                             buttons[i].second);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handlers[i]);
    }
}

void Form2::Form_Load()
{
    for (platform::TextBox *box : m_texts)
        box->askForNumbers();
    ScreenDraw1();
    ScreenDraw2();
    ScreenDraw3();
    // Only a flag of exactly 1 ticks its box; other values stay as they are,
    // behind a clear box.
    for (int n = 1; n <= 9; ++n)
        m_checks[n - 1]->setChecked(TimerSettings.*CheckFlags[n - 1] == 1);
}

QSize Form2::innerSize() const { return size(); }

QCheckBox *Form2::check(int n) const { return m_checks.at(n - 1); }
platform::TextBox *Form2::text(int index) const { return m_texts.at(index - 1); }
QLabel *Form2::msc(int index) const { return m_msc.at(index - 1); }
platform::LineShape *Form2::line(int n) const { return m_lines.at(n - 1); }

void Form2::Command1_Click() { hide(); }
void Form2::Command2_Click() { platform::sendHelpKey(); }
void Form2::Command3_Click() { emit makersPageRequested(); }
void Form2::Command4_Click() { emit clockCorrectionRequested(); }

bool Form2::storeCheck(int n, bool onlyWhenChanged)
{
    const platform::TickSource::StateChange change;
    const int16_t state = m_checks[n - 1]->isChecked() ? 1 : 0;
    int16_t &flag = TimerSettings.*CheckFlags[n - 1];
    if (onlyWhenChanged && state == flag)
        return false;
    flag = state;
    return true;
}

void Form2::Check1_Click() { storeCheck(1, false); }

void Form2::Check2_Click()
{
    if (storeCheck(2, true))
        m_main.DrawTime();
}

void Form2::Check3_Click()
{
    if (storeCheck(3, true))
        m_main.DrawTime();
}

void Form2::Check4_Click() { storeCheck(4, false); }
void Form2::Check5_Click() { storeCheck(5, false); }

void Form2::Check6_Click()
{
    if (!storeCheck(6, true))
        return;
    ScreenDraw3();
    m_main.Form_Resize();
}

void Form2::Check7_Click()
{
    storeCheck(7, false);
    m_main.TimeLine();
}

void Form2::Check8_Click()
{
    storeCheck(8, false);
    ScreenDraw1();
    m_main.TimeLine();
}

void Form2::Check9_Click() { storeCheck(9, false); }

void Form2::Text_Click(int index)
{
    platform::TextBox *box = text(index);
    box->setText(QString());
    box->setBackgroundColour(OpenBox);
}

void Form2::Text_KeyPress(int index, int keyAscii)
{
    if (keyAscii != 13)
        return;
    platform::TextBox *box = text(index);
    box->setBackgroundColour(ShownBox);
    const TimeEntryResult entry = enterTime(index, box->text(), TimerSettings, TotalTime);
    // Every store is made before the first redraw: a tick handled inside a
    // redraw of the main window already sees the new times.
    if (entry.accepted) {
        const platform::TickSource::StateChange change;
        TimerSettings = entry.settings;
        TotalTime = entry.totalTime;
    }
    for (int i = 1; i <= 3; ++i)
        if (entry.texts[i - 1])
            text(i)->setText(*entry.texts[i - 1]);
    if (!entry.accepted)
        return;
    ScreenDraw2();
    m_main.DrawMsg();
    m_label11->setText(totalCaption(TotalTime, TimerSettings.SecondsUnits));
    m_main.DrawTime();
}

void Form2::ScreenDraw1()
{
    const DiagramTexts t = diagramTexts(TimerSettings, TotalTime);
    for (QLabel *unit : {m_label4, m_label5, m_label12})
        unit->setText(t.unit);
    for (int i = 1; i <= 3; ++i)
        text(i)->setText(t.boxes[i - 1]);
    check(4)->setText(t.warning);
    check(5)->setText(t.music);
    m_label11->setText(t.total);
    check(9)->setText(t.blink);
}

void Form2::ScreenDraw2()
{
    const bool discussion = firstBellInDiscussion(TimerSettings);
    m_label1->setVisible(discussion);
    m_label6->setVisible(!discussion);
    line(16)->setVisible(discussion);
    line(9)->setVisible(!discussion);
    line(15)->setVisible(discussion);
    line(10)->setVisible(!discussion);
}

void Form2::ScreenDraw3()
{
    for (int i = 1; i <= 3; ++i)
        msc(i)->setText(TimerSettings.phaseTitle(i));
}
