#include "programme/csv_records.h"

#include "settings/cp932.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace programme {

std::optional<QString> decodeTextByLine(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype broken = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(line);
        if (utf8.hasError()) {
            const std::optional<QString> cp932 = decodeCp932(line);
            broken += cp932 ? 0 : 1;
            text = cp932.value_or(text);
        }
        lines << text;
    }
    const auto filled = std::count_if(lines.cbegin(), lines.cend(), [](const QString &l) { return !l.trimmed().isEmpty(); });
    if (2 * broken >= std::max<qsizetype>(filled, 1))
        return std::nullopt;
    return lines.join(QLatin1Char('\n'));
}

QString csvField(const QString &text)
{
    static const QRegularExpression special(QStringLiteral("[\",\r\n]"));
    if (!text.contains(special))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

namespace {

// What a spreadsheet would take for the start of a formula, behind any
// apostrophes: a title "'=x" gets its own apostrophe so that it reads back.
bool opensFormula(const QString &text)
{
    const auto first = std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c != QLatin1Char('\''); });
    return first != text.cend() && QStringView(u"=+-@\t\r").contains(*first);
}

} // namespace

QString csvTextField(const QString &text)
{
    if (!opensFormula(text))
        return csvField(text);
    // The apostrophe inside the quotes, as spreadsheets honour it.
    return QStringLiteral("\"'") + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString fieldText(const QString &field)
{
    return field.startsWith(QLatin1Char('\'')) && opensFormula(field.mid(1)) ? field.mid(1) : field;
}

} // namespace programme
