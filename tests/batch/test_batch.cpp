// Batch files read as spreadsheets write them, hostile files refused in
// bounded time, every reason a row cannot print, a payment made already held
// back until the user ticks it, and the batch window from the menu's Ctrl+B
// to the register: one job of a page a cheque, the confirmation writing and
// voiding, keys, and a batch left unconfirmed by a stopped program offered
// at start; the measuring printer asking each question once, in bounded
// memory.

#include "batchcheck.h"
#include "batchfixture.h"
#include "testserver.h"
#include "batchmodel.h"
#include "batchprint.h"
#include "batchsamepayments.h"
#include "batchstatements.h"
#include "database.h"
#include "chequejournal.h"
#include "frmBatch.h"
#include "frmBatchConfirm.h"
#include "previewprinter.h"
#include "printjournal.h"
#include "recordedprinting.h"
#include "rememberingprinter.h"
#include "windowchecks.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <sys/stat.h>

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

const QString dataDir = QStringLiteral(BATCH_FILES);

// Each row as the grid shows it: line|amount|date|number|status.
QStringList shown(const QList<BatchCheque> &cheques)
{
    BatchModel model;
    model.setCheques(cheques);
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells{model.headerData(row, Qt::Vertical, Qt::DisplayRole).toString()};
        for (int column : {BatchModel::Amount, BatchModel::Date, BatchModel::Number,
                           BatchModel::Status})
            cells << model.index(row, column).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

// A page printer counting the measuring questions it is asked.
class CountingPrinter : public PreviewPrinter
{
public:
    CountingPrinter() : PreviewPrinter({}) {}
    mutable int widths = 0;
    mutable int glyphs = 0;

    double TextWidth(const QString &text) const override
    {
        return ++widths, PreviewPrinter::TextWidth(text);
    }
    bool HasGlyph(char32_t character) const override
    {
        return ++glyphs, PreviewPrinter::HasGlyph(character);
    }
};

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

    void dialects_data()
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
    void dialects()
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

    void values()
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

    void everyReason()
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

    void printsReadyRowsAsOneJobAndRecordsThem()
    {
        RecordedMessages messages;
        RecordedPrinting printing;

        frmBatch batch;
        batch.openFile(m_file.fileName());
        auto *model = qobject_cast<BatchModel *>(control<QTableView>(&batch, "grdBatch")->model());
        QCOMPARE(model->index(1, BatchModel::Status).data().toString(),
                 QStringLiteral("The payee \"nobody\" is neither a nick name nor a name among "
                                "the payees."));
        QVERIFY(model->index(1, BatchModel::Bank).data(Qt::ForegroundRole).isValid());
        QVERIFY(!model->index(0, BatchModel::Bank).data(Qt::ForegroundRole).isValid());

        // The last row left out: two pages in one job, the second spoiled.
        model->setData(model->index(3, BatchModel::Included), Qt::Unchecked, Qt::CheckStateRole);
        confirmWithout({1});
        control<QPushButton>(&batch, "cmdPrint")->click();
        QCOMPARE(model->index(0, BatchModel::Status).data().toString(),
                 QStringLiteral("Printed as cheque 101."));
        QCOMPARE(model->index(3, BatchModel::Number).data().toString(), QString());

        QCOMPARE(printing.operations().filter(QRegularExpression("^(NewPage|EndDoc|KillDoc)$")),
                 QStringList({"NewPage", "EndDoc"}));
        QCOMPARE(rowsOf(m_database->db(), registerWithVoids),
                 QList<QStringList>({{"101", "Asha Menon", "10.00", ""},
                                     {"102", "Asha Menon", "30.00", "spoiled in batch printing"}}));
        QCOMPARE(rowsOf(m_database->db(), "select count(*) from PrintJournal"),
                 QList<QStringList>{{"0"}});
        QCOMPARE(messages.texts(), QStringList());
    }

    // Closing the confirmation asks; No keeps it open, Yes leaves the
    // cheques in the journal.
    void closingTheConfirmationAsks()
    {
        RecordedMessages messages;
        frmBatchConfirm confirm(
            {store::thisCopy(), 1, store::JobState::HandedOver,
             {journalPageOf({"City Bank", "Asha Menon", "10.00", "Ten", QDate(2026, 12, 5), true},
                            "101")},
             {}},
            {});
        QVERIFY(shownActive(&confirm));
        QTest::keyClick(control(&confirm, "lstCheques"), Qt::Key_Return);
        QTest::keyClick(&confirm, Qt::Key_Escape);
        QVERIFY(confirm.isVisible());
        messages.answer(true);
        QTest::keyClick(&confirm, Qt::Key_Escape);
        QVERIFY(!confirm.isVisible());
        QCOMPARE(messages.all().size(), 2);  // one question for each Escape
    }

    // The pages done are still the job, and only they are in the journal.
    void cancelStopsBetweenPages()
    {
        RecordedPrinting printing;
        QList<BatchCheque> cheques = checkedBatch(readBatchCsvFile(m_file.fileName()));
        cheques.removeAt(1);  // the unknown payee
        const BatchJob job = printBatch(cheques, {}, [](int done) { return done < 2; });
        QCOMPARE(job.printed.pages.size(), 2);
        QCOMPARE(printing.operations().filter(QRegularExpression("^(NewPage|EndDoc)$")),
                 QStringList({"NewPage", "EndDoc"}));
        QCOMPARE(rowsOf(m_database->db(), "select ChequeNo, State from PrintJournal"),
                 QList<QStringList>({{"101", "handed over"}, {"102", "handed over"}}));
    }

    void journalOfAStoppedProgramIsOfferedAtStart_data()
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
    void journalOfAStoppedProgramIsOfferedAtStart()
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
        m_database->noteJob(pages);
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
    void olderBatchJournalIsOfferedAtStart()
    {
        if (testserver::wanted())
            QSKIP("An older Quillmark's batch journal comes only in a data file.");
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

    void spreadsheetFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("rows");  // status: "ready" or the reason's start
        QTest::addColumn<QString>("note");

        QTest::newRow("Excel US") << "excel-us.csv" << QStringList{
            "2|10.00|05 Dec 2026|301|ready", "3|1500.5|04 Jul 2026|302|ready",
            "4|20.00|13 Jan 2026|303|ready",
            "5|1.00|500.00|7/4/2026|Line 5 has more fields than the first line names (6, not 5): "
            "\"304\".",
            "6|2,750.00|04 Jul 2026|305|The amount \"2,750.00\" is not in plain figures"}
            << "Read as UTF-8; dates month first (line 4).";
        QTest::newRow("Excel UK") << "excel-uk.csv" << QStringList{
            "2|25.5|13 Jan 2026|101|ready", "3|30.00|05 Dec 2026|102|ready",
            "4|40.00|12/25/2026||The date \"12/25/2026\" is written month first, but the date on "
            "line 2 shows that the file writes its dates day first."}
            << "Read as Windows-1252; dates day first (line 2); not used: \"Note\".";
        QTest::newRow("Excel German") << "excel-de.csv" << QStringList{
            "3|250.00|05 Dec 2026|101|ready",
            "4|1500,50.00|05 Dec 2026||The amount \"1500,50.00\" is not in plain figures",
            "5|1.500,00|06 Dec 2026||The amount \"1.500,00\" is not in plain figures",
            "6|2.750|06 Dec 2026||The amount \"2.750\" is not in plain figures"}
            << "Read as Windows-1252; not used: \"Verwendungszweck\".";
        QTest::newRow("Excel India") << "excel-india.csv" << QStringList{
            "2|5000.00|05 Dec 2026|000501|ready",
            "3|1,50,000.00|15 Jan 2026|000502|The amount \"1,50,000.00\" is not in plain figures",
            "4|750.00|07 Dec 2026|000503|ready"}
            << "Read as UTF-8; dates day first (line 3).";
        QTest::newRow("LibreOffice") << "libreoffice.csv" << QStringList{
            "2|60.00|05 Dec 2026|000410|ready",
            "3|70.00|12/05/26|000411|The date \"12/05/26\" is no date"}
            << "Read as UTF-8; not used: \"Memo\".";
        QTest::newRow("Excel Mac") << "excel-mac.csv" << QStringList{
            "2|11.00|05 Dec 2026|101|ready", "3|12.00|06 Dec 2026|102|ready"}
            << "Read as UTF-8.";
        QTest::newRow("UTF-8, a stray byte") << "excel-utf8-stray-byte.csv" << QStringList{
            "2|13.00|05 Dec 2026|101|ready",
            "3|14.00|05 Dec 2026||Line 3 has bytes the file's encoding has no character for.",
            "4|15.00|05 Dec 2026|102|ready"}
            << "Read as UTF-8; bytes that are no UTF-8 on line 3; not used: \"Note\".";
    }
    void spreadsheetFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, rows);
        QFETCH(QString, note);
        const BatchCsv read = readBatchCsvFile(dataDir + u'/' + file);
        QCOMPARE(read.problem, QString());
        QVERIFY(!read.needsDateOrder);
        const QStringList got = shown(checkedBatch(read));
        QCOMPARE(got.size(), rows.size());
        for (int i = 0; i < rows.size(); ++i)
            QVERIFY2(got[i].startsWith(rows[i]), qPrintable(got[i]));
        QCOMPARE(batchFileNote(read), note);
    }

    // Google Sheets' 12/5/2026 and 3/4/2026 could be either: the window asks,
    // No keeping the order of the computer's own dates.
    void datesNothingSettlesAreAskedOnce()
    {
        for (const bool yes : {false, true}) {
            RecordedMessages messages;
            messages.answer(yes);
            frmBatch batch;
            batch.openFile(dataDir + QStringLiteral("/google-sheets.csv"));
            QCOMPARE(messages.all().size(), 1);
            QVERIFY(messages.all()[0].text.contains(u"05/12/2026"));
            const bool monthFirst = (systemDateOrder() == DateOrder::MonthFirst) != yes;
            const QAbstractItemModel *model =
                batch.findChild<QTableView *>(QStringLiteral("grdBatch"))->model();
            QCOMPARE(model->index(0, BatchModel::Date).data().toString(),
                     monthFirst ? QStringLiteral("05 Dec 2026") : QStringLiteral("12 May 2026"));
            QCOMPARE(model->index(1, BatchModel::Date).data().toString(),
                     monthFirst ? QStringLiteral("04 Mar 2026") : QStringLiteral("03 Apr 2026"));
        }
    }

    void hostileFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::newRow("named pipe") << "fifo" << "\"batch.csv\" is a named pipe (FIFO), not a file.";
        QTest::newRow("link to /dev/zero") << "zero" << "\"batch.csv\" is a device or socket, not a file.";
        QTest::newRow("65 MB") << "large"
            << "The file \"batch.csv\" is 65 MB; a batch file may be at most 64 MB.";
        QTest::newRow("100,000 rows") << "rows100000" << "";
        QTest::newRow("100,001 rows") << "rows"
            << "The file has more than 100,000 rows; a batch may have at most 100,000.";
        QTest::newRow("a field of 2 MB") << "field" << "";
    }
    void hostileFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("batch.csv"));
        QFile file(path);
        if (kind == "fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "zero") {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("bank,payee,amount,date\n");
            if (kind == "large")
                QVERIFY(file.resize(65 * 1024 * 1024));
            const int rows = kind == "rows" ? maxBatchRows + 1 : kind == "rows100000" ? maxBatchRows : 0;
            for (int row = 0; row < rows; ++row)
                file.write("City Bank,asha,1,2026-12-05\n");
            if (kind == "field")
                file.write("City Bank," + QByteArray(2'000'000, 'a') + ",1,2026-12-05\n");
            file.close();
        }
        const BatchCsv read = readBatchCsvFile(path);
        QVERIFY2(problem.isEmpty() ? read.problem.isEmpty() : read.problem.startsWith(problem),
                 qPrintable(read.problem));
        if (kind == "field") {
            // The field is refused and cut, so no cell or message holds it.
            const QStringList got = shown(checkedBatch(read));
            QCOMPARE(got.size(), 1);
            QVERIFY2(got[0].contains("Line 2 has a field of 2,000,000 characters"), qPrintable(got[0]));
            QVERIFY(got[0].size() < 1000);
        }
    }

    void samePaymentsWaitForTheirOwnTick()
    {
        QVERIFY(!store::addRegisterEntry(m_database->db(), {QDate(2026, 12, 5), "Asha Menon",
                                                            "City Bank", "1,500.00", "150"})
                     .isValid());
        QVERIFY(!store::addRegisterEntry(m_database->db(), {QDate(2026, 12, 6), "Asha Menon",
                                                            "City Bank", "20.00", "151"})
                     .isValid());
        QVERIFY(!store::addVoidMark(m_database->db(),
                                    store::markNow(3, store::VoidAction::Void, "spoiled"))
                     .isValid());
        // A batch noted but not confirmed yet: its page paid too.
        m_database->noteJob({{{QDate(2026, 12, 8), "Asha Menon", "City Bank", "30.00", "160"},
                              Money::fromCents(3000), "Thirty Rupees Only"}});
        const BatchCsv read = readBatchCsv("bank,payee,amount,date\n"
                                           "City Bank,asha,1500,05/Dec/2026\n"      // the register's 150
                                           "City Bank,ASHA MENON,20,2026-12-06\n"  // 151 is void
                                           "City Bank,asha,20,2026-12-06\n"        // as line 3
                                           "City Bank,asha,20,2026-12-07\n"
                                           "City Bank,asha,30.00,2026-12-08\n");  // page 160
        QList<BatchCheque> cheques = checkedBatch(read);
        QString problem;
        QCOMPARE(markSamePayments(&cheques, &problem), 3);
        QCOMPARE(problem, QString());
        PreviewPrinter measuring({});
        QCOMPARE(checkBatch(&cheques, measuring), QString());
        QCOMPARE(shown(cheques), QStringList({
            "2|1500.00|05 Dec 2026||Tick to print: paid already as cheque 150 on 05 Dec 2026",
            "3|20.00|06 Dec 2026|161|ready",
            "4|20.00|06 Dec 2026||Tick to print: the same payment as line 3",
            "5|20.00|07 Dec 2026|162|ready",
            "6|30.00|08 Dec 2026||Tick to print: paid already as cheque 160 on 08 Dec 2026"}));
        // Its own tick prints it.
        cheques[0].included = true;
        QCOMPARE(checkBatch(&cheques, measuring), QString());
        QCOMPARE(shown(cheques)[0],
                 "2|1500.00|05 Dec 2026|161|ready, though paid already as cheque 150 on 05 Dec 2026");
    }

    void everyProblemOfARowIsNamed()
    {
        const BatchCsv read = readBatchCsv("bank,payee,amount,date,crossed\n"
                                           "City Bank,nobody,10,31/02/2026,maybe,extra\n");
        // The status cell shows the start, the tip the whole.
        QCOMPARE(checkedBatch(read).value(0).problem, QString(
            "Line 2 has more fields than the first line names (6, not 5): "
            "\"extra\". Quote a field that holds the separator. The payee \"nobody\" is neither a "
            "nick name nor a name among the payees. The date \"31/02/2026\" is no date: write it as "
            "yyyy-mm-dd, dd/mm/yyyy or dd/MMM/yyyy. The crossed value \"maybe\" is neither yes "
            "nor no."));
    }

    // A character's glyph is asked once per face, whatever the size or the
    // text it stands in; a width once per text, face and size.
    void asksEachQuestionOnce()
    {
        CountingPrinter measured;
        RememberingPrinter printer(measured);
        PreviewPrinter unremembered({});
        printer.FontName("DejaVu Sans");
        unremembered.FontName("DejaVu Sans");
        for (const float points : {12.0f, 9.0f, 12.0f}) {
            printer.FontSize(points);
            unremembered.FontSize(points);
            for (const char32_t character : U"Rupees Five Only")
                QVERIFY(character == 0 || printer.HasGlyph(character));
            QCOMPARE(printer.TextWidth("Rupees Five Only"), unremembered.TextWidth("Rupees Five Only"));
        }
        QCOMPARE(measured.glyphs, 13);  // the distinct characters, the space included
        QCOMPARE(measured.widths, 2);   // at 12 and at 9 points
        printer.FontName("Liberation Sans");
        QVERIFY(printer.HasGlyph(U'R'));
        QCOMPARE(measured.glyphs, 14);
    }

    // A batch of many distinct payees keeps a bounded number of answers:
    // the earliest are forgotten and asked again.
    void keepsABoundedNumberOfAnswers()
    {
        CountingPrinter measured;
        RememberingPrinter printer(measured);
        for (int i = 0; i < 99'999; ++i)
            printer.TextWidth(QString::number(i));
        QCOMPARE(measured.widths, 99'999);
        printer.TextWidth("99998");
        QCOMPARE(measured.widths, 99'999);
        printer.TextWidth("0");
        QCOMPARE(measured.widths, 100'000);
    }

private:
    std::unique_ptr<TemporaryDatabase> m_database;
    QTemporaryFile m_file;
};

QTEST_MAIN(TestBatch)
#include "test_batch.moc"
