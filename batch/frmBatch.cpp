#include "frmBatch.h"

#include "batchmodel.h"
#include "batchprint.h"
#include "batchsamepayments.h"
#include "batchstatements.h"
#include "calibration.h"
#include "chequepreview.h"
#include "controls.h"
#include "database.h"
#include "failure.h"
#include "frmBatchConfirm.h"
#include "messages.h"
#include "previewprinter.h"
#include "twips.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>

frmBatch::frmBatch(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBatch"));
    setWindowTitle(QStringLiteral("Batch Print"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    listPrinters();
    showSummary();
    cmdOpen->setFocus();
}

void frmBatch::createControls()
{
    cmdOpen = newButton(QStringLiteral("cmdOpen"), QStringLiteral("Open..."), this);
    connect(cmdOpen, &QPushButton::clicked, this, &frmBatch::cmdOpen_Click);
    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblPrinter = new QLabel(QStringLiteral("Printer"), this);
    lblPrinter->setObjectName(QStringLiteral("lblPrinter"));
    cmbPrinter = new QComboBox(this);
    cmbPrinter->setObjectName(QStringLiteral("cmbPrinter"));
    connect(cmbPrinter, &QComboBox::activated, this, &frmBatch::cmbPrinter_Click);

    m_model = new BatchModel(this);
    connect(m_model, &BatchModel::inclusionChanged, this, &frmBatch::checkRows);
    grdBatch = new QTableView(this);
    grdBatch->setObjectName(QStringLiteral("grdBatch"));
    grdBatch->setModel(m_model);
    grdBatch->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdBatch->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab moves on to the next control; the arrows move in the table.
    grdBatch->setTabKeyNavigation(false);
    grdBatch->horizontalHeader()->setStretchLastSection(true);
    grdBatch->verticalHeader()->setDefaultSectionSize(twipsToPixels(285));
    connect(grdBatch, &QTableView::doubleClicked, this, &frmBatch::cmdPreview_Click);
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));

    cmdPreview = newButton(QStringLiteral("cmdPreview"), QStringLiteral("Preview"), this);
    cmdPreview->setEnabled(bool(chequePreview()));
    connect(cmdPreview, &QPushButton::clicked, this, &frmBatch::cmdPreview_Click);
    cmdPrint = newButton(QStringLiteral("cmdPrint"), QStringLiteral("Print"), this);
    connect(cmdPrint, &QPushButton::clicked, this, &frmBatch::cmdPrint_Click);
    cmdClose = newButton(QStringLiteral("cmdClose"), QStringLiteral("Close"), this);
    connect(cmdClose, &QPushButton::clicked, this, &frmBatch::cmdClose_Click);
}

void frmBatch::placeControls()
{
    setFixedSize(twipsSize(12600, 6600));
    cmdOpen->setGeometry(twips(120, 120, 1335, 345));
    lblFile->setGeometry(twips(1575, 165, 5400, 255));
    lblPrinter->setGeometry(twips(8400, 165, 720, 255));
    cmbPrinter->setGeometry(twips(9150, 120, 3330, 315));
    grdBatch->setGeometry(twips(120, 600, 12360, 5280));
    lblSummary->setGeometry(twips(120, 6000, 7800, 540));
    cmdPreview->setGeometry(twips(8100, 6120, 1335, 345));
    cmdPrint->setGeometry(twips(9540, 6120, 1335, 345));
    cmdClose->setGeometry(twips(11145, 6120, 1335, 345));
    const int widths[] = {540, 1100, 1400, 900, 2300, 1320, 1050, 1000};
    for (int column = 0; column < BatchModel::Status; ++column)
        grdBatch->setColumnWidth(column, twipsToPixels(widths[column]));
}

void frmBatch::setTabOrder()
{
    setTabChain({cmdOpen, grdBatch, cmbPrinter, cmdPreview, cmdPrint, cmdClose});
}

// The system's default printer first, the others after it.
void frmBatch::listPrinters()
{
    const QString fallback = QPrinterInfo::defaultPrinterName();
    if (!fallback.isEmpty())
        cmbPrinter->addItem(fallback);
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        if (name != fallback)
            cmbPrinter->addItem(name);
}

void frmBatch::cmdOpen_Click()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open a Batch of Cheques"), m_path,
        QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));
    if (!path.isEmpty())
        openFile(path);
}

void frmBatch::openFile(const QString &path)
{
    // 1. The rows as the file writes them; a file that cannot be read
    // leaves the batch shown before.
    BatchCsv read = readBatchCsvFile(path);
    if (!read.problem.isEmpty()) {
        Messages::show(read.problem, Messages::Icon::Critical);
        return;
    }
    // 2. Dates no date of the file settles are read as the user says.
    if (read.needsDateOrder)
        setDateOrder(&read, askDateOrder());
    // 3. Each checked as it would print; a payment made already waits for
    // its own tick, and the rows are numbered again without it.
    m_path = path;
    m_fileNote = batchFileNote(read);
    lblFile->setText(QDir::toNativeSeparators(path));
    m_model->setCheques(batchChequesFrom(read.rows));
    checkRows();
    QString problem;
    if (markSamePayments(&m_model->cheques(), &problem) > 0)
        checkRows();
    if (!problem.isEmpty())
        Messages::show(problem, Messages::Icon::Critical);
}

// No keeps the order this computer writes dates in.
DateOrder frmBatch::askDateOrder()
{
    const DateOrder usual = systemDateOrder();
    const bool other = Messages::ask(
        QStringLiteral("The dates in this file, such as 05/12/2026, may be written day first "
                       "(05 Dec 2026) or month first (12 May 2026), and none of them shows "
                       "which.\n\nAre they written %1?")
            .arg(usual == DateOrder::DayFirst ? QStringLiteral("month first")
                                              : QStringLiteral("day first")));
    if (!other)
        return usual;
    return usual == DateOrder::DayFirst ? DateOrder::MonthFirst : DateOrder::DayFirst;
}

// Checked on a printer sized as the chosen one, its offset applied, since
// an item may fit one printer's page and not another's.
void frmBatch::checkRows()
{
    const QString printerName = cmbPrinter->currentText();
    PreviewPrinter measuring(printerName);
    applyKeptOffset(measuring, actualPrinterName(printerName));
    if (const QString problem = checkBatch(&m_model->cheques(), measuring); !problem.isEmpty())
        Messages::show(problem, Messages::Icon::Critical);
    m_model->chequesChecked();
    showSummary();
}

void frmBatch::showSummary()
{
    const QList<BatchCheque> &cheques = m_model->cheques();
    const auto ready = std::count_if(cheques.begin(), cheques.end(), [](const BatchCheque &c) {
        return c.included && c.ready();
    });
    lblSummary->setText(QStringLiteral("%1 rows, %2 ready to print\n%3")
                            .arg(cheques.size()).arg(ready).arg(m_fileNote));
    lblSummary->setToolTip(m_fileNote);
    cmdPrint->setEnabled(ready > 0);
}

void frmBatch::cmbPrinter_Click()
{
    checkRows();
}

void frmBatch::cmdPreview_Click()
{
    const QModelIndex current = grdBatch->currentIndex();
    if (!current.isValid() || !chequePreview()) {
        Messages::show(QStringLiteral("Choose a row of the batch to preview."),
                       Messages::Icon::Information);
        return;
    }
    // A row short of a payee, words or date has no cheque to show: its
    // reason is shown instead. The preview shows a refusal of the page
    // itself; a printer chosen there becomes the batch's, and the rows are
    // checked for it.
    const BatchCheque &cheque = m_model->cheques()[current.row()];
    const ChequeItems &items = cheque.items;
    if (items.payeeName.isEmpty() || items.amountInWords.isEmpty() || !items.date.isValid()) {
        Messages::show(cheque.problem, Messages::Icon::Information);
        return;
    }
    if (const std::optional<QString> printer = chequePreview()(this, cheque.items);
        printer && *printer != cmbPrinter->currentText()) {
        cmbPrinter->setCurrentText(*printer);
        checkRows();
    }
}

void frmBatch::cmdPrint_Click()
{
    // 1. Earlier unconfirmed cheques first, as they would otherwise be
    // missing from the register; then every row checked
    // again, as the register or the layouts may have changed since the file
    // was read.
    if (!settleUnconfirmedCheques(this))
        return;
    checkRows();
    QList<BatchCheque> &cheques = m_model->cheques();
    QList<BatchCheque> toPrint;
    QList<qsizetype> rows;
    for (qsizetype row = 0; row < cheques.size(); ++row)
        if (cheques[row].included && cheques[row].ready()) {
            toPrint.append(cheques[row]);
            rows.append(row);
        }
    if (toPrint.isEmpty())
        return;

    // 2. One job, a cheque a page; Cancel stops between pages, and the
    // pages done still go to the printer as the job.
    QProgressDialog progress(QStringLiteral("Printing the cheques..."), QStringLiteral("Cancel"),
                             0, int(toPrint.size()), this);
    progress.setObjectName(QStringLiteral("prgPrint"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const BatchJob job = printBatch(toPrint, cmbPrinter->currentText(), [&](int done) {
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    progress.reset();

    // 3. What stopped the job; a refused one has printed and noted nothing.
    if (!job.problem.isEmpty())
        Messages::show(job.problem, Messages::Icon::Critical);
    if (job.printed.pages.isEmpty())
        return;

    // 4. The rows printed are done with, whatever the confirmation says;
    // what came out goes into the register.
    for (qsizetype page = 0; page < job.printed.pages.size(); ++page) {
        BatchCheque &cheque = cheques[rows[page]];
        cheque.printed = true;
        cheque.problem = QStringLiteral("Printed as cheque %1.").arg(cheque.chequeNo);
    }
    frmBatchConfirm(job.printed, {}, this).exec();
    checkRows();
}

void frmBatch::cmdClose_Click()
{
    close();
}
