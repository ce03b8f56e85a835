#include "batchcsv.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <array>

namespace {

// What Windows-1252 puts at 0x80..0x9F; the other bytes are Latin-1's.
// The five bytes it leaves undefined read as U+FFFD.
constexpr std::array<char16_t, 32> windows1252High{
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString decode(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = uchar(bytes[i]);
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(windows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// The header line's separator: the one it uses more often outside quotes.
QChar separatorOf(const QString &text)
{
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? u';' : u',';
}

struct Record {
    int line;
    QStringList fields;
};

// Splits the text into records by RFC 4180; *problem names a quote left open.
QList<Record> splitRecords(const QString &text, QChar separator, QString *problem)
{
    QList<Record> records;
    Record record{1, {}};
    QString field;
    int line = 1;
    bool quoted = false;
    bool fieldStarted = false;
    int quoteLine = 0;
    const auto endRecord = [&] {
        record.fields.append(field);
        const bool blank = record.fields.size() == 1 && field.isEmpty() && !fieldStarted;
        if (!blank)
            records.append(record);
        record = {line, {}};
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n')
            ++line;
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = fieldStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            record.fields.append(std::exchange(field, {}));
            fieldStarted = true;
        } else if (c == u'\n') {
            endRecord();
        } else if (c != u'\r') {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        *problem = QStringLiteral("A quoted field that starts on line %1 is never closed.")
                       .arg(quoteLine);
    if (fieldStarted || !field.isEmpty())
        endRecord();
    return records;
}

enum Column { Bank, Payee, Amount, Date, Number, Crossed, ColumnCount };
const std::array<QString, ColumnCount> columnNames{
    QStringLiteral("bank"),   QStringLiteral("payee"),  QStringLiteral("amount"),
    QStringLiteral("date"),   QStringLiteral("number"), QStringLiteral("crossed")};
const int requiredColumns = Number;

// Where each column stands in the header; -1 for one it lacks.
QString findColumns(const QStringList &header, std::array<qsizetype, ColumnCount> *at)
{
    for (int column = 0; column < ColumnCount; ++column) {
        const QString &name = columnNames[column];
        const auto named = [&](const QString &heading) {
            return heading.trimmed().compare(name, Qt::CaseInsensitive) == 0;
        };
        (*at)[column] = std::find_if(header.begin(), header.end(), named) - header.begin();
        if ((*at)[column] == header.size())
            (*at)[column] = -1;
        if (column < requiredColumns && (*at)[column] < 0)
            return QStringLiteral("The file has no column \"%1\". Its first line must name the "
                                  "columns bank, payee, amount and date; number and crossed "
                                  "may be added.")
                .arg(name);
    }
    return {};
}

} // namespace

BatchCsv readBatchCsv(const QByteArray &bytes)
{
    const QString text = decode(bytes);
    BatchCsv batch;
    QList<Record> records = splitRecords(text, separatorOf(text), &batch.problem);
    if (!batch.problem.isEmpty())
        return batch;
    if (records.isEmpty()) {
        batch.problem = QStringLiteral("The file is empty: it has no line naming the columns.");
        return batch;
    }
    std::array<qsizetype, ColumnCount> at{};
    batch.problem = findColumns(records.takeFirst().fields, &at);
    if (!batch.problem.isEmpty())
        return batch;
    for (const Record &record : std::as_const(records)) {
        if (std::all_of(record.fields.begin(), record.fields.end(),
                        [](const QString &field) { return field.trimmed().isEmpty(); }))
            continue;
        const auto value = [&](Column column) {
            return at[column] >= 0 ? record.fields.value(at[column]).trimmed() : QString();
        };
        batch.rows.append({record.line, value(Bank), value(Payee), value(Amount), value(Date),
                           value(Number), value(Crossed)});
    }
    return batch;
}

BatchCsv readBatchCsvFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString())};
    return readBatchCsv(file.readAll());
}

std::optional<QDate> batchDate(const QString &text)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression dayFirst(
        QStringLiteral("^(\\d{1,2})/(\\d{1,2}|[A-Za-z]{3})/(\\d{4})$"));
    static const QStringList months{"jan", "feb", "mar", "apr", "may", "jun",
                                    "jul", "aug", "sep", "oct", "nov", "dec"};
    QDate date;
    if (const QRegularExpressionMatch m = iso.match(text.trimmed()); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (const QRegularExpressionMatch m = dayFirst.match(text.trimmed()); m.hasMatch()) {
        const QString month = m.captured(2);
        const int number = month[0].isDigit() ? month.toInt() : months.indexOf(month.toLower()) + 1;
        date = QDate(m.captured(3).toInt(), number, m.captured(1).toInt());
    }
    // The print window's date picker's range.
    if (!date.isValid() || date < QDate(1601, 1, 1))
        return std::nullopt;
    return date;
}

std::optional<bool> batchCrossed(const QString &text)
{
    static const QStringList yes{"", "yes", "y", "true", "1"};
    static const QStringList no{"no", "n", "false", "0"};
    const QString word = text.trimmed().toLower();
    if (yes.contains(word))
        return true;
    if (no.contains(word))
        return false;
    return std::nullopt;
}
