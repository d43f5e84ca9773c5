#include "remote/speaker_messages.h"

#include "settings/settings_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

namespace remote {

namespace {

// Line breaks and other control characters would break the band's one line.
QString oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return line.trimmed();
}

QString cut(const QString &text)
{
    const QList<uint> characters = text.toUcs4();
    if (characters.size() <= MaxMessageLength)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()), MaxMessageLength).trimmed();
}

} // namespace

std::optional<QString> speakerMessageText(const QByteArray &utf8)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder(utf8);
    if (decoder.hasError())
        return std::nullopt;
    const QString line = oneLine(text);
    if (line.toUcs4().size() > MaxMessageLength)
        return std::nullopt;
    return line;
}

QStringList defaultMessagePresets()
{
    return {
        QCoreApplication::translate("SpeakerMessages", "1 minute left"),
        QCoreApplication::translate("SpeakerMessages", "Please wrap up"),
        QCoreApplication::translate("SpeakerMessages", "Time for questions"),
        QCoreApplication::translate("SpeakerMessages", "Please use the microphone"),
        QCoreApplication::translate("SpeakerMessages", "Please speak louder"),
    };
}

QStringList parseMessagePresets(const QByteArray &content)
{
    QStringList presets;
    const QStringList lines = QString::fromUtf8(content).remove(QChar(0xFEFF)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString preset = cut(oneLine(line));
        if (!preset.isEmpty())
            presets << preset;
    }
    return presets;
}

QByteArray serializeMessagePresets(const QStringList &presets)
{
    QByteArray out;
    for (const QString &preset : presets) {
        const QString line = cut(oneLine(preset));
        if (!line.isEmpty())
            out += line.toUtf8() + "\r\n";
    }
    return out;
}

QStringList loadMessagePresets()
{
    QFile file(MessagesFileName);
    if (!file.open(QIODevice::ReadOnly))
        return defaultMessagePresets();
    // A list for a person to pick from; anything much longer is not ours.
    return parseMessagePresets(file.read(64 * 1024));
}

QString saveMessagePresets(const QStringList &presets)
{
    return writeWhole(MessagesFileName, serializeMessagePresets(presets));
}

} // namespace remote
