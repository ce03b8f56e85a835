#include "frmChequeStyle.h"

#include "controls.h"
#include "leadingnumber.h"
#include "messages.h"
#include "twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {

using store::ChequeStyle;

// Each number box: its name, caption, where it stands (in twips, in its
// frame) and the values it may take.
struct MeasureBox {
    QString name;
    QString caption;
    bool inDateFrame;
    int left;
    int top;
    double lowest;
    double highest;
};
const std::array<MeasureBox, 10> measureBoxes = {{
    {QStringLiteral("txtBoxWidth"), QStringLiteral("Box width"), true, 120, 1020, 0, 1e6},
    {QStringLiteral("txtBoxHeight"), QStringLiteral("Box height"), true, 2520, 1020, 0, 1e6},
    {QStringLiteral("txtGapAfterFirst"), QStringLiteral("Gap after 1st"), true, 120, 1440, 0, 1e6},
    {QStringLiteral("txtGapAfterSecond"), QStringLiteral("Gap after 2nd"), true, 2520, 1440, 0, 1e6},
    {QStringLiteral("txtCrossingAngle"), QStringLiteral("Angle (°)"), false, 120, 1020, -90, 90},
    {QStringLiteral("txtCrossingLength"), QStringLiteral("Length (mm)"), false, 2520, 1020, 1, 300},
    {QStringLiteral("txtCrossingGap"), QStringLiteral("Gap (mm)"), false, 120, 1440, 1, 100},
    {QStringLiteral("txtCrossingLeft"), QStringLiteral("Middle left (mm)"), false, 2520, 1440, -300, 300},
    {QStringLiteral("txtCrossingTop"), QStringLiteral("Middle top (mm)"), false, 120, 1860, -300, 300},
    {QStringLiteral("txtMicrBand"), QStringLiteral("MICR band (mm)"), false, 2520, 1860, 0, 50},
}};
const int labelWidth = 1260;
const int boxWidth = 900;

const QStringList dateStyles = {QStringLiteral("Classic (07/Dec/2026)"),
                                QStringLiteral("Digits in boxes"),
                                QStringLiteral("Numeric with separators"),
                                QStringLiteral("Long (December 7, 2026)")};
const std::array<QStringList, 4> dateOrders = {{
    {},
    {QStringLiteral("DDMMYYYY"), QStringLiteral("MMDDYYYY"), QStringLiteral("YYYYMMDD")},
    {QStringLiteral("DD/MM/YYYY"), QStringLiteral("MM/DD/YYYY"), QStringLiteral("YYYY-MM-DD")},
    {QStringLiteral("December 7, 2026"), QStringLiteral("7 December 2026")},
}};

QString plain(double value)
{
    return QString::number(std::round(value * 1000) / 1000 + 0.0);
}

} // namespace

frmChequeStyle::frmChequeStyle(const ChequeStyle &style, const QString &unitName, QWidget *parent)
    : QDialog(parent)
    , m_style(style)
{
    setObjectName(QStringLiteral("frmChequeStyle"));
    setWindowTitle(QStringLiteral("Date and Crossing"));
    createControls(unitName);
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    showStyle();
    cmbDateStyle->setFocus();
}

void frmChequeStyle::createControls(const QString &unitName)
{
    fraDate = new QGroupBox(QStringLiteral("Date (boxes in %1)").arg(unitName), this);
    fraDate->setObjectName(QStringLiteral("fraDate"));
    lblDateStyle = new QLabel(QStringLiteral("Style"), fraDate);
    cmbDateStyle = new QComboBox(fraDate);
    cmbDateStyle->setObjectName(QStringLiteral("cmbDateStyle"));
    cmbDateStyle->addItems(dateStyles);
    connect(cmbDateStyle, &QComboBox::activated, this, &frmChequeStyle::cmbDateStyle_Click);
    lblDateOrder = new QLabel(QStringLiteral("Order"), fraDate);
    cmbDateOrder = new QComboBox(fraDate);
    cmbDateOrder->setObjectName(QStringLiteral("cmbDateOrder"));

    fraCrossing = new QGroupBox(QStringLiteral("Crossing"), this);
    fraCrossing->setObjectName(QStringLiteral("fraCrossing"));
    lblCrossingStyle = new QLabel(QStringLiteral("Style"), fraCrossing);
    cmbCrossingStyle = new QComboBox(fraCrossing);
    cmbCrossingStyle->setObjectName(QStringLiteral("cmbCrossingStyle"));
    cmbCrossingStyle->addItems({QStringLiteral("Classic (words at the left)"),
                                QStringLiteral("Two parallel lines")});
    lblCrossingWords = new QLabel(QStringLiteral("Words"), fraCrossing);
    cmbCrossingWords = new QComboBox(fraCrossing);
    cmbCrossingWords->setObjectName(QStringLiteral("cmbCrossingWords"));
    cmbCrossingWords->addItems({QStringLiteral("A/c Payee only"), QStringLiteral("Not Negotiable"),
                                QStringLiteral("& Co."), QStringLiteral("(none)")});

    for (int i = 0; i < MeasureCount; ++i) {
        QWidget *frame = measureBoxes[i].inDateFrame ? fraDate : fraCrossing;
        lblMeasure[i] = new QLabel(measureBoxes[i].caption, frame);
        txtMeasure[i] = new QLineEdit(frame);
        txtMeasure[i]->setObjectName(measureBoxes[i].name);
    }
    cmdOK = newButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmChequeStyle::cmdOK_Click);
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmChequeStyle::placeControls()
{
    setFixedSize(twipsSize(4860, 5160));
    fraDate->setGeometry(twips(90, 45, 4680, 1920));
    fraCrossing->setGeometry(twips(90, 2025, 4680, 2280));
    for (auto [label, box, top] : {std::tuple{lblDateStyle, cmbDateStyle, 300},
                                   {lblDateOrder, cmbDateOrder, 660},
                                   {lblCrossingStyle, cmbCrossingStyle, 300},
                                   {lblCrossingWords, cmbCrossingWords, 660}}) {
        label->setGeometry(twips(120, top, 900, 315));
        box->setGeometry(twips(1080, top, 3420, 315));
    }
    for (int i = 0; i < MeasureCount; ++i) {
        const MeasureBox &box = measureBoxes[i];
        lblMeasure[i]->setGeometry(twips(box.left, box.top, labelWidth, 315));
        txtMeasure[i]->setGeometry(twips(box.left + labelWidth, box.top, boxWidth, 315));
    }
    cmdOK->setGeometry(twips(2280, 4410, 1170, 375));
    cmdCancel->setGeometry(twips(3600, 4410, 1170, 375));
}

void frmChequeStyle::setTabOrder()
{
    QList<QWidget *> order = {cmbDateStyle, cmbDateOrder};
    for (int i = BoxWidth; i <= GapAfterSecond; ++i)
        order.append(txtMeasure[i]);
    order << cmbCrossingStyle << cmbCrossingWords;
    for (int i = CrossingAngle; i < MeasureCount; ++i)
        order.append(txtMeasure[i]);
    order << cmdOK << cmdCancel;
    setTabChain(order);
}

void frmChequeStyle::showStyle()
{
    cmbDateStyle->setCurrentIndex(std::clamp(m_style.dateStyle, 0, int(dateStyles.size()) - 1));
    cmbDateStyle_Click();
    cmbDateOrder->setCurrentIndex(std::min(m_style.dateOrder, int(cmbDateOrder->count()) - 1));
    cmbCrossingStyle->setCurrentIndex(std::clamp(m_style.crossingStyle, 0, 1));
    cmbCrossingWords->setCurrentIndex(std::clamp(m_style.crossingWords, 0, 3));
    const std::array<double, MeasureCount> values = {
        m_style.boxWidth, m_style.boxHeight, m_style.gapAfterFirst, m_style.gapAfterSecond,
        m_style.crossingAngle, m_style.crossingLength, m_style.crossingGap,
        m_style.crossingLeft, m_style.crossingTop, m_style.micrBandMm};
    for (int i = 0; i < MeasureCount; ++i)
        txtMeasure[i]->setText(plain(values[i]));
}

// The orders the chosen style offers; the boxes' measures only for boxes.
void frmChequeStyle::cmbDateStyle_Click()
{
    const int style = cmbDateStyle->currentIndex();
    const int order = cmbDateOrder->currentIndex();
    cmbDateOrder->clear();
    cmbDateOrder->addItems(dateOrders[style]);
    cmbDateOrder->setCurrentIndex(std::clamp(order, 0, int(cmbDateOrder->count()) - 1));
    cmbDateOrder->setEnabled(cmbDateOrder->count() > 0);
    for (int i = BoxWidth; i <= GapAfterSecond; ++i)
        txtMeasure[i]->setEnabled(style == ChequeStyle::DigitsInBoxes);
}

void frmChequeStyle::cmdOK_Click()
{
    if (readStyle())
        accept();
}

// Every number as typed; false, after saying which is out of its range.
bool frmChequeStyle::readStyle()
{
    std::array<double, MeasureCount> values{};
    for (int i = 0; i < MeasureCount; ++i) {
        values[i] = readLeadingNumber(txtMeasure[i]->text());
        const MeasureBox &box = measureBoxes[i];
        if (!(values[i] >= box.lowest && values[i] <= box.highest)) {
            Messages::show(QStringLiteral("\"%1\" must be from %2 to %3.")
                               .arg(box.caption, plain(box.lowest), plain(box.highest)),
                           Messages::Icon::Critical);
            txtMeasure[i]->setFocus();
            return false;
        }
    }
    ChequeStyle &s = m_style;
    s.dateStyle = cmbDateStyle->currentIndex();
    s.dateOrder = std::max(0, cmbDateOrder->currentIndex());
    std::tie(s.boxWidth, s.boxHeight, s.gapAfterFirst, s.gapAfterSecond) =
        std::tuple{values[BoxWidth], values[BoxHeight], values[GapAfterFirst], values[GapAfterSecond]};
    s.crossingStyle = cmbCrossingStyle->currentIndex();
    s.crossingWords = cmbCrossingWords->currentIndex();
    std::tie(s.crossingAngle, s.crossingLength, s.crossingGap, s.crossingLeft, s.crossingTop,
             s.micrBandMm) =
        std::tuple{values[CrossingAngle], values[CrossingLength], values[CrossingGap],
                   values[CrossingLeft], values[CrossingTop], values[MicrBand]};
    return true;
}
