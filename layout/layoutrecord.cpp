#include "layoutrecord.h"

LayoutRecord layoutRecordFrom(const store::LayoutRow &row)
{
    LayoutRecord record;
    record.bankName = row.bankName;
    record.scaleModeName = row.scaleMode;
    for (int i = 0; i < store::LayoutPositionCount; ++i) {
        if (row.positions[i])
            record.positions[i] = static_cast<float>(*row.positions[i]);
    }
    return record;
}

QSqlError loadLayoutRecord(const QSqlDatabase &db, const QString &bankName,
                           std::optional<LayoutRecord> *layout)
{
    layout->reset();
    std::optional<store::LayoutRow> row;
    const QSqlError error = store::findLayout(db, bankName, &row);
    if (error.isValid() || !row)
        return error;
    LayoutRecord record = layoutRecordFrom(*row);
    if (QSqlError styleError = store::findChequeStyle(db, bankName, &record.style);
        styleError.isValid())
        return styleError;
    if (QSqlError leafError = store::findLeafPlace(db, bankName, &record.leafMm);
        leafError.isValid())
        return leafError;
    *layout = record;
    return {};
}
