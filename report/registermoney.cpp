#include "registermoney.h"

#include "database.h"
#include "statements.h"


QString registerMoney(Money amount, const QString &currency)
{
    const QString figures = amount.toGrouped();
    return currency.isEmpty() ? figures : currency + QLatin1Char(' ') + figures;
}

QString registerTotal(Money total, qint64 notAdded, const QString &currency)
{
    if (notAdded == 0)
        return registerMoney(total, currency);
    return QStringLiteral("%1 (%2 not added: no plain figures)")
        .arg(registerMoney(total, currency)).arg(notAdded);
}

QString bankCurrency(const QString &bank)
{
    store::Connection connection(QStringLiteral("registermoney"));
    std::optional<QString> currency;
    if (connection.error().isValid()
        || store::findBankCurrency(connection.database(), bank, &currency).isValid())
        return {};
    return currency.value_or(QString());
}
