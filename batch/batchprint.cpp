#include "batchprint.h"

#include "calibration.h"
#include "chequejournal.h"
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

namespace {

QString notPrinted(const QString &why)
{
    return QStringLiteral("The batch has not been printed.\n\n%1").arg(why);
}

QString notNoted(const QSqlError &error)
{
    return QStringLiteral("The batch has not been printed, because its cheques could not be "
                          "noted for the register.\n\n")
        + store::failureText(QStringLiteral("write the print journal"), error);
}

// Why a page's number may not be used after all: another window or copy
// took it since the batch was checked.
QString takenMeanwhile(const QList<std::optional<store::RegisterRow>> &earlier,
                       const QList<BatchCheque> &cheques)
{
    for (qsizetype page = 0; page < earlier.size(); ++page)
        if (earlier[page])
            return QStringLiteral("Cheque number %1 of %2 has been used since the batch was "
                                  "checked. Check the batch again.")
                .arg(cheques[page].chequeNo, cheques[page].items.bankName);
    return {};
}

} // namespace

BatchJob printBatch(const QList<BatchCheque> &cheques, const QString &printerName,
                    const std::function<bool(int done)> &afterPage)
{
    BatchJob job{{store::thisCopy(), 0, store::JobState::Noted, {}, {}}, {}};
    for (const BatchCheque &cheque : cheques)
        job.printed.pages.append(journalPageOf(cheque.items, cheque.chequeNo));

    // 1. Every page noted, its number reserved, before anything can reach
    //    the printer.
    if (const QString problem = keptOffsetProblem(printerName); !problem.isEmpty())
        return {{}, problem};
    const store::Connection connection(QStringLiteral("printBatch"));
    const QSqlDatabase db = connection.database();
    QList<std::optional<store::RegisterRow>> earlier;
    QList<bool> noted;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::noteJob(db, job.printed.pages, &job.printed.job, &earlier, &noted);
    if (error.isValid())
        return {{}, notNoted(error)};
    const auto forget = [&](const QString &why) {
        const QSqlError dropped = store::keepJobPages(db, store::thisCopy(), job.printed.job, 0);
        return BatchJob{{}, dropped.isValid()
                                ? why + u'\n' + store::failureText(
                                      QStringLiteral("clear the print journal"), dropped)
                                : why};
    };
    if (const QString taken = takenMeanwhile(earlier, cheques); !taken.isEmpty())
        return forget(notPrinted(taken));
    reachedPrintStep("noted");

    // 2. The pages, as one job; settings repeat from cheque to cheque, and
    //    reach the printer once.
    std::unique_ptr<Printer> printer = openPrinter(printerName);
    RememberingPrinter remembering(*printer);
    QString stopped;
    const int pages = drawPages(db, cheques, remembering, afterPage, &stopped);
    job.printed.pages.resize(pages);
    if (pages == 0)
        return forget(notPrinted(stopped));

    // 3. The journal holds the pages that go out, handing over, then they go.
    error = store::keepJobPages(db, store::thisCopy(), job.printed.job, pages);
    if (!error.isValid())
        error = store::setJobState(db, job.printed.job, store::JobState::HandingOver);
    if (error.isValid()) {
        remembering.KillDoc();
        return forget(notNoted(error));
    }
    if (const QString refused = remembering.EndDoc(); !refused.isEmpty())
        return forget(notPrinted(refused));
    reachedPrintStep("sent");

    // 4. Unmarked, the job would be offered at the next start as one that
    //    perhaps never printed; the confirmation settles it either way.
    error = store::setJobState(db, job.printed.job, store::JobState::HandedOver);
    job.printed.state = store::JobState::HandedOver;
    if (!error.isValid())
        reachedPrintStep("handed over");
    job.problem = stopped;
    return job;
}
