#include "frmBatchConfirm.h"

#include "batchstatements.h"
#include "chequepage.h"
#include "controls.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString spoiledReason = QStringLiteral("spoiled in batch printing");

QString describe(const store::RegisterRow &cheque)
{
    return QStringLiteral("%1   %2   %3   %4   %5")
        .arg(cheque.chequeNo, cheque.bankName, chequeDateText(cheque.dateOfCheque),
             cheque.payeeName, cheque.amount);
}

// A batch the program was stopped in sending never reached the spooler,
// so its leaves are most likely unused; No, the default, still asks about
// each cheque, since a leaf that did print must not go unrecorded.
bool leaveOutUnsentBatch(qsizetype cheques)
{
    return Messages::ask(QStringLiteral("Quillmark was stopped while it was sending a batch of %1 "
                                        "cheques to the printer, so most likely none of them "
                                        "printed. If none came out of the printer, their "
                                        "numbers can be used again.\n\nLeave them all out of "
                                        "the register?").arg(cheques));
}

} // namespace

frmBatchConfirm::frmBatchConfirm(const QList<store::RegisterRow> &printed, const QString &note,
                                 QWidget *parent)
    : QDialog(parent)
    , m_printed(printed)
{
    setObjectName(QStringLiteral("frmBatchConfirm"));
    setWindowTitle(QStringLiteral("Batch Print"));
    createControls(note);
    placeControls();
    setTabChain({lstCheques, cmdOK});
    pressButtonsOnlyWithFocus(this);
    lstCheques->setFocus();
}

void frmBatchConfirm::createControls(const QString &note)
{
    lblQuestion = new QLabel(QStringLiteral("Which cheques came out right?"), this);
    lblQuestion->setObjectName(QStringLiteral("lblQuestion"));
    lstCheques = new QListWidget(this);
    lstCheques->setObjectName(QStringLiteral("lstCheques"));
    for (const store::RegisterRow &cheque : std::as_const(m_printed)) {
        auto *item = new QListWidgetItem(describe(cheque), lstCheques);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    lblNote = new QLabel(note + QStringLiteral("Every cheque is recorded in the register; those "
                                               "not ticked are marked void as spoiled."),
                         this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    connect(cmdOK, &QPushButton::clicked, this, &frmBatchConfirm::cmdOK_Click);
}

void frmBatchConfirm::placeControls()
{
    setFixedSize(twipsSize(7680, 5040));
    lblQuestion->setGeometry(twips(120, 120, 7440, 255));
    lstCheques->setGeometry(twips(120, 480, 7440, 3480));
    lblNote->setGeometry(twips(120, 4020, 5880, 855));
    cmdOK->setGeometry(twips(6225, 4560, 1335, 345));
}

void frmBatchConfirm::cmdOK_Click()
{
    // 1. What came out right, as ticked.
    QList<bool> cameOut;
    for (int row = 0; row < lstCheques->count(); ++row)
        cameOut.append(lstCheques->item(row)->checkState() == Qt::Checked);

    // 2. Every page to the register, the spoiled ones void, the journal
    // emptied: at once or not at all. On failure the journal still holds
    // the batch, and the window stays for another try.
    const store::Connection connection(objectName());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::recordBatch(connection.database(), m_printed, cameOut,
                                   store::markNow(0, store::VoidAction::Void, spoiledReason));
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("record the printed cheques"), error),
                       Messages::Icon::Critical);
        return;
    }
    accept();
}

// Escape and the close box.
void frmBatchConfirm::reject()
{
    if (Messages::ask(QStringLiteral("The printed cheques are not recorded in the register yet. "
                                     "Leave them unrecorded until Quillmark starts again?")))
        QDialog::reject();
}

bool settleUnconfirmedBatch(QWidget *parent)
{
    // 1. The journal of a batch never confirmed, if there is one.
    const store::Connection connection(QStringLiteral("settleUnconfirmedBatch"));
    QList<store::RegisterRow> printed;
    bool handedOver = true;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::readBatchJournal(connection.database(), &printed, &handedOver);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("read the journal of the last batch"),
                                          error),
                       Messages::Icon::Critical);
        return false;
    }
    if (printed.isEmpty())
        return true;

    // 2. One the spooler never took may be left out whole.
    if (!handedOver && leaveOutUnsentBatch(printed.size())) {
        error = store::keepBatchJournalPages(connection.database(), 0);
        if (error.isValid())
            Messages::show(store::failureText(QStringLiteral("empty the journal of the last batch"),
                                              error),
                           Messages::Icon::Critical);
        return !error.isValid();
    }

    // 3. Otherwise what came out is confirmed cheque by cheque.
    return frmBatchConfirm(printed, QStringLiteral("These cheques were printed in a batch that "
                                                   "was never confirmed. "), parent)
               .exec()
           == QDialog::Accepted;
}
