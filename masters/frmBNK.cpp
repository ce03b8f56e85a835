#include "frmBNK.h"

#include "twips.h"

frmBNK::frmBNK(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBNK"));
    setWindowTitle(QStringLiteral("Bank Maintenance"));
    setFixedSize(twipsSize(4380, 2595));
}
