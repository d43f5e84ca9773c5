#include "board/board_part.h"

#include "board/room_publisher.h"
#include "remote/remote_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace board {

namespace {

QLineEdit *field(QWidget *parent, const QString &placeholder)
{
    auto *edit = new QLineEdit(parent);
    edit->setPlaceholderText(placeholder);
    return edit;
}

} // namespace

BoardPart::BoardPart(RoomPublisher &publisher, QWidget *parent)
    : QGroupBox(tr("conference board"), parent), m_publisher(publisher)
{
    m_on = new QCheckBox(tr("publish this room's talk"), this);
    m_broker = field(this, QStringLiteral("mqtt://broker.lan/conference"));
    m_broker->setToolTip(tr("The conference's MQTT broker and its topic prefix: mqtt://[user@]host[:port]/prefix, "
                            "or mqtts://… for TLS."));
    m_room = field(this, tr("Room 2"));
    m_user = field(this, QString());
    m_password = field(this, QString());
    m_password->setEchoMode(QLineEdit::Password);
    m_caFile = field(this, tr("the system's"));
    m_caFile->setToolTip(tr("With mqtts://: a file of the certificate authorities to trust instead of the "
                            "system's."));
    m_state = new QLabel(this);
    m_state->setTextFormat(Qt::PlainText);
    m_state->setWordWrap(true);
    // Three rows, so that the window still opens whole on a laptop's
    // 768-pixel screen.
    auto *grid = new QGridLayout(this);
    const auto pair = [this, grid](int row, int column, const QString &caption, QWidget *widget) {
        grid->addWidget(new QLabel(caption, this), row, column);
        grid->addWidget(widget, row, column + 1);
    };
    grid->addWidget(m_on, 0, 0, 1, 2);
    grid->addWidget(m_state, 0, 2, 1, 4);
    grid->addWidget(new QLabel(tr("broker"), this), 1, 0);
    grid->addWidget(m_broker, 1, 1, 1, 3);
    pair(1, 4, tr("room"), m_room);
    pair(2, 0, tr("user"), m_user);
    pair(2, 2, tr("password"), m_password);
    pair(2, 4, tr("CA file"), m_caFile);

    const remote::BoardSettings &settings = m_publisher.settings();
    m_on->setChecked(m_publisher.settings().on);
    m_broker->setText(settings.broker);
    m_room->setText(settings.room);
    m_user->setText(settings.user);
    m_password->setText(settings.password);
    m_caFile->setText(settings.caFile);

    connect(m_on, &QCheckBox::toggled, this, &BoardPart::apply);
    for (QLineEdit *edit : {m_broker, m_room, m_user, m_password, m_caFile})
        connect(edit, &QLineEdit::editingFinished, this, &BoardPart::apply);
    connect(&m_publisher, &RoomPublisher::changed, this, &BoardPart::refresh);
    refresh();
}

void BoardPart::apply()
{
    remote::BoardSettings settings;
    settings.on = m_on->isChecked();
    settings.broker = m_broker->text().trimmed();
    settings.room = m_room->text().trimmed();
    settings.user = m_user->text().trimmed();
    settings.password = m_password->text();
    settings.caFile = m_caFile->text().trimmed();
    // Leaving a field unchanged starts nothing anew.
    if (settings == m_publisher.settings())
        return;
    m_publisher.apply(settings);
}

void BoardPart::refresh()
{
    m_state->setText(m_publisher.stateText());
    m_on->setChecked(m_publisher.settings().on);
}

} // namespace board
