// A clerk at a desk of an office sharing one register: prints cheques for
// two banks in turn, each with the bank's next number as the print window
// suggests it, voids every fiftieth and prints one batch of five, all
// through the one print path on a recording printer. The multi-clerk test
// and the clerks' benchmark start several at once against one server.
//
//   clerkcopy REGISTER CHEQUES [SPOOLFILE]
//
// On stdout, every cheque recorded: "recorded BANK|NUMBER|CENTS|MICROSECONDS"
// (from pressing Print to recorded; 0 for the batch's), and every void:
// "void BANK|NUMBER". With SPOOLFILE, every job the printer takes is
// appended to it (RecordedPrinting::spoolTo). Ends with 0 when all went,
// 5 after a failure other than a number taken meanwhile, told on stderr.

#include "batchprint.h"
#include "chequejournal.h"
#include "chequenumberkey.h"
#include "chequenumbers.h"
#include "database.h"
#include "recordedmessages.h"
#include "recordedprinting.h"
#include "registerstatements.h"
#include "testserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <cstdio>

namespace {

const QString banks[] = {QStringLiteral("City Bank"), QStringLiteral("River Bank")};
const QString usedAlready = QStringLiteral("has been used already");

struct Clerk {
    RecordedMessages messages;  // every question answered No
    store::Connection connection{QStringLiteral("clerk")};
    int printed = 0;

    ChequeItems chequeFor(const QString &bank)
    {
        const qint64 cents = 100 + (QCoreApplication::applicationPid() * 7919 + printed * 104729) % 99900;
        return {bank, QStringLiteral("Clerk %1-%2").arg(QCoreApplication::applicationPid()).arg(++printed),
                QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0')),
                QStringLiteral("Some Rupees Only"), QDate(2026, 12, 7), true};
    }

    // The number the print window would suggest for the bank now.
    QString nextNumber(const QString &bank, int after = 1)
    {
        QString number;
        if (store::findHighestChequeNumber(connection.database(), bank, &number).isValid())
            fail(QStringLiteral("cannot find the next number"));
        for (int step = 0; step < after; ++step)
            number = number.isEmpty() ? QStringLiteral("1") : numberAfter(number);
        return number;
    }

    void tell(const char *what, const ChequeItems &items, const QString &number, qint64 us)
    {
        const qint64 cents = Money::parse(items.amount)->cents();
        std::printf("%s %s|%s|%lld|%lld\n", what, qPrintable(items.bankName), qPrintable(number),
                    qlonglong(cents), qlonglong(us));
    }

    [[noreturn]] void fail(const QString &why)
    {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n%s\n", qPrintable(why), qPrintable(messages.texts().join(u'\n')));
        std::exit(5);
    }

    // Only a number another clerk took meanwhile is tried again.
    void checkRefusal()
    {
        if (messages.all().isEmpty() || !messages.all().last().text.contains(usedAlready))
            fail(QStringLiteral("a cheque was refused"));
        messages.clear();
    }

    // The number it was printed with.
    QString printOne(const QString &bank)
    {
        const ChequeItems items = chequeFor(bank);
        for (;;) {
            const QString number = nextNumber(bank);
            QElapsedTimer pressed;
            pressed.start();
            const PrintOutcome outcome = printAndRecord({items, number}, {});
            if (outcome == PrintOutcome::Recorded) {
                tell("recorded", items, number, pressed.nsecsElapsed() / 1000);
                return number;
            }
            if (outcome == PrintOutcome::NotRecorded)
                fail(QStringLiteral("a printed cheque was not recorded"));
            checkRefusal();
        }
    }

    void voidLast(const QString &bank, const QString &number)
    {
        QSqlQuery row(connection.database());
        row.prepare(QStringLiteral("select RegisterRow from ChequeNumberKeys where BankKey = ? "
                                   "and NumberKey = ?"));
        row.addBindValue(store::bankKey(bank));
        row.addBindValue(store::chequeNumberKey(number));
        if (!row.exec() || !row.next()
            || store::addVoidMark(connection.database(),
                                  store::markNow(row.value(0).toLongLong(),
                                                 store::VoidAction::Void, QStringLiteral("torn")))
                   .isValid())
            fail(QStringLiteral("cannot void cheque ") + number);
        std::printf("void %s|%s\n", qPrintable(bank), qPrintable(number));
    }

    void printBatchOfFive(const QString &bank)
    {
        for (;;) {
            QList<BatchCheque> cheques;
            for (int page = 1; page <= 5; ++page)
                cheques.append({{}, true, chequeFor(bank), nextNumber(bank, page), {}, false, {}});
            const BatchJob job = printBatch(cheques, {}, [](int) { return true; });
            if (job.printed.pages.isEmpty()) {
                if (!job.problem.contains(QStringLiteral("has been used since")))
                    fail(job.problem);
                continue;
            }
            if (store::recordJob(connection.database(), job.printed, {},
                                 store::markNow(0, store::VoidAction::Void, {}))
                    .isValid())
                fail(QStringLiteral("the batch was not recorded"));
            for (int page = 0; page < 5; ++page)
                tell("recorded", cheques[page].items, cheques[page].chequeNo, 0);
            return;
        }
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    testserver::useRegisterAt(args[1]);
    RecordedPrinting recording;
    if (args.size() > 3)
        recording.spoolTo(args[3]);
    Clerk clerk;
    if (clerk.connection.error().isValid())
        clerk.fail(clerk.connection.error().text());
    const int cheques = args[2].toInt();
    for (int cheque = 0; cheque < cheques; ++cheque) {
        const QString &bank = banks[cheque % 2];
        const QString number = clerk.printOne(bank);
        if (cheque % 50 == 49)
            clerk.voidLast(bank, number);
        if (cheque == cheques / 2)
            clerk.printBatchOfFive(banks[1]);
        std::fflush(stdout);
    }
    return 0;
}
