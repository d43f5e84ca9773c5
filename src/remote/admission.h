#pragma once

#include <QHostAddress>
#include <QObject>

#include <vector>

class QTcpSocket;

namespace remote {

// Who may hold the web server's connections, and for how long. On a shared
// conference network anyone can open connections, and anyone who reads the
// view link off the projector can open pages; neither may shut out the
// timekeeper's control page or the chair's page:
// - at most `connections` in all, of which `reserved` only connections that
//   named the control or chair link may take;
// - a connection that has not yet sent its head is "tokenless": at most
//   `tokenless` of them in all and `tokenlessPerAddress` from one address,
//   each with `headMs` to send its head; a new connection that finds no
//   room closes the oldest tokenless one (of its own address first), which
//   has had the longest to send its head;
// - at most `perAddress` view-link connections from one address, and as
//   many control or chair connections, counted apart, so a chair whose
//   phone shares a NAT with the hall's viewers still gets in;
// - the whole request within `requestMs`; then the answer, of any size,
//   as long as the client takes some of it every `sendStallMs`.
// Connections stay counted until they are destroyed, whoever owns them by
// then (an open page's WebSocket owns its connection).
class Admission : public QObject
{
    Q_OBJECT
public:
    struct Limits {
        int connections = 64;
        int reserved = 16;
        int perAddress = 16;
        int tokenless = 16;
        int tokenlessPerAddress = 8;
        int headMs = 5000;
        int requestMs = 10000;
        int sendStallMs = 30000;
    };
    // What a connection has shown: nothing yet, a link anyone in the hall
    // may read, or the control or chair link.
    enum class Standing { Tokenless, Guest, Reserved };

    explicit Admission(QObject *parent = nullptr);
    ~Admission() override;

    Limits &limits() { return m_limits; }

    // Counts a new connection and starts its deadlines, closing the oldest
    // tokenless connection to make room; false, with the new one closed,
    // when there is no room.
    bool admit(QTcpSocket &socket);
    // The head named a link of that standing; false when the link has no
    // place left for this connection, which is then to be refused.
    bool settle(QTcpSocket &socket, Standing standing);
    // The request has been read whole: its deadline is over.
    void requestRead(QTcpSocket &socket);
    // The answer is being written: a client that takes none of it for
    // sendStallMs is dropped.
    void sending(QTcpSocket &socket);

    int count() const { return int(m_places.size()); }

private:
    class Place;
    friend class Place;

    int countOf(Standing standing, const QHostAddress *address = nullptr) const;
    Place *oldestTokenless(const QHostAddress *address) const;
    Place *placeOf(const QTcpSocket &socket) const;

    Limits m_limits;
    std::vector<Place *> m_places; // in the order they came
    quint64 m_arrivals = 0;
};

} // namespace remote
