#include "chequenumbers.h"

#include "chequepage.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "registerstatements.h"

#include <QLineEdit>
#include <QRegularExpression>

QString numberAfter(const QString &number)
{
    if (!isAllDigits(number))
        return {};
    const QString digits = number.trimmed();
    // Decimal addition from the right, so a number of any length works.
    QString next = digits;
    int at = next.size() - 1;
    while (at >= 0 && next[at] == u'9')
        next[at--] = u'0';
    if (at < 0)
        return QLatin1Char('1') + next;
    next[at] = QChar(next[at].unicode() + 1);
    return next;
}

QString numberKey(const QString &number)
{
    QString key = number.trimmed();
    while (key.startsWith(u'0'))
        key.remove(0, 1);
    return key;
}

bool isAllDigits(const QString &number)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(number.trimmed()).hasMatch();
}

bool isLaterNumber(const QString &number, const QString &other)
{
    const QString key = numberKey(number), otherKey = numberKey(other);
    return key.size() != otherKey.size() ? key.size() > otherKey.size() : key > otherKey;
}

void suggestChequeNumber(const QString &bank, QLineEdit *box)
{
    if (!box->text().isEmpty())
        return;
    store::Connection connection(QStringLiteral("chequenumbers"));
    QString highest;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findHighestChequeNumber(connection.database(), bank, &highest);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("find the next cheque number"), error),
                       Messages::Icon::Critical);
        return;
    }
    box->setText(numberAfter(highest));
}

bool chequeNumberConfirmed(const QString &bank, const QString &number)
{
    store::Connection connection(QStringLiteral("chequenumbers"));
    std::optional<store::RegisterRow> earlier;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findChequeByNumber(connection.database(), bank, number, &earlier);
    if (error.isValid()) {
        // Unchecked, the cheque might repeat a number: it is not printed.
        Messages::show(store::failureText(QStringLiteral("check the cheque number"), error),
                       Messages::Icon::Critical);
        return false;
    }
    if (!earlier)
        return true;
    return Messages::ask(
        QStringLiteral("Cheque number %1 of %2 has been used already: the register holds the "
                       "cheque dated %3 to %4 for %5.\n\nPrint this cheque with the same "
                       "number again?")
            .arg(earlier->chequeNo.trimmed(), earlier->bankName,
                 chequeDateText(earlier->dateOfCheque), earlier->payeeName, earlier->amount));
}
