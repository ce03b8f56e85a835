#include "ownconnection.h"

#include "rawstatement.h"

#include <QSqlError>
#include <QUrl>
#include <atomic>

namespace backup {

OwnConnection::OwnConnection(const QString &path, bool readOnly)
{
    static std::atomic<quint64> counter = 0;
    m_name = QStringLiteral("backup#%1").arg(++counter);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    // "mode" never lets SQLite make an empty file where none is.
    m_db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)
                         + (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
    // A copy can wait for a writer longer than a window would: nobody
    // waits for it.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=30000"));
    m_db.open();
}

OwnConnection::~OwnConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

sqlite3 *OwnConnection::handle() const
{
    return store::sqliteHandle(m_db);
}

QString OwnConnection::problem() const
{
    if (!m_db.isOpen())
        return m_db.lastError().text().trimmed();
    if (!handle())
        return QStringLiteral("the SQLite driver gave no handle");
    return {};
}

} // namespace backup
