#pragma once

#include "database.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <memory>

// The register rows shown in the report grid. The register records what
// was printed, so the rows are read-only. Cheque dates, kept as ISO text,
// are shown as dates in the short form. Rows are fetched in batches as the
// grid scrolls to them, so a long register shows its first screen at once.
//
// The model keeps the connection its rows come from open for as long as it
// shows them, and lets go of the rows before the connection.
class RegisterModel : public QSqlQueryModel
{
    Q_OBJECT
public:
    using QSqlQueryModel::QSqlQueryModel;
    ~RegisterModel() override;

    // Shows the bank's cheques dated from..to on a connection of its own,
    // void ones marked; on failure shows no rows.
    QSqlError showRegister(const QString &bank, const QDate &from, const QDate &to);
    // Reads the rows shown again, after a cheque was voided or reprinted.
    QSqlError reload();
    // Shows no rows and releases the connection.
    void clear() override;

    // The register's own columns only; the void mark shows in how a row looks.
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &item, int role = Qt::DisplayRole) const override;

    bool showsRegister() const { return m_connection != nullptr; }
    QString bank() const { return m_bank; }
    QDate from() const { return m_from; }
    QDate to() const { return m_to; }
    qint64 registerRowAt(int row) const;
    // Why the row's cheque is void; a null text when it is not.
    QString voidReasonAt(int row) const;

private:
    QVariant voidLook(int row, int role) const;

    std::unique_ptr<store::Connection> m_connection;
    QString m_bank;
    QDate m_from;
    QDate m_to;
    int m_dateColumn = -1;
    QString m_dateFormat;
};
