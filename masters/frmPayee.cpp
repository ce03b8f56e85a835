#include "frmPayee.h"

#include "twips.h"

frmPayee::frmPayee(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPayee"));
    setWindowTitle(QStringLiteral("Payee Maintenance"));
    setFixedSize(twipsSize(4680, 2445));
}
