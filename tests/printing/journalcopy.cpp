// A copy of the program that prints cheques through the print journal on a
// test printer and ends itself with _exit at the step it is told, as a
// crash or a power cut would end it there. The test that runs it reads
// what each copy left behind.
//
//   journalcopy REGISTER single|batch STEP SPOOLFILE NUMBER...
//
// STEP is a step of the road (chequejournal.h: noted, sent, handed over,
// recorded), or the printer's: "print" (drawing the page), "handing" (the
// job about to reach the spooler), "spooled" (the spooler has it); any
// other word runs to the end. Each page's payee is "Payee NUMBER"; the
// texts of every job the spooler took are appended to SPOOLFILE.

#include "batchprint.h"
#include "chequejournal.h"
#include "database.h"
#include "recordedmessages.h"
#include "recordedprinting.h"
#include "rememberingprinter.h"
#include "testserver.h"

#include <QApplication>
#include <QThread>
#include <unistd.h>

namespace {

QString crashStep;

void crashAt(const QString &step)
{
    if (step == crashStep)
        _exit(3);
}

// Holds the recording printer the crashing one passes everything on to.
struct Recorded {
    std::unique_ptr<Printer> printer;
};

class CrashingPrinter : private Recorded, public RememberingPrinter
{
public:
    explicit CrashingPrinter(std::unique_ptr<Printer> recorded)
        : Recorded{std::move(recorded)}, RememberingPrinter(*printer) {}

    QString Print(const QString &text) override
    {
        crashAt(QStringLiteral("print"));
        return RememberingPrinter::Print(text);
    }
    QString EndDoc() override
    {
        crashAt(QStringLiteral("handing"));
        QThread::msleep(20);  // a spooler slow to answer
        const QString problem = RememberingPrinter::EndDoc();
        if (problem.isEmpty())
            crashAt(QStringLiteral("spooled"));
        return problem;
    }
};

ChequeItems chequeFor(const QString &number)
{
    return {QStringLiteral("City Bank"), QStringLiteral("Payee ") + number,
            QStringLiteral("10.00"), QStringLiteral("Ten Dollars Only"), QDate(2026, 12, 5),
            true};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        return 2;
    testserver::useRegisterAt(args[1]);
    crashStep = args[3];
    const QStringList numbers = args.mid(5);

    RecordedMessages messages;  // every question answered No
    RecordedPrinting recording;
    recording.spoolTo(args[4]);
    const PrinterFactory recorded = setPrinterFactory({});
    setPrinterFactory([&] { return std::make_unique<CrashingPrinter>(recorded()); });
    observePrintSteps([](const char *step) { crashAt(QString::fromLatin1(step)); });

    if (args[2] == u"single") {
        for (const QString &number : numbers)
            printAndRecord({chequeFor(number), number}, {});
    } else {
        QList<BatchCheque> cheques;
        for (const QString &number : numbers)
            cheques.append({{}, true, chequeFor(number), number, {}, false, {}});
        const BatchJob job = printBatch(cheques, {}, [](int) { return true; });
        const store::Connection connection(QStringLiteral("journalcopy"));
        if (!job.printed.pages.isEmpty()
            && store::recordJob(connection.database(), job.printed, {},
                                store::markNow(0, store::VoidAction::Void, {}))
                   .isValid())
            return 4;
        crashAt(QStringLiteral("recorded"));
    }
    for (const QString &text : messages.texts())
        fprintf(stderr, "%s\n", qPrintable(text));
    return 0;
}
