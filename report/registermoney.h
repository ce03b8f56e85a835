#pragma once

#include "money.h"

#include <QString>

// How the register shows money: the bank's currency, then the figure with
// thousands commas and two decimals ("INR 1,020.75").
QString registerMoney(Money amount, const QString &currency);
// A total and, when some amounts could not be added, how many:
// "INR 1,020.75 (2 not added: no plain figures)".
QString registerTotal(Money total, qint64 notAdded, const QString &currency);
// The bank's currency; empty when it has none or it cannot be read.
QString bankCurrency(const QString &bank);
