#include "registercsv.h"

#include "database.h"
#include "failure.h"
#include "registerstatements.h"

#include <QSaveFile>
#include <QSqlQuery>

namespace {

constexpr qint64 rowsBetweenProgress = 4096;
constexpr qsizetype bufferedBytes = 1 << 16;

// Stored dates are ISO text already; a value with a time keeps only its day.
QString isoDate(const QString &stored)
{
    const QDate date = QDate::fromString(stored.left(10), Qt::ISODate);
    return date.isValid() ? date.toString(Qt::ISODate) : stored;
}

} // namespace

QByteArray csvField(const QString &value)
{
    QByteArray field = value.toUtf8();
    if (!field.contains(',') && !field.contains('"') && !field.contains('\n')
        && !field.contains('\r'))
        return field;
    field.replace('"', "\"\"");
    return '"' + field + '"';
}

CsvExport writeRegisterCsv(const QString &path, const QString &bank, const QDate &from,
                           const QDate &to, const std::function<bool(qint64)> &progress)
{
    CsvExport result;
    store::Connection connection(QStringLiteral("registercsv"));
    QSqlQuery rows(connection.database());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::selectRegisterWithVoids(connection.database(), bank, from, to, &rows, true);
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
        buffer += csvField(isoDate(rows.value(0).toString())) + ',' + csvField(rows.value(1).toString())
                  + ',' + csvField(rows.value(2).toString()) + ',' + csvField(rows.value(3).toString())
                  + ',' + csvField(rows.value(4).toString()) + ',' + csvField(rows.value(6).toString())
                  + "\r\n";
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
