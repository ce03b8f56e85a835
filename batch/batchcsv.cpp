#include "batchcsv.h"

#include "database.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
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

const QChar replacement(0xFFFD);

// Whether the bytes are meant as UTF-8: a stray byte among many UTF-8
// characters is a fault of its line, not a sign of another encoding.
bool meantAsUtf8(QByteArrayView bytes)
{
    qsizetype characters = 0;
    qsizetype strays = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = uchar(bytes[i]);
        if (lead < 0x80)
            continue;
        const int length = lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        int continuing = 1;
        while (length && continuing < length && i + continuing < bytes.size()
               && (uchar(bytes[i + continuing]) & 0xC0) == 0x80)
            ++continuing;
        if (length && continuing == length) {
            ++characters;
            i += length - 1;
        } else {
            ++strays;
        }
    }
    return strays == 0 || characters > strays;
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = uchar(bytes[i]);
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(windows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// The text, decoded from the bytes as a whole; they are let go at once.
// Bytes the encoding has no character for read as U+FFFD.
QString decode(QByteArray &&bytes, QString *encoding)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QString text;
    if (meantAsUtf8(view)) {
        *encoding = QStringLiteral("UTF-8");
        text = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless)(view);
    } else {
        *encoding = QStringLiteral("Windows-1252");
        text = decodeWindows1252(view);
    }
    bytes = {};
    return text;
}

// Excel's "sep=;" first line names the separator; it is no header.
std::optional<QChar> namedSeparator(const QString &text, qsizetype *headerStart)
{
    static const QRegularExpression sep(QStringLiteral("^sep=(.)(\\r\\n|\\r|\\n)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = sep.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    *headerStart = m.capturedEnd();
    return m.captured(1)[0];
}

// The header line's separator: the one it uses more often outside quotes.
QChar separatorOf(QStringView text)
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

// Splits the text into records by RFC 4180, a lone CR ending a line as LF
// does; *problem names a quote left open or a file of too many rows.
QList<Record> splitRecords(QStringView text, int firstLine, QChar separator, QString *problem)
{
    QList<Record> records;
    Record record{firstLine, {}};
    QString field;
    int line = firstLine;
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
        const bool lineEnd = c == u'\n' || (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'));
        if (lineEnd)
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
        } else if (lineEnd) {
            endRecord();
            if (records.size() > maxBatchRows + 1) {  // the header is no row
                *problem = QStringLiteral("The file has more than %1 rows; a batch may have at "
                                          "most %1. Split it into smaller files.")
                               .arg(QLocale(QLocale::English).toString(maxBatchRows));
                return {};
            }
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
// Each column's usual names, written as header() leaves them; the first is
// the one messages use.
const std::array<QStringList, ColumnCount> columnNames{
    QStringList{"bank", "bank name"},
    QStringList{"payee", "payee name"},
    QStringList{"amount"},
    QStringList{"date", "cheque date"},
    QStringList{"number", "cheque no", "cheque number", "chq no", "chq number"},
    QStringList{"crossed"}};
const int requiredColumns = Number;

// A heading as names compare: in lower case, without dots, with blanks,
// underscores and hyphens made one blank ("Chq. No" is "chq no").
QString header(const QString &heading)
{
    QString name = heading.toLower();
    name.remove(u'.');
    name.replace(u'_', u' ').replace(u'-', u' ');
    return name.simplified();
}

// Where each column stands in the header (-1 for one it lacks), and the
// headings of the columns not used.
QString findColumns(const QStringList &headings, std::array<qsizetype, ColumnCount> *at,
                    QStringList *unused)
{
    QList<bool> used(headings.size(), false);
    for (int column = 0; column < ColumnCount; ++column) {
        (*at)[column] = -1;
        for (qsizetype i = 0; i < headings.size() && (*at)[column] < 0; ++i)
            if (!used[i] && columnNames[column].contains(header(headings[i])))
                (*at)[column] = i;
        if ((*at)[column] >= 0)
            used[(*at)[column]] = true;
        else if (column < requiredColumns)
            return QStringLiteral("The file has no column \"%1\". Its first line must name the "
                                  "columns bank, payee, amount and date; number and crossed "
                                  "may be added.")
                .arg(columnNames[column].first());
    }
    for (qsizetype i = 0; i < headings.size(); ++i)
        if (!used[i])
            *unused << (headings[i].trimmed().isEmpty()
                            ? QStringLiteral("column %1 (no name)").arg(i + 1)
                            : QStringLiteral("\"%1\"").arg(headings[i].trimmed().left(40)));
    return {};
}

// A field for a message: short, and its end marked when cut.
QString shown(const QString &field)
{
    const int longest = 40;
    return field.size() > longest ? field.left(longest) + u'…' : field;
}

// What is wrong with the record as a line of the file, not as a cheque; a
// line with bytes the encoding lacks is also noted for the summary.
QStringList recordProblems(Record &record, qsizetype columns, QList<int> *badByteLines)
{
    QStringList problems;
    QStringList extra = record.fields.mid(columns);
    extra.removeAll(QString());
    if (!extra.isEmpty()) {
        for (QString &field : extra)
            field = u'"' + shown(field) + u'"';
        problems << QStringLiteral("Line %1 has more fields than the first line names (%2, "
                                   "not %3): %4. Quote a field that holds the separator.")
                        .arg(record.line).arg(record.fields.size()).arg(columns)
                        .arg(extra.join(QStringLiteral(", ")));
    }
    for (QString &field : record.fields)
        if (field.size() > maxBatchFieldLength) {
            problems << QStringLiteral("Line %1 has a field of %2 characters (\"%3\").")
                            .arg(record.line)
                            .arg(QLocale(QLocale::English).toString(field.size()), shown(field));
            field = shown(field);
        }
    if (std::any_of(record.fields.begin(), record.fields.end(),
                    [](const QString &field) { return field.contains(replacement); })) {
        problems << QStringLiteral("Line %1 has bytes the file's encoding has no character for.")
                        .arg(record.line);
        badByteLines->append(record.line);
    }
    return problems;
}

const QRegularExpression &slashDate()
{
    // Slashes, or dashes as Indian and some US spreadsheets write them.
    static const QRegularExpression date(
        QStringLiteral("^(\\d{1,2})([/-])(\\d{1,2})\\2(\\d{4})$"));
    return date;
}

// The order a date settles: a first number above 12 is a day, a second one
// above 12 too.
std::optional<DateOrder> orderSettledBy(const QString &date)
{
    const QRegularExpressionMatch m = slashDate().match(date);
    if (!m.hasMatch())
        return std::nullopt;
    if (m.captured(1).toInt() > 12 && m.captured(3).toInt() <= 12)
        return DateOrder::DayFirst;
    if (m.captured(3).toInt() > 12 && m.captured(1).toInt() <= 12)
        return DateOrder::MonthFirst;
    return std::nullopt;
}

// The first date that settles the order settles it for the file; without
// one, n/n/yyyy dates wait for the user's choice.
void readDateOrder(BatchCsv *batch)
{
    for (const BatchCsvRow &row : std::as_const(batch->rows)) {
        if (const std::optional<DateOrder> order = orderSettledBy(row.date)) {
            batch->dateOrder = order;
            batch->dateOrderLine = row.line;
            break;
        }
        if (slashDate().match(row.date).hasMatch())
            batch->needsDateOrder = true;
    }
    if (batch->dateOrder) {
        batch->needsDateOrder = false;
        for (BatchCsvRow &row : batch->rows) {
            row.dateOrder = *batch->dateOrder;
            row.dateOrderLine = batch->dateOrderLine;
        }
    }
}

QString orderName(DateOrder order)
{
    return order == DateOrder::DayFirst ? QStringLiteral("day first")
                                        : QStringLiteral("month first");
}

// "527 MB", as people count bytes.
QString dataSize(qint64 bytes)
{
    return QLocale(QLocale::English).formattedDataSize(bytes, 0, QLocale::DataSizeTraditionalFormat);
}

} // namespace

BatchCsv readBatchCsv(QByteArray bytes)
{
    BatchCsv batch;
    const QString text = decode(std::move(bytes), &batch.encoding);
    qsizetype headerStart = 0;
    const std::optional<QChar> named = namedSeparator(text, &headerStart);
    const QStringView body = QStringView(text).sliced(headerStart);
    QList<Record> records = splitRecords(body, named ? 2 : 1,
                                         named.value_or(separatorOf(body)), &batch.problem);
    if (!batch.problem.isEmpty())
        return batch;
    if (records.isEmpty()) {
        batch.problem = QStringLiteral("The file is empty: it has no line naming the columns.");
        return batch;
    }
    std::array<qsizetype, ColumnCount> at{};
    const QStringList headings = records.takeFirst().fields;
    batch.problem = findColumns(headings, &at, &batch.unusedColumns);
    if (!batch.problem.isEmpty())
        return batch;
    // A batch repeats its bank, dates, crossing and often its payees: rows
    // share one copy of each such text while the window keeps them.
    QSet<QString> repeated;
    for (Record &record : records) {
        if (std::all_of(record.fields.begin(), record.fields.end(),
                        [](const QString &field) { return field.trimmed().isEmpty(); }))
            continue;
        QStringList problems = recordProblems(record, headings.size(), &batch.badByteLines);
        const auto value = [&](Column column) {
            return at[column] >= 0 ? record.fields.value(at[column]).trimmed() : QString();
        };
        const auto shared = [&](Column column) { return *repeated.insert(value(column)); };
        batch.rows.append({record.line, shared(Bank), shared(Payee), value(Amount), shared(Date),
                           value(Number), shared(Crossed), DateOrder::DayFirst, 0,
                           std::move(problems)});
    }
    readDateOrder(&batch);
    return batch;
}

BatchCsv readBatchCsvFile(const QString &path)
{
    // The kind first: a named pipe or a device would be read for ever.
    const QString name = QFileInfo(path).fileName();
    if (const QString kind = store::notARegularFile(path); !kind.isEmpty())
        return {{}, QStringLiteral("\"%1\" is %2, not a file.").arg(name, kind)};
    if (const qint64 size = QFileInfo(path).size(); size > maxBatchBytes)
        return {{}, QStringLiteral("The file \"%1\" is %2; a batch file may be at most %3. "
                                   "Split it into smaller files.")
                        .arg(name, dataSize(size), dataSize(maxBatchBytes))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString())};
    return readBatchCsv(file.read(maxBatchBytes));
}

void setDateOrder(BatchCsv *batch, DateOrder order)
{
    batch->dateOrder = order;
    batch->dateOrderLine = 0;
    for (BatchCsvRow &row : batch->rows) {
        row.dateOrder = order;
        row.dateOrderLine = 0;
    }
}

DateOrder systemDateOrder()
{
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    return format.indexOf(u'M') < format.indexOf(u'd') ? DateOrder::MonthFirst
                                                       : DateOrder::DayFirst;
}

QString batchFileNote(const BatchCsv &batch)
{
    QStringList parts{QStringLiteral("Read as %1").arg(batch.encoding)};
    if (!batch.badByteLines.isEmpty()) {
        QStringList lines;
        for (int line : batch.badByteLines.first(std::min<qsizetype>(batch.badByteLines.size(), 5)))
            lines << QString::number(line);
        if (batch.badByteLines.size() > 5)
            lines << QStringLiteral("...");
        parts << QStringLiteral("bytes that are no %1 on line %2")
                     .arg(batch.encoding, lines.join(QStringLiteral(", ")));
    }
    if (batch.dateOrder)
        parts << (batch.dateOrderLine
                      ? QStringLiteral("dates %1 (line %2)")
                            .arg(orderName(*batch.dateOrder)).arg(batch.dateOrderLine)
                      : QStringLiteral("dates %1").arg(orderName(*batch.dateOrder)));
    if (!batch.unusedColumns.isEmpty())
        parts << QStringLiteral("not used: %1").arg(batch.unusedColumns.join(QStringLiteral(", ")));
    return parts.join(QStringLiteral("; ")) + u'.';
}

std::optional<QDate> batchDate(const QString &text, DateOrder order)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    static const QRegularExpression named(
        QStringLiteral("^(\\d{1,2})([/-])([A-Za-z]{3})\\2(\\d{4})$"));
    static const QStringList months{"jan", "feb", "mar", "apr", "may", "jun",
                                    "jul", "aug", "sep", "oct", "nov", "dec"};
    const QString trimmed = text.trimmed();
    QDate date;
    if (const QRegularExpressionMatch m = iso.match(trimmed); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (const QRegularExpressionMatch m = dotted.match(trimmed); m.hasMatch()) {
        date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    } else if (const QRegularExpressionMatch m = slashDate().match(trimmed); m.hasMatch()) {
        const int first = m.captured(1).toInt();
        const int second = m.captured(3).toInt();
        const int year = m.captured(4).toInt();
        date = order == DateOrder::DayFirst ? QDate(year, second, first)
                                            : QDate(year, first, second);
    } else if (const QRegularExpressionMatch m = named.match(trimmed); m.hasMatch()) {
        date = QDate(m.captured(4).toInt(), months.indexOf(m.captured(3).toLower()) + 1,
                     m.captured(1).toInt());
    }
    // The print window's date picker's range.
    if (!date.isValid() || date < QDate(1601, 1, 1))
        return std::nullopt;
    return date;
}

QString batchDateProblem(const BatchCsvRow &row)
{
    if (batchDate(row.date, row.dateOrder))
        return {};
    const DateOrder other = row.dateOrder == DateOrder::DayFirst ? DateOrder::MonthFirst
                                                                 : DateOrder::DayFirst;
    if (row.dateOrderLine && batchDate(row.date, other))
        return QStringLiteral("The date \"%1\" is written %2, but the date on line %3 shows "
                              "that the file writes its dates %4.")
            .arg(shown(row.date), orderName(other)).arg(row.dateOrderLine)
            .arg(orderName(row.dateOrder));
    return QStringLiteral("The date \"%1\" is no date: write it as yyyy-mm-dd, %2 "
                          "or dd/MMM/yyyy.")
        .arg(shown(row.date), row.dateOrder == DateOrder::DayFirst ? QStringLiteral("dd/mm/yyyy")
                                                                   : QStringLiteral("mm/dd/yyyy"));
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
