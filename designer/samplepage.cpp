#include "samplepage.h"

#include "chequepage.h"
#include "currencywording.h"
#include "database.h"
#include "failure.h"
#include "messages.h"

#include <QDate>

namespace {

const QString sampleAmount = QStringLiteral("123456.78");
const QString unnamedCurrency = QStringLiteral("INR");

} // namespace

QString composeSamplePage(const LayoutRecord &layout, const store::WordsChoice &choice,
                          const ChequeItems &items, PreviewPrinter &printer)
{
    QList<ComposedText> texts;
    if (QString problem = composeCheque(layout, choice, items, printer, &texts);
        !problem.isEmpty())
        return problem;
    if (QString problem = printComposedTexts(printer, texts); !problem.isEmpty())
        return problem;
    return printer.EndDoc();
}

ChequeItems sampleCheque(const QString &bankName)
{
    // 1. The bank's currency; a bank not yet listed has none.
    const store::Connection connection(QStringLiteral("sampleCheque"));
    std::optional<QString> currency;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findBankCurrency(connection.database(), bankName, &currency);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("read the bank"), error),
                       Messages::Icon::Critical);

    // 2. The amount worded as the print window words it.
    const QString code = currency && !currency->isEmpty() ? *currency : unnamedCurrency;
    const CurrencyWording wording = udf_wordCurrency(sampleAmount, code);
    return {bankName, QStringLiteral("Sample Payee Name"), wording.amountText, wording.words,
            QDate::currentDate(), true};
}
