#include "board/room_state.h"

#include "board/broker_address.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <algorithm>
#include <functional>

namespace board {

namespace {

using Check = std::function<bool(const QJsonValue &)>;

bool isText(const QJsonValue &v) { return v.isString(); }
bool isTextOrNull(const QJsonValue &v) { return v.isString() || v.isNull() || v.isUndefined(); }
bool isNumberOrNull(const QJsonValue &v) { return v.isDouble() || v.isNull() || v.isUndefined(); }

// Every named field of the object passes its check.
bool fieldsPass(const QJsonObject &object, std::initializer_list<std::pair<const char *, Check>> checks)
{
    for (const auto &[key, check] : checks) {
        if (!check(object.value(QLatin1String(key))))
            return false;
    }
    return true;
}

bool isTalkOrNull(const QJsonValue &v)
{
    if (v.isNull() || v.isUndefined())
        return true;
    return v.isObject() && fieldsPass(v.toObject(), {{"title", isText}, {"speaker", isText}});
}

bool isComingTalk(const QJsonValue &v)
{
    return v.isObject()
           && fieldsPass(v.toObject(), {{"title", isText}, {"speaker", isText}, {"plannedStart", isTextOrNull},
                                        {"expectedStart", isTextOrNull}});
}

bool isSessionOrNull(const QJsonValue &v)
{
    if (v.isNull() || v.isUndefined())
        return true;
    if (!v.isObject())
        return false;
    const QJsonObject session = v.toObject();
    const QJsonValue remaining = session.value(QLatin1String("remaining"));
    if (!remaining.isUndefined() && !remaining.isArray())
        return false;
    const QJsonArray talks = remaining.toArray();
    return std::all_of(talks.begin(), talks.end(), isComingTalk)
           && fieldsPass(session, {{"offset", isNumberOrNull}, {"projectedEnd", isTextOrNull},
                                   {"untilFirst", isNumberOrNull}, {"clock", isTextOrNull}});
}

bool isPhase(const QJsonValue &v)
{
    const QString phase = v.toString();
    return phase == QLatin1String("presentation") || phase == QLatin1String("discussion")
           || phase == QLatin1String("overtime");
}

bool isColour(const QJsonValue &v)
{
    static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    return v.isString() && hex.match(v.toString()).hasMatch();
}

} // namespace

std::variant<RoomState, QString> readRoomState(const QByteArray &payload, const QString &topicLevel)
{
    if (payload.size() > MaxStateBytes)
        return QStringLiteral("larger than %1 bytes").arg(MaxStateBytes);
    const QJsonDocument document = QJsonDocument::fromJson(payload);
    if (!document.isObject())
        return QStringLiteral("not a JSON object");
    RoomState state;
    state.json = document.object();
    state.room = state.json.value(QLatin1String("room")).toString();
    if (state.room.isEmpty() || roomTopicLevel(state.room) != topicLevel)
        return QStringLiteral("its room is not the one of its topic");
    state.sent = QDateTime::fromString(state.json.value(QLatin1String("sent")).toString(), Qt::ISODateWithMs);
    if (!state.sent.isValid())
        return QStringLiteral("no time it was sent");
    const bool shown = fieldsPass(state.json, {{"readout", isText}, {"phase", isPhase}, {"colour", isColour},
                                               {"start", isTextOrNull}, {"talk", isTalkOrNull},
                                               {"next", isTalkOrNull}, {"session", isSessionOrNull}});
    if (!shown)
        return QStringLiteral("a field the board shows is missing or of the wrong kind");
    return state;
}

std::optional<bool> readOnline(const QByteArray &payload)
{
    if (payload == "true")
        return true;
    if (payload == "false")
        return false;
    return std::nullopt;
}

} // namespace board
