#include "atstart.h"
#include "copies.h"
#include "database.h"
#include "datafilelock.h"
#include "files.h"
#include "frmBackup.h"
#include "frmRestore.h"
#include "onlinecopy.h"
#include "restore.h"
#include "steps.h"
#include "takecopy.h"
#include "temporarydatabase.h"
#include "windowchecks.h"
#include "workfile.h"

#include <QTreeWidget>

#include <QDir>
#include <QStandardPaths>
#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

using namespace backup;

namespace {

QSqlQuery ask(QSqlDatabase db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
    return query;
}

// A connection of its own to the file, which waits for other writers.
QSqlDatabase opened(const QString &name, const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(path);
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=20000");
    db.open();
    return db;
}

// Cheques with long names, so that a copy takes many parts; every third
// row deleted, so the rowids have gaps a renumbering would close.
void fillRegister(TemporaryDatabase &data, int cheques)
{
    data.exec("BEGIN");
    for (int row = 1; row <= cheques; ++row)
        data.exec(QStringLiteral("INSERT INTO ChqIssuereg VALUES ('2026-12-01', 'Payee %1 %2', "
                                 "'HDFC', '100.00', '%1')")
                      .arg(row).arg(QString(400, 'x')));
    data.exec("DELETE FROM ChqIssuereg WHERE rowid % 3 = 0");
    data.exec("INSERT INTO Bank VALUES ('400240002', 'HDFC', 'INR')");
    data.exec("COMMIT");
}

// Each void mark with the cheque it stands on: "mark:number:payee".
QStringList markedCheques(const QString &path)
{
    QStringList marked;
    for (const QStringList &row :
         rowsOf(opened("marks", path), "SELECT printf('%s:%s:%.20s', m.Id, r.ChequeNo, r.Payeename) "
                                       "FROM ChequeVoidMarks m LEFT JOIN ChqIssuereg r "
                                       "ON r.rowid = m.RegisterRow ORDER BY m.Id"))
        marked << row.value(0);
    QSqlDatabase::removeDatabase("marks");
    return marked;
}

// Overwrites part of a page, as a failing disk might.
void damage(const QString &path)
{
    writeFile(path, contentsOf(path).replace(4096 * 3, 3000, QByteArray(3000, '\x5a')));
}

QDateTime at(const QString &when)
{
    return QDateTime::fromString(when, "yyyy-MM-dd HH:mm");
}

void setTime(const QString &when)
{
    static QDateTime current;
    current = at(when);
    setClock([] { return current; });
}

// A child process running the steps, killed when this ends.
struct Child {
    pid_t pid;
    explicit Child(const std::function<void()> &steps) : pid(fork())
    {
        if (pid == 0) {
            steps();
            _exit(0);
        }
    }
    ~Child() { kill(pid, SIGKILL); waitpid(pid, nullptr, 0); }
};

// Runs the steps in a child process that ends (_exit) when it reaches the
// step, as a program killed there would.
void killedAt(Step step, const std::function<void()> &steps)
{
    static Step stopAt;
    stopAt = step;
    const pid_t child = fork();
    if (child == 0) {
        setStepHook([](Step reachedStep) {
            if (reachedStep == stopAt)
                _exit(9);
        });
        steps();
        _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 9, "the step was never reached");
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
    }

    void cleanup()
    {
        setClock({});
        setStepHook(nullptr);
    }

    // Another process records cheques, each with a void mark, one
    // transaction a cheque, while copies are taken in many parts.
    void aCopyTakenWhileAnotherProgramWritesIsWhole()
    {
        TemporaryDatabase data;
        fillRegister(data, 6000);
        const Child writer([&] {
            const QSqlDatabase db = opened("writer", data.path());
            for (;;) {
                ask(db, "BEGIN IMMEDIATE");
                ask(db, "INSERT INTO ChqIssuereg VALUES ('2026-12-07', 'Writer', 'HDFC', '5.00', 'W')");
                ask(db, "INSERT INTO ChequeVoidMarks (RegisterRow, Action, MarkedAt) "
                        "VALUES (last_insert_rowid(), 'void', '2026-12-07')");
                ask(db, "COMMIT");
                usleep(2000);
            }
        });
        // The copies begin once the writer has begun.
        while (markedCheques(data.path()).filter(":W:").isEmpty())
            QTest::qWait(10);
        QList<int> seen;
        for (int copy = 0; copy < 5; ++copy) {
            int parts = 0;
            QString made;
            QCOMPARE(takeCopy(data.path(), [&](int, int) { return ++parts > 0; }, &made), QString());
            QVERIFY(parts > 1);
            QCOMPARE(integrityProblem(made), QString());
            // Every cheque the writer recorded came with its mark, on it.
            const QStringList marks = markedCheques(made).filter(":W:Writer");
            QCOMPARE(markedCheques(made).filter(":W:").size(), marks.size());
            seen << marks.size();
        }
        // The writer went on between the copies.
        QVERIFY2(seen.first() > 0 && seen.last() > seen.first(), qPrintable(QDebug::toString(seen)));
    }

    void aRestoreRefusesWhatItCannotBringBack_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("not a Quillmark database") << "other" << "it is not a Quillmark database: it lacks table Bank";
        QTest::newRow("damaged") << "damaged" << "it failed its integrity check";
        QTest::newRow("open in another copy") << "in use" << "another copy of Quillmark has the data file";
    }
    void aRestoreRefusesWhatItCannotBringBack()
    {
        QFETCH(QString, what);
        QFETCH(QString, refusal);
        TemporaryDatabase data;
        fillRegister(data, 300);
        QString copy;
        QCOMPARE(takeCopy(data.path(), {}, &copy), QString());
        if (what == "other") {
            copy = QFileInfo(copy).dir().filePath("other.db");
            ask(opened("other", copy), "CREATE TABLE Notes (x)");
        } else if (what == "damaged") {
            damage(copy);
        }
        std::optional<Child> holder;
        if (what == "in use") {
            int held[2];
            QCOMPARE(pipe(held), 0);
            holder.emplace([&] {
                holdDataFile(data.path());
                write(held[1], "h", 1);
                pause();
            });
            char byte = 0;
            QCOMPARE(read(held[0], &byte, 1), 1);
        }
        const QByteArray before = contentsOf(data.path());
        const QString problem = restoreCopy(copy, data.path());
        holder.reset();
        QVERIFY2(problem.contains(refusal), qPrintable(problem));
        QCOMPARE(contentsOf(data.path()), before);
        QCOMPARE(QDir(QFileInfo(data.path()).dir()).entryList({"*before restore*"}), QStringList());
    }

    // Eight days of copies, so the ninth makes the rotation remove one.
    void aKillAtAnyStepLeavesTheDataFileAndTheOlderCopies_data()
    {
        QTest::addColumn<bool>("restoring");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("copyInPlace");
        for (Step step : {Step::PagesCopied, Step::CopyWritten, Step::CopyChecked, Step::CopyNamed,
                          Step::OlderCopyRemoved})
            QTest::addRow("copy, step %d", int(step)) << false << int(step) << false;
        for (Step step : {Step::PagesCopied, Step::CopyWritten, Step::CurrentKept})
            QTest::addRow("restore, step %d", int(step)) << true << int(step) << false;
        for (Step step : {Step::CopyInPlace, Step::FolderSynced})
            QTest::addRow("restore, step %d", int(step)) << true << int(step) << true;
    }
    void aKillAtAnyStepLeavesTheDataFileAndTheOlderCopies()
    {
        QFETCH(bool, restoring);
        QFETCH(int, step);
        QFETCH(bool, copyInPlace);
        TemporaryDatabase data;
        fillRegister(data, 3000);
        for (int day = 1; day <= 8; ++day) {
            setTime(QStringLiteral("2026-12-%1 09:00").arg(day, 2, 10, QChar('0')));
            QCOMPARE(takeCopy(data.path()), QString());
        }
        const QString folder = copiesFolder(data.path());
        QHash<QString, QByteArray> olderCopies;
        for (const Copy &copy : copiesKept(copiesIn(folder, data.path())))
            olderCopies[copy.path] = contentsOf(copy.path);
        const QString restored = copiesIn(folder, data.path()).last().path;
        data.exec("INSERT INTO ChqIssuereg VALUES ('2026-12-09', 'Later', 'HDFC', '1.00', '9')");
        const QByteArray before = contentsOf(data.path());

        setTime("2026-12-09 09:00");
        killedAt(Step(step), [&] {
            if (restoring)
                restoreCopy(restored, data.path());
            else
                takeCopy(data.path());
        });
        QCOMPARE(integrityProblem(data.path()), QString());
        QCOMPARE(contentsOf(data.path()), copyInPlace ? contentsOf(restored) : before);
        for (auto copy = olderCopies.cbegin(); copy != olderCopies.cend(); ++copy) {
            if (!restoring && Step(step) == Step::OlderCopyRemoved && !QFileInfo::exists(copy.key()))
                continue;  // the one the rotation removes
            QCOMPARE(contentsOf(copy.key()), copy.value());
        }
        // A later start removes what was left half made, once it is old.
        const QDir copies(folder), beside = QFileInfo(data.path()).dir();
        for (const QString &left : copies.entryList({"*.copy-*"}) + beside.entryList({"*.restore-*"})) {
            QFile file((left.contains(".copy-") ? copies : beside).filePath(left));
            file.open(QIODevice::ReadWrite);
            file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime);
        }
        store::removeAbandonedWorkFiles(data.path());
        store::removeAbandonedWorkFiles(copies.filePath("ql.mdb"));
        QCOMPARE(copies.entryList({"*.copy-*"}) + beside.entryList({"*.restore-*"}), QStringList());
    }

    // One start a day on the days listed; the copies kept afterwards.
    void rotationKeepsTheCopiesPromised_data()
    {
        QTest::addColumn<QStringList>("startDays");
        QTest::addColumn<QStringList>("keptDays");
        QStringList december, january;
        for (int day = 1; day <= 31; ++day)
            december << QDate(2026, 12, day).toString(Qt::ISODate);
        for (int day = 1; day <= 10; ++day)
            january << QDate(2027, 1, day).toString(Qt::ISODate);
        // 2027-01-04 is a Monday.
        QTest::newRow("every day across the year end")
            << december + january
            << QStringList{"2027-01-10", "2027-01-09", "2027-01-08", "2027-01-07", "2027-01-06",
                           "2027-01-05", "2027-01-04", "2027-01-03", "2026-12-27", "2026-12-20"};
        QTest::newRow("across a month end, with a gap")
            << QStringList{"2026-10-20", "2026-10-27", "2026-11-02", "2026-11-03", "2026-11-29",
                           "2026-11-30", "2026-12-01", "2026-12-02"}
            << QStringList{"2026-12-02", "2026-12-01", "2026-11-30", "2026-11-29", "2026-11-03",
                           "2026-11-02", "2026-10-27"};
        QTest::newRow("fewer than a week") << december.mid(0, 3)
                                           << QStringList{"2026-12-03", "2026-12-02", "2026-12-01"};
    }
    void rotationKeepsTheCopiesPromised()
    {
        QFETCH(QStringList, startDays);
        QFETCH(QStringList, keptDays);
        TemporaryDatabase data;
        for (const QString &day : startDays) {
            // A second start the same day takes no second copy.
            for (const char *time : {"08:59", "17:30"}) {
                setTime(day + " " + QString(time));
                takeDailyCopy(data.path());
            }
        }
        QStringList expected, kept;
        for (const QString &day : keptDays)
            expected << copyName(data.path(), at(day + " 08:59"));
        for (const Copy &copy : copiesIn(copiesFolder(data.path()), data.path()))
            kept << QFileInfo(copy.path).fileName();
        QCOMPARE(kept, expected);
    }

    // A start finds the file damaged or missing: a damaged file is never
    // written to unless the latest good copy is brought back in its place.
    // A second start the same day does not check again.
    void aDamagedOrMissingFileIsOfferedTheLatestGoodCopy_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("told");
        QTest::newRow("damaged, Yes") << "damaged" << true << "2026-12-07 09:00" << true << "failed its check";
        QTest::newRow("damaged, No") << "damaged" << false << "2026-12-07 09:00" << false << "failed its check";
        QTest::newRow("damaged, checked today") << "damaged" << true << "2026-12-06 17:00" << true << "";
        QTest::newRow("damaged, no copy") << "no copy" << true << "2026-12-07 09:00" << false << "There is no good copy";
        QTest::newRow("missing, Yes") << "missing" << true << "2026-12-07 09:00" << true << "is missing";
    }
    void aDamagedOrMissingFileIsOfferedTheLatestGoodCopy()
    {
        QFETCH(QString, what);
        QFETCH(bool, answer);
        QFETCH(QString, start);
        QFETCH(bool, goesOn);
        QFETCH(QString, told);
        TemporaryDatabase data;
        fillRegister(data, 300);
        setTime("2026-12-06 09:00");
        QString copy;
        QCOMPARE(takeCopy(data.path(), {}, &copy), QString());
        if (what == "no copy")
            QFile::remove(copy);
        if (what == "missing")
            QFile::remove(data.path());
        else
            damage(data.path());
        const QByteArray before = contentsOf(data.path());

        setTime(start);
        RecordedMessages messages;
        messages.answer(answer);
        QCOMPARE(checkDataFileAtStart(data.path()), goesOn);
        QCOMPARE(messages.all().size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty())
            QVERIFY2(messages.only().text.contains(told), qPrintable(messages.only().text));
        QCOMPARE(contentsOf(data.path()), goesOn && !told.isEmpty() ? contentsOf(copy) : before);
    }

    // A copy that cannot be made is told once, and the program goes on.
    void aFailedCopyIsReportedOnce()
    {
        TemporaryDatabase data;
        const QString notAFolder = QFileInfo(data.path()).dir().filePath("a file");
        writeFile(notAFolder, "x");
        chooseCopiesFolder(data.path(), notAFolder);
        RecordedMessages messages;
        takeDailyCopy(data.path());
        chooseCopiesFolder(data.path(), QString());
        QVERIFY2(messages.only().text.contains("could not be made in"), qPrintable(messages.only().text));
    }

    void anOlderFileIsCopiedBeforeItsTablesAreAdded()
    {
        TemporaryDatabase data;
        data.exec("DROP TABLE WordsChoice");
        copyBeforeTablesChange();
        QCOMPARE(store::prepareDatabase(data.path()), QString());
        store::useBeforeTablesChange({});
        const QList<Copy> copies = copiesIn(copiesFolder(data.path()), data.path());
        QCOMPARE(copies.size(), 1);
        QVERIFY(!opened("older", copies.first().path).tables().contains("WordsChoice"));
    }

    // Back Up Now copies to the file named; Enter presses the focused
    // button only, Escape closes.
    void backUpNowWritesACheckedCopyWhereTheUserChooses()
    {
        TemporaryDatabase data;
        fillRegister(data, 300);
        RecordedMessages messages;
        frmBackup window(data.path());
        QVERIFY(shownActive(&window));
        const QString target = QFileInfo(data.path()).dir().filePath("stick/ql.mdb");
        auto *box = control<QLineEdit>(&window, "txtTarget");
        QCOMPARE(QApplication::focusWidget(), box);
        box->setText(target);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(window.isVisible());
        QTest::keyClick(box, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdBackUp"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shownMessages(messages), QStringList{"Information: The data file has been copied to " + target + "."});
        QCOMPARE(markedCheques(target), markedCheques(data.path()));
        QVERIFY(!window.isVisible());
    }

    // The list shows each copy's counts; Enter on a copy restores it once
    // the user agrees: every void mark is on its cheque again, and the file
    // it replaced is kept beside it.
    void restoreListsTheCopiesAndBringsOneBack()
    {
        TemporaryDatabase data;
        fillRegister(data, 300);
        data.exec("INSERT INTO ChequeVoidMarks (RegisterRow, Action, Reason, MarkedAt) SELECT "
                  "rowid, 'void', 'spoiled', '2026-12-02' FROM ChqIssuereg WHERE rowid % 5 = 0");
        const QStringList marked = markedCheques(data.path());
        setTime("2026-12-06 09:00");
        QCOMPARE(takeCopy(data.path()), QString());
        data.exec("DELETE FROM ChequeVoidMarks");
        data.exec("INSERT INTO ChqIssuereg VALUES ('2026-12-07', 'Later', 'HDFC', '1.00', '9')");
        setTime("2026-12-07 09:00");
        QCOMPARE(takeCopy(data.path()), QString());
        data.closeConnection();
        const QByteArray replaced = contentsOf(data.path());

        RecordedMessages messages;
        messages.answer(true);
        frmRestore window(data.path());
        QVERIFY(shownActive(&window));
        auto *list = control<QTreeWidget>(&window, "lstCopies");
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(list->topLevelItemCount(), 2);
        const QTreeWidgetItem *older = list->topLevelItem(1);
        QStringList shown;
        for (int column = 1; column < list->columnCount(); ++column)
            shown << older->text(column);
        QCOMPARE(shown, (QStringList{"1", "0", "0", "200", "299 of 2026-12-01"}));
        list->setCurrentItem(list->topLevelItem(1));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(messages.all().size(), 2);
        QVERIFY2(messages.all().last().text.contains("is now the data file"), qPrintable(messages.all().last().text));
        QVERIFY(!window.isVisible());
        store::StoredContents contents;
        QCOMPARE(readContents(data.path(), &contents), QString());
        QCOMPARE(contents.rows.registerRows, 200);
        QCOMPARE(markedCheques(data.path()), marked);
        const QDir folder = QFileInfo(data.path()).dir();
        const QStringList kept = folder.entryList({"*before restore*"});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(contentsOf(folder.filePath(kept.first())), replaced);
    }
};

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
