#include "registermodel.h"

#include "registerstatements.h"
#include "shortdate.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QLocale>
#include <QSqlRecord>

RegisterModel::~RegisterModel()
{
    clear();
}

QSqlError RegisterModel::showRegister(const QString &bank, const QDate &from, const QDate &to)
{
    m_bank = bank;
    m_from = from;
    m_to = to;
    return reload();
}

QSqlError RegisterModel::reload()
{
    auto connection = std::make_unique<store::Connection>(QStringLiteral("frmReport"));
    QSqlQuery rows(connection->database());
    QSqlError error = connection->error();
    if (!error.isValid())
        error = store::selectRegisterWithVoids(connection->database(), m_bank, m_from, m_to,
                                               &rows, false);
    if (error.isValid()) {
        clear();
        return error;
    }
    m_dateColumn = rows.record().indexOf(QStringLiteral("DateofChq"));
    m_dateFormat = shortDateFormat();
    setQuery(std::move(rows));
    // The earlier rows went with the earlier query: their connection may go now.
    m_connection = std::move(connection);
    return {};
}

int RegisterModel::columnCount(const QModelIndex &parent) const
{
    return std::min(QSqlQueryModel::columnCount(parent), store::registerColumnCount);
}

qint64 RegisterModel::registerRowAt(int row) const
{
    return record(row).value(QStringLiteral("RegisterRow")).toLongLong();
}

QString RegisterModel::voidReasonAt(int row) const
{
    const QVariant reason = record(row).value(QStringLiteral("VoidReason"));
    return reason.isNull() ? QString() : reason.toString();
}

void RegisterModel::clear()
{
    QSqlQueryModel::clear();
    m_connection.reset();
    m_dateColumn = -1;
}

QVariant RegisterModel::data(const QModelIndex &item, int role) const
{
    if (role == Qt::FontRole || role == Qt::ForegroundRole || role == Qt::ToolTipRole)
        return voidLook(item.row(), role);
    const QVariant value = QSqlQueryModel::data(item, role);
    if (item.column() != m_dateColumn || role != Qt::DisplayRole)
        return value;
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    return date.isValid() ? QVariant(QLocale().toString(date, m_dateFormat)) : value;
}

QVariant RegisterModel::voidLook(int row, int role) const
{
    const QSqlRecord marks = record(row);
    if (marks.isNull(QStringLiteral("VoidReason")))
        return {};
    switch (role) {
    case Qt::FontRole: {
        QFont font;
        font.setStrikeOut(true);
        return font;
    }
    case Qt::ForegroundRole:
        return QColor(Qt::gray);
    default: {
        const QDateTime at = QDateTime::fromString(
            marks.value(QStringLiteral("VoidMarkedAt")).toString(), Qt::ISODate);
        return QStringLiteral("Void: %1 (%2)")
            .arg(marks.value(QStringLiteral("VoidReason")).toString(),
                 QLocale().toString(at, QLocale::ShortFormat));
    }
    }
}
