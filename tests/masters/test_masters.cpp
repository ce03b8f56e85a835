// The bank and payee windows: what their buttons save and say.

#include "frmBNK.h"
#include "frmPayee.h"
#include "temporarydatabase.h"
#include "testserver.h"
#include "windowchecks.h"

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

const QString allPayees =
    QStringLiteral("select PayeeNickName, Payeename from Payee order by rowid");
const Rows payees = {{"acme", "ACME Ltd"}, {"D'Souza", "Mr D'Souza"}, {"other", "Other Ltd"}};

// A database holding the three payees, and the window over it.
struct Fixture
{
    TemporaryDatabase database;
    RecordedMessages recorded;
    std::unique_ptr<frmPayee> form;
    QComboBox *nickName = nullptr;
    QLineEdit *name = nullptr;

    explicit Fixture(const QString &fault = QString())
    {
        database.exec("insert into Payee values ('acme', 'ACME Ltd'), "
                      "('D''Souza', 'Mr D''Souza'), ('other', 'Other Ltd')");
        if (!fault.isEmpty())
            database.exec(fault);
        form = std::make_unique<frmPayee>();
        nickName = form->findChild<QComboBox *>("cmbPayee");
        name = form->findChild<QLineEdit *>("Text1");
    }
    Rows rows() { return rowsOf(database.db(), allPayees); }
};

// A full disk, in the words of the engine the test runs on.
QString refuseInserts()
{
    if (testserver::wanted())
        return QStringLiteral(
            "create function refuse() returns trigger language plpgsql as $$ begin "
            "raise exception 'the disk is full'; end $$; create trigger refuse before insert "
            "on Payee for each row execute function refuse()");
    return QStringLiteral("create trigger refuse before insert on Payee begin "
                          "select raise(abort, 'the disk is full'); end");
}

} // namespace

class TestMasters : public QObject
{
    Q_OBJECT
private slots:
    // Filled, a button pressed, and with a currency given after a first
    // Save: what is said and stored, and whether the window stays.
    void bankWindowButtons()
    {
        const QStringList saved{"Information: Data saved"};
        // MICR, name, currency, button, shown, rows, then currency
        const QList<std::tuple<QString, QString, QString, QString, QStringList, Rows, QString>> cases{
            {"   ", "HDFC", "INR", "cmdSave", {}, {}, ""},  // MICR of three spaces: nothing, silently
            {"400240002", "HDFC", "", "cmdSave", {"None: Enter Currency", "Information: Data saved"},
             {{"400240002", "HDFC", "DINAR"}}, "DINAR"},
            {"4002'40", "O'Brien's Bank", "GBP", "cmdSave", saved, {{"4002'40", "O'Brien's Bank", "GBP"}}, ""},
            {"400240002", "HDFC", "INR", "cmdClose", {}, {}, ""},  // Close saves nothing
            {"400240002", " ", "INR", "cmdSave", {"None: Enter Bank Name"}, {}, ""}};
        for (const auto &[micr, name, currency, button, shown, rows, thenCurrency] : cases) {
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
    }

    // A nick name picked from the list (its name shown) or typed, a new name,
    // a button: the payees then stored.
    void payeeWindowButtons()
    {
        const QList<std::tuple<QString, bool, QString, Rows>> cases{
            {"D'Souza", true, "Command1", Rows{payees[0], payees[2], {"D'Souza", "New'Name"}}},
            {"new'one", false, "Command1", payees + Rows{{"new'one", "New'Name"}}},
            {"ACME", false, "Command1", payees.mid(1) + Rows{{"ACME", "New'Name"}}},  // equal by case
            {"acme", true, "Command2", payees}};  // Close saves nothing
        for (const auto &[nickName, picked, button, rows] : cases) {
            Fixture f;
            f.form->show();
            if (picked) {
                chooseItem(f.nickName, nickName);
                QCOMPARE(f.name->text(), payees[f.nickName->findText(nickName)][1]);
            } else {
                f.nickName->setEditText(nickName);
            }
            f.name->setText("New'Name");
            f.form->findChild<QPushButton *>(button)->click();
            QCOMPARE(shownMessages(f.recorded),
                     button == "Command1" ? QStringList{"Information: Data Saved"} : QStringList());
            QCOMPARE(f.rows(), rows);
            QVERIFY(!f.form->isVisible());
        }
    }

    // Enter or Space on Save as the window opens, or a blank name: nothing saved.
    void payeeWithoutNickNameOrNameIsRefused()
    {
        const QList<std::tuple<QString, QString, QString>> cases{
            {"", "", "None: Enter Payee Nick Name"},
            {"  ", "New Name", "None: Enter Payee Nick Name"},
            {"new", " ", "None: Enter Name On Cheque"}};
        for (const auto &[nickName, name, shown] : cases) {
            Fixture f;
            QVERIFY(shownActive(f.form.get()));
            f.nickName->setEditText(nickName);
            f.name->setText(name);
            QTest::keyClick(f.form->findChild<QPushButton *>("Command1"), Qt::Key_Space);
            QCOMPARE(shownMessages(f.recorded), QStringList{shown});
            QCOMPARE(f.rows(), payees);
            QVERIFY(f.form->isVisible());
        }
    }

    // The name's lookup after the list was read: a missing name empties the
    // box, a failed lookup keeps what was typed and says so.
    void lookupWithoutAName()
    {
        const QList<std::tuple<QString, QString, QString>> cases{
            {"update Payee set Payeename = NULL where PayeeNickName = 'acme'", "", ""},
            {"drop table Payee", "typed", "Critical: Could not read the payee."}};
        for (const auto &[change, shownName, shown] : cases) {
            Fixture f;
            f.name->setText("typed");
            f.database.exec(change);
            chooseItem(f.nickName, "acme");
            QCOMPARE(f.name->text(), shownName);
            const QStringList messages = shownMessages(f.recorded);
            QCOMPARE(messages.size(), shown.isEmpty() ? 0 : 1);
            QVERIFY(shown.isEmpty() || messages[0].startsWith(shown));
        }
    }

    // The old row is not lost, and once the fault is gone the same window saves.
    void failedSaveKeepsThePayee()
    {
        Fixture f(refuseInserts());
        f.form->show();
        f.nickName->setEditText("D'Souza");
        f.name->setText("changed");

        f.form->Command1_Click();

        const QStringList shown = shownMessages(f.recorded);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith("Critical: Could not save the payee.")
                     && shown[0].contains("the disk is full"), qPrintable(shown[0]));
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.rows(), payees);
        f.database.exec(testserver::wanted() ? "drop trigger refuse on Payee" : "drop trigger refuse");
        f.form->Command1_Click();
        QCOMPARE(f.recorded.texts().last(), QStringLiteral("Data Saved"));
        QCOMPARE(f.rows().last(), (QStringList{"D'Souza", "changed"}));
    }
};

QTEST_MAIN(TestMasters)
#include "test_masters.moc"
