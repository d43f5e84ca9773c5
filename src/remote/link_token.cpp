#include "remote/link_token.h"

#include <QRandomGenerator>

#include <array>

namespace remote {

namespace {
constexpr int TokenWords = 6; // 6 × 32 bits
constexpr qsizetype TokenLength = 32;
} // namespace

QByteArray newLinkToken()
{
    std::array<quint32, TokenWords> words{};
    QRandomGenerator::system()->fillRange(words.data(), qsizetype(words.size()));
    const QByteArray bytes(reinterpret_cast<const char *>(words.data()), qsizetype(sizeof(words)));
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

bool wellFormedToken(QByteArrayView token)
{
    if (token.size() != TokenLength)
        return false;
    for (const char c : token) {
        const bool urlSafe = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                             c == '-' || c == '_';
        if (!urlSafe)
            return false;
    }
    return true;
}

bool sameToken(QByteArrayView candidate, QByteArrayView known)
{
    // Every byte of the known token is looked at, whatever the candidate.
    unsigned difference = candidate.size() == known.size() ? 0U : 1U;
    for (qsizetype i = 0; i < known.size(); ++i) {
        const unsigned char theirs = i < candidate.size() ? static_cast<unsigned char>(candidate[i]) : 0U;
        difference |= theirs ^ static_cast<unsigned char>(known[i]);
    }
    return !known.isEmpty() && difference == 0;
}

} // namespace remote
