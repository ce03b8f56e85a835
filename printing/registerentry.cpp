#include "registerentry.h"

#include "chequepage.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "transaction.h"

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

RegisterEntry::RegisterEntry()
    : m_connection(QStringLiteral("frmPrtChq"))
{
    QSqlError error = m_connection.error();
    if (!error.isValid())
        error = store::beginWrite(m_connection.database());
    m_held = !error.isValid();
    if (!m_held)
        Messages::show(QStringLiteral("The cheque has not been printed, because it could not "
                                      "be recorded in the register.\n\n")
                           + store::failureText(QStringLiteral("open the register for writing"),
                                                error),
                       Messages::Icon::Critical);
}

RegisterEntry::~RegisterEntry()
{
    if (m_held)
        store::rollbackWrite(m_connection.database());
}

bool RegisterEntry::enter(const store::RegisterRow &cheque)
{
    QSqlError error = store::addRegisterEntry(m_connection.database(), cheque);
    if (!error.isValid())
        error = store::commitWrite(m_connection.database());
    if (error.isValid()) {
        Messages::show(notRecordedText(cheque, error), Messages::Icon::Critical);
        return false;
    }
    m_held = false;
    return true;
}
