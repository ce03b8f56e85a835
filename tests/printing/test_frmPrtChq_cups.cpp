// Writes a whole cheque from the print window on the system's default
// printer: the CUPS spooler with a PDF printer that scripts/test starts.

#include "frmPrtChq.h"
#include "printedpdf.h"
#include "recordedmessages.h"
#include "statements.h"
#include "temporarydatabase.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

void choose(QComboBox *list, const QString &item)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    const QModelIndex index = list->model()->index(list->findText(item), 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

} // namespace

class TestFrmPrtChqCups : public QObject
{
    Q_OBJECT

private slots:
    void printsTheChequeAndRecordsIt();
};

void TestFrmPrtChqCups::printsTheChequeAndRecordsIt()
{
    const QString problem = testPrinterProblem();
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    clearPdfFolder();

    TemporaryDatabase database;
    const QString bank = QStringLiteral("City Bank");
    QVERIFY(!store::addBank(database.db(), {QStringLiteral("400002"), bank, QStringLiteral("INR")})
                 .isValid());
    QVERIFY(!store::replaceLayout(database.db(),
                                  {QStringLiteral("Inches"), bank,
                                   {0.5, 7, 1.5, 1.2, 1, 5, 1.7, 1, 100, 2.2, 1, 5, 2.2, 7, 1.5}})
                 .isValid());
    QVERIFY(!store::replacePayee(database.db(), QStringLiteral("asha"),
                                 QStringLiteral("Asha Menon"))
                 .isValid());
    RecordedMessages messages;

    frmPrtChq window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    choose(window.findChild<QComboBox *>(QStringLiteral("cmbBnk")), bank);
    choose(window.findChild<QComboBox *>(QStringLiteral("cmbPayee")), QStringLiteral("asha"));
    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("txtChqNo")),
                     QStringLiteral("004711"));
    const QDate date(2027, 1, 15);
    window.findChild<QDateEdit *>(QStringLiteral("DTPicker1"))->setDate(date);
    auto *amount = window.findChild<QLineEdit *>(QStringLiteral("Text2"));
    amount->setFocus();
    QTest::keyClicks(amount, QStringLiteral("1500"));
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Print")), Qt::LeftButton);

    QCOMPARE(messages.texts(), QStringList{"Cheque Printing Completed"});
    QVERIFY(!window.isVisible());

    // On paper: every item, the words with their blanks as pdftotext gives them.
    const QString pdf = printedPdf();
    QVERIFY2(!pdf.isEmpty(), "the printer wrote no PDF");
    const QString page = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
    for (const char *item : {"A/c Payee only", "15/Jan/2027", "Asha Menon",
                             "One thousand Five hundred only", "**1500.00**"})
        QVERIFY2(page.contains(QLatin1String(item)), qPrintable(item + (" not in: " + page)));

    QSqlQuery query(database.db());
    QVERIFY(query.exec(QStringLiteral(
        "Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo from ChqIssuereg")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toDate(), date);
    QCOMPARE((QStringList{query.value(1).toString(), query.value(2).toString(),
                          query.value(3).toString(), query.value(4).toString()}),
             (QStringList{"Asha Menon", bank, "1500.00", "004711"}));
    QVERIFY(!query.next());
}

QTEST_MAIN(TestFrmPrtChqCups)
#include "test_frmPrtChq_cups.moc"
