#include "jetfile.h"

#include <QDate>
#include <QFile>
#include <QtEndian>
#include <cstring>

#include <glib.h>
#include <mdbtools.h>

namespace jetfile {
namespace {

constexpr int pageSize = 4096;
// Jet 4 data page: type, a byte, free space, table definition page, four
// unknown bytes, the row count, then the rows' offsets.
constexpr int rowCountAt = 12;
constexpr int firstRowOffsetAt = 14;
// Jet 4 table definition: row count, usage map, columns.
constexpr int tableRowsAt = 16;
constexpr int usageMapAt = 55;
constexpr int columnsAt = 63;
constexpr int realIndexSize = 12;
constexpr int columnSize = 25;
// A usage bitmap page maps this many pages after its 4-byte header.
constexpr qint64 pagesPerBitmap = (pageSize - 4) * 8;

struct Column {
    int number = 0;
    bool fixed = false;
    int fixedOffset = 0;
    int varNumber = 0;
    int size = 0;
    bool boolean = false;
};

struct Layout {
    quint32 definitionPage = 0;
    int columnCount = 0;
    int varCount = 0;
    int realIndexes = 0;
    QList<Column> columns;  // in column number order
};

template <typename T>
void put(QByteArray &bytes, qsizetype at, T value)
{
    qToLittleEndian(value, bytes.data() + at);
}

QString readLayout(const QString &path, const QString &tableName, Layout *layout)
{
    MdbHandle *mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE))
        return QStringLiteral("%1 is not an Access file").arg(path);
    QString problem = QStringLiteral("%1 has no table %2").arg(path, tableName);
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (QString::fromUtf8(entry->object_name) != tableName)
            continue;
        MdbTableDef *table = mdb_read_table(entry);
        mdb_read_columns(table);
        *layout = {quint32(entry->table_pg), int(table->num_cols), int(table->num_var_cols),
                   int(table->num_real_idxs), {}};
        for (guint c = 0; c < table->num_cols; ++c) {
            auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c));
            layout->columns << Column{column->col_num, bool(column->is_fixed), column->fixed_offset,
                                      int(column->var_col_num), column->col_size,
                                      column->col_type == MDB_BOOL};
        }
        mdb_free_tabledef(table);
        problem.clear();
    }
    mdb_close(mdb);
    return problem;
}

QByteArray jetText(const QString &text)
{
    bool oneByte = true;
    for (QChar c : text)
        oneByte = oneByte && c.unicode() > 0 && c.unicode() < 0x100;
    if (!oneByte)
        return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QByteArray bytes("\xff\xfe", 2);
    for (QChar c : text)
        bytes += char(c.unicode());
    return bytes;
}

QByteArray fixedBytes(const QVariant &value)
{
    QByteArray bytes(8, 0);
    if (value.typeId() == QMetaType::QDate)
        put(bytes, 0, double(QDate(1899, 12, 30).daysTo(value.toDate())));
    else if (value.typeId() == QMetaType::Double)
        put(bytes, 0, value.toDouble());
    else
        bytes = value.toByteArray();
    return bytes;
}

// One row as Jet 4 stores it: column count, fixed columns, variable ones,
// their end, their offsets last to first, their count, the null mask.
QByteArray rowBytes(const Layout &layout, const QVariantList &values)
{
    int fixedEnd = 0;
    for (const Column &column : layout.columns) {
        if (column.fixed && !column.boolean)
            fixedEnd = qMax(fixedEnd, column.fixedOffset + column.size);
    }
    QByteArray row(2 + fixedEnd, 0);
    put(row, 0, quint16(layout.columnCount));
    QByteArray nullMask((layout.columnCount + 7) / 8, 0);
    QList<quint16> varOffsets(layout.varCount, 0);
    for (qsizetype i = 0; i < layout.columns.size(); ++i) {
        const Column &column = layout.columns[i];
        const QVariant &value = values.value(i);
        const bool present = column.boolean ? value.toBool() : !value.isNull();
        if (present)
            nullMask[column.number / 8] = char(nullMask[column.number / 8] | 1 << column.number % 8);
        if (column.fixed && present && !column.boolean)
            row.replace(2 + column.fixedOffset, column.size, fixedBytes(value).left(column.size));
    }
    for (int var = 0; var < layout.varCount; ++var) {
        varOffsets[var] = quint16(row.size());
        for (qsizetype i = 0; i < layout.columns.size(); ++i) {
            if (!layout.columns[i].fixed && layout.columns[i].varNumber == var
                && !values.value(i).isNull())
                row += jetText(values.value(i).toString());
        }
    }
    QByteArray tail(2 + 2 * layout.varCount + 2, 0);
    put(tail, 0, quint16(row.size()));
    for (int var = 0; var < layout.varCount; ++var)
        put(tail, 2 + 2 * (layout.varCount - 1 - var), varOffsets[var]);
    put(tail, 2 + 2 * layout.varCount, quint16(layout.varCount));
    return row + tail + nullMask;
}

// Data pages filled from the end, as Access fills them.
class PageWriter
{
public:
    PageWriter(QFile &file, quint32 definitionPage, quint32 firstPage)
        : m_file(file), m_definitionPage(definitionPage), m_next(firstPage) { start(); }

    void add(const QByteArray &row)
    {
        if (m_free - row.size() < firstRowOffsetAt + 2 * (m_rows + 1))
            flush();
        m_free -= int(row.size());
        m_page.replace(m_free, row.size(), row);
        put(m_page, firstRowOffsetAt + 2 * m_rows, quint16(m_free));
        ++m_rows;
    }
    void flush()
    {
        if (m_rows == 0)
            return;
        put(m_page, 2, quint16(m_free - firstRowOffsetAt - 2 * m_rows));
        put(m_page, rowCountAt, quint16(m_rows));
        m_file.write(m_page);
        m_written << m_next++;
        start();
    }
    const QList<quint32> &written() const { return m_written; }
    quint32 nextPage() const { return m_next; }

private:
    void start()
    {
        m_page = QByteArray(pageSize, 0);
        m_page[0] = 1;
        m_page[1] = 1;
        put(m_page, 4, m_definitionPage);
        m_free = pageSize;
        m_rows = 0;
    }

    QFile &m_file;
    quint32 m_definitionPage;
    quint32 m_next;
    QByteArray m_page;
    int m_free = pageSize;
    int m_rows = 0;
    QList<quint32> m_written;
};

// Bitmap pages over the data pages, then a page holding the map's row,
// which lists the bitmap pages. Returns where the row is (page << 8).
quint32 writeUsageMap(QFile &file, const QList<quint32> &pages, quint32 firstFree)
{
    const qint64 bitmaps = (qint64(pages.last()) / pagesPerBitmap) + 1;
    QByteArray map(1 + 4 * bitmaps, 0);
    map[0] = 1;
    for (qint64 b = 0; b < bitmaps; ++b) {
        QByteArray bitmap(pageSize, 0);
        bitmap[0] = 5;
        bitmap[1] = 1;
        for (quint32 page : pages) {
            if (page / pagesPerBitmap == b) {
                const qint64 bit = page % pagesPerBitmap;
                bitmap[4 + bit / 8] = char(bitmap[4 + bit / 8] | 1 << bit % 8);
            }
        }
        file.write(bitmap);
        put(map, 1 + 4 * b, quint32(firstFree + b));
    }
    QByteArray holder(pageSize, 0);
    holder[0] = 1;
    holder[1] = 1;
    put(holder, rowCountAt, quint16(1));
    put(holder, firstRowOffsetAt, quint16(pageSize - map.size()));
    holder.replace(pageSize - map.size(), map.size(), map);
    file.write(holder);
    return quint32(firstFree + bitmaps) << 8;
}

// Gives the column its new type in the table definition, then reads the
// layout again as the library reads it.
QString changeColumn(QFile &file, const QString &path, const QString &table, Layout *layout,
                     const ColumnType &changed)
{
    file.seek(qint64(layout->definitionPage) * pageSize);
    QByteArray definition = file.read(pageSize);
    int at = columnsAt + layout->realIndexes * realIndexSize;
    // Column names follow the column entries: 2 bytes of length, UCS-2.
    int nameAt = at + layout->columnCount * columnSize;
    for (int i = 0; i < layout->columnCount; ++i, at += columnSize) {
        const int length = qFromLittleEndian<quint16>(definition.constData() + nameAt);
        const QString name = QString::fromUtf16(
            reinterpret_cast<const char16_t *>(definition.constData() + nameAt + 2), length / 2);
        nameAt += 2 + length;
        if (name != changed.column)
            continue;
        definition[at] = char(changed.type);
        definition[at + 11] = char(changed.precision);
        definition[at + 12] = char(changed.scale);
        put(definition, at + 23, quint16(changed.size));
    }
    file.seek(qint64(layout->definitionPage) * pageSize);
    file.write(definition);
    file.flush();
    return readLayout(path, table, layout);
}

} // namespace

QString writeTable(const QString &sample, const QString &path, const QString &table,
                   qint64 rowCount, const RowMaker &row, const std::optional<ColumnType> &changed)
{
    QFile::remove(path);
    if (!QFile::copy(sample, path))
        return QStringLiteral("%1 could not be copied").arg(sample);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Layout layout;
    if (QString problem = readLayout(path, table, &layout); !problem.isEmpty())
        return problem;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return file.errorString();
    if (changed) {
        if (QString problem = changeColumn(file, path, table, &layout, *changed); !problem.isEmpty())
            return problem;
    }
    file.seek(file.size());
    PageWriter pages(file, layout.definitionPage, quint32(file.size() / pageSize));
    for (qint64 i = 0; i < rowCount; ++i)
        pages.add(rowBytes(layout, row(i)));
    pages.flush();
    if (pages.written().isEmpty())
        return QStringLiteral("no rows were asked for");
    const quint32 mapRow = writeUsageMap(file, pages.written(), pages.nextPage());

    file.seek(qint64(layout.definitionPage) * pageSize);
    QByteArray definition = file.read(pageSize);
    put(definition, tableRowsAt, quint32(rowCount));
    put(definition, usageMapAt, mapRow);
    file.seek(qint64(layout.definitionPage) * pageSize);
    file.write(definition);
    return file.error() == QFile::NoError ? QString() : file.errorString();
}

} // namespace jetfile
