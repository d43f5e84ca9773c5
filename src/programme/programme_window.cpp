#include "programme/programme_window.h"

#include "platform/placement.h"
#include "programme/programme.h"

#include <QBoxLayout>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMimeData>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>

namespace programme {

namespace {

enum Column { Mark, Planned, Expected, Title, Speaker, Presentation, Discussion, FirstBell, ColumnCount };

QString timeOrNothing(const std::optional<DaySeconds> &time) { return time ? clockText(*time) : QString(); }

// The line under the table that says how the session stands.
QString timetableLine(const SessionTimetable &t)
{
    const std::optional<DaySeconds> planned = t.firstPlannedStart;
    if (t.secondsUntilFirst && planned) {
        const int until = *t.secondsUntilFirst;
        return until >= 0 ? ProgrammeWindow::tr("Planned start %1: in %2").arg(clockText(*planned), talkTimeText(until))
                          : ProgrammeWindow::tr("Planned start %1: %2").arg(clockText(*planned), offsetText(-until));
    }
    if (t.offset && t.projectedEnd)
        return ProgrammeWindow::tr("The session: %1; projected end %2")
            .arg(offsetText(*t.offset), clockText(*t.projectedEnd));
    if (t.projectedEnd)
        return ProgrammeWindow::tr("The session: projected end %1").arg(clockText(*t.projectedEnd));
    return {};
}

} // namespace

ProgrammeWindow::ProgrammeWindow(const Programme &programme, QWidget *parent)
    : QWidget(parent, Qt::Window), m_programme(programme)
{
    setWindowTitle(tr("Programme"));
    resize(680, 360);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels(
        {QString(), tr("Planned"), tr("Expected"), tr("Title"), tr("Speaker"), tr("Presentation"), tr("Discussion"),
         tr("Bell 1")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Title, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (m_idle)
            emit talkRequested(row);
    });

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    // Lines of the programme file appear here: shown as written, never as markup.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_timetable = new QLabel(this);
    m_timetable->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_changeoverLabel = new QLabel(tr("Changeover:"), this);
    m_changeover = new QSpinBox(this);
    m_changeover->setRange(0, LongestChangeover);
    m_changeover->setSingleStep(30);
    m_changeover->setSuffix(tr(" s"));
    // Kept when the box is left, not at every digit typed.
    m_changeover->setKeyboardTracking(false);
    m_changeoverLabel->setBuddy(m_changeover);
    connect(m_changeover, &QSpinBox::valueChanged, this, &ProgrammeWindow::changeoverRequested);
    // Once a second, only while the window is shown with planned times.
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &ProgrammeWindow::updateTimes);

    m_import = new QPushButton(tr("import…"), this);
    m_importAddress = new QPushButton(tr("import from address…"), this);
    m_previous = new QPushButton(tr("previous"), this);
    m_next = new QPushButton(tr("next"), this);
    for (QPushButton *button : {m_import, m_importAddress, m_previous, m_next})
        button->setAutoDefault(false);
    connect(m_previous, &QPushButton::clicked, this,
            [this] { emit talkRequested(m_programme.currentIndex() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { emit talkRequested(m_programme.currentIndex() + 1); });
    connect(m_import, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, tr("Import a programme"), QString(),
            tr("Timetables and programmes (*.csv *.xml *.json *.ics);;All files (*)"));
        if (!path.isEmpty())
            emit importRequested(path);
    });
    connect(m_importAddress, &QPushButton::clicked, this, [this] {
        const QString address = QInputDialog::getText(this, tr("Import from address"),
                                                      tr("The https address of a published timetable:"));
        if (!address.trimmed().isEmpty())
            emit addressImportRequested(QUrl(address.trimmed()));
    });
    setAcceptDrops(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_import);
    buttons->addWidget(m_importAddress);
    // The report of the session so far, from the talk log.
    auto *report = new QPushButton(tr("report…"), this);
    report->setAutoDefault(false);
    connect(report, &QPushButton::clicked, this, &ProgrammeWindow::reportRequested);
    buttons->addWidget(report);
    buttons->addStretch();
    buttons->addWidget(m_changeoverLabel);
    buttons->addWidget(m_changeover);
    buttons->addStretch();
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_timetable);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(&m_programme, &Programme::changed, this, [this] {
        m_note.clear();
        refresh();
    });
    refresh();
}

void ProgrammeWindow::setIdle(bool idle)
{
    m_idle = idle;
    updateTimes();
    updateState();
}

void ProgrammeWindow::setTimetableSource(std::function<SessionTimetable()> source)
{
    m_source = std::move(source);
    updateTimes();
}

void ProgrammeWindow::showEvent(QShowEvent *event)
{
    platform::placeOnScreen(*this);
    QWidget::showEvent(event);
    updateTimes();
}

void ProgrammeWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_tick.stop();
}

void ProgrammeWindow::updateTimes()
{
    const SessionTimetable t = m_source ? m_source() : SessionTimetable{};
    for (QWidget *widget : {static_cast<QWidget *>(m_timetable), static_cast<QWidget *>(m_changeoverLabel),
                            static_cast<QWidget *>(m_changeover)})
        widget->setVisible(t.planned);
    m_table->setColumnHidden(Planned, !t.planned);
    const bool expected = std::any_of(t.expectedStarts.cbegin(), t.expectedStarts.cend(),
                                      [](const std::optional<DaySeconds> &start) { return start.has_value(); });
    m_table->setColumnHidden(Expected, !expected);
    if (t.planned && !isHidden())
        m_tick.start();
    else
        m_tick.stop();
    if (!t.planned)
        return;
    // Only the texts that changed are set, so a second costs little.
    const auto set = [this](int row, int column, const QString &text) {
        QTableWidgetItem *item = m_table->item(row, column);
        if (item && item->text() != text)
            item->setText(text);
    };
    for (int row = 0; row < m_table->rowCount(); ++row) {
        set(row, Planned, timeOrNothing(t.plannedStarts.value(row)));
        set(row, Expected, timeOrNothing(t.expectedStarts.value(row)));
    }
    const QString line = timetableLine(t);
    if (m_timetable->text() != line)
        m_timetable->setText(line);
    const QSignalBlocker blocker(m_changeover);
    m_changeover->setValue(m_programme.changeoverSeconds());
}

void ProgrammeWindow::showNote(const QString &text)
{
    m_note = text;
    updateState();
}

void ProgrammeWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_idle && event->mimeData()->urls().size() == 1)
        event->acceptProposedAction();
}

void ProgrammeWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!m_idle || urls.size() != 1)
        return;
    event->acceptProposedAction();
    if (urls.first().isLocalFile())
        emit importRequested(urls.first().toLocalFile());
    else
        emit addressImportRequested(urls.first());
}

void ProgrammeWindow::refresh()
{
    const QList<Talk> &talks = m_programme.talks();
    m_table->setRowCount(int(talks.size()));
    for (int row = 0; row < talks.size(); ++row) {
        const Talk &t = talks[row];
        const bool current = row == m_programme.currentIndex();
        const QString texts[ColumnCount] = {current ? QStringLiteral("▶") : QString(),
                                            QString(),
                                            QString(),
                                            t.title,
                                            t.speaker,
                                            talkTimeText(t.presentation),
                                            talkTimeText(t.discussion),
                                            t.firstBell ? talkTimeText(*t.firstBell) : QString()};
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            QFont font = item->font();
            font.setBold(current);
            item->setFont(font);
            if (column >= Presentation || column == Planned || column == Expected)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    if (m_programme.currentIndex() >= 0) {
        m_table->selectRow(m_programme.currentIndex());
        m_table->scrollToItem(m_table->item(m_programme.currentIndex(), Title));
    }
    updateTimes();
    updateState();
}

void ProgrammeWindow::updateState()
{
    const int current = m_programme.currentIndex();
    m_previous->setEnabled(m_idle && current > 0);
    m_next->setEnabled(m_idle && m_programme.talk(current + 1));
    m_import->setEnabled(m_idle);
    m_importAddress->setEnabled(m_idle);

    QStringList lines;
    if (!m_idle)
        lines << tr("Another talk can be taken after \"reset\".");
    if (!m_note.isEmpty())
        lines << m_note;
    if (m_programme.talks().isEmpty() && m_programme.problems().isEmpty())
        lines << tr("No programme: put %1 in the working folder, or import one.").arg(ProgrammeFileName);
    if (!m_programme.problems().isEmpty())
        lines << problemSummary(m_programme.problems());
    m_status->setText(lines.join(QLatin1Char('\n')));
}

} // namespace programme
