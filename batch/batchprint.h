#pragma once

#include "batchcheck.h"
#include "statements.h"

#include <functional>

// What became of a batch handed to the printer.
struct BatchJob {
    QList<store::RegisterRow> printed;  // the pages that went out, in order
    QString problem;  // why the job stopped or was refused, for the user; empty when all went
};

// Prints the cheques as one job on the named printer (the default one for
// an empty name), one cheque a page, composed as the print window composes
// one. Before the first page, the register row of every page is written to
// the journal; nothing prints when it cannot be. afterPage is told how many
// pages are done after each one and answers whether to go on: stopping
// sends the pages done as the job. A job the printer refuses leaves the
// journal empty and nothing printed. The register itself is written only
// once the user confirms what came out (recordBatch).
BatchJob printBatch(const QList<BatchCheque> &cheques, const QString &printerName,
                    const std::function<bool(int done)> &afterPage);

// The register row a cheque gives.
store::RegisterRow registerRowOf(const BatchCheque &cheque);
