// The print cheque window: how long it takes to open over 10,000 payees and
// 1,000 banks with layouts, and one whole Print, from the button to the page
// at the spooler and the cheque in the register. The Print figure needs the
// CUPS spooler with its PDF printer that bench/run starts.
#include "database.h"
#include "frmPrtChq.h"
#include "messages.h"
#include "statements.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int payeeCount = 10'000;
constexpr int bankCount = 1'000;
constexpr int openTrials = 15;
constexpr int printTrials = 7;

QStringList messages;  // every message box, answered at once

void fail(const QString &what, const QSqlError &error = {})
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(error.text()));
    std::exit(1);
}

void fillTables()
{
    store::Connection connection(QStringLiteral("fill"));
    QSqlDatabase db = connection.database();
    // Payees and layouts are replaced in a transaction each.
    for (int i = 0; i < payeeCount; ++i) {
        if (const QSqlError error = store::replacePayee(db, QStringLiteral("payee%1").arg(i),
                                                        QStringLiteral("Payee Number %1").arg(i));
            error.isValid())
            fail(QStringLiteral("add a payee"), error);
    }
    for (int i = 0; i < bankCount; ++i) {
        store::LayoutRow layout;
        layout.bankName = QStringLiteral("Bank %1").arg(i, 4, 10, QLatin1Char('0'));
        layout.scaleMode = QStringLiteral("Inches");
        layout.positions = {0.5, 7, 1.5, 1.2, 1, 5, 1.7, 1, 10, 2.2, 1, 5, 2.2, 7, 1.5};
        const store::BankRow bank{QString::number(400000 + i), layout.bankName,
                                  i % 2 ? QStringLiteral("USD") : QStringLiteral("INR")};
        if (QSqlError error = store::addBank(db, bank); error.isValid())
            fail(QStringLiteral("add a bank"), error);
        if (QSqlError error = store::replaceLayout(db, layout); error.isValid())
            fail(QStringLiteral("add a layout"), error);
    }
}

double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Creating the window runs its opening steps: both lists filled, the date set.
double openMilliseconds()
{
    QElapsedTimer timer;
    timer.start();
    frmPrtChq window;
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    if (window.findChild<QComboBox *>(QStringLiteral("cmbPayee"))->count() != payeeCount)
        fail(QStringLiteral("fill the payee list"));
    return milliseconds;
}

// A bank and payee chosen, the amount worded; then Print is timed.
double printMilliseconds(int trial)
{
    frmPrtChq window;
    auto *banks = window.findChild<QComboBox *>(QStringLiteral("cmbBnk"));
    banks->setCurrentIndex(trial * 97 % bankCount);
    window.cmbBnk_Click();
    auto *payees = window.findChild<QComboBox *>(QStringLiteral("cmbPayee"));
    payees->setCurrentIndex(trial * 1009 % payeeCount);
    window.cmbPayee_Click();
    window.findChild<QLineEdit *>(QStringLiteral("txtChqNo"))->setText(QString::number(trial));
    window.findChild<QLineEdit *>(QStringLiteral("Text2"))->setText(QStringLiteral("123456.78"));
    window.Text2_LostFocus();
    messages.clear();

    QElapsedTimer timer;
    timer.start();
    window.Print_Click();
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    if (messages != QStringList{QStringLiteral("Cheque Printing Completed")})
        fail(QStringLiteral("print a cheque: %1").arg(messages.join(QStringLiteral(" / "))));
    return milliseconds;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Messages::setPresenter([](const Messages::Message &message) { messages << message.text; });
    // Filled in memory, where each transaction's flush costs nothing, then
    // measured on disk as a user's file is.
    QTemporaryDir memoryDir(QStringLiteral("/dev/shm/bench_prtchq-XXXXXX"));
    QTemporaryDir dir;
    const QString filled = (memoryDir.isValid() ? memoryDir : dir).filePath(QStringLiteral("filled.mdb"));
    store::useDatabaseFile(filled);
    if (const QString problem = store::prepareDatabase(); !problem.isEmpty())
        fail(problem);
    fillTables();
    const QString measured = dir.filePath(QStringLiteral("ql.mdb"));
    if (!QFile::copy(filled, measured))
        fail(QStringLiteral("copy the data file to %1").arg(measured));
    store::useDatabaseFile(measured);

    QList<double> openTimes;
    for (int trial = 0; trial < openTrials; ++trial)
        openTimes << openMilliseconds();
    std::printf("prtchq_open_ms %.3f ms\n", median(openTimes));

    // Cheques go only to the spooler's test printer, never to a real one.
    const QString printer = qEnvironmentVariable("QUILLMARK_PRINTER");
    if (printer.isEmpty() || QPrinterInfo::defaultPrinter().printerName() != printer) {
        std::fprintf(stderr, "prtchq_print_ms needs the test printer: run bench/run, which "
                             "starts it (or source scripts/cups.sh first)\n");
        return 0;
    }
    QList<double> printTimes;
    for (int trial = 0; trial < printTrials; ++trial)
        printTimes << printMilliseconds(trial);
    std::printf("prtchq_print_ms %.3f ms\n", median(printTimes));
    return 0;
}
