#include "frmReport.h"

#include "twips.h"

frmReport::frmReport(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("Cheque Issue Register"));
    setFixedSize(twipsSize(8130, 5010));
}
