#include "temporarydatabase.h"

#include "database.h"
#include "printjournal.h"
#include "statements.h"
#include "testserver.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

TemporaryDatabase::TemporaryDatabase()
{
    if (testserver::wanted()) {
        m_serverDatabase = testserver::createRegisterDatabase();
        store::useServer(testserver::ownerOf(m_serverDatabase));
    } else {
        store::useDatabaseFile(path());
        const QString problem = store::prepareDatabase();
        if (!problem.isEmpty())
            qFatal("%s", qPrintable(problem));
    }
    m_connection = std::make_unique<store::Connection>(QStringLiteral("test"));
}

TemporaryDatabase::~TemporaryDatabase()
{
    m_connection.reset();
    store::useDatabaseFile(QString());
    if (!m_serverDatabase.isEmpty())
        testserver::dropDatabase(m_serverDatabase);
}

void TemporaryDatabase::closeConnection()
{
    m_connection.reset();
}

QString TemporaryDatabase::path() const
{
    return m_dir.filePath(QStringLiteral("ql.mdb"));
}

QString TemporaryDatabase::location() const
{
    return m_serverDatabase.isEmpty() ? path() : m_serverDatabase;
}

QSqlDatabase TemporaryDatabase::db()
{
    return m_connection->database();
}

void TemporaryDatabase::exec(const QString &statement)
{
    QSqlQuery query(db());
    if (!query.exec(statement))
        qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
}

void TemporaryDatabase::addBankWithLayout(const QString &bank, const QString &currency)
{
    QVERIFY(!store::addBank(db(), {QStringLiteral("1"), bank, currency}).isValid());
    QVERIFY(!store::replaceLayout(db(), {QStringLiteral("Inches"), bank,
                                         {0.5, 6, 1.5, 1.5, 1, 5, 2.5, 1, 100, 3.5, 1, 5, 4.5, 6, 1.5}})
                 .isValid());
}

void TemporaryDatabase::noteJob(const QList<store::JournalPage> &pages)
{
    qint64 job = 0;
    QList<std::optional<store::RegisterRow>> earlier;
    QList<bool> noted;
    const QSqlError error = store::noteJob(db(), pages, &job, &earlier, &noted);
    QVERIFY2(!error.isValid(), qPrintable(error.text()));
}
