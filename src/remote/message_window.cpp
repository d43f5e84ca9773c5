#include "remote/message_window.h"

#include "platform/placement.h"
#include "remote/speaker_messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace remote {

MessageWindow::MessageWindow(SpeakerDesk &view) : m_view(view)
{
    setWindowTitle(tr("Message to speaker"));
    auto *layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(tr("Presets (keys 1–9 in the main window send the first nine):"), this));
    auto *presetRow = new QHBoxLayout;
    m_presets = new QListWidget(this);
    m_presets->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    for (const QString &preset : m_view.presets()) {
        auto *item = new QListWidgetItem(preset, m_presets);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    auto *presetButtons = new QVBoxLayout;
    auto *add = new QPushButton(tr("add"), this);
    auto *remove = new QPushButton(tr("remove"), this);
    presetButtons->addWidget(add);
    presetButtons->addWidget(remove);
    presetButtons->addStretch();
    presetRow->addWidget(m_presets);
    presetRow->addLayout(presetButtons);
    layout->addLayout(presetRow);

    m_text = new QLineEdit(this);
    m_text->setMaxLength(MaxMessageLength);
    m_text->setPlaceholderText(tr("a preset, or your own text"));
    layout->addWidget(m_text);

    auto *sendRow = new QHBoxLayout;
    auto *send = new QPushButton(tr("send"), this);
    auto *clear = new QPushButton(tr("clear"), this);
    auto *close = new QPushButton(tr("close"), this);
    sendRow->addWidget(send);
    sendRow->addWidget(clear);
    sendRow->addStretch();
    sendRow->addWidget(close);
    layout->addLayout(sendRow);

    m_shown = new QLabel(this);
    m_shown->setWordWrap(true);
    m_shown->setTextFormat(Qt::PlainText);
    layout->addWidget(m_shown);
    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #C00000;"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    layout->addWidget(m_problem);

    connect(m_presets, &QListWidget::currentTextChanged, m_text, &QLineEdit::setText);
    connect(m_presets, &QListWidget::itemChanged, this, &MessageWindow::storePresets);
    connect(add, &QPushButton::clicked, this, [this] {
        const QString text = m_text->text().trimmed();
        auto *item = new QListWidgetItem(text.isEmpty() ? tr("new message") : text, m_presets);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        m_presets->setCurrentItem(item);
        storePresets();
        m_presets->editItem(item);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        delete m_presets->currentItem();
        storePresets();
    });
    connect(m_text, &QLineEdit::returnPressed, this, &MessageWindow::send);
    connect(send, &QPushButton::clicked, this, &MessageWindow::send);
    connect(clear, &QPushButton::clicked, this, [this] { m_view.setSpeakerMessage(QString()); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    m_view.whenChanged(this, [this] { refresh(); });
    refresh();
}

void MessageWindow::send()
{
    // The line holds at most MaxMessageLength characters, so it is never
    // refused.
    m_view.setSpeakerMessage(speakerMessageText(m_text->text().toUtf8()).value_or(QString()));
}

void MessageWindow::storePresets()
{
    QStringList presets;
    for (int i = 0; i < m_presets->count(); ++i)
        presets << m_presets->item(i)->text();
    const QString problem = m_view.setPresets(presets);
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
}

void MessageWindow::showEvent(QShowEvent *event)
{
    platform::placeOnScreen(*this);
    QWidget::showEvent(event);
}

void MessageWindow::refresh()
{
    const QString message = m_view.speakerMessage();
    m_shown->setText(message.isEmpty() ? tr("No message is shown.") : tr("Shown now: %1").arg(message));
}

} // namespace remote
