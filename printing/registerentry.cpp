#include "registerentry.h"

#include "chequepage.h"
#include "database.h"
#include "failure.h"
#include "messages.h"

namespace {

QString notRecordedText(const store::RegisterRow &cheque, const QSqlError &error)
{
    return QStringLiteral("The cheque has been printed but is NOT recorded in the register. "
                          "Please record it yourself:\n\n"
                          "Cheque No: %1\nBank: %2\nPayee: %3\nDate: %4\nAmount: %5\n\n")
               .arg(cheque.chequeNo, cheque.bankName, cheque.payeeName,
                    chequeDateText(cheque.dateOfCheque), cheque.amount)
        + store::failureText(QStringLiteral("record the cheque in the register"), error);
}

} // namespace

bool enterInRegister(const store::RegisterRow &cheque)
{
    store::Connection connection(QStringLiteral("frmPrtChq"));
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::addRegisterEntry(connection.database(), cheque);
    if (error.isValid())
        Messages::show(notRecordedText(cheque, error), Messages::Icon::Critical);
    return !error.isValid();
}
