#pragma once

#include "chequecomposition.h"
#include "previewprinter.h"

// The cheque composed for the layout as the layout window holds it and
// printed onto the preview printer, by the steps Print takes. Returns what
// keeps it from printing (empty when the page was composed).
QString composeSamplePage(const LayoutRecord &layout, const store::WordsChoice &choice,
                          const ChequeItems &items, PreviewPrinter &printer);

// The cheque the editor shows: today's date, a sample payee, and 123456.78
// with its words in the bank's currency (rupees when it has none).
ChequeItems sampleCheque(const QString &bankName);
