#include "frmStandardLeaf.h"

#include "controls.h"
#include "standardleaves.h"
#include "twips.h"

#include <QListWidget>
#include <QPushButton>

frmStandardLeaf::frmStandardLeaf(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStandardLeaf"));
    setWindowTitle(QStringLiteral("Start from a Standard Leaf"));
    createControls();
    placeControls();
    setTabChain({lstLeaves, cmdOK, cmdCancel});
    pressButtonsOnlyWithFocus(this);
    lstLeaves->setFocus();
}

int frmStandardLeaf::chosen() const
{
    return lstLeaves->currentRow();
}

void frmStandardLeaf::createControls()
{
    lstLeaves = new QListWidget(this);
    lstLeaves->setObjectName(QStringLiteral("lstLeaves"));
    for (const StandardLeaf &leaf : standardLeaves())
        lstLeaves->addItem(QStringLiteral("%1, %2 × %3 mm")
                               .arg(leaf.name, QString::number(leaf.sizeMm.width(), 'f', 1),
                                    QString::number(leaf.sizeMm.height(), 'f', 1)));
    lstLeaves->setCurrentRow(0);
    connect(lstLeaves, &QListWidget::itemActivated, this, &QDialog::accept);
    cmdOK = newButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmStandardLeaf::placeControls()
{
    setFixedSize(twipsSize(4860, 2700));
    lstLeaves->setGeometry(twips(120, 120, 4620, 1920));
    cmdOK->setGeometry(twips(2280, 2175, 1170, 375));
    cmdCancel->setGeometry(twips(3570, 2175, 1170, 375));
}
