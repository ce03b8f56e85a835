#pragma once

#include "importrows.h"
#include "jettable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>

// How the four tables of the older program's Access file become the store's
// rows.
namespace jet {

enum JetTable { JetBank, JetPayee, JetPositions, JetChqIssuereg, JetTableCount };

// The tables and the columns taken from each.
const std::array<JetTableColumns, JetTableCount> &jetTables();

// The rows read from each table, one value per column of jetTables(), in
// that order, as JetReader gives them.
using JetRows = std::array<QList<QVariantList>, JetTableCount>;

// Adds a batch of rows of one table, the first of them being the table's
// row number firstRow + 1, to *rows. Text columns take text and numbers;
// the layout's numbers take numbers and text that reads wholly as one; the
// cheque date takes dates (a time of day is dropped). Returns where a value
// does not fit, or an empty text.
QString mapJetRows(JetTable table, qsizetype firstRow, const QList<QVariantList> &jetRows,
                   store::ImportRows *rows);

} // namespace jet
