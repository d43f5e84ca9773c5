#include "programme/programme_file.h"

#include "programme/csv_records.h"

#include "settings/cp932.h"
#include "settings/number_text.h"
#include "settings/timer_settings.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <variant>

namespace programme {

namespace {
const QByteArray Utf8Mark("\xEF\xBB\xBF");
} // namespace

// Spreadsheets save in UTF-8 or, on Japanese desktops, code page 932. Code
// page 932 text seldom forms valid UTF-8 by chance (half-width kana before
// a kanji can), under one valid character for two broken bytes even in a
// line of half-width names; so a file whose valid non-ASCII characters are
// more than twice its broken bytes is UTF-8 with a few bad bytes (a line
// pasted from elsewhere), and reads far better as such than as code page 932.
std::optional<SpreadsheetText> decodeSpreadsheetText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return SpreadsheetText{text, false};
    const qsizetype bad = text.count(QChar::ReplacementCharacter) - bytes.count("\xEF\xBF\xBD");
    const qsizetype good = std::count_if(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x80 && c != QChar::ReplacementCharacter;
    });
    if (bytes.startsWith(Utf8Mark) || good > 2 * bad)
        return SpreadsheetText{text, true};
    if (std::optional<QString> cp932 = decodeCp932(bytes))
        return SpreadsheetText{*cp932, false};
    // Not code page 932 either: a file of ASCII names with one byte from
    // another code page (a "ü" in Latin-1) is still UTF-8 with a few bad
    // bytes, while a file broken on most of its lines is not text at all.
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const qsizetype broken = std::count_if(lines.begin(), lines.end(),
                                           [](const QString &line) { return line.contains(QChar::ReplacementCharacter); });
    if (2 * broken < lines.size())
        return SpreadsheetText{text, true};
    return std::nullopt;
}

namespace {
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
} // namespace

// Fields and records as RFC 4180 has them; a quoted field may hold commas
// and line breaks. Lines may end in CR LF, LF or CR. One stray quote would
// take the lines after it into its field, up to the next quote or the end of
// the file; so when a quoted field runs to the end, or its closing quote is
// followed by more than blanks before the comma or the line's end, the line
// it began on is read again with its quotes as plain characters, and the
// lines after it as usual.
QList<Record> splitRecords(const QString &text)
{
    QList<Record> records;
    Record record{1, {}, true};
    QString field;
    bool quoted = false;
    bool misquoted = false;
    qsizetype recordStart = 0; // where the record began, to read it again
    int line = 1;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n || quoted) {
        if (i == n || misquoted) {
            i = recordStart;
            line = record.line;
            record = Record{line, {}, false};
            field.clear();
            quoted = misquoted = false;
        }
        const QChar c = text[i];
        const bool lineBreak = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        if (lineBreak && c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
                qsizetype next = i + 1;
                while (next < n && isBlank(text[next]))
                    ++next;
                misquoted = next < n && text[next] != QLatin1Char(',') && text[next] != QLatin1Char('\n')
                            && text[next] != QLatin1Char('\r');
            } else {
                field += lineBreak ? QChar(QLatin1Char('\n')) : c;
                line += lineBreak ? 1 : 0;
            }
        } else if (c == QLatin1Char('"') && record.paired && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.fields << field;
            field.clear();
        } else if (lineBreak) {
            record.fields << field;
            records << record;
            record = Record{++line, {}, true};
            field.clear();
            recordStart = i + 1;
        } else {
            field += c;
        }
        ++i;
    }
    record.fields << field;
    records << record;
    return records;
}

namespace {

bool blank(const QStringList &fields)
{
    return std::all_of(fields.begin(), fields.end(), [](const QString &f) { return f.trimmed().isEmpty(); });
}

bool startsWithDigit(const QString &field)
{
    const QString text = typedNumberText(field).trimmed();
    return !text.isEmpty() && text[0].isDigit();
}

enum Column { Title, Speaker, Start, Presentation, Discussion, Slot, FirstBell, ColumnCount };

// The field each column is read from, or -1.
using Layout = std::array<int, ColumnCount>;

// A line without a header: title, speaker, presentation, discussion, bell 1.
constexpr Layout Positional{0, 1, -1, 2, 3, -1, 4};

std::optional<Column> columnNamed(const QString &field)
{
    // Compared in lower case, without blanks, full-width letters as ASCII.
    static const QHash<QString, Column> names{
        {QStringLiteral("title"), Title},          {QStringLiteral("演題"), Title},
        {QStringLiteral("演題名"), Title},         {QStringLiteral("タイトル"), Title},
        {QStringLiteral("speaker"), Speaker},      {QStringLiteral("発表者"), Speaker},
        {QStringLiteral("講演者"), Speaker},       {QStringLiteral("演者"), Speaker},
        {QStringLiteral("筆頭演者"), Speaker},     {QStringLiteral("発表者名"), Speaker},
        {QStringLiteral("講演者名"), Speaker},     {QStringLiteral("氏名"), Speaker},
        {QStringLiteral("start"), Start},          {QStringLiteral("開始"), Start},
        {QStringLiteral("開始時刻"), Start},       {QStringLiteral("開始時間"), Start},
        {QStringLiteral("presentation"), Presentation}, {QStringLiteral("発表"), Presentation},
        {QStringLiteral("口演"), Presentation},    {QStringLiteral("発表時間"), Presentation},
        {QStringLiteral("discussion"), Discussion}, {QStringLiteral("討論"), Discussion},
        {QStringLiteral("質疑"), Discussion},      {QStringLiteral("討論時間"), Discussion},
        {QStringLiteral("slot"), Slot},            {QStringLiteral("枠"), Slot},
        {QStringLiteral("持ち時間"), Slot},        {QStringLiteral("bell1"), FirstBell},
        {QStringLiteral("1鈴"), FirstBell},
    };
    QString name = typedNumberText(field).toCaseFolded();
    name.remove(QRegularExpression(QStringLiteral("\\s")));
    const auto found = names.constFind(name);
    return found == names.cend() ? std::nullopt : std::optional<Column>(*found);
}

// The columns a header line names, when it names enough to read talks by.
std::optional<Layout> namedLayout(const QStringList &fields)
{
    Layout layout;
    layout.fill(-1);
    for (int i = 0; i < fields.size(); ++i) {
        const std::optional<Column> column = columnNamed(fields[i]);
        if (column && layout[*column] < 0)
            layout[*column] = i;
    }
    if (layout[Title] < 0 || (layout[Presentation] < 0 && layout[Slot] < 0))
        return std::nullopt;
    return layout;
}

// Reads a time into target; returns why it cannot, or an empty string.
QString readTime(const QString &field, int &target)
{
    if (const auto seconds = readTalkTime(field)) {
        target = *seconds;
        return {};
    }
    return QCoreApplication::translate("Programme", "\"%1\" is not a time in minutes (12, 12.5) or minutes and seconds (12:30)")
        .arg(field.trimmed());
}

struct LineReader {
    Layout layout = Positional;
    bool named = false;
    std::optional<int16_t> slotDiscussion;

    // The talk of a line, or why it cannot be used.
    std::variant<Talk, QString> read(const QStringList &f) const;
};

std::variant<Talk, QString> LineReader::read(const QStringList &f) const
{
    if (!named && f.size() < 4)
        return QCoreApplication::translate("Programme", "title, speaker, presentation and discussion are needed");
    const auto cell = [&](Column column) {
        const int i = layout[column];
        return i >= 0 && i < f.size() ? f[i] : QString();
    };
    const auto given = [&](Column column) {
        return layout[column] >= 0 && (!named || !cell(column).trimmed().isEmpty());
    };
    Talk talk{fieldText(cell(Title)).simplified(), fieldText(cell(Speaker)).simplified(), 0, 0, std::nullopt,
              std::nullopt};
    int presentation = 0;
    int discussion = 0;
    int slot = 0;
    QString why;
    if (given(Presentation)) {
        why = readTime(cell(Presentation), presentation);
        if (why.isEmpty() && given(Discussion)) {
            why = readTime(cell(Discussion), discussion);
        } else if (why.isEmpty() && given(Slot)) {
            why = readTime(cell(Slot), slot);
            discussion = slot - presentation;
        }
    } else if (given(Slot)) {
        why = readTime(cell(Slot), slot);
        if (why.isEmpty() && given(Discussion))
            why = readTime(cell(Discussion), discussion);
        else
            discussion = slotDiscussion ? *slotDiscussion : fifthOfSlot(slot);
        presentation = slot - discussion;
    } else {
        why = QCoreApplication::translate("Programme", "neither a presentation time nor a slot is given");
    }
    if (!why.isEmpty())
        return why;
    if (given(FirstBell) && !cell(FirstBell).trimmed().isEmpty()) {
        int bell = 0;
        why = readTime(cell(FirstBell), bell);
        if (!why.isEmpty())
            return why;
        talk.firstBell = int16_t(bell);
    }
    if (!cell(Start).trimmed().isEmpty()) {
        talk.start = readStartTime(cell(Start));
        if (!talk.start)
            return QCoreApplication::translate("Programme", "\"%1\" is not a time of day (9:30 or 9:30:00)")
                .arg(cell(Start).trimmed());
    }
    if (discussion < 0)
        return QCoreApplication::translate("Programme", "the slot is shorter than the presentation");
    if (presentation <= 0 && given(Presentation))
        return QCoreApplication::translate("Programme", "the presentation time is 0");
    if (presentation <= 0)
        return QCoreApplication::translate("Programme",
                                           "the discussion leaves no time of the slot for the presentation");
    if (presentation + discussion >= TotalTimeLimit)
        return QCoreApplication::translate("Programme", "presentation and discussion come to 546 minutes or more, longer than the clock can time");
    talk.presentation = int16_t(presentation);
    talk.discussion = int16_t(discussion);
    return talk;
}

} // namespace

std::optional<int16_t> readTalkTime(const QString &field)
{
    const QString text = typedNumberText(field).trimmed();
    long seconds = 0;
    static const QRegularExpression minutesSeconds(QStringLiteral("^([0-9]+):([0-5][0-9])$"));
    if (const QRegularExpressionMatch m = minutesSeconds.match(text); m.hasMatch()) {
        bool ok = false;
        const long minutes = m.captured(1).toLong(&ok);
        if (!ok || minutes > std::numeric_limits<int16_t>::max() / 60)
            return std::nullopt;
        seconds = minutes * 60 + m.captured(2).toLong();
    } else {
        const std::optional<double> minutes = readDecimalField(text);
        if (!minutes || *minutes < 0)
            return std::nullopt;
        seconds = roundHalfEven(*minutes * 60);
    }
    if (seconds > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return int16_t(seconds);
}

QString talkTimeText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString talkMinutesText(int seconds)
{
    return seconds % 60 ? talkTimeText(seconds) : QString::number(seconds / 60);
}

ProgrammeRead readProgramme(const QByteArray &bytes, std::optional<int16_t> slotDiscussion)
{
    ProgrammeRead read;
    const std::optional<SpreadsheetText> text = decodeSpreadsheetText(bytes);
    if (!text) {
        read.problems << QCoreApplication::translate("Programme", "the file is neither UTF-8 nor Shift_JIS (code page 932) text");
        return read;
    }
    LineReader reader;
    reader.slotDiscussion = slotDiscussion;
    bool first = true;
    for (const Record &record : splitRecords(text->text)) {
        if (blank(record.fields) && record.paired)
            continue;
        if (std::exchange(first, false) && record.paired) {
            if (const std::optional<Layout> named = namedLayout(record.fields)) {
                reader.layout = *named;
                reader.named = true;
                continue;
            }
            if (record.fields.size() >= 4 && !startsWithDigit(record.fields[2]) && !startsWithDigit(record.fields[3]))
                continue;
        }
        std::variant<Talk, QString> talk = QCoreApplication::translate(
            "Programme", "its quotes do not pair up: a quoted field ends with a quote before the comma, "
                         "and a quote inside it is written twice (\"\")");
        if (text->badBytes && record.fields.join(QString()).contains(QChar::ReplacementCharacter))
            talk = QCoreApplication::translate("Programme", "the line holds bytes that are not UTF-8 text");
        else if (record.paired)
            talk = reader.read(record.fields);
        if (const QString *why = std::get_if<QString>(&talk))
            read.problems << QCoreApplication::translate("Programme", "line %1: %2").arg(record.line).arg(*why);
        else
            read.talks << std::get<Talk>(talk);
    }
    return read;
}

int16_t fifthOfSlot(int slotSeconds)
{
    // A fifth in minutes is slotSeconds / 300, here rounded half up.
    return int16_t((slotSeconds + 150) / 300 * 60);
}

std::optional<QTime> readStartTime(const QString &field)
{
    const QString text = typedNumberText(field).trimmed();
    for (const QString &format : {QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")}) {
        const QTime time = QTime::fromString(text, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

QByteArray programmeFileBytes(const QList<Talk> &talks)
{
    const bool bells = std::any_of(talks.begin(), talks.end(), [](const Talk &t) { return t.firstBell.has_value(); });
    QStringList lines{QStringLiteral("title,speaker,presentation,discussion,start")
                      + (bells ? QStringLiteral(",bell 1") : QString())};
    for (const Talk &t : talks) {
        const QString start = t.start ? t.start->toString(t.start->second() ? QStringLiteral("HH:mm:ss")
                                                                            : QStringLiteral("HH:mm"))
                                      : QString();
        QStringList fields{csvTextField(t.title), csvTextField(t.speaker), talkMinutesText(t.presentation),
                           talkMinutesText(t.discussion), start};
        if (bells)
            fields << (t.firstBell ? talkMinutesText(*t.firstBell) : QString());
        lines << fields.join(QLatin1Char(','));
    }
    return Utf8Mark + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace programme
