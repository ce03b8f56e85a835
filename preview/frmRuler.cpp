#include "frmRuler.h"

#include "controls.h"
#include "rulerbar.h"
#include "truesize.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

frmRuler::frmRuler(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRuler"));
    setWindowTitle(QStringLiteral("Measure the Screen"));
    createControls();
    placeControls();
    setTabChain({barCard, OK, Cancel});
    barCard->setLength(screenPixelsPerMillimetre(screen()) * cardWidthMillimetres);
    barCard->setFocus();
}

void frmRuler::createControls()
{
    lblHelp = new QLabel(QStringLiteral("Hold a credit card against the screen and drag the end "
                                        "of the bar (or press the arrow keys) until the bar is "
                                        "exactly as wide as the card."),
                         this);
    lblHelp->setObjectName(QStringLiteral("lblHelp"));
    lblHelp->setWordWrap(true);
    barCard = new RulerBar(this);
    barCard->setObjectName(QStringLiteral("barCard"));
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);  // Enter keeps the measure
    connect(OK, &QPushButton::clicked, this, &frmRuler::OK_Click);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmRuler::placeControls()
{
    setFixedSize(twipsSize(7200, 2520));
    lblHelp->setGeometry(twips(240, 120, 6720, 495));
    barCard->setGeometry(twips(120, 720, 6960, 900));
    OK->setGeometry(twips(4380, 1935, 1215, 345));
    Cancel->setGeometry(twips(5745, 1935, 1215, 345));
}

void frmRuler::OK_Click()
{
    if (keepScreenPixelsPerMillimetre(screen(), barCard->length() / cardWidthMillimetres))
        accept();
}
