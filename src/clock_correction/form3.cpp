#include "clock_correction/form3.h"

#include "platform/text_box.h"
#include "clock_correction/typed_count.h"
#include "platform/messages.h"
#include "platform/tick_source.h"
#include "settings/clock_file.h"
#include "settings/declare.h"
#include "settings/number_text.h"
#include "settings/settings_store.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace {

const QColor formBackground(0xE0, 0xE0, 0xE0);
const QColor typingBackground(0xFF, 0xFF, 0x00);
const QColor boxBackground(0xFF, 0xFF, 0xFF);
const QString dialogFace = QStringLiteral("ＭＳ Ｐゴシック");

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(platform::twipsToPixelsX(left), platform::twipsToPixelsY(top), platform::twipsToPixelsX(width),
                         platform::twipsToPixelsY(height));
}

void setButtonFace(QPushButton *button, const QColor &colour)
{
    QPalette p = button->palette();
    p.setColor(QPalette::Button, colour);
    button->setPalette(p);
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QColor &face, int left, int top)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    setButtonFace(button, face);
    place(button, left, top, 1095, 375);
    return button;
}

} // namespace

Form3::Form3(std::function<qint64()> tickClock)
    : platform::Window(QStringLiteral("時間補正"),
                       QSize(platform::twipsToPixelsX(5745), platform::twipsToPixelsY(2790)), formBackground)
{
    setFixedSize(size());

    Label1 = new QLabel(QStringLiteral("3分間の計時を行い、時間補正値を求めます。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, 240, 240, 5295, 255);

    Label3 = new QLabel(QStringLiteral("時間補正値"), this);
    QFont smallFont(dialogFace);
    smallFont.setPointSizeF(8.25);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(smallFont);
    // The designed height is less than a line of this font; grow it downwards
    // so the caption is not cut off.
    place(Label3, 480, 1320, 975, 135);
    Label3->resize(Label3->width(), std::max(Label3->height(), Label3->fontMetrics().height()));

    // Created in the keyboard focus order.
    Command1 = makeButton(this, "Command1", QStringLiteral("計時開始"), formBackground, 2760, 1200);
    Command2 = makeButton(this, "Command2", QStringLiteral("計時終了"), formBackground, 4080, 1200);
    Command3 = makeButton(this, "Command3", QStringLiteral("補正する"), QColor(0xFF, 0xC0, 0xC0), 1440, 2280);
    Command5 = makeButton(this, "Command5", QStringLiteral("閉じる"), formBackground, 4080, 2280);

    ClockIndic = new platform::TextBox(this);
    ClockIndic->setObjectName(QStringLiteral("ClockIndic"));
    ClockIndic->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont countFont(dialogFace);
    countFont.setPointSizeF(12);
    countFont.setBold(true);
    ClockIndic->setFont(countFont);
    QPalette boxPalette = ClockIndic->palette();
    boxPalette.setColor(QPalette::Text, QColor(0x80, 0x80, 0xFF));
    ClockIndic->setPalette(boxPalette);
    ClockIndic->setBackgroundColour(boxBackground);
    ClockIndic->askForNumbers();
    place(ClockIndic, 1440, 1200, 1095, 375);

    Command4 = makeButton(this, "Command4", QStringLiteral("やり直し"), formBackground, 2760, 2280);

    Label2 = new QLabel(QStringLiteral("上記の値で補正します。よろしいですか？"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    place(Label2, 240, 1920, 5055, 255);

    // In the free strip between the count and the confirmation line.
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    QPalette warning = Label4->palette();
    warning.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    Label4->setPalette(warning);
    place(Label4, 240, 1620, 5295, 255);

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command5);
    setTabOrder(Command5, ClockIndic);
    setTabOrder(ClockIndic, Command4);

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form3::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form3::Command5_Click);
    connect(ClockIndic, &platform::TextBox::clicked, this, &Form3::ClockIndic_Click);
    connect(ClockIndic, &platform::TextBox::keyPressed, this, &Form3::ClockIndic_KeyPress);

    Timer2 = new platform::TickSource([this] { Timer2_Timer(); }, std::move(tickClock), this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    // Every tick is counted, but while it counts the box needs showing only
    // about ten times a second; the count stops on an exact tick, as the
    // ticks up to then are delivered first.
    Timer2->setPlanner([this]() -> std::optional<qint64> {
        if (Measuring == 0)
            return std::nullopt;
        return 10;
    });

    Form_Load();
}

void Form3::Form_Load()
{
    showRefusal(false);
    showConfirmation(false);
    showStoredCorrection();
    MeasuredTicks = 0;
    Measuring = 0;
    Timer2->setInterval(10);
    Command1->setFocus();
}

void Form3::Command1_Click()
{
    const platform::TickSource::StateChange change;
    showRefusal(false);
    MeasuredTicks = 0;
    Measuring = 1;
}

void Form3::Timer2_Timer()
{
    if (Measuring == 0)
        return;
    // A count left running stops at the largest count instead of wrapping.
    if (MeasuredTicks < std::numeric_limits<int16_t>::max())
        ++MeasuredTicks;
    ClockIndic->setText(plainNumber(MeasuredTicks));
    m_boxShowsCorrection = false;
}

void Form3::Command2_Click()
{
    const platform::TickSource::StateChange change;
    showRefusal(false);
    showConfirmation(true);
    Measuring = 0;
}

void Form3::Command3_Click()
{
    // The talk clock's ticks so far count at the old rate.
    const platform::TickSource::StateChange change;
    // 90 or less, and the 0 left after an apply, would make a counted second
    // shorter than one tick. Nothing changes then, and unless the box shows
    // the correction in use the window says so, instead of looking applied.
    const std::optional<int16_t> ticks = ticksPerSecondFor(MeasuredTicks);
    showRefusal(!ticks && !m_boxShowsCorrection);
    if (!ticks)
        return;
    ClockCorrection = MeasuredTicks;
    MeasuredTicks = 0;
    TicksPerSecond = *ticks;
    m_boxShowsCorrection = true;
    const QString error = SaveClockCorrection();
    if (!error.isEmpty())
        platform::showMessage(this, error);
}

void Form3::Command4_Click()
{
    // Ticks that passed before the click are counted now, so that none of
    // them lands in the new count.
    const platform::TickSource::StateChange change;
    showRefusal(false);
    showConfirmation(false);
    showStoredCorrection();
    MeasuredTicks = 0;
}

void Form3::Command5_Click()
{
    Measuring = 0;
    MeasuredTicks = 0;
    hide();
    showRefusal(false);
    showConfirmation(false);
    showStoredCorrection();
}

void Form3::ClockIndic_Click()
{
    showRefusal(false);
    ClockIndic->clear();
    m_boxShowsCorrection = false;
    ClockIndic->setBackgroundColour(typingBackground);
}

void Form3::ClockIndic_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    ClockIndic->setBackgroundColour(boxBackground);
    const QString typed = ClockIndic->text();
    if (typed.isEmpty())
        return;
    // A count running until now takes the ticks that passed before the
    // Enter, and ends: the typed count replaces it and gains none of them.
    const platform::TickSource::StateChange change;
    Measuring = 0;
    ClockIndic->setText(typed);
    showRefusal(false);
    m_boxShowsCorrection = false;
    const std::optional<int16_t> count = readTypedCount(typed);
    if (!count) {
        // Nothing waits for confirmation: back to the stored correction.
        Measuring = 0;
        MeasuredTicks = 0;
        showConfirmation(false);
        showStoredCorrection();
        return;
    }
    MeasuredTicks = *count;
    Command2_Click();
}

bool Form3::closeRequested()
{
    Measuring = 0;
    Timer2->setInterval(0);
    emit discarded();
    return true;
}

void Form3::showConfirmation(bool shown)
{
    Label2->setVisible(shown);
    Command3->setVisible(shown);
    Command4->setVisible(shown);
}

void Form3::showStoredCorrection()
{
    ClockIndic->setText(QString::number(ClockCorrection, 'g', 15));
    m_boxShowsCorrection = true;
}

void Form3::showRefusal(bool shown)
{
    // Worded when shown, so that it follows the language in use.
    Label4->setText(shown ? tr("Nothing was changed: the count must be 91 or more.") : QString());
    Label4->setVisible(shown);
}
