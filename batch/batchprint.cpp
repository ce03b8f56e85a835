#include "batchprint.h"

#include "batchstatements.h"
#include "chequepage.h"
#include "database.h"
#include "failure.h"
#include "layoutrecord.h"
#include "rememberingprinter.h"

#include <QHash>

namespace {

struct BankLayout {
    std::optional<LayoutRecord> layout;
    store::WordsChoice choice;
};

// The cheques' pages, each ended by the next one's beginning; returns how
// many were drawn, and in *problem why it stopped early.
int drawPages(const QSqlDatabase &db, const QList<BatchCheque> &cheques, Printer &printer,
              const std::function<bool(int)> &afterPage, QString *problem)
{
    QHash<QString, BankLayout> banks;
    for (int page = 0; page < cheques.size(); ++page) {
        const ChequeItems &items = cheques[page].items;
        BankLayout &bank = banks[items.bankName.toLower()];
        if (!bank.layout) {
            QSqlError error = loadLayoutRecord(db, items.bankName, &bank.layout);
            if (!error.isValid())
                error = store::findWordsChoice(db, items.bankName, &bank.choice);
            if (error.isValid() || !bank.layout) {
                *problem = store::failureText(
                    QStringLiteral("read the cheque layout of the bank \"%1\"").arg(items.bankName),
                    error);
                return page;
            }
        }
        QList<ComposedText> texts;
        *problem = composeCheque(*bank.layout, bank.choice, items, printer, &texts);
        if (problem->isEmpty() && page > 0)
            *problem = printer.NewPage();
        if (problem->isEmpty())
            *problem = printComposedTexts(printer, texts);
        if (!problem->isEmpty())
            return page;
        if (!afterPage(page + 1))
            return page + 1;
    }
    return int(cheques.size());
}

} // namespace

store::RegisterRow registerRowOf(const BatchCheque &cheque)
{
    return {cheque.items.date, cheque.items.payeeName, cheque.items.bankName, cheque.items.amount,
            cheque.chequeNo};
}

BatchJob printBatch(const QList<BatchCheque> &cheques, const QString &printerName,
                    const std::function<bool(int done)> &afterPage)
{
    BatchJob job;
    for (const BatchCheque &cheque : cheques)
        job.printed.append(registerRowOf(cheque));

    // 1. Every page noted before anything can reach the printer.
    const store::Connection connection(QStringLiteral("printBatch"));
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::writeBatchJournal(connection.database(), job.printed);
    if (error.isValid())
        return {{}, QStringLiteral("The batch has not been printed, because its cheques could not "
                                   "be noted for the register.\n\n")
                        + store::failureText(QStringLiteral("write the batch journal"), error)};

    // 2. The pages, as one job; settings repeat from cheque to cheque, and
    // reach the printer once.
    std::unique_ptr<Printer> printer = openPrinter(printerName);
    RememberingPrinter remembering(*printer);
    QString stopped;
    const int pages = drawPages(connection.database(), cheques, remembering, afterPage, &stopped);
    job.printed.resize(pages);

    // 3. The journal holds the pages that go out, then they go.
    (void)store::keepBatchJournalPages(connection.database(), pages);
    const QString refused = pages > 0 ? remembering.EndDoc() : stopped;
    if (!refused.isEmpty()) {
        (void)store::keepBatchJournalPages(connection.database(), 0);
        return {{}, QStringLiteral("The batch has not been printed.\n\n%1").arg(refused)};
    }
    // Unmarked, a stopped program would take the job for one never sent.
    (void)store::markBatchJournalHandedOver(connection.database());
    job.problem = stopped;
    return job;
}
