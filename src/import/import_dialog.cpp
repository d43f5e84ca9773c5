#include "import/import_dialog.h"

#include "programme/programme.h"

#include <QBoxLayout>
#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>
#include <limits>

namespace schedule_import {

namespace {

enum Column { Start, Presentation, Discussion, Title, Speaker, ColumnCount };

} // namespace

ImportDialog::ImportDialog(ImportSource source, QWidget *parent)
    : QDialog(parent), m_source(std::move(source)), m_sessions(sessionsOf(m_source))
{
    setWindowTitle(tr("Import a programme"));
    resize(760, 480);

    m_day = new QComboBox(this);
    m_room = new QComboBox(this);
    for (const SessionCount &session : m_sessions) {
        if (m_day->findData(session.day) < 0)
            m_day->addItem(QString(), session.day);
        const int index = m_day->findData(session.day);
        const int talks = m_day->itemData(index, Qt::UserRole + 1).toInt() + session.talks;
        m_day->setItemData(index, talks, Qt::UserRole + 1);
        const QString day = session.day.isValid() ? session.day.toString(Qt::ISODate) : tr("(no date)");
        m_day->setItemText(index, QStringLiteral("%1 (%2)").arg(day).arg(talks));
    }
    // Files list rooms in no telling order: the busiest session is the likely one.
    const auto busiest = std::max_element(m_sessions.cbegin(), m_sessions.cend(),
                                          [](const SessionCount &a, const SessionCount &b) { return a.talks < b.talks; });
    if (busiest != m_sessions.cend())
        m_day->setCurrentIndex(m_day->findData(busiest->day));
    m_fifth = new QRadioButton(tr("as the file splits each slot, else a fifth (20 %) for discussion"), this);
    m_fixed = new QRadioButton(tr("a fixed discussion of"), this);
    m_fifth->setChecked(true);
    m_minutes = new QSpinBox(this);
    m_minutes->setRange(0, 120);
    m_minutes->setValue(3);
    m_minutes->setSuffix(tr(" min"));

    auto *fixedRow = new QHBoxLayout;
    fixedRow->addWidget(m_fixed);
    fixedRow->addWidget(m_minutes);
    fixedRow->addStretch();
    auto *rule = new QVBoxLayout;
    rule->addWidget(m_fifth);
    rule->addLayout(fixedRow);
    auto *form = new QFormLayout;
    form->addRow(tr("File:"), new QLabel(m_source.name, this));
    form->addRow(tr("Day (talks):"), m_day);
    form->addRow(tr("Room (talks):"), m_room);
    form->addRow(tr("Discussion:"), rule);
    // A spreadsheet is one session: nothing to choose.
    for (QWidget *field : {static_cast<QWidget *>(m_day), static_cast<QWidget *>(m_room)})
        form->setRowVisible(field, !m_source.spreadsheet);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels({tr("Start"), tr("Presentation"), tr("Discussion"), tr("Title"), tr("Speaker")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Title, QHeaderView::Stretch);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    // The timetable's titles appear in its problems: shown as written, never as markup.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("import"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_table);
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);

    connect(m_day, &QComboBox::currentIndexChanged, this, &ImportDialog::fillRooms);
    connect(m_room, &QComboBox::currentIndexChanged, this, &ImportDialog::preview);
    connect(m_fixed, &QRadioButton::toggled, this, &ImportDialog::preview);
    connect(m_minutes, &QSpinBox::valueChanged, this, [this] {
        m_fixed->setChecked(true);
        preview();
    });
    fillRooms();
}

void ImportDialog::fillRooms()
{
    const QSignalBlocker blocker(m_room);
    m_room->clear();
    const QDate day = m_day->currentData().toDate();
    int most = 0;
    for (const SessionCount &session : m_sessions) {
        if (session.day == day) {
            m_room->addItem(QStringLiteral("%1 (%2)")
                                .arg(session.room.isEmpty() ? tr("(no room)") : session.room)
                                .arg(session.talks),
                            session.room);
            // The first of the busiest rooms of the day.
            if (session.talks > most) {
                most = session.talks;
                m_room->setCurrentIndex(m_room->count() - 1);
            }
        }
    }
    preview();
}

void ImportDialog::preview()
{
    SessionChoice choice;
    if (m_day->count() > 0)
        choice.day = m_day->currentData().toDate();
    if (m_room->count() > 0)
        choice.room = m_room->currentData().toString();
    if (m_fixed->isChecked())
        choice.discussionMinutes = m_minutes->value();
    m_taken = takeSession(m_source, choice);
    if (!m_taken.error.isEmpty())
        m_taken.talks.clear();

    // The talks, and where they fall the events that cannot be read, which
    // stand out so that the timekeeper sees the gap before importing.
    m_table->setRowCount(0);
    const auto addRow = [this](const QStringList &texts, bool skipped) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(texts.value(column));
            if (column < Title)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (skipped) {
                item->setBackground(QColor(0xff, 0xd6, 0xd6));
                item->setForeground(QColor(0x8b, 0, 0));
            }
            m_table->setItem(row, column, item);
        }
    };
    auto skipped = m_taken.skipped.cbegin();
    const auto addSkippedUpTo = [&](qsizetype talk) {
        for (; skipped != m_taken.skipped.cend() && skipped->beforeTalk <= talk; ++skipped) {
            const ScheduleEntry &e = skipped->entry;
            addRow({e.start.isValid() ? e.start.toString(QStringLiteral("HH:mm")) : QString(), tr("skipped"), QString(),
                    tr("%1 (%2)").arg(e.title.isEmpty() ? tr("(no title)") : e.title, e.unreadable),
                    joinedSpeakers(e.speakers)},
                   true);
        }
    };
    for (qsizetype talk = 0; talk < m_taken.talks.size(); ++talk) {
        addSkippedUpTo(talk);
        const programme::Talk &t = m_taken.talks[talk];
        addRow({t.start ? t.start->toString(QStringLiteral("HH:mm")) : QString(),
                programme::talkTimeText(t.presentation), programme::talkTimeText(t.discussion), t.title, t.speaker},
               false);
    }
    addSkippedUpTo(std::numeric_limits<qsizetype>::max());
    QStringList lines;
    if (!m_taken.error.isEmpty())
        lines << m_taken.error;
    else
        lines << tr("These talks replace the programme, which starts at the first of them.");
    if (!m_taken.problems.isEmpty())
        lines << programme::problemSummary(m_taken.problems);
    m_status->setText(lines.join(QLatin1Char('\n')));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_taken.talks.isEmpty());
}

} // namespace schedule_import
