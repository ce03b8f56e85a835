#pragma once

#include <QSqlError>
#include <QSqlQuery>
#include <QString>

// Fills the register with cheques: numbers "0000001" on, every hundredth
// one with a letter, dates over ten years; every tenth cheque void. Gives
// what failed, or an empty text.
inline QString fillRegister(QSqlDatabase db, int cheques)
{
    QSqlQuery query(db);
    const bool filled = query.exec(QStringLiteral(
        "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < %1) "
        "INSERT INTO ChqIssuereg SELECT date('1999-01-01', '+' || (n * 3652 / %1) || ' days'), "
        "'Payee ' || (n % 997), 'HDFC', (n % 100000) || '.00', "
        "CASE WHEN n % 100 = 0 THEN 'A' || n ELSE printf('%07d', n) END FROM c")
                                      .arg(cheques))
        && query.exec(QStringLiteral(
            "INSERT INTO ChequeVoidMarks (RegisterRow, Action, Reason, MarkedAt) "
            "SELECT rowid, 'void', 'Lost', '2009-01-01T00:00:00' FROM ChqIssuereg "
            "WHERE rowid % 10 = 0"));
    return filled ? QString() : query.lastError().text();
}
