#pragma once

#include <QString>

// How the register shows money: the bank's currency, then the figure with
// thousands commas and two decimals ("INR 1,020.75").
QString registerMoney(qint64 cents, const QString &currency);
// The bank's currency; empty when it has none or it cannot be read.
QString bankCurrency(const QString &bank);
