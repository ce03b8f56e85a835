#include "frmChqLyt.h"

#include "twips.h"

frmChqLyt::frmChqLyt(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmChqLyt"));
    setWindowTitle(QStringLiteral("Cheque Setup"));
    setFixedSize(twipsSize(6495, 3735));
}
