#pragma once

#include <QDialog>
#include <QPointF>
#include <optional>

class QDoubleSpinBox;
class QLabel;
class QPushButton;

// Corrects a printer that prints off its mark: the offset, in millimetres
// right and down, added to everything printed on it. An alignment page
// printed on plain paper, with a blank leaf laid on it, shows how far off
// the printer is. OK keeps the offset.
class frmCalibrate : public QDialog
{
    Q_OBJECT
public:
    frmCalibrate(const QString &printerName, const QString &bankName,
                 QWidget *parent = nullptr);

    // The farthest a printer is moved either way.
    static constexpr double largestOffsetMm = 20;

public slots:
    void cmdAlign_Click();
    void OK_Click();

private:
    void createControls();
    void placeControls();
    QDoubleSpinBox *addOffsetBox(const QString &name);
    std::optional<QPointF> enteredOffset();

    QString m_printerName;
    QString m_bankName;

    QLabel *lblHelp = nullptr;
    QLabel *lblPrinter = nullptr;
    QLabel *lblPrinterName = nullptr;
    QLabel *lblRight = nullptr;
    QDoubleSpinBox *txtRight = nullptr;
    QLabel *lblDown = nullptr;
    QDoubleSpinBox *txtDown = nullptr;
    QPushButton *cmdAlign = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *Cancel = nullptr;
};
