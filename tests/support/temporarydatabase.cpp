#include "temporarydatabase.h"

#include "database.h"
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
