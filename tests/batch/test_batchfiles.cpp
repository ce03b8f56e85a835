// Batch files as spreadsheets write them, shown as the file meant or
// refused; hostile files refused in bounded time; a payment made already
// held back until the user ticks it.

#include "batchcheck.h"
#include "batchfixture.h"
#include "batchmodel.h"
#include "batchsamepayments.h"
#include "batchstatements.h"
#include "frmBatch.h"
#include "previewprinter.h"
#include "printjournal.h"
#include "recordedmessages.h"
#include "registerstatements.h"

#include <QTableView>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

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

QList<BatchCheque> checked(const BatchCsv &read)
{
    QList<BatchCheque> cheques = batchChequesFrom(read.rows);
    PreviewPrinter measuring({});
    if (const QString problem = checkBatch(&cheques, measuring); !problem.isEmpty())
        qWarning() << problem;
    return cheques;
}

} // namespace

class TestBatchFiles : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        fillBatchFixture(*m_database);
    }
    void cleanup() { m_database.reset(); }

    void spreadsheetFiles_data();
    void spreadsheetFiles();
    void datesNothingSettlesAreAskedOnce();
    void hostileFiles_data();
    void hostileFiles();
    void samePaymentsWaitForTheirOwnTick();
    void everyProblemOfARowIsNamed();

private:
    std::unique_ptr<TemporaryDatabase> m_database;
};

void TestBatchFiles::spreadsheetFiles_data()
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

void TestBatchFiles::spreadsheetFiles()
{
    QFETCH(QString, file);
    QFETCH(QStringList, rows);
    QFETCH(QString, note);
    const BatchCsv read = readBatchCsvFile(dataDir + u'/' + file);
    QCOMPARE(read.problem, QString());
    QVERIFY(!read.needsDateOrder);
    const QStringList got = shown(checked(read));
    QCOMPARE(got.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i)
        QVERIFY2(got[i].startsWith(rows[i]), qPrintable(got[i]));
    QCOMPARE(batchFileNote(read), note);
}

// Google Sheets' 12/5/2026 and 3/4/2026 could be either: the window asks,
// No keeping the order of the computer's own dates.
void TestBatchFiles::datesNothingSettlesAreAskedOnce()
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

void TestBatchFiles::hostileFiles_data()
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

void TestBatchFiles::hostileFiles()
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
        const QStringList got = shown(checked(read));
        QCOMPARE(got.size(), 1);
        QVERIFY2(got[0].contains("Line 2 has a field of 2,000,000 characters"), qPrintable(got[0]));
        QVERIFY(got[0].size() < 1000);
    }
}

void TestBatchFiles::samePaymentsWaitForTheirOwnTick()
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
    qint64 job = 0;
    QList<std::optional<store::RegisterRow>> earlier;
    QList<bool> earlierNoted;
    const store::JournalPage page{{QDate(2026, 12, 8), "Asha Menon", "City Bank", "30.00", "160"},
                                  Money::fromCents(3000), "Thirty Rupees Only"};
    QVERIFY(!store::noteJob(m_database->db(), {page}, &job, &earlier, &earlierNoted).isValid());
    const BatchCsv read = readBatchCsv("bank,payee,amount,date\n"
                                       "City Bank,asha,1500,05/Dec/2026\n"      // the register's 150
                                       "City Bank,ASHA MENON,20,2026-12-06\n"  // 151 is void
                                       "City Bank,asha,20,2026-12-06\n"        // as line 3
                                       "City Bank,asha,20,2026-12-07\n"
                                       "City Bank,asha,30.00,2026-12-08\n");  // page 160
    QList<BatchCheque> cheques = checked(read);
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

void TestBatchFiles::everyProblemOfARowIsNamed()
{
    const BatchCsv read = readBatchCsv("bank,payee,amount,date,crossed\n"
                                       "City Bank,nobody,10,31/02/2026,maybe,extra\n");
    // The status cell shows the start, the tip the whole.
    QCOMPARE(checked(read).value(0).problem, QString(
        "Line 2 has more fields than the first line names (6, not 5): "
        "\"extra\". Quote a field that holds the separator. The payee \"nobody\" is neither a "
        "nick name nor a name among the payees. The date \"31/02/2026\" is no date: write it as "
        "yyyy-mm-dd, dd/mm/yyyy or dd/MMM/yyyy. The crossed value \"maybe\" is neither yes "
        "nor no."));
}

QTEST_MAIN(TestBatchFiles)
#include "test_batchfiles.moc"
