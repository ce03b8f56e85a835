#pragma once

#include "printjournal.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// After a batch has printed: the user ticks the cheques that came out
// right. OK writes every printed cheque to the register and marks void
// those left unticked, their leaves being spoiled. Closing it otherwise
// asks first, since the register must not miss a printed leaf; the print
// journal keeps the cheques for the next start.
class frmBatchConfirm : public QDialog
{
    Q_OBJECT
public:
    frmBatchConfirm(const store::JournalJob &printed, const QString &note,
                    QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void reject() override;

private:
    void createControls(const QString &note);
    void placeControls();

    store::JournalJob m_printed;
    QLabel *lblQuestion = nullptr;
    QListWidget *lstCheques = nullptr;
    QLabel *lblNote = nullptr;
    QPushButton *cmdOK = nullptr;
};

// Settles the cheques left in the print journal by a copy of the program
// that has ended on this host, this copy's own batches whose confirmation
// was put off and, for a supervisor, any desk's notes older than a day,
// job by job: one that never reached the printer
// is dropped, one stopped while it was being handed over may be left out
// whole when the user says none printed, and every other goes through the
// confirmation. True when no such job is left, the register being complete.
bool settleUnconfirmedCheques(QWidget *parent = nullptr);

// The jobs settleUnconfirmedCheques offers, read from the journal.
QSqlError unconfirmedJobs(const QSqlDatabase &db, QList<store::JournalJob> *jobs);
