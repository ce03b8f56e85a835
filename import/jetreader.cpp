#include "jetreader.h"

#include "jetvalues.h"

#include <QFile>
#include <QtEndian>

// libmdb's header includes glib inside an extern "C" block, where glib's
// C++ parts cannot stand; included first, glib is skipped there.
#include <glib.h>
#include <mdbtools.h>

namespace jet {

struct JetReader::Private {
    MdbHandle *mdb = nullptr;
    QString error;
};

namespace {

using Table = std::unique_ptr<MdbTableDef, decltype(&mdb_free_tabledef)>;

// The low bits of a row's place on its page; the high ones are flags.
constexpr int rowOffsetMask = 0x1fff;

bool sameName(const QString &name, const char *jetName)
{
    return name.compare(QString::fromUtf8(jetName), Qt::CaseInsensitive) == 0;
}

MdbCatalogEntry *findTable(MdbHandle *mdb, const QString &name)
{
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry) && sameName(name, entry->object_name))
            return entry;
    }
    return nullptr;
}

// The table's definition with its columns; null when it cannot be read.
Table readDefinition(MdbCatalogEntry *entry)
{
    Table table(mdb_read_table(entry), mdb_free_tabledef);
    if (table && !mdb_read_columns(table.get()))
        table.reset();
    return table;
}

int columnIndex(const MdbTableDef *table, const QString &name)
{
    for (guint i = 0; i < table->num_cols; ++i) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        if (sameName(name, column->name))
            return static_cast<int>(i);
    }
    return -1;
}

// The bytes of a memo: kept in the row itself, on one page of long values,
// or in a chain of them, each link starting with where the next one is.
bool memoBytes(MdbHandle *mdb, const MdbField &field, QByteArray *bytes)
{
    if (field.siz < MDB_MEMO_OVERHEAD)
        return false;
    const uchar *header = mdb->pg_buf + field.start;
    const quint32 lengthAndFlags = qFromLittleEndian<quint32>(header);
    const qsizetype length = lengthAndFlags & 0x3fffffff;
    if (lengthAndFlags & 0x80000000u) {
        bytes->append(reinterpret_cast<const char *>(header) + MDB_MEMO_OVERHEAD,
                      field.siz - MDB_MEMO_OVERHEAD);
        return true;
    }
    const bool chained = !(lengthAndFlags & 0x40000000u);
    int pageRow = qFromLittleEndian<qint32>(header + 4);
    // A damaged chain could loop: it may not give more than the memo's length.
    while (pageRow != 0 && bytes->size() < length) {
        void *page = nullptr;
        int start = 0;
        size_t size = 0;
        if (mdb_find_pg_row(mdb, pageRow, &page, &start, &size) != 0 || start + size > MDB_PGSIZE)
            return false;
        const char *row = static_cast<const char *>(page) + start;
        if (!chained) {
            bytes->append(row, qsizetype(size));
            return true;
        }
        if (size < 4)
            return false;
        bytes->append(row + 4, qsizetype(size) - 4);
        pageRow = qFromLittleEndian<qint32>(row);
    }
    return bytes->size() >= length;
}

QString textOf(MdbHandle *mdb, QByteArrayView bytes)
{
    if (mdb->f->jet_version == MDB_VER_JET3)
        return fromWindows1252(bytes);
    return fromJet4Text(bytes);
}

int fixedSize(int type)
{
    switch (type) {
    case MDB_BYTE: return 1;
    case MDB_INT: return 2;
    case MDB_LONGINT:
    case MDB_FLOAT: return 4;
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_DATETIME: return 8;
    case MDB_NUMERIC: return 17;
    default: return 0;
    }
}

// libmdb's versions disagree on which of the column's two bytes is the
// precision and which the scale; a scale is never above its precision.
int decimalScale(const MdbColumn *column)
{
    return qMin(column->col_scale, column->col_prec);
}

// Half a UTF-16 pair is not a character: stopped, rather than changed.
QVariant checkedText(const QString &text, const MdbColumn *column, QString *problem)
{
    if (hasUnpairedSurrogate(text))
        *problem = QStringLiteral("column %1 holds text with a broken character (half of a "
                                  "UTF-16 pair)")
                       .arg(QString::fromUtf8(column->name));
    return text.isNull() ? QStringLiteral("") : text;
}

// The value of one field of the row on the current page; an invalid
// QVariant with *problem set when it cannot be read.
QVariant valueOf(MdbHandle *mdb, const MdbColumn *column, const MdbField &field, QString *problem)
{
    // A Yes/No value is kept in the row's null mask: "null" is No.
    if (column->col_type == MDB_BOOL)
        return QVariant(!field.is_null);
    if (field.is_null)
        return {};
    const uchar *bytes = mdb->pg_buf + field.start;
    if (field.siz < fixedSize(column->col_type) || field.start + field.siz > MDB_PGSIZE) {
        *problem = QStringLiteral("a value is cut short");
        return {};
    }
    switch (column->col_type) {
    case MDB_BYTE: return int(bytes[0]);
    case MDB_INT: return int(qFromLittleEndian<qint16>(bytes));
    case MDB_LONGINT: return int(qFromLittleEndian<qint32>(bytes));
    case MDB_FLOAT: return widenedSingle(qFromLittleEndian<float>(bytes));
    case MDB_DOUBLE: return qFromLittleEndian<double>(bytes);
    case MDB_MONEY: return double(qFromLittleEndian<qint64>(bytes)) / 10000;
    case MDB_DATETIME: {
        const QVariant date = jetDateTime(qFromLittleEndian<double>(bytes));
        if (!date.isValid())
            *problem = QStringLiteral("a date is out of every calendar");
        return date;
    }
    case MDB_NUMERIC: return jetDecimal(QByteArrayView(bytes, field.siz), decimalScale(column));
    case MDB_TEXT:
        return checkedText(textOf(mdb, QByteArrayView(bytes, field.siz)), column, problem);
    case MDB_MEMO: {
        QByteArray memo;
        if (!memoBytes(mdb, field, &memo)) {
            *problem = QStringLiteral("the long text in column %1 cannot be found")
                           .arg(QString::fromUtf8(column->name));
            return {};
        }
        return checkedText(textOf(mdb, memo), column, problem);
    }
    }
    *problem = QStringLiteral("column %1 is of a kind Quillmark cannot read (type %2)")
                   .arg(QString::fromUtf8(column->name))
                   .arg(column->col_type);
    return {};
}

// Splits the row mdb_fetch_row() has just passed over into its fields;
// the row is still on the current page.
int fieldsOfCurrentRow(MdbTableDef *table, MdbField *fields)
{
    MdbHandle *mdb = table->entry->mdb;
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(mdb, static_cast<int>(table->cur_row) - 1, &start, &size) != 0)
        return -1;
    return mdb_crack_row(table, start & rowOffsetMask, size, fields);
}

} // namespace

JetReader::JetReader(const QString &path)
    : d(std::make_unique<Private>())
{
    d->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!d->mdb)
        d->error = QStringLiteral("it could not be opened as an Access database");
    else if (!mdb_read_catalog(d->mdb, MDB_TABLE))
        d->error = QStringLiteral("its list of tables could not be read");
}

JetReader::~JetReader()
{
    if (d->mdb)
        mdb_close(d->mdb);
}

QString JetReader::error() const
{
    return d->error;
}

QStringList JetReader::missing(const QString &table, const QStringList &columns) const
{
    MdbCatalogEntry *entry = findTable(d->mdb, table);
    if (!entry)
        return {QStringLiteral("table %1").arg(table)};
    // A table that cannot be read lacks nothing yet; readTable() says so.
    const Table found = readDefinition(entry);
    QStringList missing;
    for (const QString &column : columns) {
        if (found && columnIndex(found.get(), column) < 0)
            missing << QStringLiteral("column %1.%2").arg(table, column);
    }
    return missing;
}

QString JetReader::readTable(const QString &table, const QStringList &columns,
                             const std::function<void(QVariantList &&)> &rowRead) const
{
    if (const QStringList absent = missing(table, columns); !absent.isEmpty())
        return QStringLiteral("it lacks %1").arg(absent.join(QStringLiteral(", ")));
    const Table found = readDefinition(findTable(d->mdb, table));
    if (!found)
        return QStringLiteral("table %1 could not be read").arg(table);
    QList<int> indexes;
    for (const QString &column : columns)
        indexes << columnIndex(found.get(), column);

    MdbField fields[MDB_MAX_COLS];
    qint64 read = 0;
    mdb_rewind_table(found.get());
    while (mdb_fetch_row(found.get())) {
        // A row written before a column was added holds fewer columns; the
        // library gives the missing ones as null, as Access reads them.
        if (fieldsOfCurrentRow(found.get(), fields) < 0)
            return QStringLiteral("row %1 of table %2 could not be read").arg(read + 1).arg(table);
        QVariantList values;
        values.reserve(indexes.size());
        for (int index : indexes) {
            QString problem;
            const auto *column = static_cast<MdbColumn *>(g_ptr_array_index(found->columns, index));
            values << valueOf(d->mdb, column, fields[index], &problem);
            if (!problem.isEmpty())
                return QStringLiteral("in row %1 of table %2, %3").arg(read + 1).arg(table, problem);
        }
        rowRead(std::move(values));
        ++read;
    }
    // The library passes over a row it cannot find on its page; the table's
    // own count tells when that happened.
    if (read != qint64(found->num_rows))
        return QStringLiteral("table %1 holds %2 rows, but only %3 could be read")
            .arg(table).arg(found->num_rows).arg(read);
    return {};
}

} // namespace jet
