#include "import/text_encoding.h"

#include "import/entry_checks.h"

#include <QStringDecoder>

namespace schedule_import {

bool isUtf16(const QByteArray &bytes) { return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"); }

QByteArray asUtf8(const QByteArray &bytes)
{
    if (isUtf16(bytes)) {
        QStringDecoder decode(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return QString(decode(bytes.mid(2))).toUtf8();
    }
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

QString placeAt(const QByteArray &bytes, qsizetype offset)
{
    const QByteArray before = bytes.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return ScheduleImport::tr("line %1, column %2")
        .arg(before.count('\n') + 1)
        .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1);
}

std::optional<QString> notUtf8At(const QByteArray &bytes)
{
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString whole = strict(bytes);
    if (!strict.hasError())
        return std::nullopt;
    // The decoder marks each bad byte with a replacement character; one that
    // the file writes itself is UTF-8 and passed over.
    constexpr char16_t Replacement = 0xFFFD;
    const QByteArray written = QString(Replacement).toUtf8();
    // The byte offset is counted on from one to the next, so that a file
    // full of them still takes one pass.
    qsizetype offset = 0;
    qsizetype counted = 0;
    for (qsizetype at = whole.indexOf(Replacement); at >= 0; at = whole.indexOf(Replacement, at + 1)) {
        offset += QStringView(whole).mid(counted, at - counted).toUtf8().size();
        if (bytes.mid(offset, written.size()) != written)
            return placeAt(bytes, offset);
        offset += written.size();
        counted = at + 1;
    }
    return placeAt(bytes, bytes.size()); // cut short in its last character
}

} // namespace schedule_import
