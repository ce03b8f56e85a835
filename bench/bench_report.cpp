// How long "Show Report" takes to bring the first screen of a month's
// cheques into the grid, with their void marks, over a register of a
// million cheques.
#include "database.h"
#include "frmReport.h"
#include "registerstatements.h"
#include "statements.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int chequeCount = 1'000'000;
constexpr int bankCount = 100;
constexpr int trials = 25;
const QDate firstDay(1999, 1, 1);
const QDate lastDay(2008, 12, 31);

QString bankName(int number)
{
    return QStringLiteral("Bank %1").arg(number, 3, 10, QLatin1Char('0'));
}

void fail(const QString &what, const QSqlError &error)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(error.text()));
    std::exit(1);
}

// Ten years of cheques in date order, each from one of the banks at random,
// written in one transaction; and a layout for every bank.
void fillRegister(QRandomGenerator &random)
{
    store::Connection connection(QStringLiteral("fill"));
    QSqlDatabase db = connection.database();
    const qint64 days = firstDay.daysTo(lastDay) + 1;
    db.transaction();
    for (int i = 0; i < chequeCount; ++i) {
        const store::RegisterRow cheque{firstDay.addDays(qint64(i) * days / chequeCount),
                                        QStringLiteral("Payee %1").arg(i % 997),
                                        bankName(random.bounded(bankCount)),
                                        QStringLiteral("%1.00").arg(i % 100000),
                                        QString::number(100000 + i)};
        if (const QSqlError error = store::addRegisterEntry(db, cheque); error.isValid())
            fail(QStringLiteral("fill the register"), error);
    }
    if (!db.commit())
        fail(QStringLiteral("commit the register"), db.lastError());
    // Every tenth cheque void, so the grid reads the marks as it shows rows.
    if (QSqlQuery marks(db); !marks.exec(QStringLiteral(
            "INSERT INTO ChequeVoidMarks (RegisterRow, Action, Reason, MarkedAt) "
            "SELECT rowid, 'void', 'Lost', '2009-01-01T00:00:00' FROM ChqIssuereg "
            "WHERE rowid % 10 = 0")))
        fail(QStringLiteral("mark cheques void"), marks.lastError());
    for (int bank = 0; bank < bankCount; ++bank) {
        store::LayoutRow layout;
        layout.bankName = bankName(bank);
        if (const QSqlError error = store::replaceLayout(db, layout); error.isValid())
            fail(QStringLiteral("add a layout"), error);
    }
}

// From the click to the grid's first screen of rows read, for one bank and
// one month.
double firstScreenMilliseconds(frmReport &window, const QString &bank, const QDate &month)
{
    window.findChild<QComboBox *>(QStringLiteral("cmbBnk"))->setEditText(bank);
    window.findChild<QDateEdit *>(QStringLiteral("DTPicker1"))->setDate(month);
    window.findChild<QDateEdit *>(QStringLiteral("DTPicker2"))
        ->setDate(month.addMonths(1).addDays(-1));
    const auto *grid = window.findChild<QTableView *>(QStringLiteral("DataGrid1"));
    const int screenRows = grid->height() / grid->verticalHeader()->defaultSectionSize() + 1;

    QElapsedTimer timer;
    timer.start();
    window.Command1_Click();
    const QAbstractItemModel *rows = grid->model();
    const int shown = std::min(rows->rowCount(), screenRows);
    for (int row = 0; row < shown; ++row)
        for (int column = 0; column < rows->columnCount(); ++column)
            rows->index(row, column).data();
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    if (shown == 0)
        fail(QStringLiteral("show a month of %1").arg(bank), QSqlError());
    return milliseconds;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    store::useDatabaseFile(dir.filePath(QStringLiteral("ql.mdb")));
    if (const QString problem = store::prepareDatabase(); !problem.isEmpty())
        fail(problem, QSqlError());
    QRandomGenerator random(7);

    QElapsedTimer fillTimer;
    fillTimer.start();
    fillRegister(random);
    std::fprintf(stderr, "filled %d cheques in %.1f s\n", chequeCount, fillTimer.elapsed() / 1e3);

    frmReport window;
    QList<double> times;
    for (int trial = 0; trial < trials; ++trial) {
        const QDate month = firstDay.addMonths(random.bounded(120));
        times << firstScreenMilliseconds(window, bankName(random.bounded(bankCount)), month);
    }
    std::sort(times.begin(), times.end());
    std::printf("report_first_screen_ms %.3f ms\n", times[trials / 2]);
    return 0;
}
