#pragma once

#include "batchcheck.h"

// Marks each ready cheque whose payee, amount and date equal a payment in
// the register or an earlier row of the batch (a file opened twice, a line
// copied twice): it is left out, with the earlier payment named, until the
// user ticks it. Returns how many were marked, or why the register could
// not be read in *problem.
int markSamePayments(QList<BatchCheque> *cheques, QString *problem);
