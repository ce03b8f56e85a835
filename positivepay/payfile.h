#pragma once

#include "money.h"
#include "paylayout.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QStringList>

namespace positivepay {

// The account the cheques are drawn on, as the bank knows it.
struct Account {
    QString bankName;
    QString accountNumber;
    QString branchMicr;
    QString transactionCode;
    QString shortAccountNumber;
};

enum class RecordKind { Issue, Void };

// One record of the file: a cheque of the register, issued or voided.
struct PayRecord {
    qint64 registerRow = 0;  // the cheque's register row, to mark it sent
    RecordKind kind = RecordKind::Issue;
    QDate date;
    QString chequeNo;
    QString payeeName;
    Money amount;
};

// The file's bytes, or the cheques that do not fit the layout, each named
// with why. Nothing is written while anything is refused.
struct PayFile {
    QByteArray bytes;
    QStringList refused;
    QList<PayRecord> written;
    // Voids the layout has no code for: the bank must be told by hand.
    QList<PayRecord> leftOut;
};

// Checks every record against the layout's limits, then writes them in
// order, as UTF-8, each line ended by CR LF (the line end of CSV and of
// bank transmissions).
PayFile writePayFile(const Layout &layout, const Account &account,
                     const QList<PayRecord> &records);

// Writes the bytes at the path whole or not at all; returns what failed,
// or an empty text.
QString savePayFile(const QString &path, const QByteArray &bytes);

} // namespace positivepay
