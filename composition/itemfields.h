#pragma once

#include "layoutrecord.h"
#include "printer.h"
#include "styleditems.h"

// Why the items cannot share the cheque, for the user (empty when they
// can): one off the bank's leaf, when its leaf is known; one in the leaf's
// band kept clear for the MICR line; two that overlap, both named.
QString fieldsProblem(const LayoutRecord &layout, const QList<ItemField> &fields,
                      const Printer &printer);
