#include "chequejournal.h"

#include "calibration.h"
#include "chequepage.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "printer.h"

namespace {

PrintStepObserver &stepObserver()
{
    static PrintStepObserver observer;
    return observer;
}

QString notNotedText(const QSqlError &error)
{
    return QStringLiteral("The cheque has not been printed, because it could not be noted for "
                          "the register.\n\n")
        + store::failureText(QStringLiteral("write the print journal"), error);
}

QString notRecordedText(const store::RegisterRow &cheque, const QSqlError &error)
{
    return QStringLiteral("The cheque has been printed but is NOT recorded in the register. "
                          "It stays in the print journal, and Quillmark offers it for "
                          "recording when it starts again:\n\n"
                          "Cheque No: %1\nBank: %2\nPayee: %3\nDate: %4\nAmount: %5\n\n")
               .arg(cheque.chequeNo, cheque.bankName, cheque.payeeName,
                    chequeDateText(cheque.dateOfCheque), cheque.amount)
        + store::failureText(QStringLiteral("record the cheque in the register"), error);
}

// Takes a job that never reached the printer out of the journal, freeing
// its number; false after telling the user it could not be.
bool dropJob(const QSqlDatabase &db, qint64 job)
{
    const QSqlError error = store::keepJobPages(db, store::thisCopy(), job, 0);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("clear the print journal"), error),
                       Messages::Icon::Critical);
    return !error.isValid();
}

} // namespace

store::JournalPage journalPageOf(const ChequeItems &items, const QString &chequeNo,
                                 qint64 replaces)
{
    const store::RegisterRow row{items.date, items.payeeName, items.bankName, items.amount,
                                 chequeNo};
    return {row, Money::parse(QString(items.amount).remove(u' ')).value_or(Money()),
            items.amountInWords, items.crossed, replaces};
}

bool printWithUsedNumber(const store::RegisterRow &earlier, bool noted)
{
    const QString where =
        noted ? QStringLiteral("a cheque dated %1 to %2 for %3 is being printed or waits to be "
                               "recorded.")
              : QStringLiteral("the register holds the cheque dated %1 to %2 for %3.");
    return Messages::ask(
        QStringLiteral("Cheque number %1 of %2 has been used already: ")
            .arg(earlier.chequeNo.trimmed(), earlier.bankName)
        + where.arg(chequeDateText(earlier.dateOfCheque), earlier.payeeName, earlier.amount)
        + QStringLiteral("\n\nPrint this cheque with the same number again?"));
}

void observePrintSteps(PrintStepObserver observer)
{
    stepObserver() = std::move(observer);
}

void reachedPrintStep(const char *step)
{
    if (stepObserver())
        stepObserver()(step);
}

PrintOutcome printAndRecord(const ChequeToPrint &cheque, const QString &printerName)
{
    // 1. Noted, its number reserved, before anything can reach the printer
    //    (which must be known to print on its mark).
    if (const QString problem = keptOffsetProblem(printerName); !problem.isEmpty()) {
        Messages::show(problem, Messages::Icon::Critical);
        return PrintOutcome::NotPrinted;
    }
    const store::Connection connection(QStringLiteral("printAndRecord"));
    const QSqlDatabase db = connection.database();
    store::JournalJob job{store::thisCopy(), 0, store::JobState::Noted,
                          {journalPageOf(cheque.items, cheque.chequeNo, cheque.replaces)}, {}};
    QList<std::optional<store::RegisterRow>> earlier;
    QList<bool> noted;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::noteJob(db, job.pages, &job.job, &earlier, &noted);
    if (error.isValid()) {
        Messages::show(notNotedText(error), Messages::Icon::Critical);
        return PrintOutcome::NotPrinted;
    }
    reachedPrintStep("noted");

    // 2. A number used before prints again only when the user says so,
    //    asked with no lock held.
    if (earlier.value(0) && !printWithUsedNumber(*earlier[0], noted[0])) {
        dropJob(db, job.job);
        return PrintOutcome::NotPrinted;
    }

    // 3. The page, noted as handing over before it is sent: a job stopped
    //    then may or may not have printed.
    const QString problem = printChequePage(cheque.items, *openPrinter(printerName), [&] {
        const QSqlError marked = store::setJobState(db, job.job, store::JobState::HandingOver);
        return marked.isValid() ? notNotedText(marked) : QString();
    });
    if (!problem.isEmpty()) {
        dropJob(db, job.job);
        Messages::show(problem, Messages::Icon::Critical);
        return PrintOutcome::NotPrinted;
    }
    reachedPrintStep("sent");

    // 4. Handed over, then recorded with the note cleared, at once. Should
    //    the mark fail, the record below still settles the job.
    if (error = store::setJobState(db, job.job, store::JobState::HandedOver); !error.isValid())
        reachedPrintStep("handed over");
    error = store::recordJob(db, job, {true}, store::markNow(0, store::VoidAction::Void, {}));
    if (error.isValid()) {
        Messages::show(notRecordedText(job.pages[0].cheque, error), Messages::Icon::Critical);
        return PrintOutcome::NotRecorded;
    }
    reachedPrintStep("recorded");
    return PrintOutcome::Recorded;
}
