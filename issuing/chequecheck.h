#pragma once

#include "chequecomposition.h"

// The checks every cheque passes before it prints, whichever road it takes
// (the print window, the preview, a reprint, the batch): the words are
// there, the amount is not zero, and the name, the words and the number
// hold only characters the register keeps as they print. Returns the
// refusal for the user, or an empty text. The page itself is checked by
// composing it (composeCheque), which every road does before anything is
// noted or printed.
QString chequeRefusal(const ChequeItems &items, const QString &chequeNo);
