#include "chequejournal.h"
#include "frmBatchConfirm.h"
#include "printjournal.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "testserver.h"
#include "windowchecks.h"

#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// What the clerks said they recorded and voided (clerkcopy.cpp).
struct Told {
    QStringList recorded;  // "BANK|NUMBER|CENTS|MICROSECONDS"
    QStringList voided;    // "BANK|NUMBER"
};

Told toldBy(QProcess &clerk)
{
    Told told;
    for (const QString &line : QString::fromUtf8(clerk.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(u"recorded "))
            told.recorded << line.mid(9);
        else if (line.startsWith(u"void "))
            told.voided << line.mid(5);
    }
    return told;
}

// Each register row as a clerk tells it, without the time.
QStringList registerRows(QSqlDatabase db)
{
    QStringList rows;
    for (const QStringList &row : rowsOf(db, u"select BankName, ChequeNo, PAyeeamt from "
                                             "ChqIssuereg"_s))
        rows << row[0] + u'|' + row[1] + u'|'
                    + QString::number(Money::parse(row[2])->cents());
    rows.sort();
    return rows;
}

QStringList withoutTimes(const QStringList &recorded)
{
    QStringList rows;
    for (const QString &line : recorded)
        rows << line.section(u'|', 0, 2);
    rows.sort();
    return rows;
}

} // namespace

class TestClerks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!testserver::wanted())
            QSKIP("Clerks at many desks share a register on a server; a data file serves one desk.");
    }
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        for (const QString &bank : {u"City Bank"_s, u"River Bank"_s})
            m_database->addBankWithLayout(bank);
    }
    void cleanup() { m_database.reset(); }

    // Eight clerks print, void and batch for the same two banks at once, each
    // taking the next numbers: every cheque a clerk recorded is in the register
    // once, nothing else is, and so the totals are the sums of the clerks'.
    void eightClerksNeverShareANumber()
    {
        const QList<QProcess *> clerks = startClerks(8, 250);
        Told all;
        for (QProcess *clerk : clerks) {
            QVERIFY(clerk->waitForFinished(300000));
            QVERIFY2(clerk->exitCode() == 0, clerk->readAllStandardError().constData());
            const Told told = toldBy(*clerk);
            QCOMPARE(told.recorded.size(), 255);
            all.recorded << told.recorded;
            all.voided << told.voided;
        }
        QCOMPARE(registerRows(m_database->db()), withoutTimes(all.recorded));
        checkRegister();
        QCOMPARE(rowsOf(m_database->db(), u"select count(*) from ChequeVoidMarks"_s),
                 QList<QStringList>{{QString::number(all.voided.size())}});
        for (const QString &bank : {u"City Bank"_s, u"River Bank"_s}) {
            Money sum;
            for (const QString &line : std::as_const(all.recorded))
                if (line.startsWith(bank + u'|'))
                    sum = *sum.plus(Money::fromCents(line.section(u'|', 2, 2).toLongLong()));
            store::RegisterTotals totals;
            QVERIFY(!store::sumRegister(m_database->db(), bank, QDate(2026, 1, 1),
                                        QDate(2026, 12, 31), &totals)
                         .isValid());
            QCOMPARE(totals.total.plus(totals.voidTotal)->cents(), sum.cents());
        }
    }

    // A clerk killed at a random moment leaves its notes its own; settled as at
    // start, every cheque that reached the printer is recorded, once.
    void aClerkKilledAnyMomentLeavesNothingUnrecorded()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        for (int round = 0; round < 2; ++round) {
            const QString spool = u"spool%1-"_s.arg(round);
            const QList<QProcess *> clerks = startClerks(8, 30, spool);
            QVERIFY(clerks[0]->waitForStarted());
            const qint64 killed = clerks[0]->processId();
            QTest::qWait(random.bounded(100, 2500));
            if (clerks[0]->state() == QProcess::Running)  // else it has printed all it had
                ::kill(pid_t(killed), SIGKILL);
            for (QProcess *clerk : clerks)
                QVERIFY(clerk->state() == QProcess::NotRunning || clerk->waitForFinished(120000));
            for (int clerk = 1; clerk < clerks.size(); ++clerk)
                QVERIFY2(clerks[clerk]->exitCode() == 0, clerks[clerk]->readAllStandardError().constData());

            // 1. Whatever the killed clerk left in the journal is still its own.
            QList<store::JournalJob> jobs;
            QVERIFY(!store::readJournal(m_database->db(), &jobs).isValid());
            for (const store::JournalJob &job : std::as_const(jobs))
                QCOMPARE(job.owner.pid, killed);

            // 2. Settled as the next start settles it, each page come out right.
            RecordedMessages messages;  // "Leave them all out?" No
            QTimer confirm;
            connect(&confirm, &QTimer::timeout, [] {
                if (QWidget *window = QApplication::activeModalWidget();
                    window && window->objectName() == u"frmBatchConfirm")
                    control<QPushButton>(window, u"cmdOK"_s)->click();
            });
            confirm.start(10);
            QVERIFY(settleUnconfirmedCheques());
            confirm.stop();
            checkRegister();

            // 3. Every page the printer took is in the register.
            QStringList recorded;
            for (const QStringList &row : rowsOf(m_database->db(), u"select Payeename from ChqIssuereg"_s))
                recorded << row[0];
            for (int clerk = 0; clerk < clerks.size(); ++clerk) {
                QFile spooled(m_dir.filePath(spool + QString::number(clerk)));
                if (clerk == 0 && !spooled.exists())
                    continue;  // killed before its printer took a job
                QVERIFY(spooled.open(QIODevice::ReadOnly));
                for (const QString &text : QString::fromUtf8(spooled.readAll()).split(u'\n'))
                    if (text.startsWith(u"Clerk "))
                        QVERIFY2(recorded.contains(text), qPrintable(text + u" printed, not recorded"_s));
            }
            qDeleteAll(clerks);
        }
    }

    // A note another desk left more than a day ago is offered to a supervisor,
    // and to nobody else; a younger one waits for its clerk.
    void aSupervisorSettlesForgottenNotesOfAnyDesk()
    {
        const QSqlDatabase db = m_database->db();
        for (const QString &number : {u"101"_s, u"102"_s})
            m_database->noteJob({journalPageOf(
                {u"City Bank"_s, u"Asha"_s, u"10.00"_s, u"Ten"_s, QDate(2026, 12, 5), true}, number)});
        m_database->exec(u"update PrintJournal set OwnerHost = 'another desk', State = 'handed over'"_s);
        m_database->exec(u"update PrintJournal set NotedAt = '%1' where ChequeNo = '101'"_s.arg(
            QDateTime::currentDateTimeUtc().addSecs(-25 * 3600).toString(Qt::ISODate)));
        QList<store::JournalJob> jobs;
        QVERIFY(!unconfirmedJobs(db, &jobs).isValid());
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs[0].pages[0].cheque.chequeNo, u"101"_s);

        m_database->exec(u"set role quillmark_clerk"_s);
        QVERIFY(!unconfirmedJobs(db, &jobs).isValid());
        QCOMPARE(jobs.size(), 0);
        m_database->exec(u"reset role"_s);

        RecordedMessages messages;
        inNextModal([](QWidget *window) { control<QPushButton>(window, u"cmdOK"_s)->click(); },
                    u"frmBatchConfirm"_s);
        QVERIFY(settleUnconfirmedCheques());
        QCOMPARE(rowsOf(db, u"select ChequeNo from ChqIssuereg"_s), QList<QStringList>{{u"101"_s}});
    }

    // The clerk's session ends between the page and the record: the cheque is
    // reported as not recorded, and stays noted with its number held.
    void aConnectionLostMidPrintIsReported()
    {
        RecordedMessages messages;
        RecordedPrinting printing;
        observePrintSteps([&](const char *step) {
            if (qstrcmp(step, "sent") == 0)
                m_database->exec(u"select pg_terminate_backend(pid) from pg_stat_activity where "
                                 "datname = current_database() and pid <> pg_backend_pid()"_s);
        });
        const PrintOutcome outcome = printAndRecord(
            {{u"City Bank"_s, u"Asha"_s, u"10.00"_s, u"Ten"_s, QDate(2026, 12, 5), true}, u"7"_s}, {});
        observePrintSteps({});
        QCOMPARE(outcome, PrintOutcome::NotRecorded);
        QVERIFY(messages.only().text.contains(u"NOT recorded"_s));
        std::optional<store::RegisterRow> earlier;
        bool noted = false;
        QVERIFY(!store::findChequeByNumber(m_database->db(), u"City Bank"_s, u"7"_s, &earlier, &noted)
                     .isValid());
        QVERIFY(earlier && noted);
    }

private:
    QList<QProcess *> startClerks(int count, int cheques, const QString &spoolPrefix = {});
    void checkRegister();

    std::unique_ptr<TemporaryDatabase> m_database;
    QTemporaryDir m_dir;
};

QList<QProcess *> TestClerks::startClerks(int count, int cheques, const QString &spoolPrefix)
{
    QList<QProcess *> clerks;
    for (int clerk = 0; clerk < count; ++clerk) {
        auto *process = new QProcess(this);
        QStringList args{m_database->location(), QString::number(cheques)};
        if (!spoolPrefix.isEmpty())
            args << m_dir.filePath(spoolPrefix + QString::number(clerk));
        process->start(QCoreApplication::applicationDirPath() + u"/clerkcopy"_s, args);
        clerks << process;
    }
    return clerks;
}

// No number is recorded twice for a bank, and nothing stays in the journal.
void TestClerks::checkRegister()
{
    const QSqlDatabase db = m_database->db();
    QCOMPARE(rowsOf(db, u"select BankKey, NumberKey from ChequeNumberKeys group by BankKey, "
                        "NumberKey having count(*) > 1"_s),
             QList<QStringList>());
    QCOMPARE(rowsOf(db, u"select count(*) from ChqIssuereg r left join ChequeNumberKeys k on "
                        "k.RegisterRow = r.rowid where k.RegisterRow is null"_s),
             QList<QStringList>{{u"0"_s}});
    QCOMPARE(rowsOf(db, u"select count(*) from PrintJournal"_s), QList<QStringList>{{u"0"_s}});
}

QTEST_MAIN(TestClerks)
#include "test_clerks.moc"
