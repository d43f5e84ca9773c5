#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// A state as a room's laptop publishes it while a talk runs: the chair
// link's state with the room's name and the time it was sent, five minutes
// late, with one talk to come.
inline QJsonObject roomStateSample(const QString &room, const QDateTime &sent = QDateTime::currentDateTime())
{
    const QJsonObject coming{{QStringLiteral("title"), QStringLiteral("Coastal erosion after winter storms")},
                             {QStringLiteral("speaker"), QStringLiteral("Sato Hanako")},
                             {QStringLiteral("plannedStart"), QStringLiteral("11:00")},
                             {QStringLiteral("expectedStart"), QStringLiteral("11:05")}};
    return QJsonObject{
        {QStringLiteral("room"), room},
        {QStringLiteral("sent"), sent.toString(Qt::ISODateWithMs)},
        {QStringLiteral("readout"), QStringLiteral("12:05")},
        {QStringLiteral("phase"), QStringLiteral("presentation")},
        {QStringLiteral("colour"), QStringLiteral("#00FF00")},
        {QStringLiteral("start"), QStringLiteral("pause")},
        {QStringLiteral("talk"), QJsonObject{{QStringLiteral("title"), QStringLiteral("Tides of the inner bay in winter")},
                                             {QStringLiteral("speaker"), QStringLiteral("Ito Kenji")}}},
        {QStringLiteral("next"), QJsonValue()},
        {QStringLiteral("session"), QJsonObject{{QStringLiteral("hasTimetable"), true},
                                                {QStringLiteral("offset"), 300},
                                                {QStringLiteral("projectedEnd"), QStringLiteral("17:40")},
                                                {QStringLiteral("remaining"), QJsonArray{coming}}}},
    };
}

inline QByteArray compactJson(const QJsonObject &object) { return QJsonDocument(object).toJson(QJsonDocument::Compact); }
