#pragma once

#include "chequecomposition.h"
#include "printjournal.h"

#include <functional>

// A cheque's road from a window to the register, the same for the print
// window, the preview's Print and a reprint: noted in the print journal
// (its number reserved under the write lock, and the question asked when
// the number was used before), handed to the printer, recorded. No write
// transaction is held while the printer or the user is waited for.
struct ChequeToPrint {
    ChequeItems items;
    QString chequeNo;
    qint64 replaces = 0;  // the register row a reprint voids once it is recorded
};

enum class PrintOutcome { NotPrinted, Recorded, NotRecorded };

// Prints the cheque on the named printer (the default one for an empty
// name) and records it; every failure has been told to the user. A cheque
// printed but not recorded stays in the journal, offered at the next start.
PrintOutcome printAndRecord(const ChequeToPrint &cheque, const QString &printerName);

// The journal page a cheque gives.
store::JournalPage journalPageOf(const ChequeItems &items, const QString &chequeNo,
                                 qint64 replaces = 0);

// The question asked when a number is in use already (in the register, or
// noted for a cheque being printed); No is the default.
bool printWithUsedNumber(const store::RegisterRow &earlier, bool noted);

// Tests stop the program at each step of the road ("noted", "sent",
// "handed over", "recorded") to see what a crash there leaves behind.
using PrintStepObserver = std::function<void(const char *step)>;
void observePrintSteps(PrintStepObserver observer);
void reachedPrintStep(const char *step);
