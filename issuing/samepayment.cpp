#include "samepayment.h"

#include "database.h"
#include "failure.h"
#include "messages.h"
#include "money.h"
#include "paymentstatements.h"

#include <QLocale>

QString plainDateText(const QDate &date)
{
    return QLocale::c().toString(date, QStringLiteral("dd MMM yyyy"));
}

// Amounts compare as money ("1,500.00" is "1500"); text that is none as written.
QString paymentKey(const QString &payeeName, const QString &amount, const QDate &date)
{
    const std::optional<Money> money = Money::parse(amount.trimmed());
    return payeeName.trimmed().toLower() + u'\n' + date.toString(Qt::ISODate) + u'\n'
        + (money ? money->toPlain() : amount.trimmed());
}

QSqlError readPaymentsMade(const QSqlDatabase &db, const QDate &from, const QDate &to,
                           QHash<QString, store::RegisterRow> *paid)
{
    QList<store::RegisterRow> cheques;
    if (QSqlError error = store::listPaymentsDated(db, from, to, &cheques); error.isValid())
        return error;
    for (const store::RegisterRow &cheque : std::as_const(cheques))
        paid->insert(paymentKey(cheque.payeeName, cheque.amount, cheque.dateOfCheque), cheque);
    return {};
}

QString paidAlreadyText(const store::RegisterRow &earlier)
{
    return QStringLiteral("paid already as cheque %1 on %2")
        .arg(earlier.chequeNo.trimmed(), plainDateText(earlier.dateOfCheque));
}

bool samePaymentConfirmed(const store::RegisterRow &cheque, const store::RegisterRow &reprintOf)
{
    const store::Connection connection(QStringLiteral("samepayment"));
    QList<store::RegisterRow> paid;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::listPaymentsDated(connection.database(), cheque.dateOfCheque,
                                         cheque.dateOfCheque, &paid);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("look for the same payment"), error),
                       Messages::Icon::Critical);
        return false;
    }
    const QString key = paymentKey(cheque.payeeName, cheque.amount, cheque.dateOfCheque);
    const auto earlier = std::find_if(paid.cbegin(), paid.cend(), [&](const store::RegisterRow &row) {
        const bool reprinted = row.bankName == reprintOf.bankName
                               && row.chequeNo.trimmed() == reprintOf.chequeNo.trimmed();
        return !reprinted && paymentKey(row.payeeName, row.amount, row.dateOfCheque) == key;
    });
    if (earlier == paid.cend())
        return true;
    return Messages::ask(
        QStringLiteral("This payment is in the register already: %1 to %2, %3 (%4).\n\n"
                       "Print it again?")
            .arg(cheque.amount.trimmed(), cheque.payeeName, paidAlreadyText(*earlier),
                 earlier->bankName));
}
