#pragma once

#include "chequestyle.h"
#include "scalemode.h"
#include "statements.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <array>
#include <optional>

// One bank's cheque layout as the printing side reads it: every number in
// the layout's one unit, as a single-precision number, or none where the
// column holds no value; how the date and the crossing print, and the leaf
// when its size and place are known.
struct LayoutRecord {
    QString bankName;
    QString scaleModeName;
    std::array<std::optional<float>, store::LayoutPositionCount> positions;
    store::ChequeStyle style = {};
    std::optional<QRectF> leafMm = {};  // from the printable area's corner

    int scaleMode() const { return scaleModeFor(scaleModeName); }
    std::optional<float> position(store::LayoutPosition column) const
    {
        return positions[column];
    }
};

LayoutRecord layoutRecordFrom(const store::LayoutRow &row);

// Loads the layout of the bank named exactly so, with its style and leaf;
// *layout is left empty when the bank has none. Returns the database's error, invalid on success.
QSqlError loadLayoutRecord(const QSqlDatabase &db, const QString &bankName,
                           std::optional<LayoutRecord> *layout);
