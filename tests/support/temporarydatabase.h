#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace store { class Connection; struct JournalPage; }

// A fresh data file with the four tables in a temporary folder, which the
// program uses while this object lives; or, when the test runs against the
// server (testserver.h), a fresh register database there.
class TemporaryDatabase
{
public:
    TemporaryDatabase();
    ~TemporaryDatabase();

    QString path() const;
    // Where a helper program finds the register (testserver::useRegisterAt):
    // the server database's name, or the file's path.
    QString location() const;
    QSqlDatabase db();  // a connection of the test's own
    // Closes that connection, as the program holds none while another file
    // takes the data file's place (a WAL file's log is shared by name).
    void closeConnection();
    // Runs a statement the test needs (filling tables, injecting faults).
    void exec(const QString &statement);
    // A bank and its layout in inches, the items a line apart (a recorded
    // printer's line is a unit high), ready to print.
    void addBankWithLayout(const QString &bank, const QString &currency = QStringLiteral("INR"));
    // Pages noted in the print journal as one job of this copy, not yet recorded.
    void noteJob(const QList<store::JournalPage> &pages);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<store::Connection> m_connection;
    QString m_serverDatabase;  // the register's database, when on the test server
};
