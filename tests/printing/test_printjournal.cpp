#include "chequejournal.h"
#include "frmBatchConfirm.h"
#include "printjournal.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QStringList column(QSqlDatabase db, const QString &statement)
{
    QStringList values;
    for (const QStringList &row : rowsOf(db, statement))
        values << row.value(0);
    return values;
}

QProcess *startCopy(const QString &data, const QString &mode, const QString &step,
                    const QString &spool, const QStringList &numbers)
{
    auto *copy = new QProcess;
    copy->start(QCoreApplication::applicationDirPath() + u"/journalcopy"_s,
                QStringList{data, mode, step, spool} + numbers);
    return copy;
}

} // namespace

class TestPrintJournal : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        m_database->addBankWithLayout(u"City Bank"_s, u"USD"_s);
        m_spool = m_dir.filePath(u"spooled"_s);
        QFile::remove(m_spool);
    }
    void cleanup() { m_database.reset(); }

    void aCrashAtAnyStepLosesNoPrintedCheque_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("step");
        for (const QString &mode : {u"single"_s, u"batch"_s})
            for (const QString &step : {u"noted"_s, u"print"_s, u"handing"_s, u"spooled"_s,
                                       u"sent"_s, u"handed over"_s, u"recorded"_s, u"none"_s})
                QTest::addRow("%s, %s", qPrintable(mode), qPrintable(step)) << mode << step;
    }

    // Whatever step a copy is stopped at, every page the spooler took is in the
    // register or offered for confirmation, no page that never reached it is
    // recorded, and no number is recorded twice.
    void aCrashAtAnyStepLosesNoPrintedCheque()
    {
        QFETCH(QString, mode);
        QFETCH(QString, step);
        const QStringList numbers{u"101"_s, u"102"_s, u"103"_s};
        std::unique_ptr<QProcess> copy(startCopy(m_database->location(), mode, step, m_spool, numbers));
        QVERIFY(copy->waitForFinished(30000));
        QCOMPARE(copy->exitCode(), step == u"none" ? 0 : 3);

        const QSqlDatabase db = m_database->db();
        QStringList recorded = column(db, u"select Payeename from ChqIssuereg"_s);
        recorded.sort();
        QList<store::JournalJob> jobs;
        QVERIFY(!unconfirmedJobs(db, &jobs).isValid());
        QStringList offered;
        for (const store::JournalJob &job : std::as_const(jobs))
            for (const store::JournalPage &page : job.pages)
                if (job.state != store::JobState::Noted)
                    offered << page.cheque.payeeName;
        for (const QString &payee : recorded)
            QVERIFY2(spooled().contains(payee), qPrintable(payee + u" recorded, never printed"_s));
        for (const QString &payee : spooled())
            QVERIFY2(recorded.contains(payee) || offered.contains(payee),
                     qPrintable(payee + u" printed, neither recorded nor offered"_s));
        QCOMPARE(column(db, u"select NumberKey from ChequeNumberKeys group by BankKey, NumberKey "
                             "having count(*) > 1"_s),
                 QStringList());
        if (step == u"none")
            QCOMPARE(recorded.size(), 3);
    }

    // Two copies print the same numbers for one bank at once, every question
    // answered No: each number is recorded once, by one of them.
    void twoCopiesNeverRecordOneNumberTwiceWithoutAsking()
    {
        QStringList numbers;
        for (int number = 1; number <= 15; ++number)
            numbers << QString::number(number);
        std::unique_ptr<QProcess> first(
            startCopy(m_database->location(), u"single"_s, u"none"_s, m_spool, numbers));
        std::unique_ptr<QProcess> second(
            startCopy(m_database->location(), u"single"_s, u"none"_s, m_spool, numbers));
        QVERIFY(first->waitForFinished(60000));
        QVERIFY(second->waitForFinished(60000));
        QCOMPARE(first->exitCode(), 0);
        QCOMPARE(second->exitCode(), 0);
        const QStringList recorded = column(
            m_database->db(), u"select count(*) from ChqIssuereg group by ChequeNo order by 1 desc"_s);
        QCOMPARE(recorded.size(), numbers.size());
        QCOMPARE(recorded.first(), u"1"_s);
        const QString asked = QString::fromUtf8(first->readAllStandardError()
                                                + second->readAllStandardError());
        QCOMPARE(asked.count(u"has been used already"_s), numbers.size());
    }

    // Two desks reprinting one cheque: the second is refused while the first
    // is noted, and once it is recorded, which voids the original.
    void aChequeIsReplacedOnce()
    {
        const QSqlDatabase db = m_database->db();
        qint64 original = 0;
        QVERIFY(!store::addRegisterEntry(db, {QDate(2026, 1, 2), u"A"_s, u"City Bank"_s, u"1.00"_s,
                                              u"100"_s},
                                         &original)
                     .isValid());
        const auto reprint = [&](const QString &number, store::JournalJob *job) {
            QList<std::optional<store::RegisterRow>> earlier;
            QList<bool> noted;
            *job = {store::thisCopy(), 0, store::JobState::HandedOver,
                    {journalPageOf({u"City Bank"_s, u"A"_s, u"1.00"_s, u"One"_s, QDate(2026, 1, 2), true},
                                   number, original)},
                    {}};
            return store::noteJob(db, job->pages, &job->job, &earlier, &noted).text();
        };
        store::JournalJob first, second;
        QCOMPARE(reprint(u"101"_s, &first), QString());
        QVERIFY(reprint(u"102"_s, &second).contains(u"being reprinted already"_s));
        QVERIFY(!store::recordJob(db, first, {}, store::markNow(0, store::VoidAction::Void, {}))
                     .isValid());
        QVERIFY(reprint(u"102"_s, &second).contains(u"void already (reprinted as 101)"_s));
    }

private:
    QStringList spooled() const;

    std::unique_ptr<TemporaryDatabase> m_database;
    QTemporaryDir m_dir;
    QString m_spool;
};

QStringList TestPrintJournal::spooled() const
{
    QFile file(m_spool);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList payees = QString::fromUtf8(file.readAll())
                             .split(u'\n')
                             .filter(QRegularExpression(u"^Payee "_s));
    payees.sort();
    return payees;
}

QTEST_MAIN(TestPrintJournal)
#include "test_printjournal.moc"
