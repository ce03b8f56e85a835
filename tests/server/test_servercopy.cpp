#include "chequestyle.h"
#include "database.h"
#include "printjournal.h"
#include "registerstatements.h"
#include "servercopy.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "testserver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace store;

namespace {

const QDate day(2024, 4, 1);
const QDate from(2000, 1, 1);
const QDate to(2099, 12, 31);

// The data file's bytes, its write-ahead log included.
QByteArray fingerprintOf(const QString &path)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &file : {path, path + "-wal"}) {
        QFile part(file);
        if (part.open(QIODevice::ReadOnly))
            hash.addData(&part);
    }
    return hash.result();
}

// Each row's values as one text.
QStringList linesOf(QSqlQuery &rows)
{
    QStringList lines;
    while (rows.next()) {
        QStringList values;
        for (int i = 0; i < rows.record().count(); ++i)
            values << rows.value(i).toString();
        lines << values.join('|');
    }
    return lines;
}

QStringList rowsOf(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery rows(statement, db);
    return linesOf(rows);
}

// The register listing as the report shows it, one text a row.
QStringList listing(const QSqlDatabase &db, const QString &bank)
{
    QSqlQuery rows(db);
    if (selectRegisterWithVoids(db, bank, from, to, &rows, true).isValid())
        return {"failed"};
    return linesOf(rows);
}

// What a report and the print window show of a bank.
struct BankView {
    QStringList listing;
    RegisterTotals totals;
    QString highest;
    std::optional<LayoutRow> layout;
    WordsChoice words;
    std::optional<LeafImageRow> leaf;
};

BankView viewOf(const QSqlDatabase &db, const QString &bank)
{
    BankView view;
    view.listing = listing(db, bank);
    sumRegister(db, bank, from, to, &view.totals);
    findHighestChequeNumber(db, bank, &view.highest);
    findLayout(db, bank, &view.layout);
    findWordsChoice(db, bank, &view.words);
    findLeafImage(db, bank, &view.leaf);
    return view;
}

void compareViews(const BankView &file, const BankView &server)
{
    QCOMPARE(server.listing, file.listing);
    QCOMPARE(server.totals.count, file.totals.count);
    QCOMPARE(server.totals.total, file.totals.total);
    QCOMPARE(server.totals.voidCount, file.totals.voidCount);
    QCOMPARE(server.highest, file.highest);
    QCOMPARE(server.layout.has_value(), file.layout.has_value());
    if (file.layout)
        QCOMPARE(server.layout->positions, file.layout->positions);
    QCOMPARE(server.words.breakByWidth, file.words.breakByWidth);
    QCOMPARE(server.leaf.has_value(), file.leaf.has_value());
    if (file.leaf)
        QCOMPARE(server.leaf->image, file.leaf->image);
}

} // namespace

// A data file's rows brought to a shared register, as an office moves.
class TestServerCopy : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_file;
    QString m_server;
    qint64 m_lastRow = 0;

    void fillFile(const QSqlDatabase &db)
    {
        QVERIFY(!addBank(db, {"400240002", "HDFC", "INR"}).isValid());
        QVERIFY(!addBank(db, {"021000021", "Chase", "USD"}).isValid());
        QVERIFY(!replacePayee(db, "ann", "Ann Lee").isValid());
        QVERIFY(!replaceLayout(db, {"Millimeters", "HDFC", {10, 150, 40, 20, 15}}).isValid());
        QVERIFY(!replaceWordsChoice(db, "HDFC", {true, false}).isValid());
        QVERIFY(!replaceLeafImage(db, "HDFC", {QByteArray("\x89PNG\0\1\2", 7), "small"}).isValid());
        const QStringList numbers{"004711", "004712", "004713", "A-9"};
        QList<qint64> rows;
        for (const QString &number : numbers) {
            QVERIFY(!addRegisterEntry(db, {day, "Ann Lee", "HDFC", "1,250.50", number},
                                      &m_lastRow).isValid());
            rows << m_lastRow;
        }
        QVERIFY(!addRegisterEntry(db, {day.addDays(3), "Bob", "Chase", "75.00", "88"}, &m_lastRow)
                     .isValid());
        QVERIFY(!addVoidMark(db, markNow(rows[1], VoidAction::Void, "spoilt")).isValid());
        QVERIFY(!addVoidMark(db, markNow(rows[2], VoidAction::Void, "torn")).isValid());
        QVERIFY(!addVoidMark(db, markNow(rows[2], VoidAction::Undo, {})).isValid());
    }

private slots:
    void init()
    {
        testserver::requireStarted();
        m_file = std::make_unique<TemporaryDatabase>();
        fillFile(m_file->db());
        m_server = testserver::createRegisterDatabase();
    }
    void cleanup()
    {
        m_file.reset();
        testserver::dropDatabase(m_server);
    }

    // Every table comes over with its counts checked and each register
    // row's identity kept; the file stays as it was; a second copy into
    // the same register is refused.
    void copiedWhole()
    {
        const QByteArray before = fingerprintOf(m_file->path());
        const Connection server(QStringLiteral("server"), testserver::ownerOf(m_server));
        QList<CopiedTable> copied;
        const QSqlError error = copyFileToServer(m_file->path(), server.database(), &copied);
        QVERIFY2(!error.isValid(), qPrintable(error.text()));

        QCOMPARE(fingerprintOf(m_file->path()), before);
        for (const CopiedTable &expected : QList<CopiedTable>{
                 {"Bank", 2}, {"ChequeNumberKeys", 5}, {"ChequeVoidMarks", 3}, {"ChqIssuereg", 5},
                 {"LeafImage", 1}, {"Payee", 1}, {"Positions", 1}, {"WordsChoice", 1}})
            QVERIFY2(copied.contains(expected), qPrintable(expected.table));
        for (const char *bank : {"HDFC", "Chase"})
            compareViews(viewOf(m_file->db(), bank), viewOf(server.database(), bank));
        // Each mark keeps its author, not the login that copied it.
        const QString authors = "Select MarkedBy, MarkedAt from ChequeVoidMarks order by Id";
        QCOMPARE(rowsOf(server.database(), authors), rowsOf(m_file->db(), authors));

        // The next cheque follows the highest copied, as it would in the file.
        qint64 next = 0;
        QVERIFY(!addRegisterEntry(server.database(), {day, "C", "HDFC", "1.00", "5000"}, &next)
                     .isValid());
        QCOMPARE(next, m_lastRow + 1);
        // ...and its void mark's author is the login again.
        VoidMark mark = markNow(next, VoidAction::Void, "torn");
        mark.by = "claimed";
        QVERIFY(!addVoidMark(server.database(), mark).isValid());
        QCOMPARE(rowsOf(server.database(), "Select MarkedBy from ChequeVoidMarks where Id = "
                                           "(select max(Id) from ChequeVoidMarks)"),
                 QStringList{testserver::ownerOf(m_server).user});

        QVERIFY(copyFileToServer(m_file->path(), server.database(), &copied).text().startsWith(
            "The register on the server holds data already"));
        QVERIFY(copied.isEmpty());
        QCOMPARE(listing(server.database(), "Chase").size(), 1);
    }

    // Dates come over as the program wrote them; text the server would
    // read by its own rules stops the copy.
    void datesAsWritten_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("date") << "'2024-04-05'" << QDate(2024, 4, 5) << "";
        QTest::newRow("with a time") << "'2024-04-05T00:00:00'" << QDate(2024, 4, 5) << "";
        QTest::newRow("missing") << "NULL" << QDate() << "";
        QTest::newRow("day first") << "'05/04/2024'" << QDate()
                                   << "The data file's ChqIssuereg holds \"05/04/2024\" in "
                                      "DateofChq, which is no date (yyyy-mm-dd).";
    }
    void datesAsWritten()
    {
        QFETCH(QString, written);
        QFETCH(QDate, expected);
        QFETCH(QString, refusal);
        m_file->exec("Insert into ChqIssuereg values (" + written + ", 'P', 'Odd', '1', '1')");
        const Connection server(QStringLiteral("server"), testserver::ownerOf(m_server));
        QList<CopiedTable> copied;
        QCOMPARE(copyFileToServer(m_file->path(), server.database(), &copied).text(), refusal);
        QSqlQuery date("Select DateofChq from ChqIssuereg where BankName = 'Odd'", server.database());
        QCOMPARE(date.next(), refusal.isEmpty());
        QCOMPARE(date.value(0).toDate(), expected);
    }

    // Rows and columns the server has no place for are never dropped.
    void extrasRefused_data()
    {
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("named");
        QTest::newRow("table") << "Create table Notes (Text TEXT); Insert into Notes values ('x')"
                               << "Notes";
        QTest::newRow("column") << "Alter table Payee add column Phone TEXT" << "Payee.Phone";
    }
    void extrasRefused()
    {
        QFETCH(QString, added);
        QFETCH(QString, named);
        for (const QString &statement : added.split("; "))
            m_file->exec(statement);
        const Connection server(QStringLiteral("server"), testserver::ownerOf(m_server));
        QList<CopiedTable> copied;
        QCOMPARE(copyFileToServer(m_file->path(), server.database(), &copied).text(),
                 "The data file holds what the server has no place for (" + named + "). Open the "
                 "file with this version of Quillmark once, or set up the server with it, then "
                 "copy the file.");
    }

    // What is not a data file is refused before the server is touched.
    void otherFilesRefused()
    {
        const Connection server(QStringLiteral("server"), testserver::ownerOf(m_server));
        const QTemporaryDir folder;
        const QString text = folder.filePath("notes.txt");
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("notes"));
        file.close();
        QList<CopiedTable> copied;
        QCOMPARE(copyFileToServer(text, server.database(), &copied).text(),
                 QDir::toNativeSeparators(text) + " is not a Quillmark data file.");
    }
};

QTEST_GUILESS_MAIN(TestServerCopy)
#include "test_servercopy.moc"
