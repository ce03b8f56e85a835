#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// How a file writes its n/n/yyyy dates.
enum class DateOrder { DayFirst, MonthFirst };

// One cheque of a batch file as written there, before anything is checked.
struct BatchCsvRow {
    int line = 0;  // the file line the row starts on, for the user
    QString bank;
    QString payee;   // a payee's nick name or its name
    QString amount;
    QString date;
    QString number;  // empty: the bank's next number
    QString crossed; // empty: crossed
    DateOrder dateOrder = DateOrder::DayFirst;
    int dateOrderLine = 0;  // the line whose date settles the order; 0 when chosen
    QStringList problems = {};  // what reading the line found wrong: it cannot print
};

struct BatchCsv {
    QList<BatchCsvRow> rows;
    QString problem;  // why the file cannot be read; empty when it can
    QString encoding = {};  // "UTF-8" or "Windows-1252"
    QList<int> badByteLines = {};  // lines holding bytes the encoding has no character for
    QStringList unusedColumns = {};
    std::optional<DateOrder> dateOrder = {};  // settled by a date of the file
    int dateOrderLine = 0;
    bool needsDateOrder = false;  // n/n/yyyy dates that no date of the file settles
};

// What one batch may hold, so a wrong file is refused in bounded time and memory.
inline constexpr qint64 maxBatchBytes = 64 * 1024 * 1024;
inline constexpr int maxBatchRows = 100'000;
// A field longer than this is no bank, payee, amount or date.
inline constexpr int maxBatchFieldLength = 1000;

// Reads a batch from a CSV file's bytes (RFC 4180): UTF-8 with or without a
// byte-order mark, or Windows-1252 when the file as a whole is no UTF-8;
// fields separated by commas or semicolons, whichever the header line uses
// outside quotes or an Excel "sep=" first line names; lines ending in CR LF,
// LF or CR alone. The header names the columns in any order and case, by
// their usual names (see the README): bank, payee, amount and date are
// needed, number and crossed may be added, others are listed as unused.
// Blank lines are skipped. A row with more fields than the header is
// refused, as is one with a field too long to be meant or bytes the
// encoding has no character for. The order of n/n/yyyy dates is read from
// the file when a number above 12 settles it.
BatchCsv readBatchCsv(QByteArray bytes);
// The same from a file, refused unless it is a regular file of at most
// maxBatchBytes.
BatchCsv readBatchCsvFile(const QString &path);

// Sets the order of the rows' n/n/yyyy dates, as the user chose it.
void setDateOrder(BatchCsv *batch, DateOrder order);
// The order of the system's short date format.
DateOrder systemDateOrder();
// What the window's summary says of the file: its encoding, the lines whose
// bytes do not fit it, the order of its dates and the columns not used.
QString batchFileNote(const BatchCsv &batch);

// A date as a batch may write it: yyyy-mm-dd, dd.mm.yyyy, n/n/yyyy or
// n-n-yyyy in the order given, or dd/MMM/yyyy or dd-MMM-yyyy with the
// month's English short name in any case; nothing for any other text or a
// day that does not exist.
std::optional<QDate> batchDate(const QString &text, DateOrder order = DateOrder::DayFirst);
// Why the row's date is no date; empty when it is one.
QString batchDateProblem(const BatchCsvRow &row);

// The crossed column: yes/no, y/n, true/false, 1/0 in any case; empty means
// crossed. Nothing for any other text.
std::optional<bool> batchCrossed(const QString &text);
