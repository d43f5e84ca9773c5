#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace board {

class RoomPublisher;

// The remote view window's "conference board" part: the broker, the room's
// name, the login, on and off, and the connection's state in words.
class BoardPart : public QGroupBox
{
    Q_OBJECT
public:
    BoardPart(RoomPublisher &publisher, QWidget *parent);

private:
    void apply();
    void refresh();

    RoomPublisher &m_publisher;
    QCheckBox *m_on = nullptr;
    QLineEdit *m_broker = nullptr;
    QLineEdit *m_room = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_caFile = nullptr;
    QLabel *m_state = nullptr;
};

} // namespace board
