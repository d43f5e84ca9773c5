#include "import/json_at.h"

#include "import/entry_checks.h"
#include "import/text_encoding.h"

#include <QJsonDocument>

namespace schedule_import {

JsonAt JsonAt::parse(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw ReadFailure{placeAt(bytes, error.offset), error.errorString()};
    if (!document.isObject())
        throw ReadFailure{QString(), ScheduleImport::tr("the JSON file does not hold an object at its top")};
    return JsonAt(document.object(), QString());
}

JsonAt JsonAt::field(const QString &name) const
{
    return JsonAt(m_value.toObject().value(name), m_path.isEmpty() ? name : m_path + QLatin1Char('.') + name);
}

JsonAt JsonAt::keyed(const QString &key) const
{
    const QString quoted = QString(key).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return JsonAt(m_value.toObject().value(key), m_path + QStringLiteral("[\"") + quoted + QStringLiteral("\"]"));
}

JsonAt JsonAt::at(qsizetype index) const
{
    return JsonAt(m_value.toArray().at(index), m_path + QLatin1Char('[') + QString::number(index) + QLatin1Char(']'));
}

void JsonAt::fail(const QString &what) const
{
    throw ReadFailure{m_path, what};
}

void JsonAt::require(bool ofTheKind, const QString &kindExpected) const
{
    if (isAbsent())
        fail(ScheduleImport::tr("this field is missing"));
    if (!ofTheKind)
        fail(kindExpected);
}

QJsonObject JsonAt::object() const
{
    require(m_value.isObject(), ScheduleImport::tr("an object ({…}) is expected here"));
    return m_value.toObject();
}

QJsonArray JsonAt::array() const
{
    require(m_value.isArray(), ScheduleImport::tr("a list ([…]) is expected here"));
    return m_value.toArray();
}

QString JsonAt::text() const
{
    require(m_value.isString() && !m_value.toString().trimmed().isEmpty(),
            ScheduleImport::tr("a text is expected here"));
    return m_value.toString().trimmed();
}

double JsonAt::number() const
{
    require(m_value.isDouble(), ScheduleImport::tr("a number is expected here"));
    return m_value.toDouble();
}

QString JsonAt::optionalText() const
{
    if (m_value.isDouble())
        return QString::number(m_value.toDouble(), 'g', 17);
    return m_value.toString().trimmed();
}

} // namespace schedule_import
