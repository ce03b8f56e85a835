#include "frmReport.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

const QDate sep12(2008, 9, 12), sep13(2008, 9, 13), sep30(2008, 9, 30), oct1(2008, 10, 1);

void addLayout(QSqlDatabase db, const QString &bank)
{
    store::LayoutRow layout;
    layout.bankName = bank;
    QVERIFY(!store::replaceLayout(db, layout).isValid());
}

// Cheques on both sides of the ends of September 2008. SBI has no layout,
// Canara has a layout but no cheques; "Only a bank" has no layout either.
void fillRegister(QSqlDatabase db)
{
    const QList<store::RegisterRow> cheques = {
        {sep12, "A. Payee", "HDFC", "1,000.00", "100001"},
        {sep13, "B. Payee", "HDFC", "20.50", "100002"},
        {sep13, "C. Payee", "HDFC", "3.00", "100003"},
        {sep30, "D. Payee", "HDFC", "4.00", "100004"},
        {oct1, "E. Payee", "HDFC", "5.00", "100005"},
        {sep13, "F. Payee", "St. Mary's", "6.00", "200001"},
        {QDate(2008, 9, 20), "G. Payee", "SBI", "7.00", "300001"},
    };
    for (const store::RegisterRow &cheque : cheques)
        QVERIFY(!store::addRegisterEntry(db, cheque).isValid());
    for (const char *bank : {"HDFC", "St. Mary's", "Canara"})
        addLayout(db, QString::fromUtf8(bank));
    QVERIFY(!store::addBank(db, {"1", "Only a bank", "INR"}).isValid());
}

template <typename Control>
Control *control(QWidget *window, const char *name)
{
    return window->findChild<Control *>(QString::fromLatin1(name));
}

// Picks a listed bank, or types the name over the box's text; a null name
// leaves the box as it is.
void showReport(QWidget *window, const QString &bank, bool typed, QDate from, QDate to)
{
    auto *box = control<QComboBox>(window, "cmbBnk");
    if (typed) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(box->lineEdit(), bank);
    } else if (!bank.isNull()) {
        box->setCurrentIndex(box->findText(bank));
    }
    control<QDateEdit>(window, "DTPicker1")->setDate(from);
    control<QDateEdit>(window, "DTPicker2")->setDate(to);
    control<QPushButton>(window, "Command1")->click();
}

// The cheque numbers the grid lists, in number order.
QStringList chequeNumbersShown(QWidget *window)
{
    const QAbstractItemModel *grid = control<QTableView>(window, "DataGrid1")->model();
    QStringList numbers;
    for (int row = 0; row < grid->rowCount(); ++row)
        numbers << grid->index(row, 4).data().toString();
    numbers.sort();
    return numbers;
}

} // namespace

class TestFrmReport : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void listsTheBanksChequesInTheRange_data()
    {
        QTest::addColumn<QString>("bank");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("shown");
        const QStringList none;
        QTest::newRow("same From and To: that day's cheques")
            << "HDFC" << false << sep13 << sep13 << QStringList{"100002", "100003"};
        QTest::newRow("on the To date listed, the day after not")
            << "HDFC" << false << sep13 << sep30 << QStringList{"100002", "100003", "100004"};
        QTest::newRow("typed name of a bank without layout")
            << "SBI" << true << sep12 << oct1 << QStringList{"300001"};
        QTest::newRow("typed beginning of a listed name") << "HD" << true << sep12 << oct1 << none;
        QTest::newRow("typed name with a trailing blank") << "HDFC " << true << sep12 << oct1 << none;
        QTest::newRow("typed name in other letter case")
            << "hdfc" << true << sep12 << sep12 << QStringList{"100001"};
        QTest::newRow("name with a quote")
            << "St. Mary's" << false << sep12 << oct1 << QStringList{"200001"};
        QTest::newRow("quote that would end the name") << "x' or '1'='1" << true << sep12 << oct1
                                                       << none;
        QTest::newRow("bank with no cheques") << "Canara" << false << sep12 << oct1 << none;
        QTest::newRow("initial text cmbbnk") << QString() << false << sep12 << oct1 << none;
        QTest::newRow("From after To") << "HDFC" << false << sep30 << sep13 << none;
    }

    void listsTheBanksChequesInTheRange()
    {
        QFETCH(QString, bank);
        QFETCH(bool, typed);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, shown);
        TemporaryDatabase database;
        fillRegister(database.db());
        RecordedMessages messages;
        frmReport window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        showReport(&window, bank, typed, from, to);

        QCOMPARE(chequeNumbersShown(&window), shown);
        QCOMPARE(messages.texts(), QStringList());
    }

    // Every column by its name in table order, read-only, dates as the user's locale writes them.
    void gridShowsEveryColumnByNameAndDatesAsDates()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TemporaryDatabase database;
        fillRegister(database.db());
        frmReport window;
        QCOMPARE(control<QDateEdit>(&window, "DTPicker1")->text(), QStringLiteral("13.09.2008"));

        showReport(&window, "St. Mary's", false, QDate(2008, 9, 1), sep30);

        const QAbstractItemModel *grid = control<QTableView>(&window, "DataGrid1")->model();
        QStringList headers, cells;
        for (int column = 0; column < grid->columnCount(); ++column) {
            headers << grid->headerData(column, Qt::Horizontal).toString();
            cells << grid->index(0, column).data().toString();
            QVERIFY(!(grid->flags(grid->index(0, column)) & Qt::ItemIsEditable));
        }
        QCOMPARE(headers, (QStringList{"DateofChq", "Payeename", "BankName", "PAyeeamt", "ChequeNo"}));
        QCOMPARE(cells, (QStringList{"13.09.2008", "F. Payee", "St. Mary's", "6.00", "200001"}));
    }

    void eachOpeningRefillsTheListAndResetsThePickers()
    {
        TemporaryDatabase database;
        fillRegister(database.db());
        {
            frmReport first;
            QCOMPARE(itemsOf(control<QComboBox>(&first, "cmbBnk")),
                     (QStringList{"HDFC", "St. Mary's", "Canara"}));
            showReport(&first, "HDFC", true, QDate(2008, 1, 1), QDate(2008, 12, 31));
        }
        addLayout(database.db(), "Bank of Baroda");
        frmReport second;

        QCOMPARE(itemsOf(control<QComboBox>(&second, "cmbBnk")),
                 (QStringList{"HDFC", "St. Mary's", "Canara", "Bank of Baroda"}));
        QCOMPARE(control<QComboBox>(&second, "cmbBnk")->currentText(), QStringLiteral("cmbbnk"));
        for (const char *name : {"DTPicker1", "DTPicker2"})
            QCOMPARE(control<QDateEdit>(&second, name)->date(), sep13);
        QCOMPARE(control<QTableView>(&second, "DataGrid1")->model()->rowCount(), 0);
    }

    // A database error is told once, and the window stays usable.
    void failureIsToldAndTheWindowStaysUsable_data()
    {
        QTest::addColumn<bool>("bankList");  // fails on opening; else the report fails
        QTest::newRow("bank list") << true;
        QTest::newRow("report") << false;
    }

    void failureIsToldAndTheWindowStaysUsable()
    {
        QFETCH(bool, bankList);
        TemporaryDatabase database;
        fillRegister(database.db());
        if (bankList)
            database.exec("DROP TABLE Positions");
        RecordedMessages messages;
        frmReport window;
        if (!bankList) {
            database.exec("ALTER TABLE ChqIssuereg RENAME TO Elsewhere");
            showReport(&window, "HDFC", false, sep12, oct1);
            QCOMPARE(chequeNumbersShown(&window), QStringList());
            database.exec("ALTER TABLE Elsewhere RENAME TO ChqIssuereg");
        }

        const Messages::Message message = messages.only();
        QCOMPARE(message.icon, Messages::Icon::Critical);
        QVERIFY2(message.text.startsWith(bankList ? "Could not list the banks."
                                                  : "Could not show the cheque issue register."),
                 qPrintable(message.text));
        QVERIFY(message.text.contains(QDir::toNativeSeparators(database.path())));
        QCOMPARE(control<QComboBox>(&window, "cmbBnk")->count(), bankList ? 0 : 3);
        showReport(&window, "SBI", true, QDate(2008, 9, 1), sep30);
        QCOMPARE(chequeNumbersShown(&window), QStringList{"300001"});
        QCOMPARE(messages.all().size(), 1);
    }

    // With rows in the grid, Tab must still leave it rather than walk its cells.
    void tabLeavesTheGrid()
    {
        TemporaryDatabase database;
        QVERIFY(!store::addRegisterEntry(database.db(), {sep13, "A. Payee", "HDFC", "1.00", "1"})
                     .isValid());
        frmReport window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        showReport(&window, "HDFC", true, sep13, sep13);
        auto *grid = control<QTableView>(&window, "DataGrid1");
        QCOMPARE(grid->model()->rowCount(), 1);
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QCOMPARE(tabOrder(&window, 11),
                 (QStringList{"DataGrid1", "DTPicker1", "DTPicker2", "Command1", "cmbBnk",
                              "cmdVoid", "cmdUndoVoid", "cmdReprint", "cmdExport", "cmdPrint",
                              "DataGrid1"}));
    }
};

QTEST_MAIN(TestFrmReport)
#include "test_frmReport.moc"
