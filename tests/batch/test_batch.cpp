// Batch files read as spreadsheets write them, every reason a row cannot
// print, and the batch window from the menu's Ctrl+B to the register: one job
// of a page a cheque, the confirmation writing and voiding, keys, and a batch
// left unconfirmed by a stopped program offered at start.

#include "batchcheck.h"
#include "batchfixture.h"
#include "batchmodel.h"
#include "batchprint.h"
#include "batchstatements.h"
#include "database.h"
#include "chequejournal.h"
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

class TestBatch : public QObject
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

    void dialects_data();
    void dialects();
    void values();
    void everyReason();
    void printsReadyRowsAsOneJobAndRecordsThem();
    void keys();
    void cancelStopsBetweenPages();
    void journalOfAStoppedProgramIsOfferedAtStart_data();
    void journalOfAStoppedProgramIsOfferedAtStart();
    void olderBatchJournalIsOfferedAtStart();

private:
    std::unique_ptr<TemporaryDatabase> m_database;
    QTemporaryFile m_file;
};

void TestBatch::dialects_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");  // line|bank|payee|amount|date|number|crossed
    QTest::addColumn<QString>("problem");

    QTest::newRow("quoted comma, quote and line break")
        << QByteArray("Bank,Payee,Amount,Date\r\n\"City, Bank\",\"Asha \"\"A\"\"\nMenon\",10,2026-12-05\r\n")
        << QStringList{"2|City, Bank|Asha \"A\"\nMenon|10|2026-12-05||"} << QString();
    QTest::newRow("semicolons, any order and case, blank lines, extra column")
        << QByteArray("DATE;note;amount;CROSSED;payee;Number;bank\n\n05/12/2026;a,b;1,5;no;asha;7;City\n")
        << QStringList{"3|City|asha|1,5|05/12/2026|7|no"} << QString();
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBF" "bank,payee,amount,date\nCity,Ren\xC3\xA9,1,x")
        << QStringList{"2|City|René|1|x||"} << QString();
    QTest::newRow("Windows-1252")
        << QByteArray("bank,payee,amount,date\nCity,Ren\xE9 \x80,1,x\n")
        << QStringList{"2|City|René €|1|x||"} << QString();
    QTest::newRow("missing column named")
        << QByteArray("bank,payee,date\nCity,Asha,x\n") << QStringList{}
        << "The file has no column \"amount\".";
    QTest::newRow("open quote") << QByteArray("bank,payee,amount,date\n\"City,Asha,1,x\n")
                                << QStringList{} << "A quoted field that starts on line 2";
}

void TestBatch::dialects()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QFETCH(QString, problem);

    const BatchCsv batch = readBatchCsv(bytes);
    QStringList read;
    for (const BatchCsvRow &row : batch.rows)
        read << QStringList{QString::number(row.line), row.bank, row.payee, row.amount,
                            row.date, row.number, row.crossed}.join(u'|');
    QCOMPARE(read, rows);
    QVERIFY2(problem.isEmpty() ? batch.problem.isEmpty() : batch.problem.startsWith(problem),
             qPrintable(batch.problem));
}

void TestBatch::values()
{
    const QList<std::pair<QString, QDate>> dates{
        {"2026-12-05", QDate(2026, 12, 5)}, {"05/12/2026", QDate(2026, 12, 5)},
        {"5/dEc/2026", QDate(2026, 12, 5)}, {"31/02/2026", {}}, {"12/05/26", {}},
        {"05/Dez/2026", {}}, {"1600-12-31", {}}};
    for (const auto &[text, date] : dates)
        QCOMPARE(batchDate(text).value_or(QDate()), date);
    const QList<std::pair<QString, int>> crossings{
        {"", 1}, {"Yes", 1}, {"y", 1}, {"TRUE", 1}, {"1", 1}, {"no", 0}, {"N", 0},
        {"false", 0}, {"0", 0}, {"maybe", -1}};
    for (const auto &[text, crossed] : crossings)
        QCOMPARE(batchCrossed(text) ? int(*batchCrossed(text)) : -1, crossed);
}

void TestBatch::everyReason()
{
    // bank, payee, amount, date, number, crossed; included; number given, problem's start
    const QList<std::tuple<QStringList, bool, QString, QString>> rows{
        {{"City Bank", "asha", "10", "2026-12-05", "", ""}, true, "101", ""},
        {{"city bank", "ASHA MENON", "10", "05/Dec/2026", "", "no"}, true, "102", ""},
        {{"City Bank", "asha", "10", "2026-12-05", "", ""}, false, "", ""},
        {{"Nowhere Bank", "asha", "10", "2026-12-05", "", ""}, true, "",
         "The bank \"Nowhere Bank\" has no cheque layout."},
        {{"Stray Bank", "asha", "10", "2026-12-05", "", ""}, true, "",
         "The bank \"Stray Bank\" is not among the banks"},
        {{"City Bank", "nobody", "10", "2026-12-05", "", ""}, true, "",
         "The payee \"nobody\" is neither"},
        {{"City Bank", "asha", "1,500", "2026-12-05", "", ""}, true, "",
         "The amount \"1,500.00\" is not in plain figures"},
        {{"City Bank", "asha", "0", "2026-12-05", "", ""}, true, "", "The amount is zero"},
        {{"City Bank", "asha", "99999999999999", "2026-12-05", "", ""}, true, "",
         "The amount 99999999999999.00 is too large"},
        {{"City Bank", "asha", "10", "31/02/2026", "", ""}, true, "", "The date \"31/02/2026\""},
        {{"City Bank", "asha", "10", "2026-12-05", "", "maybe"}, true, "",
         "The crossed value \"maybe\""},
        {{"City Bank", "asha", "10", "2026-12-05", "0100", ""}, true, "0100",
         "Cheque number 0100 is in the register already"},
        {{"Far Bank", "asha", "10", "2026-12-05", "7", ""}, true, "7",
         "The Amount \"**10.00**\" falls outside the printable area"},
        {{"Far Bank", "asha", "10", "2026-12-05", "", ""}, true, "",
         "The Amount \"**10.00**\" falls outside the printable area"},
        {{"City Bank", "asha", "10", "2026-12-05", "200", ""}, true, "200",
         "Cheque number 200 is given more than once in the batch (lines 16, 17)."},
        {{"City Bank", "asha", "10", "2026-12-05", "200", ""}, true, "200", "Cheque number 200"},
        {{"City Bank", "asha", "10", "2026-12-05", "", ""}, true, "201", ""},
        {{"City Bank", "asha", "10", "2026-12-05", "12/7", ""}, true, "12/7",
         "The cheque number \"12/7\" is neither plain digits nor letters, digits and hyphens."},
    };
    QList<BatchCsvRow> read;
    for (const auto &[values, included, number, problem] : rows)
        read.append({int(read.size()) + 2, values[0], values[1], values[2], values[3], values[4],
                     values[5]});
    QList<BatchCheque> cheques = batchChequesFrom(read);
    for (int i = 0; i < rows.size(); ++i)
        cheques[i].included = std::get<1>(rows[i]);
    PreviewPrinter measuring({});
    QCOMPARE(checkBatch(&cheques, measuring), QString());

    for (int i = 0; i < rows.size(); ++i) {
        const auto &[values, included, number, problem] = rows[i];
        const BatchCheque &cheque = cheques[i];
        QCOMPARE(cheque.chequeNo, number);
        QVERIFY2(problem.isEmpty() ? cheque.ready() : cheque.problem.startsWith(problem),
                 qPrintable(QString::number(i) + u' ' + cheque.problem));
    }
    QCOMPARE(cheques[1].items.payeeName, QStringLiteral("Asha Menon"));
    QCOMPARE(cheques[1].items.amountInWords, QStringLiteral("Ten only"));
    QCOMPARE(cheques[1].items.crossed, false);
}

void TestBatch::printsReadyRowsAsOneJobAndRecordsThem()
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
    QCOMPARE(rowsOf(m_database->db(), "select count(*) from PrintJournal"),
             QList<QStringList>{{"0"}});
    QCOMPARE(messages.texts(), QStringList());
}

void TestBatch::keys()
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
    frmBatchConfirm confirm(
        {store::thisCopy(), 1, store::JobState::HandedOver,
         {journalPageOf({"City Bank", "Asha Menon", "10.00", "Ten", QDate(2026, 12, 5), true},
                        "101")}},
        {});
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
void TestBatch::cancelStopsBetweenPages()
{
    RecordedPrinting printing;
    QList<BatchCheque> cheques = batchChequesFrom(readBatchCsvFile(m_file.fileName()).rows);
    PreviewPrinter measuring({});
    QCOMPARE(checkBatch(&cheques, measuring), QString());
    cheques.removeAt(1);  // the unknown payee
    const BatchJob job = printBatch(cheques, {}, [](int done) { return done < 2; });
    QCOMPARE(job.printed.pages.size(), 2);
    QCOMPARE(printing.operations().filter(QRegularExpression("^(NewPage|EndDoc)$")),
             QStringList({"NewPage", "EndDoc"}));
    QCOMPARE(rowsOf(m_database->db(), "select ChequeNo, State from PrintJournal"),
             QList<QStringList>({{"101", "handed over"}, {"102", "handed over"}}));
}

void TestBatch::journalOfAStoppedProgramIsOfferedAtStart_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("leaveOut");  // the answer to the question, when asked
    QTest::addColumn<int>("questions");
    QTest::addColumn<QList<QStringList>>("recorded");
    const QList<QStringList> confirmed{{"101", "Asha Menon", "10.00", "spoiled in batch printing"},
                                       {"102", "Ravi Kumar", "20.00", ""}};
    QTest::newRow("taken by the spooler") << "handed over" << true << 0 << confirmed;
    QTest::newRow("handing over, left out") << "handing over" << true << 1 << QList<QStringList>();
    QTest::newRow("handing over, confirmed") << "handing over" << false << 1 << confirmed;
    QTest::newRow("never sent") << "noted" << false << 0 << QList<QStringList>();
}

// The notes of a copy that has ended (pid 0 never runs) are settled at
// start; a running copy's are left alone.
void TestBatch::journalOfAStoppedProgramIsOfferedAtStart()
{
    QFETCH(QString, state);
    QFETCH(bool, leaveOut);
    QFETCH(int, questions);
    QFETCH(QList<QStringList>, recorded);
    const QList<store::JournalPage> pages{
        journalPageOf({"City Bank", "Asha Menon", "10.00", "Ten", QDate(2026, 12, 5), true},
                      "101"),
        journalPageOf({"City Bank", "Ravi Kumar", "20.00", "Twenty", QDate(2026, 12, 5), true},
                      "102")};
    qint64 job = 0;
    QList<std::optional<store::RegisterRow>> earlier;
    QList<bool> noted;
    QVERIFY(!store::noteJob(m_database->db(), pages, &job, &earlier, &noted).isValid());
    QVERIFY(settleUnconfirmedCheques());  // this copy's, still running
    m_database->exec(QStringLiteral("update PrintJournal set OwnerPid = 0, State = '%1'").arg(state));

    RecordedMessages messages;
    messages.answer(leaveOut);
    if (state == "handed over" || (state == "handing over" && !leaveOut))
        confirmWithout({0});
    QVERIFY(settleUnconfirmedCheques());
    QCOMPARE(messages.all().size(), questions);
    QCOMPARE(rowsOf(m_database->db(), registerWithVoids), recorded);
    QCOMPARE(rowsOf(m_database->db(), "select count(*) from PrintJournal"),
             QList<QStringList>{{"0"}});
}

// A batch an older Quillmark left unconfirmed comes over into the print
// journal, and is offered as any.
void TestBatch::olderBatchJournalIsOfferedAtStart()
{
    m_database->exec(QStringLiteral(
        "Create table BatchJournal (Page INTEGER PRIMARY KEY, DateofChq DATE, Payeename TEXT, "
        "BankName TEXT, PAyeeamt TEXT, ChequeNo TEXT, HandedOver INTEGER NOT NULL DEFAULT 0)"));
    m_database->exec(QStringLiteral("insert into BatchJournal values (1, '2026-12-05', "
                                    "'Asha Menon', 'City Bank', '10.00', '101', 1)"));
    QCOMPARE(store::prepareDatabase(m_database->path()), QString());
    RecordedMessages messages;
    confirmWithout({});
    QVERIFY(settleUnconfirmedCheques());
    QCOMPARE(rowsOf(m_database->db(), registerWithVoids),
             QList<QStringList>({{"101", "Asha Menon", "10.00", ""}}));
    QVERIFY(!m_database->db().tables().contains(QStringLiteral("BatchJournal")));
}

QTEST_MAIN(TestBatch)
#include "test_batch.moc"
