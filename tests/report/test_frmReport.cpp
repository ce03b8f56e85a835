#include "files.h"
#include "frmReport.h"
#include "frmVoid.h"
#include "recordedprinting.h"
#include "registercsv.h"
#include "registerstatements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <sys/mount.h>

namespace {

const QDate day(2024, 5, 2);

// HDFC ready to print, with three cheques of the day (a comma, a quote, a
// line break and a rupee sign among them) and one of the next; St. Mary's
// with one; SBI with one but no layout; Canara with a layout only.
void fillRegister(QSqlDatabase db)
{
    for (const char *bank : {"HDFC", "St. Mary's", "Canara"})
        // One line apart: the test printer's lines are a unit high.
        QVERIFY(!store::replaceLayout(db, {"Inches", bank, {0.5, 6, 1.5, 1.5, 1, 5, 2.5, 1, 100, 3.5,
                                                            1, 5, 4.5, 6, 1.5}}).isValid());
    QVERIFY(!store::addBank(db, {"1", "HDFC", "INR"}).isValid());
    const QList<store::RegisterRow> cheques{{day, "Rao, K.", "HDFC", "1,000.50", "000101"},
                                            {day, "\"Best\" Ltd\nPune", "HDFC", "20.25", "000102"},
                                            {day, "₹ Traders", "HDFC", "5.00", "000103"},
                                            {day.addDays(1), "Next", "HDFC", "4.00", "000099"},
                                            {day, "F. Payee", "St. Mary's", "6.00", "200001"},
                                            {day, "G. Payee", "SBI", "7.00", "300001"}};
    for (const store::RegisterRow &cheque : cheques)
        QVERIFY(!store::addRegisterEntry(db, cheque).isValid());
}

// Picks a listed bank, or else types the name over the box's text; a null
// name leaves the box as it is.
void showReport(QWidget *window, const QString &bank, QDate from, QDate to)
{
    auto *box = control<QComboBox>(window, "cmbBnk");
    if (box->findText(bank) >= 0) {
        box->setCurrentIndex(box->findText(bank));
    } else if (!bank.isNull()) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(box->lineEdit(), bank);
    }
    control<QDateEdit>(window, "DTPicker1")->setDate(from);
    control<QDateEdit>(window, "DTPicker2")->setDate(to);
    control<QPushButton>(window, "Command1")->click();
}

// Each row's cheque number, and its void reason when it has one.
QStringList shownRows(QWidget *window)
{
    const QAbstractItemModel *grid = control<QTableView>(window, "DataGrid1")->model();
    QStringList shown;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QString tip = grid->index(row, 4).data(Qt::ToolTipRole).toString();
        shown << grid->index(row, 4).data().toString() + (tip.isEmpty() ? "" : " " + tip.section(" (", 0, 0));
    }
    return shown;
}

QString totals(QWidget *window)
{
    return control<QLabel>(window, "lblTotals")->text();
}

} // namespace

class TestFrmReport : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;
    std::unique_ptr<RecordedMessages> m_messages;

private slots:
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        fillRegister(m_database->db());
        m_messages = std::make_unique<RecordedMessages>();
    }
    void cleanup()
    {
        m_messages.reset();
        m_database.reset();
        QLocale::setDefault(QLocale::c());
    }

    // The bank picked or typed, the range; then Tab must still leave a
    // filled grid rather than walk its cells.
    void listsTheBanksChequesInTheRange()
    {
        const QStringList none, hdfc{"000101", "000102", "000103"};
        const QList<std::tuple<QString, QDate, QDate, QStringList>> cases{
            {"HDFC", day, day, hdfc},               // From and To the same day
            {"HDFC", day.addDays(1), day, none},    // From after To
            {"SBI", day, day, {"300001"}},          // typed name of a bank without layout
            {"hdfc", day, day, hdfc},               // typed in other letter case
            {"HD", day, day, none},                 // typed beginning of a listed name
            {"St. Mary's", day, day, {"200001"}},   // a name with a quote
            {"x' or '1'='1", day, day, none},       // a quote that would end the name
            {QString(), day, day, none}};           // the opening text
        for (const auto &[bank, from, to, shown] : cases) {
            frmReport window;
            QVERIFY(shownActive(&window));
            showReport(&window, bank, from, to);
            QCOMPARE(shownRows(&window), shown);
            QCOMPARE(m_messages->texts(), QStringList());
            auto *grid = control<QTableView>(&window, "DataGrid1");
            grid->setFocus();
            grid->setCurrentIndex(grid->model()->index(0, 0));
            QTest::keyClick(grid, Qt::Key_Tab);
            QCOMPARE(controlOf(QApplication::focusWidget()), QStringLiteral("DTPicker1"));
        }
    }

    // Every column in table order, read-only, dates as the user's locale writes them.
    void gridShowsEveryColumnAndDatesAsDates()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        frmReport window;
        showReport(&window, "St. Mary's", day, day);
        const QAbstractItemModel *grid = control<QTableView>(&window, "DataGrid1")->model();
        QStringList cells;
        for (int column = 0; column < grid->columnCount(); ++column) {
            cells << grid->index(0, column).data().toString();
            QVERIFY(!(grid->flags(grid->index(0, column)) & Qt::ItemIsEditable));
        }
        QCOMPARE(cells, (QStringList{"02.05.2024", "F. Payee", "St. Mary's", "6.00", "200001"}));
    }

    // The reason as chosen or typed; Enter is OK, Escape is Cancel.
    void voidDialogGivesTheReason()
    {
        // option clicked, text typed, key; the reason given (null: not accepted)
        const QList<std::tuple<QString, QString, Qt::Key, QString>> cases{
            {"", "", Qt::Key_Return, "Spoiled in printing"},  // the opening choice
            {"", " torn ", Qt::Key_Return, "torn"},           // typing chooses other
            {"optOther", "", Qt::Key_Return, QString()},      // other without text
            {"optLost", "", Qt::Key_Escape, QString()}};
        for (const auto &[choice, typed, key, reason] : cases) {
            m_messages->clear();
            frmVoid dialog("000101");
            QVERIFY(shownActive(&dialog));
            if (!choice.isEmpty())
                control<QRadioButton>(&dialog, choice)->click();
            QTest::keyClicks(control<QLineEdit>(&dialog, "txtOther"), typed);
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(dialog.result() == QDialog::Accepted ? dialog.reason() : QString(), reason);
            QCOMPARE(m_messages->all().size(), key == Qt::Key_Return && reason.isNull() ? 1 : 0);
        }
    }

    // Void, undo and void again: the grid, the totals and the history follow.
    void voidAndUndoKeepHistory()
    {
        frmReport window;
        showReport(&window, "HDFC", day, day);
        control<QTableView>(&window, "DataGrid1")->selectRow(0);
        QCOMPARE(totals(&window), "3 cheques, INR 1,025.75; void 0, INR 0.00");

        inNextModal([](QWidget *dialog) {
            control<QRadioButton>(dialog, "optCancelled")->click();
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        control<QPushButton>(&window, "cmdVoid")->click();
        QCOMPARE(shownRows(&window), (QStringList{"000101 Void: Cancelled", "000102", "000103"}));
        QCOMPARE(totals(&window), "2 cheques, INR 25.25; void 1, INR 1,000.50");

        control<QPushButton>(&window, "cmdUndoVoid")->click();
        control<QPushButton>(&window, "cmdUndoVoid")->click();
        QCOMPARE(shownRows(&window), (QStringList{"000101", "000102", "000103"}));
        QCOMPARE(shownMessages(*m_messages), QStringList{"Information: Cheque 000101 is not void."});
        QCOMPARE(rowsOf(m_database->db(), "select RegisterRow, Action, Reason from ChequeVoidMarks"),
                 (QList<QStringList>{{"1", "void", "Cancelled"}, {"1", "undo", ""}}));
    }

    // The original is void only once the new cheque has printed and been
    // recorded; then it is not reprinted again.
    void reprintVoidsTheOriginalOnlyWhenRecorded_data()
    {
        QTest::addColumn<QString>("endDocFailure");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("printed") << "" << QStringList{"000101", "000102",
                                                      "000103 Void: reprinted as 000104", "000104"};
        QTest::newRow("printer failed") << "out of paper"
                                        << QStringList{"000101", "000102", "000103"};
    }
    void reprintVoidsTheOriginalOnlyWhenRecorded()
    {
        QFETCH(QString, endDocFailure);
        QFETCH(QStringList, shown);
        RecordedPrinting printing;
        if (!endDocFailure.isEmpty())
            printing.failEndDoc(endDocFailure);
        frmReport window;
        showReport(&window, "HDFC", day, day);
        control<QTableView>(&window, "DataGrid1")->selectRow(2);
        QStringList filled;
        inNextModal([&filled](QWidget *print) {
            for (const char *name : {"txtChqNo", "Text1", "Text2"})
                filled << control<QLineEdit>(print, name)->text();
            filled << (control<QLineEdit>(print, "Text3")->text().isEmpty() ? "" : "words");
            filled << control<QComboBox>(print, "cmbBnk")->currentText();
            control<QPushButton>(print, "Print")->click();
            if (print->isVisible())
                print->close();
        });
        control<QPushButton>(&window, "cmdReprint")->click();
        QCOMPARE(filled, (QStringList{"000104", "₹ Traders", "5.00", "words", "HDFC"}));
        window.Command1_Click();
        QCOMPARE(shownRows(&window), shown);
        if (!endDocFailure.isEmpty())
            return;
        // Void now, it is not reprinted again: that would leave two live
        // cheques for one payment.
        control<QTableView>(&window, "DataGrid1")->selectRow(2);
        m_messages->clear();
        control<QPushButton>(&window, "cmdReprint")->click();
        QCOMPARE(shownMessages(*m_messages),
                 QStringList{"Information: Cheque 000103 is void already (reprinted as 000104), so "
                             "it is not reprinted."});
    }

    // Read back: BOM, header, ISO dates, amounts as stored, quoting, void
    // reason. A payee, reason, amount or number a spreadsheet would run as a
    // formula is written as text: an apostrophe before it, inside any quotes.
    void exportWritesTheRowsShown()
    {
        QVERIFY(!store::addVoidMark(m_database->db(), {3, store::VoidAction::Void, "Lost",
                                                       QDateTime(day, {}), ""}).isValid());
        QTemporaryDir dir;
        const QString path = dir.filePath("register.csv");
        const CsvExport result = writeRegisterCsv(path, "HDFC", day, day, {});
        QVERIFY2(result.written, qPrintable(result.problem));
        QCOMPARE(contentsOf(path),
                 QByteArray("\xEF\xBB\xBF"
                            "DateofChq,Payeename,BankName,PAyeeamt,ChequeNo,Void\r\n"
                            "2024-05-02,\"Rao, K.\",HDFC,\"1,000.50\",000101,\r\n"
                            "2024-05-02,\"\"\"Best\"\" Ltd\nPune\",HDFC,20.25,000102,\r\n"
                            "2024-05-02,\xE2\x82\xB9 Traders,HDFC,5.00,000103,Lost\r\n"));

        const QDate other(2024, 6, 1);
        // stored payee, and the line's payee field as written
        const QList<std::pair<QString, QByteArray>> payees{
            {"=1+1", "'=1+1"}, {"+91 22", "'+91 22"}, {"-2", "'-2"}, {"@SUM(A1)", "'@SUM(A1)"},
            {"\tTab", "'\tTab"}, {"\rCR", "\"'\rCR\""},
            {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
            {"A=B", "A=B"}, {"Rao-Kumar", "Rao-Kumar"}};
        for (const auto &[payee, field] : payees)
            QVERIFY(!store::addRegisterEntry(m_database->db(), {other, payee, "HDFC", "-5", "=7"})
                         .isValid());
        QVERIFY(writeRegisterCsv(path, "HDFC", other, other, {}).written);
        const QList<QByteArray> lines = contentsOf(path).split('\n');
        for (qsizetype i = 0; i < payees.size(); ++i)
            QCOMPARE(lines.value(1 + i), "2024-06-01," + payees[i].second + ",HDFC,'-5,'=7,\r");
    }

    // A cancelled or failed export, a full disk among the failures, leaves
    // the file that was there and no other; a failure is named.
    void failedExportKeepsTheEarlierFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("problem");  // its start
        QTest::newRow("cancelled") << "cancel" << "";
        QTest::newRow("register unreadable") << "unreadable" << "";
        QTest::newRow("disk full") << "full" << "The disk is full.";
    }
    void failedExportKeepsTheEarlierFile()
    {
        QFETCH(QString, fault);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        if (fault == "full" && mount("tmpfs", qPrintable(dir.path()), "tmpfs", 0, "size=64k") != 0)
            QSKIP("A small disk of its own can be made only by root");
        m_database->exec("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c "
                         "WHERE n < 5000) INSERT INTO ChqIssuereg SELECT '2024-05-02', 'Payee', "
                         "'HDFC', '1.00', n FROM c");
        if (fault == "unreadable")
            m_database->exec("DROP TABLE ChequeVoidMarks");
        const QString path = dir.filePath("register.csv");
        writeFile(path, "earlier");
        const CsvExport result = writeRegisterCsv(path, "HDFC", day, day,
                                                  [&](qint64) { return fault != "cancel"; });
        const QByteArray kept = contentsOf(path);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        if (fault == "full")
            umount(qPrintable(dir.path()));
        QVERIFY(!result.written);
        QCOMPARE(result.cancelled, fault == "cancel");
        QCOMPARE(result.problem.isEmpty(), fault == "cancel");
        QVERIFY2(fault == "cancel" || result.problem.startsWith(problem),
                 qPrintable(result.problem));
        QCOMPARE(kept, QByteArray("earlier"));
        QCOMPARE(files, QStringList{"register.csv"});
    }
};

QTEST_MAIN(TestFrmReport)
#include "test_frmReport.moc"
