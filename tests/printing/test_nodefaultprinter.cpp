// With no spooler to ask, the system has no default printer: the cheque is
// refused with a message, and not written to a file in its place.

#include "chequepage.h"
#include "statements.h"
#include "temporarydatabase.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QTest>

class TestNoDefaultPrinter : public QObject
{
    Q_OBJECT

private slots:
    void saysThereIsNoDefaultPrinter()
    {
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());

        TemporaryDatabase database;
        // Every item apart, so only the missing printer can refuse it.
        const store::LayoutRow row{QStringLiteral("Cms"), QStringLiteral("City Bank"),
                                   {1, 12, 0, 2, 2, 0, 3, 2, 10, 4, 2, 0, 5, 12, 0}};
        QVERIFY(!store::replaceLayout(database.db(), row).isValid());

        const ChequeItems cheque{row.bankName, QStringLiteral("Asha Menon"), QStringLiteral("10.00"),
                                 QStringLiteral("Rupees Ten Only"), QDate(2001, 7, 9), true};
        QCOMPARE(printChequePage(cheque, *openPrinter()),
                 QStringLiteral("The cheque was not printed.\n\nThere is no default printer. Set up a "
                                "printer as the default one and print again."));
    }

};

int main(int argc, char **argv)
{
    // Before anything asks CUPS: a spooler address where none listens.
    qputenv("CUPS_SERVER", "/nonexistent/quillmark/cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication app(argc, argv);
    TestNoDefaultPrinter test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_nodefaultprinter.moc"
