#include "registermoney.h"

#include "database.h"
#include "statements.h"

#include <QLocale>

QString registerMoney(qint64 cents, const QString &currency)
{
    const QString figures = QLocale(QLocale::English).toString(cents / 100.0, 'f', 2);
    return currency.isEmpty() ? figures : currency + QLatin1Char(' ') + figures;
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
