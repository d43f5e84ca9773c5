#include "remote/admission.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace remote {

// A connection's place, a child of the connection so that it is given back
// however and whenever the connection ends.
class Admission::Place : public QObject
{
public:
    Place(Admission &admission, QTcpSocket &connection)
        : QObject(&connection), address(connection.peerAddress()), m_admission(&admission)
    {
        m_admission->m_places.push_back(this);
        age.start();
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, &connection, &QTcpSocket::abort);
    }
    ~Place() override
    {
        if (m_admission)
            m_admission->m_places.erase(
                std::find(m_admission->m_places.begin(), m_admission->m_places.end(), this));
    }
    QTcpSocket &connection() const { return *static_cast<QTcpSocket *>(parent()); }

    const QHostAddress address;
    Standing standing = Standing::Tokenless;
    QTimer deadline;
    QElapsedTimer age;

private:
    QPointer<Admission> m_admission;
};

Admission::Admission(QObject *parent) : QObject(parent) {}

Admission::~Admission()
{
    for (Place *place : m_places)
        place->deadline.stop();
}

int Admission::countOf(Standing standing, const QHostAddress *address) const
{
    return int(std::count_if(m_places.begin(), m_places.end(), [&](const Place *p) {
        return p->standing == standing && (!address || p->address == *address);
    }));
}

Admission::Place *Admission::oldestTokenless(const QHostAddress *address) const
{
    const auto it = std::find_if(m_places.begin(), m_places.end(), [&](const Place *p) {
        return p->standing == Standing::Tokenless && (!address || p->address == *address);
    });
    return it == m_places.end() ? nullptr : *it;
}

Admission::Place *Admission::placeOf(const QTcpSocket &socket) const
{
    const auto it = std::find_if(m_places.begin(), m_places.end(),
                                 [&socket](const Place *p) { return p->parent() == &socket; });
    return it == m_places.end() ? nullptr : *it;
}

bool Admission::admit(QTcpSocket &socket)
{
    const QHostAddress address = socket.peerAddress();
    // Room is made among the connections that have not shown a link yet,
    // from the new one's own address first: it only competes with itself.
    Place *evicted = nullptr;
    if (countOf(Standing::Tokenless, &address) >= m_limits.tokenlessPerAddress)
        evicted = oldestTokenless(&address);
    else if (countOf(Standing::Tokenless) >= m_limits.tokenless || count() >= m_limits.connections)
        evicted = oldestTokenless(nullptr);
    if (evicted) {
        QTcpSocket &old = evicted->connection();
        delete evicted;
        old.abort();
    }
    if (count() >= m_limits.connections) {
        socket.abort();
        return false;
    }
    auto *place = new Place(*this, socket);
    place->deadline.start(std::min(m_limits.headMs, m_limits.requestMs));
    return true;
}

bool Admission::settle(QTcpSocket &socket, Standing standing)
{
    Place *place = placeOf(socket);
    if (!place || standing == Standing::Tokenless)
        return place != nullptr;
    const int guests = countOf(Standing::Guest);
    const bool room = countOf(standing, &place->address) < m_limits.perAddress &&
                      (standing == Standing::Reserved || guests < m_limits.connections - m_limits.reserved);
    if (!room)
        return false;
    place->standing = standing;
    // The rest of the request, a command's body, comes within the time
    // the whole request has.
    place->deadline.start(int(std::max<qint64>(0, m_limits.requestMs - place->age.elapsed())));
    return true;
}

void Admission::requestRead(QTcpSocket &socket)
{
    if (Place *place = placeOf(socket))
        place->deadline.stop();
}

void Admission::sending(QTcpSocket &socket)
{
    Place *place = placeOf(socket);
    if (!place)
        return;
    place->deadline.start(m_limits.sendStallMs);
    connect(&socket, &QTcpSocket::bytesWritten, &place->deadline, qOverload<>(&QTimer::start),
            Qt::UniqueConnection);
}

} // namespace remote
