#include "jetreader.h"

#include "jetvalues.h"

#include <QFile>
#include <QtEndian>

// libmdb's header includes glib inside an extern "C" block, where glib's
// C++ parts cannot stand; included first, glib is skipped there.
#include <glib.h>
#include <mdbtools.h>

namespace store {

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

// Text as libmdb gives it: UTF-8, with Jet 4's compressed UCS-2 and memo
// pages already taken care of.
QString libmdbText(MdbHandle *mdb, const MdbColumn *column, const MdbField &field)
{
    char *text = mdb_col_to_string(mdb, mdb->pg_buf, field.start, column->col_type, field.siz);
    const QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
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
    default: return 0;
    }
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
    case MDB_TEXT:
        if (field.siz == 0)
            return QStringLiteral("");
        if (mdb->f->jet_version == MDB_VER_JET3)
            return fromWindows1252(QByteArrayView(bytes, field.siz));
        return libmdbText(mdb, column, field);
    case MDB_MEMO:
        return libmdbText(mdb, column, field);
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
                             QList<QVariantList> *rows) const
{
    rows->clear();
    if (const QStringList absent = missing(table, columns); !absent.isEmpty())
        return QStringLiteral("it lacks %1").arg(absent.join(QStringLiteral(", ")));
    const Table found = readDefinition(findTable(d->mdb, table));
    if (!found)
        return QStringLiteral("table %1 could not be read").arg(table);
    QList<int> indexes;
    for (const QString &column : columns)
        indexes << columnIndex(found.get(), column);

    MdbField fields[MDB_MAX_COLS];
    mdb_rewind_table(found.get());
    while (mdb_fetch_row(found.get())) {
        if (fieldsOfCurrentRow(found.get(), fields) < static_cast<int>(found->num_cols))
            return QStringLiteral("row %1 of table %2 could not be read")
                .arg(rows->size() + 1).arg(table);
        QVariantList values;
        for (int index : indexes) {
            QString problem;
            const auto *column = static_cast<MdbColumn *>(g_ptr_array_index(found->columns, index));
            values << valueOf(d->mdb, column, fields[index], &problem);
            if (!problem.isEmpty())
                return QStringLiteral("in row %1 of table %2, %3")
                    .arg(rows->size() + 1).arg(table, problem);
        }
        rows->append(values);
    }
    // The library passes over a row it cannot find on its page; the table's
    // own count tells when that happened.
    if (rows->size() != qsizetype(found->num_rows))
        return QStringLiteral("table %1 holds %2 rows, but only %3 could be read")
            .arg(table).arg(found->num_rows).arg(rows->size());
    return {};
}

} // namespace store
