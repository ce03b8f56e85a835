#pragma once

#include "batchcsv.h"
#include "chequecomposition.h"

#include <QList>
#include <QString>

// One cheque of a batch: the row as the file has it, the cheque as it will
// print, and why it cannot print.
struct BatchCheque {
    BatchCsvRow row;
    bool included = true;  // the user may leave a row out
    ChequeItems items;     // the name to print, the amount tidied, its words
    QString chequeNo;      // as the file gives it, or the bank's next
    QString problem;       // for the user; empty when the cheque is ready
    bool printed = false;  // gone to the printer: never checked or printed again
    QString samePayment;   // "paid already as cheque 100 on ...": ticked only by the user
    bool ready() const { return problem.isEmpty(); }
};

// Checks every row as the print window checks one cheque: the bank's layout
// and currency, the payee (a nick name or a name from the payees), the
// amount and its words, the date, the crossing, the number (not in the
// register, not twice in the batch) and the page composed on the measuring
// printer, which stands for the printer the batch goes to. A row without a
// number takes the bank's next one after the register and the rows before
// it; only rows included and otherwise ready take numbers, as only they use
// leaves. Fills items, chequeNo and problem of each cheque. Returns why the
// data file could not be read (empty when it could); the cheques are then
// not checked. Printed cheques are passed over.
[[nodiscard]] QString checkBatch(QList<BatchCheque> *cheques, Printer &measuring);

// The cheques of rows read from a file, each included, none checked yet.
QList<BatchCheque> batchChequesFrom(const QList<BatchCsvRow> &rows);
