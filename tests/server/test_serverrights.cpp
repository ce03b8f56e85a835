#include "chequestyle.h"
#include "database.h"
#include "positivepaystatements.h"
#include "printeroffset.h"
#include "printjournal.h"
#include "registerstatements.h"
#include "screenscale.h"
#include "serveradmin.h"
#include "serverschema.h"
#include "statements.h"
#include "testserver.h"
#include "windowsize.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace store;

namespace {

const QDate day(2024, 4, 1);

using Action = std::function<QSqlError(const QSqlDatabase &)>;

// A cheque printed as the print window prints it: noted, handed over,
// recorded with its note cleared.
QSqlError printCheque(const QSqlDatabase &db, const QString &number)
{
    JournalJob job{thisCopy(), 0, JobState::Noted,
                   {{{day, "Payee", "HDFC", "10.00", number}, Money::fromCents(1000), "Ten"}}};
    QList<std::optional<RegisterRow>> earlier;
    QList<bool> noted;
    QSqlError error = noteJob(db, job.pages, &job.job, &earlier, &noted);
    if (!error.isValid())
        error = setJobState(db, job.job, JobState::HandedOver);
    return error.isValid() ? error
                           : recordJob(db, job, {true}, markNow(0, VoidAction::Void, {}));
}

// Cheques are added and voided by clerks; undone too.
QSqlError voidAndUndo(const QSqlDatabase &db)
{
    qint64 row = 0;
    QSqlError error = addRegisterEntry(db, {day, "Payee", "HDFC", "5.00", "900"}, &row);
    if (!error.isValid())
        error = addVoidMark(db, markNow(row, VoidAction::Void, "spoilt"));
    return error.isValid() ? error : addVoidMark(db, markNow(row, VoidAction::Undo, {}));
}

// What the program does, by name, as the rows below name it.
const QHash<QString, Action> &actions()
{
    static const QHash<QString, Action> all{
        {"print", [](const QSqlDatabase &db) { return printCheque(db, "100"); }},
        {"void and undo", voidAndUndo},
        {"send pay file", [](const QSqlDatabase &db) {
             return addSentFile(db, {0, "HDFC", "Standard", QDateTime::currentDateTime(), 1, "I"},
                                {{1, "I"}}); }},
        {"screen scale", [](const QSqlDatabase &db) { return replaceScreenScale(db, "S", 1.5); }},
        {"window size", [](const QSqlDatabase &db) { return replaceWindowSize(db, "W", {400, 300}); }},
        {"bank", [](const QSqlDatabase &db) { return addBank(db, {"1", "SBI", "INR"}); }},
        {"payee", [](const QSqlDatabase &db) { return replacePayee(db, "ann", "Ann Lee"); }},
        {"layout", [](const QSqlDatabase &db) {
             return replaceLayout(db, {"Inches", "HDFC", {1.0, 2.0}}); }},
        {"words choice", [](const QSqlDatabase &db) {
             return replaceWordsChoice(db, "HDFC", {true, true}); }},
        {"cheque style", [](const QSqlDatabase &db) {
             return replaceChequeStyle(db, "HDFC", ChequeStyle{}); }},
        {"leaf image", [](const QSqlDatabase &db) {
             return replaceLeafImage(db, "HDFC", {"png bytes", "small"}); }},
        {"printer offset", [](const QSqlDatabase &db) {
             return replacePrinterOffset(db, "PDF", {1, -2}); }},
        {"pay account", [](const QSqlDatabase &db) {
             return savePayAccount(db, {"HDFC", "123", "400240002", "10", "", "Standard"}); }},
    };
    return all;
}

} // namespace

// Who may change what, as the server enforces it, for a login of each role.
class TestServerRights : public QObject
{
    Q_OBJECT
    QString m_database;
    QHash<QString, QString> m_logins;  // role -> its test login
    QHash<QString, std::shared_ptr<Connection>> m_connections;

    QSqlDatabase as(const QString &role) { return m_connections.value(role)->database(); }

private slots:
    void initTestCase()
    {
        testserver::requireStarted();
        m_database = testserver::createRegisterDatabase();
        useServer(testserver::ownerOf(m_database));
        const Connection owner(QStringLiteral("owner"));
        for (const QString &role : {clerkRole, supervisorRole}) {
            const QString login = QStringLiteral("%1_%2").arg(role).arg(QCoreApplication::applicationPid());
            testserver::exec(m_database, QStringLiteral("Create role %1 login").arg(login));
            QVERIFY(!grantRole(owner.database(), role, login).isValid());
            m_logins[role] = login;
        }
        for (const QString &role : {clerkRole, supervisorRole}) {
            ServerAddress address = testserver::ownerOf(m_database);
            address.user = m_logins[role];
            useServer(address);
            m_connections[role] = std::make_shared<Connection>(role);
            QVERIFY2(m_connections[role]->isOpen(), qPrintable(m_connections[role]->error().text()));
        }
        useDatabaseFile(QString());
    }

    void cleanupTestCase()
    {
        m_connections.clear();
        testserver::dropDatabase(m_database);
        for (const QString &login : std::as_const(m_logins))
            testserver::exec("postgres", QStringLiteral("Drop role %1").arg(login));
    }

    // Whatever a program sends, the register and its marks stay as they
    // were written; only supervisors change the masters and layouts.
    void statementsRefused_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("statement");
        const QStringList everyone{
            "Update ChqIssuereg set PAyeeamt = '9.00'", "Delete from ChqIssuereg",
            "Truncate ChqIssuereg", "Update ChequeVoidMarks set Reason = 'x'",
            "Delete from ChequeVoidMarks", "Update ChequeNumberKeys set NumberKey = 'x'",
            "Delete from ChequeNumberKeys", "Drop table ChqIssuereg",
            "Alter table ChequeVoidMarks disable trigger ChequeVoidMarksAuthor",
            "Create table Extra (x integer)", "Update PositivePaySent set Kind = 'V'",
            "Delete from PositivePayFile",
            "Insert into ChqIssuereg (ChequeNo, rowid) values ('1', 999999)",
            "Insert into ChequeVoidMarks (Id, RegisterRow, Action, MarkedAt) values "
            "(999999, 1, 'void', 'now')"};
        const QStringList clerksOnly{
            "Insert into Bank values ('1', 'X', 'INR')", "Update Bank set Currency = 'USD'",
            "Delete from Bank", "Insert into Payee values ('n', 'N')", "Delete from Payee",
            "Update Positions set AmtTop = 1", "Delete from Positions",
            "Update LeafImage set LeftMm = 1", "Delete from LeafImage",
            "Insert into PrinterOffset values ('P', 1, 1)", "Delete from PrinterOffset",
            "Delete from WordsChoice", "Delete from ChequeStyle", "Delete from PositivePayLayout"};
        for (const QString &role : {clerkRole, supervisorRole}) {
            for (const QString &statement : everyone)
                QTest::addRow("%s: %s", qPrintable(role), qPrintable(statement)) << role << statement;
        }
        for (const QString &statement : clerksOnly)
            QTest::addRow("%s: %s", qPrintable(clerkRole), qPrintable(statement)) << clerkRole << statement;
    }
    void statementsRefused()
    {
        QFETCH(QString, role);
        QFETCH(QString, statement);
        QSqlQuery query(as(role));
        QVERIFY(!query.exec(statement));
        QCOMPARE(query.lastError().nativeErrorCode(), "42501");  // insufficient privilege
    }

    // A mark or a number key made ahead for a row not yet printed would
    // void it, or hold its number, when it came.
    void marksNameRowsThatAre_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("void mark") << "Insert into ChequeVoidMarks (RegisterRow, Action, "
                                      "MarkedAt) values (999999, 'void', 'now')";
        QTest::newRow("number key") << "Insert into ChequeNumberKeys values (999999, 'hdfc', "
                                       "'1', 1, 1)";
    }
    void marksNameRowsThatAre()
    {
        QFETCH(QString, statement);
        QSqlQuery query(as(clerkRole));
        QVERIFY(!query.exec(statement));  // checked as the statement commits
        QCOMPARE(query.lastError().nativeErrorCode(), "23503");  // foreign key violation
    }

    // The program's own steps, each allowed or refused for the role.
    void programSteps_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("clerkMay");
        const QStringList everyone{"print", "void and undo", "send pay file", "screen scale",
                                   "window size"};
        for (const QString &action : everyone)
            QTest::newRow(qPrintable(action)) << action << true;
        for (const char *action : {"bank", "payee", "layout", "words choice", "cheque style",
                                      "leaf image", "printer offset", "pay account"})
            QTest::newRow(qPrintable(action)) << QString(action) << false;
    }
    void programSteps()
    {
        QFETCH(QString, action);
        QFETCH(bool, clerkMay);
        const QSqlError byClerk = actions()[action](as(clerkRole));
        QCOMPARE(byClerk.isValid() ? byClerk.nativeErrorCode() : QString(),
                 clerkMay ? QString() : QStringLiteral("42501"));
        const QSqlError bySupervisor = actions()[action](as(supervisorRole));
        QVERIFY2(!bySupervisor.isValid(), qPrintable(bySupervisor.text()));
    }

    // The mark's author is the login the server knows, whatever name the
    // program claims.
    void voidMarkAuthorIsTheLogin()
    {
        qint64 row = 0;
        QVERIFY(!addRegisterEntry(as(clerkRole), {day, "P", "HDFC", "1.00", "777"}, &row).isValid());
        VoidMark mark = markNow(row, VoidAction::Void, "torn");
        mark.by = QStringLiteral("the supervisor");
        QVERIFY(!addVoidMark(as(clerkRole), mark).isValid());
        QSqlQuery author(as(supervisorRole));
        author.prepare("Select MarkedBy from ChequeVoidMarks where RegisterRow = ?");
        author.addBindValue(row);
        QVERIFY(author.exec() && author.next());
        QCOMPARE(author.value(0).toString(), m_logins[clerkRole]);
    }
};

QTEST_GUILESS_MAIN(TestServerRights)
#include "test_serverrights.moc"
