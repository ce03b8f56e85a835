#pragma once

#include <QDate>
#include <QString>

class QPrinter;

// Prints the register listing of the bank's cheques dated from..to on the
// printer, on the paper it is set to, or on its A4 or Letter when that is
// smaller than A5 (an envelope, a cheque leaf): a title with the bank and dates,
// the grid's columns with void cheques struck through and their reason,
// "Page n of m" under each page, and at the end the count and total of the
// cheques that stand and, apart, of the void ones. Returns why it failed,
// for the user; empty when the printer took it.
QString printRegisterListing(QPrinter &printer, const QString &bank, const QDate &from,
                             const QDate &to);
