#pragma once

#include "database.h"

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

    // Shows the rows of an active query read over the given connection.
    void show(QSqlQuery &&rows, std::unique_ptr<store::Connection> connection);
    // Shows no rows and releases the connection.
    void clear() override;

    QVariant data(const QModelIndex &item, int role = Qt::DisplayRole) const override;

private:
    std::unique_ptr<store::Connection> m_connection;
    int m_dateColumn = -1;
    QString m_dateFormat;
};
