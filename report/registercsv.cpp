#include "registercsv.h"

#include "csvfield.h"
#include "database.h"
#include "failure.h"
#include "registerstatements.h"

#include <QSaveFile>
#include <cerrno>

namespace {

constexpr qint64 rowsBetweenProgress = 4096;
constexpr qsizetype bufferedBytes = 1 << 16;

// The file written in large pieces, the first failure kept with its cause.
class CsvFile
{
public:
    explicit CsvFile(const QString &path) : m_file(path) {}

    bool open()
    {
        // Unbuffered: each piece is written when handed over, so a full
        // disk is seen at the write it fails, with its cause.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return true;
        m_problem = m_file.errorString();
        return false;
    }
    void write(QByteArray *bytes)
    {
        if (m_problem.isEmpty() && m_file.write(*bytes) != bytes->size())
            m_problem = writeFailure();
        bytes->clear();
    }
    bool commit()
    {
        if (m_problem.isEmpty() && !m_file.commit())
            m_problem = writeFailure();
        if (!m_problem.isEmpty())
            m_file.cancelWriting();
        return m_problem.isEmpty();
    }
    void cancel() { m_file.cancelWriting(); }
    QString problem() const { return m_problem; }

private:
    QString writeFailure() const
    {
        if (errno == ENOSPC || errno == EDQUOT)
            return QStringLiteral("The disk is full. The file that was there before is kept "
                                  "as it was.");
        return m_file.errorString();
    }

    QSaveFile m_file;
    QString m_problem;
};

} // namespace

CsvExport writeRegisterCsv(const QString &path, const QString &bank, const QDate &from,
                           const QDate &to, const std::function<bool(qint64)> &progress)
{
    CsvExport result;
    store::Connection connection(QStringLiteral("registercsv"));
    if (connection.error().isValid()) {
        result.problem = store::failureText(QStringLiteral("read the register"), connection.error());
        return result;
    }
    CsvFile file(path);
    if (!file.open()) {
        result.problem = file.problem();
        return result;
    }
    QByteArray buffer("\xEF\xBB\xBF" "DateofChq,Payeename,BankName,PAyeeamt,ChequeNo,Void\r\n");
    buffer.reserve(bufferedBytes + 4096);
    qint64 written = 0;
    const QSqlError error = store::readRegisterCsvRows(
        connection.database(), bank, from, to, [&](const store::RegisterCsvRow &row) {
            for (qsizetype i = 0; i < qsizetype(row.size()); ++i) {
                if (i > 0)
                    buffer += ',';
                appendCsvField(&buffer, row[i]);
            }
            buffer += "\r\n";
            if (buffer.size() > bufferedBytes)
                file.write(&buffer);
            if (++written % rowsBetweenProgress == 0 && progress && !progress(written))
                result.cancelled = true;
            return !result.cancelled && file.problem().isEmpty();
        });
    if (result.cancelled) {
        file.cancel();
        return result;
    }
    if (error.isValid()) {
        file.cancel();
        result.problem = store::failureText(QStringLiteral("read the register"), error);
        return result;
    }
    file.write(&buffer);
    result.written = file.commit();
    result.problem = file.problem();
    return result;
}
