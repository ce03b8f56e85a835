#include "rawstatement.h"

#include <QDate>
#include <QSqlDriver>
#include <sqlite3.h>

namespace store {
namespace {

// As Qt's driver sees it: a null text or an invalid date is no value.
bool isNullValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString: return value.toString().isNull();
    case QMetaType::QDate: return !value.toDate().isValid();
    default: return value.isNull();
    }
}

// yyyy-MM-dd as QDate::toString(Qt::ISODate) writes it, without its
// general formatting, which costs more than storing the row.
void bindDate(sqlite3_stmt *statement, int place, QDate date)
{
    if (date.year() < 0 || date.year() > 9999) {
        const QByteArray text = date.toString(Qt::ISODate).toUtf8();
        sqlite3_bind_text(statement, place, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        return;
    }
    char text[10];
    const auto put = [&](int at, int digits, int value) {
        for (int i = at + digits - 1; i >= at; --i, value /= 10)
            text[i] = char('0' + value % 10);
    };
    put(0, 4, date.year());
    text[4] = '-';
    put(5, 2, date.month());
    text[7] = '-';
    put(8, 2, date.day());
    sqlite3_bind_text(statement, place, text, int(sizeof text), SQLITE_TRANSIENT);
}

// Latin-1 text (most of it) converted by Qt, which does so many times
// faster than SQLite; the rest as SQLite converts it, so that no text is
// stored otherwise than Qt's driver stores it.
void bindText(sqlite3_stmt *statement, int place, const QString &text)
{
    if (QtPrivate::isLatin1(text)) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement, place, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_text16(statement, place, text.utf16(), int(text.size() * 2),
                            SQLITE_TRANSIENT);
    }
}

} // namespace

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

RawStatement::RawStatement(const QSqlDatabase &db, const QString &statement)
    : m_db(sqliteHandle(db))
{
    if (!m_db) {
        m_error = QSqlError(QStringLiteral("Unable to prepare statement"),
                            QStringLiteral("the connection is not an open SQLite database"),
                            QSqlError::ConnectionError);
        return;
    }
    const int code = sqlite3_prepare16_v2(m_db, statement.utf16(), int(statement.size() * 2),
                                          &m_statement, nullptr);
    if (code != SQLITE_OK)
        m_error = failure(code);
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_statement);
}

void RawStatement::bind(const QVariantList &values)
{
    if (!m_statement)
        return;
    sqlite3_reset(m_statement);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &value = values[i];
        if (isNullValue(value)) {
            sqlite3_bind_null(m_statement, i + 1);
            continue;
        }
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong: sqlite3_bind_int64(m_statement, i + 1, value.toLongLong()); break;
        case QMetaType::Double: sqlite3_bind_double(m_statement, i + 1, value.toDouble()); break;
        case QMetaType::QString:
            bindText(m_statement, i + 1, *static_cast<const QString *>(value.constData()));
            break;
        case QMetaType::QDate:
            bindDate(m_statement, i + 1, value.toDate());
            break;
        default: bindText(m_statement, i + 1, value.toString());
        }
    }
}

bool RawStatement::exec()
{
    if (!m_statement)
        return false;
    const int code = sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
    if (code == SQLITE_DONE || code == SQLITE_ROW)
        return true;
    m_error = failure(code);
    return false;
}

bool RawStatement::next()
{
    if (!m_statement)
        return false;
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        m_error = failure(code);
    return false;
}

QByteArrayView RawStatement::text(int column) const
{
    const auto *bytes = sqlite3_column_text(m_statement, column);
    return QByteArrayView(reinterpret_cast<const char *>(bytes),
                          bytes ? sqlite3_column_bytes(m_statement, column) : 0);
}

bool RawStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

QSqlError RawStatement::failure(int code) const
{
    return QSqlError(QStringLiteral("Unable to execute statement"),
                     QString::fromUtf8(sqlite3_errmsg(m_db)), QSqlError::StatementError,
                     QString::number(code));
}

} // namespace store
