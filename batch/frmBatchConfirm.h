#pragma once

#include "statements.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// After a batch has printed: the user ticks the cheques that came out
// right. OK writes every printed cheque to the register and marks void
// those left unticked, their leaves being spoiled. Closing it otherwise
// asks first, since the register must not miss a printed leaf; the batch's
// journal keeps it for the next start.
class frmBatchConfirm : public QDialog
{
    Q_OBJECT
public:
    frmBatchConfirm(const QList<store::RegisterRow> &printed, const QString &note,
                    QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void reject() override;

private:
    void createControls(const QString &note);
    void placeControls();

    QList<store::RegisterRow> m_printed;
    QLabel *lblQuestion = nullptr;
    QListWidget *lstCheques = nullptr;
    QLabel *lblNote = nullptr;
    QPushButton *cmdOK = nullptr;
};

// Settles a batch printed but never confirmed (the program was stopped
// before): through the confirmation, or left out whole when the spooler
// never took it and the user says none printed. True when no such batch is
// left, the register being complete.
bool settleUnconfirmedBatch(QWidget *parent = nullptr);
