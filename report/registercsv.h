#pragma once

#include <QDate>
#include <QString>
#include <functional>

// Writes the bank's cheques dated from..to to a CSV file (RFC 4180, UTF-8
// with a byte-order mark, ISO dates, amounts as stored, and a last column
// "Void" with the reason of a void cheque). The file appears whole at the
// end or not at all: a cancelled or failed export leaves whatever was at
// the path before. `progress` is told the rows written so far now and
// then, and cancels by returning false.
struct CsvExport {
    bool written = false;
    bool cancelled = false;
    QString problem;  // why it failed, for the user
};

CsvExport writeRegisterCsv(const QString &path, const QString &bank, const QDate &from,
                           const QDate &to, const std::function<bool(qint64)> &progress);
