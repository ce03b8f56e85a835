#include "frmCalibrate.h"

#include "alignmentpage.h"
#include "calibration.h"
#include "controls.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "printeroffset.h"
#include "twips.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>

frmCalibrate::frmCalibrate(const QString &printerName, const QString &bankName, QWidget *parent)
    : QDialog(parent)
    , m_printerName(printerName)
    , m_bankName(bankName)
{
    setObjectName(QStringLiteral("frmCalibrate"));
    setWindowTitle(QStringLiteral("Printer Calibration"));
    createControls();
    placeControls();
    setTabChain({txtRight, txtDown, cmdAlign, OK, Cancel});
    const QPointF kept = keptPrinterOffset(printerName).value_or(QPointF());
    txtRight->setValue(kept.x());
    txtDown->setValue(kept.y());
    txtRight->setFocus();
}

void frmCalibrate::createControls()
{
    lblHelp = new QLabel(
        QStringLiteral("Load a #10 envelope (105 x 241 mm), or a plain sheet fed as one, and "
                       "print the alignment page on it. Lay a blank cheque leaf on it where the "
                       "printer takes the leaf. Read on the rulers how far the leaf lies right "
                       "of and below the printed outline (left and up count negative), and add "
                       "that to the offset."),
        this);
    lblHelp->setObjectName(QStringLiteral("lblHelp"));
    lblHelp->setWordWrap(true);
    lblPrinter = new QLabel(QStringLiteral("Printer:"), this);
    lblPrinter->setObjectName(QStringLiteral("lblPrinter"));
    lblPrinterName = new QLabel(m_printerName, this);
    lblPrinterName->setObjectName(QStringLiteral("lblPrinterName"));
    lblRight = new QLabel(QStringLiteral("Right (mm)"), this);
    lblRight->setObjectName(QStringLiteral("lblRight"));
    txtRight = addOffsetBox(QStringLiteral("txtRight"));
    lblDown = new QLabel(QStringLiteral("Down (mm)"), this);
    lblDown->setObjectName(QStringLiteral("lblDown"));
    txtDown = addOffsetBox(QStringLiteral("txtDown"));

    cmdAlign = new QPushButton(QStringLiteral("Print Alignment Page"), this);
    cmdAlign->setObjectName(QStringLiteral("cmdAlign"));
    connect(cmdAlign, &QPushButton::clicked, this, &frmCalibrate::cmdAlign_Click);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);  // Enter in a box keeps the offset
    connect(OK, &QPushButton::clicked, this, &frmCalibrate::OK_Click);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QDoubleSpinBox *frmCalibrate::addOffsetBox(const QString &name)
{
    auto *box = new QDoubleSpinBox(this);
    box->setObjectName(name);
    // Wider than an offset may be, so "25" stays 25 to be refused by name
    // rather than cut to "2" while it is typed.
    box->setRange(-999.9, 999.9);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    return box;
}

void frmCalibrate::placeControls()
{
    setFixedSize(twipsSize(6240, 3060));
    lblHelp->setGeometry(twips(120, 120, 6000, 1020));
    lblPrinter->setGeometry(twips(120, 1260, 1200, 255));
    lblPrinterName->setGeometry(twips(1380, 1260, 4740, 255));
    lblRight->setGeometry(twips(120, 1710, 1200, 255));
    txtRight->setGeometry(twips(1380, 1665, 1200, 315));
    lblDown->setGeometry(twips(2880, 1710, 1100, 255));
    txtDown->setGeometry(twips(4020, 1665, 1200, 315));
    cmdAlign->setGeometry(twips(120, 2520, 2400, 345));
    OK->setGeometry(twips(3540, 2520, 1215, 345));
    Cancel->setGeometry(twips(4905, 2520, 1215, 345));
}

// The offset entered, or nothing, the user told why, when there is no
// printer or a box holds more than the largest offset either way.
std::optional<QPointF> frmCalibrate::enteredOffset()
{
    // An offset is kept for a printer, so there must be one.
    if (m_printerName.isEmpty()) {
        Messages::show(QStringLiteral("There is no printer to calibrate. Set up a printer "
                                      "first."),
                       Messages::Icon::Critical);
        return std::nullopt;
    }
    // Text still being typed counts as the number it shows.
    for (QDoubleSpinBox *box : {txtRight, txtDown}) {
        box->interpretText();
        if (qAbs(box->value()) > largestOffsetMm) {
            Messages::show(QStringLiteral("The offset %1 mm is beyond the largest a printer is "
                                          "moved, %2 mm either way. Enter a value from -%2 to %2.")
                               .arg(box->value())
                               .arg(largestOffsetMm),
                           Messages::Icon::Critical);
            box->setFocus();
            box->selectAll();
            return std::nullopt;
        }
    }
    return QPointF(txtRight->value(), txtDown->value());
}

// The page prints with the offset entered, kept or not, so a value can be
// tried before it is kept; what the rulers show then is still to be added.
// Once it is sent OK takes the focus, so Enter keeps the offset rather
// than printing another page.
void frmCalibrate::cmdAlign_Click()
{
    const std::optional<QPointF> offset = enteredOffset();
    if (!offset)
        return;
    const std::unique_ptr<Printer> printer = openPrinter(m_printerName);
    printer->Offset(offset->x(), offset->y());
    if (const QString problem = printAlignmentPage(m_bankName, *printer); !problem.isEmpty()) {
        Messages::show(problem, Messages::Icon::Critical);
        return;
    }
    Messages::show(QStringLiteral("The alignment page was sent to the printer \"%1\", to be "
                                  "printed on a #10 envelope.")
                       .arg(actualPrinterName(m_printerName)),
                   Messages::Icon::Information);
    OK->setFocus();
}

void frmCalibrate::OK_Click()
{
    const std::optional<QPointF> offset = enteredOffset();
    if (!offset)
        return;
    const store::Connection connection(QStringLiteral("frmCalibrate"));
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::replacePrinterOffset(connection.database(), m_printerName, *offset);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("keep the printer's offset"), error),
                       Messages::Icon::Critical);
        return;
    }
    accept();
}
