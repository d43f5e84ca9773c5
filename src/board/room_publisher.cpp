#include "board/room_publisher.h"

#include "board/broker_address.h"
#include "remote/remote_view.h"

#include <QDateTime>
#include <QJsonDocument>

namespace board {

namespace {

// A little under a second: each counted second goes out at once even when
// the clock correction makes it shorter, and a change between two counted
// seconds waits for the next.
constexpr int SpacingMs = 900;

const QByteArray Online = QByteArrayLiteral("true");
const QByteArray Offline = QByteArrayLiteral("false");

// The state as compared with the last one sent: without the chair's clock.
QJsonObject withoutClock(QJsonObject state)
{
    QJsonObject session = state.value(QLatin1String("session")).toObject();
    if (session.isEmpty())
        return state;
    session.remove(QLatin1String("clock"));
    state.insert(QLatin1String("session"), session);
    return state;
}

} // namespace

RoomPublisher::RoomPublisher(remote::RemoteView &view, QObject *parent) : QObject(parent), m_view(view)
{
    m_words = tr("off");
    m_spacing.setSingleShot(true);
    m_spacing.setInterval(SpacingMs);
    m_spacing.setTimerType(Qt::PreciseTimer);
    connect(&m_spacing, &QTimer::timeout, this, [this] {
        if (m_due)
            publishState();
    });
    connect(&m_view, &remote::RemoteView::talkStateChanged, this, &RoomPublisher::talkStateChanged);
    connect(&m_client, &MqttClient::stateChanged, this, &RoomPublisher::setWords);
    connect(&m_client, &MqttClient::connected, this, [this] {
        // The broker may have restarted and lost everything it kept.
        m_client.publish(m_onlineTopic, Online);
        m_sent = {};
        publishState();
    });
}

QString RoomPublisher::restore()
{
    m_current = m_view.boardSettings();
    return m_current.on ? start(m_current) : QString();
}

QString RoomPublisher::publishOnce(const QString &broker, const QString &room)
{
    remote::BoardSettings settings = m_view.boardSettings();
    settings.on = true;
    settings.broker = broker;
    if (!room.isEmpty())
        settings.room = room;
    return start(settings);
}

QString RoomPublisher::apply(const remote::BoardSettings &settings)
{
    const QString fileProblem = m_view.setBoardSettings(settings);
    m_current = settings;
    const QString problem = settings.on ? start(settings) : QString();
    if (!settings.on)
        stop(tr("off"));
    return problem.isEmpty() ? fileProblem : problem;
}

QString RoomPublisher::start(const remote::BoardSettings &settings)
{
    m_current = settings;
    const auto parsed = parseBrokerAddress(settings.broker);
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        stop(*problem);
        return *problem;
    }
    if (settings.room.trimmed().isEmpty()) {
        const QString problem = tr("The room needs a name for the conference board.");
        stop(problem);
        return problem;
    }
    MqttSettings mqtt;
    mqtt.address = std::get<BrokerAddress>(parsed);
    if (mqtt.address.user.isEmpty())
        mqtt.address.user = settings.user;
    const QString fromEnvironment = qEnvironmentVariable(PasswordVariable);
    mqtt.password = fromEnvironment.isEmpty() ? settings.password : fromEnvironment;
    mqtt.caFile = settings.caFile;
    m_room = settings.room;
    const QString topic = mqtt.address.prefix + QLatin1Char('/') + roomTopicLevel(m_room) + QLatin1Char('/');
    m_stateTopic = topic + QLatin1String("state");
    m_onlineTopic = topic + QLatin1String("online");
    mqtt.will = MqttMessage{m_onlineTopic, Offline};
    const QString problem = m_client.start(mqtt);
    m_on = problem.isEmpty();
    if (!m_on) {
        setWords(problem);
        return problem;
    }
    // Waits for the connection; only the latest state is kept meanwhile.
    m_sent = {};
    publishState();
    return {};
}

void RoomPublisher::stop(const QString &words)
{
    m_on = false;
    m_client.stop();
    m_spacing.stop();
    m_due = false;
    setWords(words);
}

void RoomPublisher::talkStateChanged()
{
    if (!m_on)
        return;
    if (m_spacing.isActive())
        m_due = true;
    else
        publishState();
}

void RoomPublisher::publishState()
{
    m_due = false;
    QJsonObject state = m_view.chairState();
    QJsonObject compared = withoutClock(state);
    if (compared == m_sent)
        return;
    m_sent = std::move(compared);
    state.insert(QLatin1String("room"), m_room);
    // The laptop's own time with its offset from UTC, as the board may be
    // in another time zone, or show how stale a room's state is.
    const QDateTime now = QDateTime::currentDateTime();
    state.insert(QLatin1String("sent"), now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs));
    m_client.publish(m_stateTopic, QJsonDocument(state).toJson(QJsonDocument::Compact));
    m_spacing.start();
}

void RoomPublisher::setWords(const QString &words)
{
    if (words == m_words)
        return;
    m_words = words;
    emit changed();
}

} // namespace board
