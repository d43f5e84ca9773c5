#include "import/spreadsheet_header.h"

#include "programme/csv_records.h"

#include <QHash>
#include <QRegularExpression>

namespace schedule_import {

QByteArray withProgrammeHeader(const QByteArray &bytes)
{
    static const QHash<QString, QString> programmeWords{
        {QStringLiteral("演者"), QStringLiteral("speaker")},     {QStringLiteral("筆頭演者"), QStringLiteral("speaker")},
        {QStringLiteral("発表者名"), QStringLiteral("speaker")}, {QStringLiteral("講演者名"), QStringLiteral("speaker")},
        {QStringLiteral("演題名"), QStringLiteral("title")},     {QStringLiteral("開始時間"), QStringLiteral("start")},
    };
    const std::optional<programme::SpreadsheetText> decoded = programme::decodeSpreadsheetText(bytes);
    if (!decoded || decoded->badBytes)
        return bytes; // the reader says what is wrong with it
    // The header is the first line; one with a line break inside a field is
    // none that needs new words.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    const QRegularExpressionMatch end = lineBreak.match(decoded->text);
    const qsizetype headerEnd = end.hasMatch() ? end.capturedStart() : decoded->text.size();
    const QList<programme::Record> header = programme::splitRecords(decoded->text.left(headerEnd));
    if (header.size() != 1)
        return bytes;
    QStringList fields = header.first().fields;
    bool renamed = false;
    for (QString &field : fields) {
        const auto word = programmeWords.constFind(field.simplified().remove(QLatin1Char(' ')));
        if (word != programmeWords.cend()) {
            field = *word;
            renamed = true;
        }
    }
    if (!renamed)
        return bytes;
    QStringList written;
    for (const QString &field : fields)
        written << programme::csvField(field);
    return "\xEF\xBB\xBF" + (written.join(QLatin1Char(',')) + decoded->text.mid(headerEnd)).toUtf8();
}

} // namespace schedule_import
