#pragma once

#include "chequepage.h"

#include <QDialog>
#include <optional>

class PageView;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

// Shows a cheque as the chosen printer would print it, at true size at
// 100%. The page is composed by the printing code itself onto a preview
// printer; what stops it printing is shown instead of the page. Print
// accepts the window with the printer chosen.
class frmPreview : public QDialog
{
    Q_OBJECT
public:
    explicit frmPreview(const ChequeItems &items, QWidget *parent = nullptr);

    QString printerName() const;
    // The composition's refusal, empty when the page is shown.
    QString problem() const;
    double zoom() const { return m_zoom; }  // 1 is true size

    // Installs this window as the print window's preview.
    static void install();

public slots:
    void cmbPrinter_Click();
    void cmdFit_Click();
    void cmd100_Click();
    void cmd200_Click();
    void cmdRuler_Click();
    void cmdCalibrate_Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;

private:
    void createControls();
    void placeControls();
    void placeResizedControls();
    void setTabOrder();
    void listPrinters();
    void compose();
    void showLeaf();
    void setZoom(double zoom);

    ChequeItems m_items;
    double m_zoom = 1;
    double m_pixelsPerMillimetre = 0;

    QLabel *lblPrinter = nullptr;
    QComboBox *cmbPrinter = nullptr;
    QPushButton *cmdFit = nullptr;
    QPushButton *cmd100 = nullptr;
    QPushButton *cmd200 = nullptr;
    QLabel *lblZoom = nullptr;
    QPushButton *cmdRuler = nullptr;
    QScrollArea *scrPage = nullptr;
    PageView *pgvCheque = nullptr;
    QLabel *lblProblem = nullptr;
    QPushButton *cmdCalibrate = nullptr;
    QPushButton *Print = nullptr;
    QPushButton *Cancel = nullptr;
};
