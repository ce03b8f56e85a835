#pragma once

#include "payfile.h"

#include <QSqlDatabase>

// An export of one bank's cheques to its Positive Pay file, in two steps:
// prepare (read, choose, check, write the bytes in memory), then save the
// file and mark its records sent together, or neither.
namespace positivepay {

// "Cheques not yet sent": each cheque the bank does not know as it stands
// now. Otherwise every cheque dated from..to goes out as it stands.
struct ExportChoice {
    QString bankName;
    bool notYetSent = true;
    QDate from;
    QDate to;
};

struct PreparedExport {
    ExportChoice choice;
    Layout layout;
    Account account;
    PayFile file;
    // What stops the export, in words: no details, no layout, cheques
    // that do not fit. Empty when the file can be saved.
    QStringList problems;
    qint64 newestFile = 0;  // the bank's latest file when prepared
};

// What a cheque goes out as: an issue when the bank does not have it as
// issued and it is not void; a void when the bank has it as issued (or,
// for a date range, has had it at all) and it is void now; nothing else.
std::optional<RecordKind> recordToSend(bool isVoid, const QString &lastSent, bool notYetSent);

// Reads and checks; returns a database failure, or an invalid error.
QSqlError prepareExport(const QSqlDatabase &db, const ExportChoice &choice,
                        PreparedExport *prepared);

// Saves the file at the path and marks what it holds sent, in one write
// transaction: a file that cannot be saved marks nothing. Returns what
// failed, in words, or an empty text.
QString finishExport(const QSqlDatabase &db, const PreparedExport &prepared,
                     const QString &path);

} // namespace positivepay
