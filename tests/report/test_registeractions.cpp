#include "frmReport.h"
#include "frmVoid.h"
#include "recordedprinting.h"
#include "registercsv.h"
#include "registerstatements.h"
#include "temporarydatabase.h"
#include "files.h"
#include "windowchecks.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QDate day(2024, 5, 2);

// HDFC ready to print, with three cheques: amounts with a comma, a quote
// and a line break in the payee names, and a rupee sign.
void fillRegister(QSqlDatabase db)
{
    QVERIFY(!store::addBank(db, {"1", "HDFC", "INR"}).isValid());
    QVERIFY(!store::replaceLayout(db, {"Inches", "HDFC", {0.5, 6, 1.5, 1, 1, 5, 1.5, 1, 100, 2,
                                                          1, 5, 2.5, 6, 1.5}})
                 .isValid());
    const QList<store::RegisterRow> cheques{{day, "Rao, K.", "HDFC", "1,000.50", "000101"},
                                            {day, "\"Best\" Ltd\nPune", "HDFC", "20.25", "000102"},
                                            {day, "₹ Traders", "HDFC", "5.00", "000103"}};
    for (const store::RegisterRow &cheque : cheques)
        QVERIFY(!store::addRegisterEntry(db, cheque).isValid());
}

template <typename Control>
Control *control(QWidget *window, const char *name)
{
    return window->findChild<Control *>(QString::fromLatin1(name));
}

// The report of HDFC on the day, with the row chosen.
void showAndChoose(frmReport &window, int row)
{
    control<QComboBox>(&window, "cmbBnk")->setEditText("HDFC");
    control<QDateEdit>(&window, "DTPicker1")->setDate(day);
    control<QDateEdit>(&window, "DTPicker2")->setDate(day);
    window.Command1_Click();
    control<QTableView>(&window, "DataGrid1")->selectRow(row);
}

// Runs `steps` in the next modal window that opens.
void inNextModal(const std::function<void(QWidget *)> &steps)
{
    QTimer::singleShot(0, [steps] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        steps(modal);
    });
}

// Each row's cheque number, and its void tip when it has one.
QStringList shownRows(frmReport &window)
{
    const QAbstractItemModel *grid = control<QTableView>(&window, "DataGrid1")->model();
    QStringList shown;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QString tip = grid->index(row, 4).data(Qt::ToolTipRole).toString();
        shown << grid->index(row, 4).data().toString() + (tip.isEmpty() ? "" : " " + tip.section(" (", 0, 0));
    }
    return shown;
}

QString totals(frmReport &window)
{
    return control<QLabel>(&window, "lblTotals")->text();
}

} // namespace

class TestRegisterActions : public QObject
{
    Q_OBJECT
private slots:
    // The reason as chosen or typed; Enter is OK, Escape is Cancel.
    void voidDialogGivesTheReason_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("reason");  // null when not accepted
        QTest::newRow("opening choice") << "" << "" << int(Qt::Key_Return) << "Spoiled in printing";
        QTest::newRow("lost") << "optLost" << "" << int(Qt::Key_Return) << "Lost";
        QTest::newRow("typing chooses other") << "" << " torn " << int(Qt::Key_Return) << "torn";
        QTest::newRow("other without text") << "optOther" << "" << int(Qt::Key_Return) << QString();
        QTest::newRow("Escape") << "optLost" << "" << int(Qt::Key_Escape) << QString();
    }

    void voidDialogGivesTheReason()
    {
        QFETCH(QString, choice);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, reason);
        RecordedMessages messages;
        frmVoid dialog("000101");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        if (!choice.isEmpty())
            dialog.findChild<QRadioButton *>(choice)->click();
        if (!typed.isEmpty())
            QTest::keyClicks(control<QLineEdit>(&dialog, "txtOther"), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(dialog.result() == QDialog::Accepted ? dialog.reason() : QString(), reason);
        QCOMPARE(messages.all().size(), key == Qt::Key_Return && reason.isNull() ? 1 : 0);
    }

    // Void, undo and void again: the grid, the totals and the history follow.
    void voidAndUndoKeepHistory()
    {
        TemporaryDatabase database;
        fillRegister(database.db());
        RecordedMessages messages;
        frmReport window;
        showAndChoose(window, 0);
        QCOMPARE(totals(window), "3 cheques, INR 1,025.75; void 0, INR 0.00");

        inNextModal([](QWidget *dialog) {
            control<QRadioButton>(dialog, "optCancelled")->click();
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        control<QPushButton>(&window, "cmdVoid")->click();
        QCOMPARE(shownRows(window), (QStringList{"000101 Void: Cancelled", "000102", "000103"}));
        QCOMPARE(totals(window), "2 cheques, INR 25.25; void 1, INR 1,000.50");

        control<QPushButton>(&window, "cmdUndoVoid")->click();
        control<QPushButton>(&window, "cmdUndoVoid")->click();
        QCOMPARE(shownRows(window), (QStringList{"000101", "000102", "000103"}));
        QCOMPARE(shownMessages(messages), QStringList{"Information: Cheque 000101 is not void."});
        QCOMPARE(rowsOf(database.db(), "select RegisterRow, Action, Reason from ChequeVoidMarks"),
                 (QList<QStringList>{{"1", "void", "Cancelled"}, {"1", "undo", ""}}));
    }

    // The original is void only once the new cheque has printed and been recorded.
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
        TemporaryDatabase database;
        fillRegister(database.db());
        RecordedPrinting printing;
        if (!endDocFailure.isEmpty())
            printing.failEndDoc(endDocFailure);
        RecordedMessages messages;
        frmReport window;
        showAndChoose(window, 2);
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
        QCOMPARE(shownRows(window), shown);
    }

    // Export and Print work on the rows shown: before any are, they only say so.
    void wholeListNeedsAReportShown_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("told");
        QTest::newRow("Export") << "cmdExport" << "the cheques shown are exported.";
        QTest::newRow("Print") << "cmdPrint" << "the cheques shown are printed.";
    }

    void wholeListNeedsAReportShown()
    {
        QFETCH(QString, button);
        QFETCH(QString, told);
        TemporaryDatabase database;
        RecordedMessages messages;
        frmReport window;
        window.findChild<QPushButton *>(button)->click();
        QCOMPARE(messages.only().text, "Show the report first: " + told);
    }

    // Read back: BOM, header, ISO dates, amounts as stored, quoting, void reason.
    void exportWritesTheRowsShown()
    {
        TemporaryDatabase database;
        fillRegister(database.db());
        QVERIFY(!store::addVoidMark(database.db(), {3, store::VoidAction::Void, "Lost", QDateTime(day, {}), ""})
                     .isValid());
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
    }

    // A cancelled or failed export leaves the file that was there.
    void failedExportLeavesNoPartialFile_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancelled") << true;
        QTest::newRow("register unreadable") << false;
    }

    void failedExportLeavesNoPartialFile()
    {
        QFETCH(bool, cancel);
        TemporaryDatabase database;
        database.exec("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c "
                      "WHERE n < 5000) INSERT INTO ChqIssuereg SELECT '2024-05-02', 'P', "
                      "'HDFC', '1.00', n FROM c");
        if (!cancel)
            database.exec("DROP TABLE ChequeVoidMarks");
        QTemporaryDir dir;
        const QString path = dir.filePath("register.csv");
        writeFile(path, "earlier");
        const CsvExport result =
            writeRegisterCsv(path, "HDFC", day, day, [](qint64) { return false; });
        QCOMPARE(result.cancelled, cancel);
        QCOMPARE(result.problem.isEmpty(), cancel);
        QCOMPARE(contentsOf(path), QByteArray("earlier"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"register.csv"});
    }
};

QTEST_MAIN(TestRegisterActions)
#include "test_registeractions.moc"
