#include "chequenumbers.h"

#include "chequenumberkey.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "registerstatements.h"

#include <QLineEdit>
#include <QVariant>

namespace {

// The box's property that holds the number last suggested in it.
const char suggestedNumber[] = "suggestedNumber";

} // namespace

QString numberAfter(const QString &number)
{
    if (!isAllDigits(number))
        return {};
    const QString digits = store::meantChequeNumber(number);
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
    return store::chequeNumberKey(number);
}

bool isAllDigits(const QString &number)
{
    return store::isDigitNumber(store::meantChequeNumber(number));
}

bool isLaterNumber(const QString &number, const QString &other)
{
    const QString key = numberKey(number), otherKey = numberKey(other);
    return key.size() != otherKey.size() ? key.size() > otherKey.size() : key > otherKey;
}

void suggestChequeNumber(const QString &bank, QLineEdit *box)
{
    if (!box->text().isEmpty() && box->text() != box->property(suggestedNumber).toString())
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
    box->setProperty(suggestedNumber, box->text());
}
