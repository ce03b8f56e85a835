#pragma once

#include "payexport.h"
#include "positivepaystatements.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// Exports the Positive Pay file of the bank the register report shows:
// the cheques not yet sent (with the voids of those already sent), or
// every cheque of the dates shown; and sends a file sent before again.
class frmPayExport : public QDialog
{
    Q_OBJECT
public:
    frmPayExport(const QString &bankName, const QDate &from, const QDate &to,
                 QWidget *parent = nullptr);

public slots:
    void cmdExport_Click();
    void cmdSendAgain_Click();

private:
    void createControls(const QDate &from, const QDate &to);
    void placeControls();
    void setTabOrder();
    void listSentFiles();
    void countWaiting();
    QString askPath(const QString &layoutName);

    positivepay::ExportChoice choice;
    QList<store::SentFileRow> sentFiles;
    QLabel *lblBank = nullptr;
    QRadioButton *optWaiting = nullptr;
    QRadioButton *optRange = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblSent = nullptr;
    QListWidget *lstSent = nullptr;
    QPushButton *cmdSendAgain = nullptr;
};

// Adds "Positive Pay Export..." to the register report's grid: the bank
// and dates of the last "Show Report" are the ones exported.
void addPositivePayExport(QDialog *report);
