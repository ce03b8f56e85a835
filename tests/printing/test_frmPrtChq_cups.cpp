// Writes a whole cheque from the print window on the system's default
// printer: the CUPS spooler with a PDF printer that scripts/test starts.

#include "frmPrtChq.h"
#include "recordedmessages.h"
#include "statements.h"
#include "temporarydatabase.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The one PDF the printer wrote, once the spooler has no job left.
QString printedPdf()
{
    const QDir folder(qEnvironmentVariable("QUILLMARK_PDF_DIR"));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        const QStringList files = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        if (files.size() == 1 && run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).isEmpty())
            return folder.filePath(files.first());
        QTest::qWait(100);
    }
    return {};
}

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
    void initTestCase();
    void printsTheChequeAndRecordsIt();
};

void TestFrmPrtChqCups::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("QUILLMARK_PDF_DIR"))
        QFAIL("No test printer: QUILLMARK_PDF_DIR is not set. Run the tests with scripts/test, "
              "which starts a CUPS spooler with a PDF printer (or source scripts/cups.sh "
              "first).");
    // Never a real printer: the spooler's default must be the test's one.
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(),
             qEnvironmentVariable("QUILLMARK_PRINTER"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QDir folder(qEnvironmentVariable("QUILLMARK_PDF_DIR"));
    for (const QString &file : folder.entryList(QDir::Files))
        folder.remove(file);
}

void TestFrmPrtChqCups::printsTheChequeAndRecordsIt()
{
    TemporaryDatabase database;
    store::LayoutRow layout;
    layout.bankName = QStringLiteral("City Bank");
    layout.scaleMode = QStringLiteral("Inches");
    layout.positions = {0.5, 7, 1.5, 1.2, 1, 5, 1.7, 1, 100, 2.2, 1, 5, 2.2, 7, 1.5};
    QVERIFY(!store::addBank(database.db(), {QStringLiteral("400002"), layout.bankName,
                                            QStringLiteral("INR")})
                 .isValid());
    QVERIFY(!store::replaceLayout(database.db(), layout).isValid());
    QVERIFY(!store::replacePayee(database.db(), QStringLiteral("asha"),
                                 QStringLiteral("Asha Menon"))
                 .isValid());
    RecordedMessages messages;

    frmPrtChq window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    choose(window.findChild<QComboBox *>(QStringLiteral("cmbBnk")), layout.bankName);
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
    for (const QString &item :
         {QStringLiteral("A/c Payee only"), QStringLiteral("15/Jan/2027"),
          QStringLiteral("Asha Menon"), QStringLiteral("One thousand Five hundred only"),
          QStringLiteral("**1500.00**")})
        QVERIFY2(page.contains(item), qPrintable(item + QStringLiteral(" not in: ") + page));

    // In the register.
    QSqlQuery query(database.db());
    QVERIFY(query.exec(QStringLiteral(
        "Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo from ChqIssuereg")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toDate(), date);
    QCOMPARE(query.value(1).toString(), QStringLiteral("Asha Menon"));
    QCOMPARE(query.value(2).toString(), layout.bankName);
    QCOMPARE(query.value(3).toString(), QStringLiteral("1500.00"));
    QCOMPARE(query.value(4).toString(), QStringLiteral("004711"));
    QVERIFY(!query.next());
}

QTEST_MAIN(TestFrmPrtChqCups)
#include "test_frmPrtChq_cups.moc"
