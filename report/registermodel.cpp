#include "registermodel.h"

#include "shortdate.h"

#include <QDate>
#include <QLocale>
#include <QSqlRecord>

RegisterModel::~RegisterModel()
{
    clear();
}

void RegisterModel::show(QSqlQuery &&rows, std::unique_ptr<store::Connection> connection)
{
    m_dateColumn = rows.record().indexOf(QStringLiteral("DateofChq"));
    m_dateFormat = shortDateFormat();
    setQuery(std::move(rows));
    // The earlier rows went with the earlier query: their connection may go now.
    m_connection = std::move(connection);
}

void RegisterModel::clear()
{
    QSqlQueryModel::clear();
    m_connection.reset();
    m_dateColumn = -1;
}

QVariant RegisterModel::data(const QModelIndex &item, int role) const
{
    const QVariant value = QSqlQueryModel::data(item, role);
    if (item.column() != m_dateColumn || role != Qt::DisplayRole)
        return value;
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    return date.isValid() ? QVariant(QLocale().toString(date, m_dateFormat)) : value;
}
