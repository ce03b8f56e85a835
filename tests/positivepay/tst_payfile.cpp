// Positive Pay files as each layout writes them, and the exports from the
// register that decide what goes out and mark what was sent.

#include "layoutjson.h"
#include "layoutstore.h"
#include "payexport.h"
#include "payfile.h"
#include "positivepaystatements.h"
#include "temporarydatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace positivepay;

namespace {

const QString bank = QStringLiteral("State Bank");

const Account account{QStringLiteral("State Bank"), QStringLiteral("012345678901"),
                      QStringLiteral("400002003"), QStringLiteral("29"),
                      QStringLiteral("345678")};

PayRecord cheque(RecordKind kind, const QDate &date, const QString &number, const QString &payee,
                 qint64 cents)
{
    return {0, kind, date, number, payee, Money::fromCents(cents)};
}

// A small register: a payee with a comma and quotes, one with accents, a
// cheque voided after it was sent, a payee longer than the US layouts take.
QList<PayRecord> smallRegister()
{
    return {
        cheque(RecordKind::Issue, {2026, 3, 2}, QStringLiteral("000101"),
               QStringLiteral("Acme Traders"), 123450),
        cheque(RecordKind::Issue, {2026, 3, 2}, QStringLiteral("000102"),
               QStringLiteral("Smith, \"Bud\" & Co"), 7500000),
        cheque(RecordKind::Issue, {2026, 3, 3}, QStringLiteral("000103"),
               QStringLiteral("José Müller"), 5005),
        cheque(RecordKind::Void, {2026, 3, 1}, QStringLiteral("000099"),
               QStringLiteral("Ravi Kumar"), 25000000),
        cheque(RecordKind::Issue, {2026, 3, 4}, QStringLiteral("000104"),
               QStringLiteral("Ramesh Gupta Engineering Works Private Limited of Mumbai"),
               9999999),
    };
}

Layout builtIn(const QString &name)
{
    for (const Layout &layout : builtInLayouts()) {
        if (layout.name == name)
            return layout;
    }
    return {};
}

QByteArray fileBytes(const QString &name)
{
    QFile file(QStringLiteral(PAYFILES "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

FieldSpec field(Field f, int width, Alignment alignment, char fill, bool cut = false)
{
    return {f, width, alignment, QLatin1Char(fill), cut};
}

} // namespace

class tst_payfile : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        m_database->exec("INSERT INTO Bank VALUES ('400002003', 'State Bank', 'USD')");
        QVERIFY(!store::savePayAccount(m_database->db(), {bank, "12345", "400002003", "29", {},
                                                          "US issue file (CSV)"}).isValid());
    }
    void cleanup() { m_database.reset(); }

    void builtInLayoutsWriteTheHandWrittenFiles_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("leftOut");
        QTest::newRow("indian") << "Indian Positive Pay (CSV)" << "indian.csv" << 1;
        QTest::newRow("all fields") << "All fields (CSV)" << "allfields.csv" << 0;
        QTest::newRow("us csv") << "US issue file (CSV)" << "us-issue.csv" << 0;
        QTest::newRow("us fixed") << "US issue file (80 columns)" << "us-fixed.txt" << 0;
    }
    void builtInLayoutsWriteTheHandWrittenFiles()
    {
        QFETCH(QString, layout);
        QFETCH(QString, expected);
        QFETCH(int, leftOut);
        const PayFile file = writePayFile(builtIn(layout), account, smallRegister());
        QCOMPARE(file.refused, QStringList());
        QCOMPARE(file.bytes, fileBytes(expected));
        // The Indian fields have no void code: its void is left for the user to tell.
        QCOMPARE(file.leftOut.size(), leftOut);
        QCOMPARE(file.written.size() + file.leftOut.size(), smallRegister().size());
    }

    void chequesThatDoNotFitAreNamedAndNothingIsWritten_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("payee");
        QTest::addColumn<QString>("number");
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("why");
        QTest::addColumn<QDate>("date");
        QTest::newRow("script beyond ascii") << "US issue file (CSV)" << "श्री गणेश" << "000105"
                                             << qint64(100) << "plain letters" << QDate(2026, 3, 5);
        QTest::newRow("letters zero-filled") << "US issue file (80 columns)" << "A" << "10-5"
                                             << qint64(100) << "not all figures" << QDate(2026, 3, 5);
        QTest::newRow("amount too wide") << "US issue file (80 columns)" << "A" << "000105"
                                         << qint64(12345678901) << "has 11 characters" << QDate(2026, 3, 5);
        QTest::newRow("no number") << "Indian Positive Pay (CSV)" << "A" << " " << qint64(100)
                                   << "no cheque number" << QDate(2026, 3, 5);
        QTest::newRow("nothing paid") << "All fields (CSV)" << "A" << "000105" << qint64(0)
                                      << "not more than nothing" << QDate(2026, 3, 5);
        QTest::newRow("no date") << "Indian Positive Pay (CSV)" << "A" << "000105" << qint64(100)
                                 << "date cannot be read" << QDate();
    }
    void chequesThatDoNotFitAreNamedAndNothingIsWritten()
    {
        QFETCH(QString, layout);
        QFETCH(QString, payee);
        QFETCH(QString, number);
        QFETCH(qint64, cents);
        QFETCH(QString, why);
        QFETCH(QDate, date);
        QList<PayRecord> records = smallRegister();
        records << cheque(RecordKind::Issue, date, number, payee, cents);
        const PayFile file = writePayFile(builtIn(layout), account, records);
        QCOMPARE(file.refused.size(), 1);
        QVERIFY2(file.refused.first().contains(why), qPrintable(file.refused.first()));
        QVERIFY(file.refused.first().startsWith(QStringLiteral("Cheque %1 of %2")
                                                    .arg(number.trimmed(),
                                                         date.toString("dd-MM-yyyy"))));
        QVERIFY(file.bytes.isEmpty());
        QVERIFY(file.written.isEmpty());
    }

    void trailerCountsAndTotals_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<QByteArray>("expected");

        Layout semicolons;
        semicolons.name = QStringLiteral("Semicolons");
        semicolons.delimiter = QLatin1Char(';');
        semicolons.amountStyle = AmountStyle::Grouped;
        semicolons.datePattern = QStringLiteral("dd/MM/yyyy");
        semicolons.trailer = true;
        semicolons.trailerCode = QStringLiteral("TOTAL");
        semicolons.fields = {field(Field::ChequeNumber, 0, Alignment::Left, ' '),
                             field(Field::Amount, 0, Alignment::Left, ' '),
                             field(Field::ChequeDate, 0, Alignment::Left, ' '),
                             field(Field::IssueVoidCode, 0, Alignment::Left, ' ')};
        QTest::newRow("delimited") << semicolons
                                   << QByteArray("7;1,234.50;02/03/2026;I\r\n"
                                                 "8;250,000.00;01/03/2026;V\r\n"
                                                 "TOTAL;2;251,234.50\r\n");

        Layout fixed;
        fixed.name = QStringLiteral("Fixed with trailer");
        fixed.format = Format::FixedWidth;
        fixed.header = true;
        fixed.trailer = true;
        fixed.amountStyle = AmountStyle::ImpliedCents;
        fixed.fields = {field(Field::ChequeNumber, 6, Alignment::Right, '0'),
                        field(Field::Blank, 2, Alignment::Left, '*'),
                        field(Field::Amount, 12, Alignment::Right, ' '),
                        field(Field::PayeeName, 8, Alignment::Left, '.', true),
                        field(Field::IssueVoidCode, 1, Alignment::Left, ' ')};
        QTest::newRow("fixed") << fixed
                               << QByteArray("Cheque        AmountPayee NaI\r\n"
                                             "000007**      123450Acme TraI\r\n"
                                             "000008**    25000000Ravi....V\r\n"
                                             "T0000000002000000025123450   \r\n");
    }
    void trailerCountsAndTotals()
    {
        QFETCH(Layout, layout);
        QFETCH(QByteArray, expected);
        const QList<PayRecord> records{
            cheque(RecordKind::Issue, {2026, 3, 2}, QStringLiteral("7"), QStringLiteral("Acme Traders"),
                   123450),
            cheque(RecordKind::Void, {2026, 3, 1}, QStringLiteral("8"), QStringLiteral("Ravi"),
                   25000000)};
        QCOMPARE(writePayFile(layout, account, records).bytes, expected);
    }

    void layoutsSurviveTheirStoredText()
    {
        for (const Layout &layout : builtInLayouts()) {
            Layout read;
            QVERIFY(layoutFromJson(layoutToJson(layout), &read));
            QCOMPARE(read, layout);
            QVERIFY(layoutProblems(layout).isEmpty());
        }
        Layout read;
        QVERIFY(!layoutFromJson("{\"name\":\"x\",\"fields\":[{\"field\":\"Colour\"}]}", &read));
        QVERIFY(!layoutFromJson("not json", &read));
    }

    void nextExportHoldsOnlyWhatIsNewAndTheVoids()
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

        // Two desks export what waits at once: the later is refused, as the
        // bank would otherwise get cheque 104 twice.
        addCheque("2026-03-04", "104", "4.00");
        PreparedExport first, second;
        QVERIFY(!prepareExport(m_database->db(), waiting, &first).isValid());
        QVERIFY(!prepareExport(m_database->db(), waiting, &second).isValid());
        QCOMPARE(finishExport(m_database->db(), first, m_dir.filePath(QStringLiteral("a.csv"))),
                 QString());
        QVERIFY(finishExport(m_database->db(), second, m_dir.filePath(QStringLiteral("b.csv")))
                    .contains(QStringLiteral("export again")));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("b.csv"))));
    }

    // A layout without a void code leaves voids out: an export of nothing but
    // a void writes an empty file, and the void counts as told.
    void onlyALeftOutVoidIsMarkedSent()
    {
        Layout bare;
        bare.name = QStringLiteral("Issues only");
        bare.voidCode.clear();
        bare.fields = {{Field::ChequeNumber, 6, Alignment::Right, QLatin1Char('0'), false}};
        QVERIFY(!saveLayout(m_database->db(), bare).isValid());
        QVERIFY(!store::savePayAccount(m_database->db(), {bank, QStringLiteral("1"), {}, {}, {},
                                                          bare.name})
                     .isValid());
        addCheque("2026-03-02", "101", "10.00");
        const ExportChoice waiting{bank, true, {}, {}};
        QCOMPARE(exportNow(waiting), QByteArray("101\r\n"));
        voidCheque("101");
        QCOMPARE(exportNow(waiting), QByteArray());
        PreparedExport nothing;
        QVERIFY(!prepareExport(m_database->db(), waiting, &nothing).isValid());
        QVERIFY(nothing.file.leftOut.isEmpty());
    }

    void cancelledOrFailedExportMarksNothing()
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

    // What goes out is decided by each cheque's void and what was last sent
    // of it: the register's cheques as the bank must see them.
    void dateRangeSendsEveryChequeShown()
    {
        addCheque("2026-03-01", "099", "9.00");
        voidCheque("099");  // spoiled before anything was sent: never goes out
        addCheque("2026-03-01", "100", "1.00");
        addCheque("2026-03-02", "101", "2.00");
        addCheque("2026-03-05", "102", "3.00");
        const ExportChoice waiting{bank, true, {}, {}};
        exportNow(waiting);
        voidCheque("101");
        const ExportChoice range{bank, false, {2026, 3, 1}, {2026, 3, 2}};
        const QByteArray shown("I,12345,100,030126,1.00,Payee 100\r\n"
                               "V,12345,101,030226,2.00,Payee 101\r\n");
        QCOMPARE(exportNow(range), shown);
        QCOMPARE(exportNow(range), shown);  // its void sent now, and shown still
        // A void undone after the void was sent goes out as issued again.
        voidCheque("101", QStringLiteral("undo"));
        QCOMPARE(exportNow(waiting), QByteArray("I,12345,101,030226,2.00,Payee 101\r\n"));
    }

    void userLayoutIsSavedReloadedAndUsed()
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

    void missingDetailsAndUnreadableAmountsStopTheExport()
    {
        addCheque("2026-03-02", "101", "twelve");
        QVERIFY(exportNow({bank, true, {}, {}}).contains("the amount \"twelve\" cannot be read"));
        QVERIFY(exportNow({QStringLiteral("Other Bank"), true, {}, {}})
                    .contains("have not been entered"));
    }

private:
    void addCheque(const QString &date, const QString &number, const QString &amount);
    void voidCheque(const QString &number, const QString &action = QStringLiteral("void"));
    // Exports what is waiting and returns the file, or what stopped it.
    QByteArray exportNow(const ExportChoice &choice);

    std::unique_ptr<TemporaryDatabase> m_database;
    QTemporaryDir m_dir;
    int m_files = 0;
};

void tst_payfile::addCheque(const QString &date, const QString &number, const QString &amount)
{
    m_database->exec(QStringLiteral("INSERT INTO ChqIssuereg VALUES ('%1', 'Payee %2', "
                                    "'State Bank', '%3', '%2')")
                         .arg(date, number, amount));
}

void tst_payfile::voidCheque(const QString &number, const QString &action)
{
    m_database->exec(QStringLiteral("INSERT INTO ChequeVoidMarks (RegisterRow, Action, MarkedAt) "
                                    "SELECT rowid, '%1', '2026-03-09T10:00:00' FROM ChqIssuereg "
                                    "WHERE ChequeNo = '%2'")
                         .arg(action, number));
}

QByteArray tst_payfile::exportNow(const ExportChoice &choice)
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

QTEST_MAIN(tst_payfile)
#include "tst_payfile.moc"
