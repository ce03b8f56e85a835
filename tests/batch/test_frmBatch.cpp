// The batch window from the menu's Ctrl+B to the register: rows checked and
// greyed, one job of a page a cheque, the confirmation writing and voiding,
// keys, and a batch left unconfirmed by a stopped program offered at start.

#include "batchfixture.h"
#include "batchmodel.h"
#include "batchprint.h"
#include "batchstatements.h"
#include "chequepreview.h"
#include "forms.h"
#include "frmBatch.h"
#include "frmBatchConfirm.h"
#include "frmMain.h"
#include "previewprinter.h"
#include "recordedprinting.h"
#include "windowchecks.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryFile>

namespace {

// Takes the ticks off the rows given, then presses OK.
void confirmWithout(const QList<int> &spoiled)
{
    inNextModal([spoiled](QWidget *window) {
        auto *list = control<QListWidget>(window, "lstCheques");
        for (int row : spoiled)
            list->item(row)->setCheckState(Qt::Unchecked);
        control<QPushButton>(window, "cmdOK")->click();
    }, "frmBatchConfirm");
}

const QString registerWithVoids = QStringLiteral(
    "select r.ChequeNo, r.Payeename, r.PAyeeamt, coalesce(m.Reason, '') from ChqIssuereg r "
    "left join ChequeVoidMarks m on m.RegisterRow = r.rowid where r.ChequeNo <> '100' "
    "order by r.rowid");

} // namespace

class TestFrmBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_file.open());
        m_file.write("bank;payee;amount;date\nCity Bank;asha;10;2026-12-05\n"
                     "City Bank;nobody;20;2026-12-05\nCity Bank;Asha Menon;30;2026-12-06\n"
                     "City Bank;asha;40;2026-12-07\n");
        m_file.close();
    }
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        fillBatchFixture(*m_database);
    }
    void cleanup() { m_database.reset(); }

    void printsReadyRowsAsOneJobAndRecordsThem();
    void keys();
    void cancelStopsBetweenPages();
    void journalOfAStoppedProgramIsOfferedAtStart();

private:
    std::unique_ptr<TemporaryDatabase> m_database;
    QTemporaryFile m_file;
};

void TestFrmBatch::printsReadyRowsAsOneJobAndRecordsThem()
{
    RecordedMessages messages;
    RecordedPrinting printing;

    // Ctrl+B on the menu opens the batch window.
    Forms::registerForm(QStringLiteral("frmBatch"), [] { return new frmBatch; });
    frmMain menu;
    menu.show();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    inNextModal([&](QWidget *window) {
        auto *batch = qobject_cast<frmBatch *>(window);
        QVERIFY(batch);
        batch->openFile(m_file.fileName());
        auto *model = qobject_cast<BatchModel *>(control<QTableView>(batch, "grdBatch")->model());
        QCOMPARE(model->index(1, BatchModel::Status).data().toString(),
                 QStringLiteral("The payee \"nobody\" is neither a nick name nor a name among "
                                "the payees."));
        QVERIFY(model->index(1, BatchModel::Bank).data(Qt::ForegroundRole).isValid());
        QVERIFY(!model->index(0, BatchModel::Bank).data(Qt::ForegroundRole).isValid());

        // The last row left out: two pages in one job, the second spoiled.
        model->setData(model->index(3, BatchModel::Included), Qt::Unchecked, Qt::CheckStateRole);
        confirmWithout({1});
        control<QPushButton>(batch, "cmdPrint")->click();
        QCOMPARE(model->index(0, BatchModel::Status).data().toString(),
                 QStringLiteral("Printed as cheque 101."));
        QCOMPARE(model->index(3, BatchModel::Number).data().toString(), QString());
        batch->close();
    }, "frmBatch");
    QTest::keyClick(&menu, Qt::Key_B, Qt::ControlModifier);

    QCOMPARE(printing.operations().filter(QRegularExpression("^(NewPage|EndDoc|KillDoc)$")),
             QStringList({"NewPage", "EndDoc"}));
    QCOMPARE(rowsOf(m_database->db(), registerWithVoids),
             QList<QStringList>({{"101", "Asha Menon", "10.00", ""},
                                 {"102", "Asha Menon", "30.00", "spoiled in batch printing"}}));
    QCOMPARE(rowsOf(m_database->db(), "select count(*) from BatchJournal"),
             QList<QStringList>{{"0"}});
    QCOMPARE(messages.texts(), QStringList());
}

void TestFrmBatch::keys()
{
    // Enter presses only the button holding the focus; Escape closes.
    setChequePreview([](QWidget *, const ChequeItems &) { return std::optional<QString>(); });
    frmBatch batch;
    batch.openFile(m_file.fileName());
    batch.show();
    QVERIFY(QTest::qWaitForWindowActive(&batch));
    QTest::keyClick(control(&batch, "grdBatch"), Qt::Key_Return);
    QVERIFY(batch.isVisible());
    QTest::keyClick(&batch, Qt::Key_Escape);
    QVERIFY(!batch.isVisible());

    // Closing the confirmation asks; No keeps it open, Yes leaves the
    // cheques in the journal.
    RecordedMessages messages;
    frmBatchConfirm confirm({{QDate(2026, 12, 5), "Asha Menon", "City Bank", "10.00", "101"}}, {});
    confirm.show();
    QVERIFY(QTest::qWaitForWindowActive(&confirm));
    QTest::keyClick(control(&confirm, "lstCheques"), Qt::Key_Return);
    QTest::keyClick(&confirm, Qt::Key_Escape);
    QVERIFY(confirm.isVisible());
    messages.answer(true);
    QTest::keyClick(&confirm, Qt::Key_Escape);
    QVERIFY(!confirm.isVisible());
    QCOMPARE(messages.all().size(), 2);  // one question for each Escape
}

// The pages done are still the job, and only they are in the journal.
void TestFrmBatch::cancelStopsBetweenPages()
{
    RecordedPrinting printing;
    QList<BatchCheque> cheques = batchChequesFrom(readBatchCsvFile(m_file.fileName()).rows);
    PreviewPrinter measuring({});
    QCOMPARE(checkBatch(&cheques, measuring), QString());
    cheques.removeAt(1);  // the unknown payee
    const BatchJob job = printBatch(cheques, {}, [](int done) { return done < 2; });
    QCOMPARE(job.printed.size(), 2);
    QCOMPARE(printing.operations().filter(QRegularExpression("^(NewPage|EndDoc)$")),
             QStringList({"NewPage", "EndDoc"}));
    QCOMPARE(rowsOf(m_database->db(), "select ChequeNo from BatchJournal"),
             QList<QStringList>({{"101"}, {"102"}}));
}

void TestFrmBatch::journalOfAStoppedProgramIsOfferedAtStart()
{
    // Stopped after the job went to the printer: the journal holds it.
    const QList<store::RegisterRow> pages{
        {QDate(2026, 12, 5), "Asha Menon", "City Bank", "10.00", "101"},
        {QDate(2026, 12, 5), "Ravi Kumar", "City Bank", "20.00", "102"}};
    QVERIFY(!store::writeBatchJournal(m_database->db(), pages).isValid());

    confirmWithout({0});
    offerUnconfirmedBatch();
    QCOMPARE(rowsOf(m_database->db(), registerWithVoids),
             QList<QStringList>({{"101", "Asha Menon", "10.00", "spoiled in batch printing"},
                                 {"102", "Ravi Kumar", "20.00", ""}}));
    QCOMPARE(rowsOf(m_database->db(), "select count(*) from BatchJournal"),
             QList<QStringList>{{"0"}});
}

QTEST_MAIN(TestFrmBatch)
#include "test_frmBatch.moc"
