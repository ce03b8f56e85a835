#include "frmBNK.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QLineEdit>
#include <QPushButton>

using Rows = QList<QStringList>;

namespace {

const QString allBanks = QStringLiteral("select MICRCODE, Bankname, Currency from Bank");

// Fills the window as a user would; an empty currency leaves the list unchosen.
void fill(frmBNK &form, const QString &micr, const QString &name, const QString &currency)
{
    form.findChild<QLineEdit *>("Text1")->setText(micr);
    form.findChild<QLineEdit *>("Text2")->setText(name);
    auto *list = form.findChild<QComboBox *>("Text3");
    list->setCurrentIndex(list->findText(currency));
}

} // namespace

class TestFrmBNK : public QObject
{
    Q_OBJECT
private slots:
    void pressButton_data()
    {
        QTest::addColumn<QString>("micr");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("thenCurrency");  // chosen after the first press, then Save
        const QStringList saved{"Information: Data saved"};
        QTest::newRow("MICR of three spaces: nothing, silently")
            << "   " << "HDFC" << "INR" << "cmdSave" << QStringList() << Rows() << "";
        QTest::newRow("no currency, then DINAR")
            << "400240002" << "HDFC" << "" << "cmdSave"
            << QStringList{"None: Enter Currency", "Information: Data saved"}
            << Rows{{"400240002", "HDFC", "DINAR"}} << "DINAR";
        QTest::newRow("quotes in every text")
            << "4002'40" << "O'Brien's Bank" << "GBP" << "cmdSave" << saved
            << Rows{{"4002'40", "O'Brien's Bank", "GBP"}} << "";
        QTest::newRow("Close saves nothing")
            << "400240002" << "HDFC" << "INR" << "cmdClose" << QStringList() << Rows() << "";
    }

    void pressButton()
    {
        QFETCH(QString, micr);
        QFETCH(QString, name);
        QFETCH(QString, currency);
        QFETCH(QString, button);
        QFETCH(QStringList, shown);
        QFETCH(Rows, rows);
        QFETCH(QString, thenCurrency);
        TemporaryDatabase database;
        RecordedMessages recorded;
        frmBNK form;
        form.show();
        fill(form, micr, name, currency);

        form.findChild<QPushButton *>(button)->click();
        if (!thenCurrency.isEmpty()) {
            fill(form, micr, name, thenCurrency);
            form.cmdSave_Click();
        }

        QCOMPARE(shownMessages(recorded), shown);
        QCOMPARE(rowsOf(database.db(), allBanks), rows);
        QCOMPARE(form.isVisible(), button == "cmdSave" && rows.isEmpty());
        QCOMPARE(form.findChild<QLineEdit *>("Text1")->text(), micr);
    }
};

QTEST_MAIN(TestFrmBNK)
#include "test_frmBNK.moc"
