#pragma once

#include "batchcheck.h"
#include "printjournal.h"

#include <functional>

// What became of a batch handed to the printer.
struct BatchJob {
    store::JournalJob printed;  // the pages that went out, in order, as noted
    QString problem;  // why the job stopped or was refused, for the user; empty when all went
};

// Prints the cheques as one job on the named printer (the default one for
// an empty name), one cheque a page, composed as the print window composes
// one. Before the first page every page is noted in the print journal, its
// number reserved; nothing prints when that cannot be done, or when a
// number has been taken meanwhile. afterPage is told how many pages are
// done after each one and answers whether to go on: stopping sends the
// pages done as the job. A job the printer refuses leaves nothing noted
// and nothing printed. The register itself is written only once the user
// confirms what came out (store::recordJob).
BatchJob printBatch(const QList<BatchCheque> &cheques, const QString &printerName,
                    const std::function<bool(int done)> &afterPage);
