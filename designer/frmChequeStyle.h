#pragma once

#include "chequestyle.h"

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// How one bank's cheques print the date and the crossing, and the band at
// the leaf's foot kept clear for the MICR line. The date boxes are in the
// layout's unit; the crossing and the band in millimetres, from the leaf.
class frmChequeStyle : public QDialog
{
    Q_OBJECT
public:
    frmChequeStyle(const store::ChequeStyle &style, const QString &unitName, QWidget *parent);

    // The style as the window shows it; valid once OK has closed the window.
    const store::ChequeStyle &style() const { return m_style; }

public slots:
    void cmbDateStyle_Click();
    void cmdOK_Click();

private:
    // The number boxes, in the order they are placed and read.
    enum Measure {
        BoxWidth, BoxHeight, GapAfterFirst, GapAfterSecond,
        CrossingAngle, CrossingLength, CrossingGap, CrossingLeft, CrossingTop, MicrBand,
        MeasureCount
    };

    void createControls(const QString &unitName);
    void placeControls();
    void setTabOrder();
    void showStyle();
    bool readStyle();

    store::ChequeStyle m_style;

    QGroupBox *fraDate = nullptr;
    QLabel *lblDateStyle = nullptr;
    QComboBox *cmbDateStyle = nullptr;
    QLabel *lblDateOrder = nullptr;
    QComboBox *cmbDateOrder = nullptr;
    QGroupBox *fraCrossing = nullptr;
    QLabel *lblCrossingStyle = nullptr;
    QComboBox *cmbCrossingStyle = nullptr;
    QLabel *lblCrossingWords = nullptr;
    QComboBox *cmbCrossingWords = nullptr;
    std::array<QLabel *, MeasureCount> lblMeasure{};
    std::array<QLineEdit *, MeasureCount> txtMeasure{};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
