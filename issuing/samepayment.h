#pragma once

#include "statements.h"

#include <QHash>

// A payment is the same when its payee (in any case), amount and date are:
// a second cheque for it pays it twice, so it is printed only when the user
// says so.

// A date with no order of day and month to mistake: "05 Dec 2026".
QString plainDateText(const QDate &date);

// What makes two payments the same, as a key.
QString paymentKey(const QString &payeeName, const QString &amount, const QDate &date);

// The register's payments dated from..to by their key, the first of equal ones.
QSqlError readPaymentsMade(const QSqlDatabase &db, const QDate &from, const QDate &to,
                           QHash<QString, store::RegisterRow> *paid);

// "paid already as cheque 100 on 02 Jan 2026"
QString paidAlreadyText(const store::RegisterRow &earlier);

// Whether the cheque may be printed: yes when the register holds no payment
// equal to it but the cheque it reprints (the same bank and number), else
// the user is asked, No being the default.
bool samePaymentConfirmed(const store::RegisterRow &cheque,
                          const store::RegisterRow &reprintOf = {});
