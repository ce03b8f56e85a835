#pragma once

#include "batchcsv.h"

#include <QDialog>

class BatchModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

// Prints a run of cheques from a CSV file: every row checked and shown
// with the reason it cannot print, the ready rows the user keeps ticked
// printed as one job, and what came out confirmed into the register.
class frmBatch : public QDialog
{
    Q_OBJECT
public:
    explicit frmBatch(QWidget *parent = nullptr);

    // Reads and checks the file, as Open... does once a file is chosen.
    void openFile(const QString &path);

public slots:
    void cmdOpen_Click();
    void cmbPrinter_Click();
    void cmdPreview_Click();
    void cmdPrint_Click();
    void cmdClose_Click();

private:
    void createControls();
    void placeControls();
    void setTabOrder();
    void listPrinters();
    void checkRows();
    void showSummary();
    DateOrder askDateOrder();

    BatchModel *m_model = nullptr;
    QString m_path;
    QString m_fileNote;  // the file's encoding, date order and unused columns

    QPushButton *cmdOpen = nullptr;
    QLabel *lblFile = nullptr;
    QLabel *lblPrinter = nullptr;
    QComboBox *cmbPrinter = nullptr;
    QTableView *grdBatch = nullptr;
    QLabel *lblSummary = nullptr;
    QPushButton *cmdPreview = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdClose = nullptr;
};
