#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace remote {

// The secret part of a link: 192 random bits from the system's generator,
// written in the 64 URL-safe characters, so a link cannot be guessed and
// needs no escaping in an address.
QByteArray newLinkToken();

// Whether a stored token has the form newLinkToken() gives.
bool wellFormedToken(QByteArrayView token);

// Compares a token from a request with a known one. The time taken depends
// only on the known token's length, never on how many leading characters
// match, so an attacker cannot find the token a character at a time.
bool sameToken(QByteArrayView candidate, QByteArrayView known);

} // namespace remote
