#include "batchsamepayments.h"

#include "database.h"
#include "failure.h"
#include "samepayment.h"

int markSamePayments(QList<BatchCheque> *cheques, QString *problem)
{
    // 1. The register's payments over the batch's dates, read at once.
    QDate from;
    QDate to;
    for (const BatchCheque &cheque : std::as_const(*cheques))
        if (cheque.ready() && !cheque.printed) {
            from = from.isValid() ? std::min(from, cheque.items.date) : cheque.items.date;
            to = std::max(to, cheque.items.date);
        }
    if (!from.isValid())
        return 0;
    QHash<QString, store::RegisterRow> paid;
    const store::Connection connection(QStringLiteral("markSamePayments"));
    QSqlError error = connection.error();
    if (!error.isValid())
        error = readPaymentsMade(connection.database(), from, to, &paid);
    if (error.isValid()) {
        *problem = store::failureText(QStringLiteral("look for payments made already"), error);
        return 0;
    }

    // 2. Each row against them, then against the rows before it.
    QHash<QString, int> lines;
    int marked = 0;
    for (BatchCheque &cheque : *cheques) {
        if (!cheque.ready() || cheque.printed)
            continue;
        const ChequeItems &items = cheque.items;
        const QString key = paymentKey(items.payeeName, items.amount, items.date);
        if (const auto earlier = paid.constFind(key); earlier != paid.cend())
            cheque.samePayment = paidAlreadyText(*earlier);
        else if (const int line = lines.value(key))
            cheque.samePayment = QStringLiteral("the same payment as line %1").arg(line);
        else
            lines.insert(key, cheque.row.line);
        if (!cheque.samePayment.isEmpty()) {
            cheque.included = false;
            ++marked;
        }
    }
    return marked;
}
