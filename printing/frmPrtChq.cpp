#include "frmPrtChq.h"

#include "twips.h"

frmPrtChq::frmPrtChq(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrtChq"));
    setWindowTitle(QStringLiteral("Print Cheque"));
    setFixedSize(twipsSize(7800, 3405));
}
