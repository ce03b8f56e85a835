#include "registeractions.h"

#include "controls.h"
#include "database.h"
#include "failure.h"
#include "frmPrtChq.h"
#include "frmVoid.h"
#include "messages.h"
#include "registercsv.h"
#include "registerlisting.h"
#include "registermodel.h"
#include "registermoney.h"
#include "twips.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>

RegisterActions::RegisterActions(RegisterModel *rows, QTableView *grid, QWidget *parent)
    : QWidget(parent), rows(rows), grid(grid)
{
    setObjectName(QStringLiteral("RegisterActions"));
    lblTotals = new QLabel(this);
    lblTotals->setObjectName(QStringLiteral("lblTotals"));
    cmdVoid = newButton(QStringLiteral("cmdVoid"), QStringLiteral("Void..."), this);
    connect(cmdVoid, &QPushButton::clicked, this, &RegisterActions::cmdVoid_Click);
    cmdUndoVoid = newButton(QStringLiteral("cmdUndoVoid"), QStringLiteral("Undo Void"), this);
    connect(cmdUndoVoid, &QPushButton::clicked, this, &RegisterActions::cmdUndoVoid_Click);
    cmdReprint = newButton(QStringLiteral("cmdReprint"), QStringLiteral("Reprint..."), this);
    connect(cmdReprint, &QPushButton::clicked, this, &RegisterActions::cmdReprint_Click);
    cmdExport = newButton(QStringLiteral("cmdExport"), QStringLiteral("Export..."), this);
    connect(cmdExport, &QPushButton::clicked, this, &RegisterActions::cmdExport_Click);
    cmdPrint = newButton(QStringLiteral("cmdPrint"), QStringLiteral("Print..."), this);
    connect(cmdPrint, &QPushButton::clicked, this, &RegisterActions::cmdPrint_Click);

    lblTotals->setGeometry(twips(0, 30, 2970, 255));
    cmdVoid->setGeometry(twips(3030, 0, 900, 300));
    cmdUndoVoid->setGeometry(twips(3960, 0, 900, 300));
    cmdReprint->setGeometry(twips(4890, 0, 900, 300));
    cmdExport->setGeometry(twips(5820, 0, 900, 300));
    cmdPrint->setGeometry(twips(6750, 0, 900, 300));
}

QList<QWidget *> RegisterActions::tabOrder() const
{
    return {cmdVoid, cmdUndoVoid, cmdReprint, cmdExport, cmdPrint};
}

void RegisterActions::showTotals()
{
    lblTotals->clear();
    store::Connection connection(QStringLiteral("registeractions"));
    store::RegisterTotals totals;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::sumRegister(connection.database(), rows->bank(), rows->from(),
                                   rows->to(), &totals);
    if (error.isValid())
        return;  // the grid's own failure has been told
    const QString currency = bankCurrency(rows->bank());
    lblTotals->setText(QStringLiteral("%1 cheques, %2; void %3, %4")
                           .arg(totals.count)
                           .arg(registerTotal(totals.total, totals.notAdded, currency))
                           .arg(totals.voidCount)
                           .arg(registerTotal(totals.voidTotal, totals.voidNotAdded, currency)));
    lblTotals->setToolTip(lblTotals->text());  // whole, should the strip cut it short
}

// The row the user has chosen in the grid, or -1 after telling them to choose.
int RegisterActions::chosenRow()
{
    const QModelIndex current = grid->currentIndex();
    if (current.isValid() && grid->selectionModel()->isSelected(current))
        return current.row();
    Messages::show(QStringLiteral("Choose a cheque in the list first."),
                   Messages::Icon::Information);
    return -1;
}

bool RegisterActions::mark(int row, store::VoidAction action, const QString &reason)
{
    store::Connection connection(QStringLiteral("registeractions"));
    const store::VoidMark mark = store::markNow(rows->registerRowAt(row), action, reason);
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::addVoidMark(connection.database(), mark);
    if (error.isValid())
        Messages::show(store::failureText(action == store::VoidAction::Void
                                              ? QStringLiteral("mark the cheque void")
                                              : QStringLiteral("undo the void"),
                                          error),
                       Messages::Icon::Critical);
    return !error.isValid();
}

// Shows the marks just made, keeping the user's place.
void RegisterActions::reload(int row)
{
    if (const QSqlError error = rows->reload(); error.isValid())
        Messages::show(store::failureText(QStringLiteral("show the cheque issue register"), error),
                       Messages::Icon::Critical);
    showTotals();
    grid->selectRow(row);
}

// Whether a report has been shown, after telling the user to show one.
bool RegisterActions::reportShown(const QString &what)
{
    if (!rows->from().isNull())
        return true;
    Messages::show(QStringLiteral("Show the report first: the cheques shown are %1.").arg(what),
                   Messages::Icon::Information);
    return false;
}

void RegisterActions::cmdVoid_Click()
{
    // 1. The chosen cheque, not void already.
    const int row = chosenRow();
    if (row < 0)
        return;
    const QString chequeNo = rows->record(row).value(QStringLiteral("ChequeNo")).toString();
    if (const QString reason = rows->voidReasonAt(row); !reason.isNull()) {
        Messages::show(QStringLiteral("Cheque %1 is void already: %2.").arg(chequeNo, reason),
                       Messages::Icon::Information);
        return;
    }
    // 2. Why, then the mark.
    frmVoid ask(chequeNo, window());
    if (ask.exec() == QDialog::Accepted && mark(row, store::VoidAction::Void, ask.reason()))
        reload(row);
}

void RegisterActions::cmdUndoVoid_Click()
{
    const int row = chosenRow();
    if (row < 0)
        return;
    if (rows->voidReasonAt(row).isNull()) {
        Messages::show(QStringLiteral("Cheque %1 is not void.")
                           .arg(rows->record(row).value(QStringLiteral("ChequeNo")).toString()),
                       Messages::Icon::Information);
        return;
    }
    if (mark(row, store::VoidAction::Undo, QString()))
        reload(row);
}

void RegisterActions::cmdReprint_Click()
{
    // 1. The print window, filled from the chosen cheque, unless it is void.
    const int row = chosenRow();
    if (row < 0)
        return;
    const QSqlRecord record = rows->record(row);
    const QString chequeNo = record.value(QStringLiteral("ChequeNo")).toString();
    if (const QString reason = rows->voidReasonAt(row); !reason.isNull()) {
        Messages::show(QStringLiteral("Cheque %1 is void already (%2), so it is not reprinted.")
                           .arg(chequeNo, reason),
                       Messages::Icon::Information);
        return;
    }
    frmPrtChq printWindow(window());
    printWindow.fillFromRegisterRow(
        {QDate::fromString(record.value(QStringLiteral("DateofChq")).toString().left(10),
                           Qt::ISODate),
         record.value(QStringLiteral("Payeename")).toString(),
         record.value(QStringLiteral("BankName")).toString(),
         record.value(QStringLiteral("PAyeeamt")).toString(), chequeNo},
        rows->registerRowAt(row));

    // 2. The original is voided in the transaction that records its
    //    replacement, not before: a reprint that fails leaves it as it was.
    printWindow.exec();
    reload(row);
}

void RegisterActions::cmdExport_Click()
{
    // 1. Where to, after a report has been shown.
    if (!reportShown(QStringLiteral("exported")))
        return;
    const QString path = QFileDialog::getSaveFileName(
        window(), QStringLiteral("Export Register"),
        QStringLiteral("%1 register.csv").arg(rows->bank()),
        QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;

    // 2. The rows, with progress and Cancel for a long register.
    QProgressDialog progress(QStringLiteral("Exporting the register..."),
                             QStringLiteral("Cancel"), 0, 0, window());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const CsvExport result =
        writeRegisterCsv(path, rows->bank(), rows->from(), rows->to(), [&](qint64 written) {
            progress.setLabelText(QStringLiteral("Exporting the register: %1 cheques written...")
                                      .arg(written));
            progress.setValue(0);
            return !progress.wasCanceled();
        });
    progress.reset();

    // 3. What became of it.
    if (!result.problem.isEmpty())
        Messages::show(QStringLiteral("The register could not be exported to %1.\n\n%2")
                           .arg(QDir::toNativeSeparators(path), result.problem),
                       Messages::Icon::Critical);
}

void RegisterActions::cmdPrint_Click()
{
    // 1. Which printer and paper, after a report has been shown; the
    //    dialog also offers a PDF file.
    if (!reportShown(QStringLiteral("printed")))
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog choose(&printer, window());
    choose.setObjectName(QStringLiteral("dlgPrintListing"));
    choose.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (choose.exec() != QDialog::Accepted)
        return;

    // 2. The listing of the rows shown.
    if (const QString problem = printRegisterListing(printer, rows->bank(), rows->from(),
                                                     rows->to());
        !problem.isEmpty())
        Messages::show(QStringLiteral("The register could not be printed.\n\n%1").arg(problem),
                       Messages::Icon::Critical);
}
