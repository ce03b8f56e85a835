#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// One cheque of a batch file as written there, before anything is checked.
struct BatchCsvRow {
    int line = 0;  // the file line the row starts on, for the user
    QString bank;
    QString payee;   // a payee's nick name or its name
    QString amount;
    QString date;
    QString number;  // empty: the bank's next number
    QString crossed; // empty: crossed
};

struct BatchCsv {
    QList<BatchCsvRow> rows;
    QString problem;  // why the file cannot be read; empty when it can
};

// Reads a batch from a CSV file's bytes (RFC 4180): UTF-8 with or without a
// byte-order mark, or Windows-1252 when the bytes are no UTF-8; fields
// separated by commas or semicolons, whichever the header line uses outside
// quotes. The header names the columns in any order and case: bank, payee,
// amount and date are needed, number and crossed may be added, others are
// passed over. Blank lines are skipped.
BatchCsv readBatchCsv(const QByteArray &bytes);
BatchCsv readBatchCsvFile(const QString &path);

// A date as a batch may write it: yyyy-mm-dd, dd/mm/yyyy or dd/MMM/yyyy
// with the month's English short name in any case; nothing for any other
// text or a day that does not exist.
std::optional<QDate> batchDate(const QString &text);

// The crossed column: yes/no, y/n, true/false, 1/0 in any case; empty means
// crossed. Nothing for any other text.
std::optional<bool> batchCrossed(const QString &text);
