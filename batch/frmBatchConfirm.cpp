#include "frmBatchConfirm.h"

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

// A job stopped while it was handed over may or may not have printed:
// only the printer tells. No, the default, asks about each cheque, since a
// leaf that did print must not go unrecorded.
bool leaveOutUnsentJob(qsizetype cheques)
{
    return Messages::ask(QStringLiteral("Quillmark was stopped while it was handing %1 cheque(s) "
                                        "to the printer, so whether they printed is not known: "
                                        "look at the printer. If none came out, their numbers "
                                        "can be used again.\n\nLeave them all out of the "
                                        "register?").arg(cheques));
}

bool dropJob(const QSqlDatabase &db, const store::JournalJob &job)
{
    const QSqlError error = store::keepJobPages(db, job.owner, job.job, 0);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("clear the print journal"), error),
                       Messages::Icon::Critical);
    return !error.isValid();
}

} // namespace

frmBatchConfirm::frmBatchConfirm(const store::JournalJob &printed, const QString &note,
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
    for (const store::JournalPage &page : std::as_const(m_printed.pages)) {
        auto *item = new QListWidgetItem(describe(page.cheque), lstCheques);
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

    // 2. Every page to the register, the spoiled ones void, the notes
    // cleared: at once or not at all. On failure the journal still holds
    // the cheques, and the window stays for another try.
    const store::Connection connection(objectName());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::recordJob(connection.database(), m_printed, cameOut,
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

QSqlError unconfirmedJobs(const QSqlDatabase &db, QList<store::JournalJob> *jobs)
{
    bool supervisor = false;
    QSqlError error = store::readJournal(db, jobs);
    if (!error.isValid())
        error = store::maySettleEveryDesk(db, &supervisor);
    // A day is longer than any print or put-off confirmation takes.
    const QDateTime forgotten = QDateTime::currentDateTimeUtc().addDays(-1);
    jobs->removeIf([&](const store::JournalJob &job) {
        if (job.owner == store::thisCopy())
            return job.state != store::JobState::HandedOver;
        return !store::hasEndedHere(job.owner) && !(supervisor && job.notedAt < forgotten);
    });
    return error;
}

bool settleUnconfirmedCheques(QWidget *parent)
{
    // 1. The jobs left unconfirmed, if there are any.
    const store::Connection connection(QStringLiteral("settleUnconfirmedCheques"));
    QList<store::JournalJob> jobs;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = unconfirmedJobs(connection.database(), &jobs);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("read the print journal"), error),
                       Messages::Icon::Critical);
        return false;
    }
    bool settled = true;
    for (const store::JournalJob &job : std::as_const(jobs)) {
        // 2. Nothing of a job still noted reached the printer; one stopped
        //    while handing over may be left out whole.
        if (job.state == store::JobState::Noted
            || (job.state == store::JobState::HandingOver && leaveOutUnsentJob(job.pages.size()))) {
            settled = dropJob(connection.database(), job) && settled;
            continue;
        }
        // 3. Otherwise what came out is confirmed cheque by cheque.
        settled = frmBatchConfirm(job, QStringLiteral("These cheques were printed but never "
                                                      "recorded. "), parent)
                          .exec()
                      == QDialog::Accepted
                  && settled;
    }
    return settled;
}
