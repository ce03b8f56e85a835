#include "registercsv.h"

#include "database.h"
#include "failure.h"
#include "registerstatements.h"

#include <QSaveFile>
#include <QSqlQuery>

namespace {

constexpr qint64 rowsBetweenProgress = 4096;
constexpr qsizetype bufferedBytes = 1 << 16;

} // namespace

CsvExport writeRegisterCsv(const QString &path, const QString &bank, const QDate &from,
                           const QDate &to, const std::function<bool(qint64)> &progress)
{
    CsvExport result;
    store::Connection connection(QStringLiteral("registercsv"));
    QSqlQuery rows(connection.database());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::selectRegisterCsvLines(connection.database(), bank, from, to, &rows);
    if (error.isValid()) {
        result.problem = store::failureText(QStringLiteral("read the register"), error);
        return result;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.problem = file.errorString();
        return result;
    }
    QByteArray buffer("\xEF\xBB\xBF" "DateofChq,Payeename,BankName,PAyeeamt,ChequeNo,Void\r\n");
    qint64 written = 0;
    while (rows.next()) {
        buffer += rows.value(0).toString().toUtf8() + "\r\n";
        if (buffer.size() > bufferedBytes) {
            file.write(buffer);
            buffer.clear();
        }
        if (++written % rowsBetweenProgress == 0 && progress && !progress(written)) {
            file.cancelWriting();
            result.cancelled = true;
            return result;
        }
    }
    if (rows.lastError().isValid()) {
        file.cancelWriting();
        result.problem = store::failureText(QStringLiteral("read the register"), rows.lastError());
        return result;
    }
    file.write(buffer);
    result.written = file.commit();
    if (!result.written)
        result.problem = file.errorString();
    return result;
}
