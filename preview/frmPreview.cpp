#include "frmPreview.h"

#include "chequepreview.h"
#include "controls.h"
#include "calibration.h"
#include "frmCalibrate.h"
#include "frmRuler.h"
#include "keptsize.h"
#include "leafimage.h"
#include "pageview.h"
#include "previewprinter.h"
#include "printercatalog.h"
#include "truesize.h"
#include "twips.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <cmath>

namespace {

const double pointsPerMillimetre = 72 / 25.4;
const double smallestZoom = 0.1;
const double largestZoom = 8;
const double zoomPerWheelStep = 1.25;

// The printer list, read anew from the system each time the user opens it,
// so that a printer set up while the program runs can be chosen.
class PrinterList : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        const QString chosen = currentText();
        printercatalog::refresh();
        clear();
        addItems(printercatalog::printerNames());
        setCurrentText(chosen);
        QComboBox::showPopup();
    }
};

} // namespace

frmPreview::frmPreview(const ChequeItems &items, QWidget *parent)
    : QDialog(parent)
    , m_items(items)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Cheque Preview"));
    createControls();
    placeControls();
    setTabOrder();
    resizeToKeptSize(this);
    Print->setFocus();
    listPrinters();
    m_pixelsPerMillimetre = screenPixelsPerMillimetre(screen());
    compose();
    showLeaf();
    setZoom(1);
}

void frmPreview::install()
{
    setChequePreview([](QWidget *parent, const ChequeItems &items) -> std::optional<QString> {
        frmPreview window(items, parent);
        if (window.exec() != QDialog::Accepted)
            return std::nullopt;
        return window.printerName();
    });
}

QString frmPreview::printerName() const
{
    return cmbPrinter->currentText();
}

QString frmPreview::problem() const
{
    return lblProblem->text();
}

void frmPreview::createControls()
{
    lblPrinter = new QLabel(QStringLiteral("Printer"), this);
    lblPrinter->setObjectName(QStringLiteral("lblPrinter"));
    cmbPrinter = new PrinterList(this);
    cmbPrinter->setObjectName(QStringLiteral("cmbPrinter"));
    connect(cmbPrinter, &QComboBox::activated, this, &frmPreview::cmbPrinter_Click);

    cmdFit = newButton(QStringLiteral("cmdFit"), QStringLiteral("Fit"), this);
    connect(cmdFit, &QPushButton::clicked, this, &frmPreview::cmdFit_Click);
    cmd100 = newButton(QStringLiteral("cmd100"), QStringLiteral("100%"), this);
    connect(cmd100, &QPushButton::clicked, this, &frmPreview::cmd100_Click);
    cmd200 = newButton(QStringLiteral("cmd200"), QStringLiteral("200%"), this);
    connect(cmd200, &QPushButton::clicked, this, &frmPreview::cmd200_Click);
    lblZoom = new QLabel(this);
    lblZoom->setObjectName(QStringLiteral("lblZoom"));
    cmdRuler = newButton(QStringLiteral("cmdRuler"), QStringLiteral("Measure Screen..."), this);
    connect(cmdRuler, &QPushButton::clicked, this, &frmPreview::cmdRuler_Click);

    scrPage = new QScrollArea(this);
    scrPage->setObjectName(QStringLiteral("scrPage"));
    scrPage->setAlignment(Qt::AlignCenter);
    scrPage->setBackgroundRole(QPalette::Dark);
    pgvCheque = new PageView;
    pgvCheque->setObjectName(QStringLiteral("pgvCheque"));
    scrPage->setWidget(pgvCheque);
    connect(pgvCheque, &PageView::zoomSteps, this,
            [this](double steps) { setZoom(m_zoom * std::pow(zoomPerWheelStep, steps)); });
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    lblProblem->setAlignment(Qt::AlignCenter);

    cmdCalibrate = newButton(QStringLiteral("cmdCalibrate"), QStringLiteral("Calibrate Printer..."), this);
    connect(cmdCalibrate, &QPushButton::clicked, this, &frmPreview::cmdCalibrate_Click);
    Print = newButton(QStringLiteral("Print"), QStringLiteral("Print"), this);
    connect(Print, &QPushButton::clicked, this, &QDialog::accept);
    Cancel = newButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"), this);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// At its own size every control stands where it always has; the window may
// be made smaller, down to its top row of controls, or larger.
void frmPreview::placeControls()
{
    resize(twipsSize(14700, 8400));
    setMinimumSize(twipsSize(11400, 4800));
    lblPrinter->setGeometry(twips(120, 165, 735, 255));
    cmbPrinter->setGeometry(twips(870, 120, 3615, 315));
    cmdFit->setGeometry(twips(4800, 120, 900, 315));
    cmd100->setGeometry(twips(5790, 120, 900, 315));
    cmd200->setGeometry(twips(6780, 120, 900, 315));
    lblZoom->setGeometry(twips(7800, 165, 1200, 255));
    placeResizedControls();
}

// The page grows with the window; the buttons keep to its right and bottom edges.
void frmPreview::placeResizedControls()
{
    const QSize grown = size() - twipsSize(14700, 8400);
    const QPoint right(grown.width(), 0);
    const QPoint bottom(0, grown.height());
    cmdRuler->setGeometry(twips(12480, 120, 2100, 315).translated(right));
    scrPage->setGeometry(twips(120, 570, 14460, 7020).adjusted(0, 0, grown.width(), grown.height()));
    lblProblem->setGeometry(twips(600, 570, 13500, 7020).adjusted(0, 0, grown.width(), grown.height()));
    cmdCalibrate->setGeometry(twips(120, 7770, 2100, 315).translated(bottom));
    Print->setGeometry(twips(11895, 7770, 1290, 315).translated(right + bottom));
    Cancel->setGeometry(twips(13290, 7770, 1290, 315).translated(right + bottom));
}

void frmPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeResizedControls();
}

void frmPreview::done(int result)
{
    keepWindowSize(this);
    QDialog::done(result);
}

void frmPreview::setTabOrder()
{
    setTabChain({Print, Cancel, cmbPrinter, cmdFit, cmd100, cmd200, cmdRuler, scrPage,
                  cmdCalibrate});
}

// Every printer, the system's default one chosen, as read once this run.
void frmPreview::listPrinters()
{
    cmbPrinter->addItems(printercatalog::printerNames());
    cmbPrinter->setCurrentText(printercatalog::defaultPrinterName());
}

void frmPreview::cmbPrinter_Click()
{
    compose();
}

// The page as the chosen printer would print it, by the code that prints
// it; its refusal takes the page's place, and nothing can be printed.
void frmPreview::compose()
{
    PreviewPrinter printer(printerName());
    applyKeptOffset(printer, printerName());
    const QString refusal = printChequePage(m_items, printer);
    pgvCheque->setPage(printer.page());
    lblProblem->setText(refusal);
    lblProblem->setVisible(!refusal.isEmpty());
    scrPage->setVisible(refusal.isEmpty());
    Print->setEnabled(refusal.isEmpty());
    cmdCalibrate->setEnabled(!printerName().isEmpty());
    if (!refusal.isEmpty())
        Cancel->setFocus();
}

// The bank's leaf image, or where no image is kept, its outline: an image
// has its own place on the page.
void frmPreview::showLeaf()
{
    std::optional<LeafImage> leaf = loadLeafImage(m_items.bankName, LeafDecoding::KeptForTheRun);
    if (!leaf)
        pgvCheque->setLeafOutline(loadLeafOutline(m_items.bankName));
    pgvCheque->setLeafImage(std::move(leaf));
}

void frmPreview::setZoom(double zoom)
{
    m_zoom = qBound(smallestZoom, zoom, largestZoom);
    pgvCheque->setPixelsPerPoint(m_zoom * m_pixelsPerMillimetre / pointsPerMillimetre);
    lblZoom->setText(QStringLiteral("%1%").arg(std::lround(m_zoom * 100)));
}

void frmPreview::cmdFit_Click()
{
    const double fitting = pgvCheque->pixelsPerPointToFit(scrPage->viewport()->size());
    setZoom(fitting * pointsPerMillimetre / m_pixelsPerMillimetre);
}

void frmPreview::cmd100_Click()
{
    setZoom(1);
}

void frmPreview::cmd200_Click()
{
    setZoom(2);
}

// Once measured, the screen shows true size at 100% from then on.
void frmPreview::cmdRuler_Click()
{
    frmRuler ruler(this);
    if (ruler.exec() != QDialog::Accepted)
        return;
    m_pixelsPerMillimetre = screenPixelsPerMillimetre(screen());
    setZoom(m_zoom);
}

// A kept offset moves the page the preview shows, as it moves the paper.
void frmPreview::cmdCalibrate_Click()
{
    frmCalibrate calibration(printerName(), m_items.bankName, this);
    if (calibration.exec() == QDialog::Accepted)
        compose();
}
