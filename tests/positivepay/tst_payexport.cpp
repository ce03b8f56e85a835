#include "layoutstore.h"
#include "payexport.h"
#include "positivepaystatements.h"
#include "temporarydatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace positivepay;

namespace {

const QString bank = QStringLiteral("State Bank");

} // namespace

class tst_payexport : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void whatEachChequeGoesOutAs_data();
    void whatEachChequeGoesOutAs();
    void nextExportHoldsOnlyWhatIsNewAndTheVoids();
    void cancelledOrFailedExportMarksNothing();
    void dateRangeSendsEveryChequeShown();
    void userLayoutIsSavedReloadedAndUsed();
    void missingDetailsAndUnreadableAmountsStopTheExport();

private:
    void addCheque(const QString &date, const QString &number, const QString &amount);
    void voidCheque(const QString &number, const QString &action = QStringLiteral("void"));
    // Exports what is waiting and returns the file, or what stopped it.
    QByteArray exportNow(const ExportChoice &choice);

    std::unique_ptr<TemporaryDatabase> m_database;
    QTemporaryDir m_dir;
    int m_files = 0;
};

void tst_payexport::init()
{
    m_database = std::make_unique<TemporaryDatabase>();
    m_database->exec("INSERT INTO Bank VALUES ('400002003', 'State Bank', 'USD')");
    QCOMPARE(store::savePayAccount(m_database->db(),
                                   {bank, QStringLiteral("12345"), QStringLiteral("400002003"),
                                    QStringLiteral("29"), QString(),
                                    QStringLiteral("US issue file (CSV)")})
                 .isValid(),
             false);
}

void tst_payexport::cleanup()
{
    m_database.reset();
}

void tst_payexport::addCheque(const QString &date, const QString &number, const QString &amount)
{
    m_database->exec(QStringLiteral("INSERT INTO ChqIssuereg VALUES ('%1', 'Payee %2', "
                                    "'State Bank', '%3', '%2')")
                         .arg(date, number, amount));
}

void tst_payexport::voidCheque(const QString &number, const QString &action)
{
    m_database->exec(QStringLiteral("INSERT INTO ChequeVoidMarks (RegisterRow, Action, MarkedAt) "
                                    "SELECT rowid, '%1', '2026-03-09T10:00:00' FROM ChqIssuereg "
                                    "WHERE ChequeNo = '%2'")
                         .arg(action, number));
}

QByteArray tst_payexport::exportNow(const ExportChoice &choice)
{
    PreparedExport prepared;
    if (prepareExport(m_database->db(), choice, &prepared).isValid())
        return "database failure";
    if (!prepared.problems.isEmpty())
        return prepared.problems.join(QLatin1Char('\n')).toUtf8();
    const QString path = m_dir.filePath(QStringLiteral("file%1.csv").arg(++m_files));
    if (const QString problem = finishExport(m_database->db(), prepared, path); !problem.isEmpty())
        return problem.toUtf8();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("no file");
}

void tst_payexport::whatEachChequeGoesOutAs_data()
{
    QTest::addColumn<bool>("isVoid");
    QTest::addColumn<QString>("lastSent");
    QTest::addColumn<bool>("notYetSent");
    QTest::addColumn<int>("expected");  // -1 nothing, else the RecordKind
    const int issue = int(RecordKind::Issue), voided = int(RecordKind::Void);
    QTest::newRow("new") << false << "" << true << issue;
    QTest::newRow("sent") << false << "I" << true << -1;
    QTest::newRow("void before sending") << true << "" << true << -1;
    QTest::newRow("void after sending") << true << "I" << true << voided;
    QTest::newRow("void sent") << true << "V" << true << -1;
    QTest::newRow("void undone after void sent") << false << "V" << true << issue;
    QTest::newRow("range: sent") << false << "I" << false << issue;
    QTest::newRow("range: void sent") << true << "V" << false << voided;
    QTest::newRow("range: void never sent") << true << "" << false << -1;
}

void tst_payexport::whatEachChequeGoesOutAs()
{
    QFETCH(bool, isVoid);
    QFETCH(QString, lastSent);
    QFETCH(bool, notYetSent);
    QFETCH(int, expected);
    const std::optional<RecordKind> kind = recordToSend(isVoid, lastSent, notYetSent);
    QCOMPARE(kind ? int(*kind) : -1, expected);
}

void tst_payexport::nextExportHoldsOnlyWhatIsNewAndTheVoids()
{
    addCheque("2026-03-02", "101", "1,200.00");
    addCheque("2026-03-02", "102", "50.5");
    addCheque("2026-03-01", "100", "70.00");
    voidCheque("100");  // spoiled before anything was sent
    const ExportChoice waiting{bank, true, {}, {}};
    QCOMPARE(exportNow(waiting), QByteArray("I,12345,101,030226,1200.00,Payee 101\r\n"
                                            "I,12345,102,030226,50.50,Payee 102\r\n"));

    voidCheque("101");
    addCheque("2026-03-03", "103", "9.99");
    QCOMPARE(exportNow(waiting), QByteArray("V,12345,101,030226,1200.00,Payee 101\r\n"
                                            "I,12345,103,030326,9.99,Payee 103\r\n"));
    PreparedExport nothing;
    QVERIFY(!prepareExport(m_database->db(), waiting, &nothing).isValid());
    QVERIFY(nothing.file.written.isEmpty());

    // Each file is kept, the latest first, to be sent again as it was.
    QList<store::SentFileRow> files;
    QVERIFY(!store::listSentFiles(m_database->db(), bank, &files).isValid());
    QCOMPARE(files.size(), 2);
    QCOMPARE(files.first().records, 2);
    QCOMPARE(files.first().contents, QByteArray("V,12345,101,030226,1200.00,Payee 101\r\n"
                                                "I,12345,103,030326,9.99,Payee 103\r\n"));
}

void tst_payexport::cancelledOrFailedExportMarksNothing()
{
    addCheque("2026-03-02", "101", "10.00");
    const ExportChoice waiting{bank, true, {}, {}};
    PreparedExport prepared;
    QVERIFY(!prepareExport(m_database->db(), waiting, &prepared).isValid());
    // Cancelled: prepared, never finished. Failed: the folder is not there.
    const QString nowhere = m_dir.filePath(QStringLiteral("missing/file.csv"));
    QVERIFY(!finishExport(m_database->db(), prepared, nowhere).isEmpty());
    QVERIFY(!QFile::exists(nowhere));
    QCOMPARE(exportNow(waiting), QByteArray("I,12345,101,030226,10.00,Payee 101\r\n"));
}

void tst_payexport::dateRangeSendsEveryChequeShown()
{
    addCheque("2026-03-01", "100", "1.00");
    addCheque("2026-03-02", "101", "2.00");
    addCheque("2026-03-05", "102", "3.00");
    exportNow({bank, true, {}, {}});
    voidCheque("101");
    QCOMPARE(exportNow({bank, false, {2026, 3, 1}, {2026, 3, 2}}),
             QByteArray("I,12345,100,030126,1.00,Payee 100\r\n"
                        "V,12345,101,030226,2.00,Payee 101\r\n"));
}

void tst_payexport::userLayoutIsSavedReloadedAndUsed()
{
    Layout mine;
    mine.name = QStringLiteral("My bank");
    mine.format = Format::FixedWidth;
    mine.amountStyle = AmountStyle::ImpliedCents;
    mine.trailer = true;
    mine.fields = {{Field::ChequeNumber, 6, Alignment::Right, QLatin1Char('0'), false},
                   {Field::Amount, 8, Alignment::Right, QLatin1Char('0'), false}};
    QVERIFY(!saveLayout(m_database->db(), mine).isValid());
    QList<Layout> layouts;
    QVERIFY(!allLayouts(m_database->db(), &layouts).isValid());
    Layout read;
    QVERIFY(findLayout(layouts, mine.name, &read));
    QCOMPARE(read, mine);

    QVERIFY(!store::savePayAccount(m_database->db(), {bank, QStringLiteral("1"), {}, {}, {},
                                                      mine.name})
                 .isValid());
    addCheque("2026-03-02", "101", "12.34");
    QCOMPARE(exportNow({bank, true, {}, {}}),
             QByteArray("00010100001234\r\nT0000000001000000000001234\r\n"));
}

void tst_payexport::missingDetailsAndUnreadableAmountsStopTheExport()
{
    addCheque("2026-03-02", "101", "twelve");
    QVERIFY(exportNow({bank, true, {}, {}}).contains("the amount \"twelve\" cannot be read"));
    QVERIFY(exportNow({QStringLiteral("Other Bank"), true, {}, {}})
                .contains("have not been entered"));
}

QTEST_MAIN(tst_payexport)
#include "tst_payexport.moc"
