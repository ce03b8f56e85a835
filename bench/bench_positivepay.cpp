// A Positive Pay export of 100,000 cheques not yet sent, a tenth of them
// void after an earlier file sent them: read, checked, written and marked.
#include "database.h"
#include "payexport.h"
#include "positivepaystatements.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int chequeCount = 100'000;

void check(const QString &what, bool ok, const QString &why)
{
    if (ok)
        return;
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(why));
    std::exit(1);
}

// A first file sent every tenth cheque; those are void now, the rest new.
void fillRegister(QSqlDatabase db)
{
    QSqlQuery query(db);
    const QStringList steps{
        QStringLiteral("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE "
                       "n < %1) INSERT INTO ChqIssuereg SELECT date('2025-01-01', '+' || "
                       "(n * 365 / %1) || ' days'), 'Payee, \"' || (n % 997) || '\" Ltd', "
                       "'HDFC', (n % 100000 + 1) || '.' || printf('%02d', n % 100), "
                       "printf('%06d', n) FROM c")
            .arg(chequeCount),
        QStringLiteral("INSERT INTO PositivePayFile (Id, BankName, LayoutName, SentAt, Records, "
                       "Contents) VALUES (1, 'HDFC', 'x', '2025-01-01T00:00:00', 0, '')"),
        QStringLiteral("INSERT INTO PositivePaySent SELECT 1, rowid, 'I' FROM ChqIssuereg "
                       "WHERE rowid % 10 = 0"),
        QStringLiteral("INSERT INTO ChequeVoidMarks (RegisterRow, Action, Reason, MarkedAt) "
                       "SELECT rowid, 'void', 'Lost', '2025-06-01T00:00:00' FROM ChqIssuereg "
                       "WHERE rowid % 10 = 0"),
    };
    for (const QString &step : steps)
        check(QStringLiteral("fill the register"), query.exec(step), query.lastError().text());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    store::useDatabaseFile(dir.filePath(QStringLiteral("ql.mdb")));
    const QString problem = store::prepareDatabase();
    check(QStringLiteral("make the data file"), problem.isEmpty(), problem);
    store::Connection connection(QStringLiteral("bench"));
    QSqlDatabase db = connection.database();
    fillRegister(db);
    const QSqlError saved = store::savePayAccount(
        db, {QStringLiteral("HDFC"), QStringLiteral("012345678901"), QStringLiteral("400240002"),
             QStringLiteral("29"), QStringLiteral("345678"),
             QStringLiteral("US issue file (80 columns)")});
    check(QStringLiteral("save the account"), !saved.isValid(), saved.text());

    QElapsedTimer timer;
    timer.start();
    positivepay::PreparedExport prepared;
    const QSqlError read = positivepay::prepareExport(db, {QStringLiteral("HDFC"), true, {}, {}},
                                                      &prepared);
    check(QStringLiteral("prepare"), !read.isValid() && prepared.problems.isEmpty(),
          read.text() + prepared.problems.join(QLatin1Char('\n')).left(500));
    const QString failed =
        positivepay::finishExport(db, prepared, dir.filePath(QStringLiteral("issues.txt")));
    check(QStringLiteral("export"), failed.isEmpty(), failed);
    const double ms = timer.nsecsElapsed() / 1e6;
    check(QStringLiteral("records"), prepared.file.written.size() == chequeCount,
          QString::number(prepared.file.written.size()));
    std::printf("positivepay_export_100k_cheques %.1f ms\n", ms);
    return 0;
}
