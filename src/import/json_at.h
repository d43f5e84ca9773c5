#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

namespace schedule_import {

// A JSON value with its path from the top (days[1].rooms["Hall A"][3]), so
// that a reader names the place of whatever it finds wrong. The accessors
// throw a ReadFailure at that path when the value is missing or of another
// kind.
class JsonAt
{
public:
    JsonAt(QJsonValue value, QString path) : m_value(std::move(value)), m_path(std::move(path)) {}

    // The whole file, or the place where it stops being JSON.
    static JsonAt parse(const QByteArray &bytes);

    JsonAt field(const QString &name) const;     // .name
    JsonAt keyed(const QString &key) const;      // ["key"], for keys that are data
    JsonAt at(qsizetype index) const;            // [index]

    bool isAbsent() const { return m_value.isUndefined() || m_value.isNull(); }
    const QJsonValue &value() const { return m_value; }
    const QString &path() const { return m_path; }

    QJsonObject object() const;
    QJsonArray array() const;
    QString text() const;   // a non-empty string
    double number() const;
    // A string, a number as written, or empty when absent.
    QString optionalText() const;

    [[noreturn]] void fail(const QString &what) const;

private:
    void require(bool ofTheKind, const QString &kindExpected) const;

    QJsonValue m_value;
    QString m_path;
};

} // namespace schedule_import
