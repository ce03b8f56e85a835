#pragma once

#include "statements.h"

// The payments the register holds, to find one about to be made twice.
namespace store {

// The register's cheques dated from..to, both included, in the order they
// were entered, then the pages of a batch noted but not yet confirmed; void
// cheques are left out, as they paid nothing.
QSqlError listPaymentsDated(const QSqlDatabase &db, const QDate &from, const QDate &to,
                            QList<RegisterRow> *cheques);

} // namespace store
