#include "formtesting.h"
#include "frmPayee.h"
#include "recordedmessages.h"
#include "temporarydatabase.h"
#include "twips.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using Rows = QList<QStringList>;

namespace {

const QString allPayees =
    QStringLiteral("select PayeeNickName, Payeename from Payee order by rowid");
const Rows payees = {{"acme", "ACME Ltd"}, {"D'Souza", "Mr D'Souza"}, {"other", "Other Ltd"}};

void addPayees(TemporaryDatabase &database)
{
    database.exec(QStringLiteral("insert into Payee values ('acme', 'ACME Ltd'), "
                                 "('D''Souza', 'Mr D''Souza'), ('other', 'Other Ltd')"));
}

QComboBox *nickNameBox(frmPayee &form)
{
    return form.findChild<QComboBox *>(QStringLiteral("cmbPayee"));
}

QLineEdit *nameBox(frmPayee &form)
{
    return form.findChild<QLineEdit *>(QStringLiteral("Text1"));
}

} // namespace

class TestFrmPayee : public QObject
{
    Q_OBJECT
private slots:
    void opensWithTheNickNamesListedAndBothBoxesEmpty();
    void pressButton_data();
    void pressButton();
    void typingDoesNotRunTheLookup();
    void lookupWithoutAName_data();
    void lookupWithoutAName();
    void failedSaveKeepsThePayee_data();
    void failedSaveKeepsThePayee();
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void windowAndKeyboardOrder();
};

void TestFrmPayee::opensWithTheNickNamesListedAndBothBoxesEmpty()
{
    TemporaryDatabase database;
    addPayees(database);
    RecordedMessages recorded;
    frmPayee form;

    QCOMPARE(itemsOf(nickNameBox(form)), QStringList({"acme", "D'Souza", "other"}));
    QVERIFY(nickNameBox(form)->isEditable());
    QVERIFY(nickNameBox(form)->currentText().isEmpty());
    QVERIFY(nameBox(form)->text().isEmpty());
    QVERIFY(recorded.all().isEmpty());
}

void TestFrmPayee::pressButton_data()
{
    QTest::addColumn<QString>("nickName");
    QTest::addColumn<bool>("picked");  // from the list, or typed
    QTest::addColumn<QString>("button");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("picked") << "acme" << true << "Command1"
                            << payees.mid(1) + Rows{{"acme", "New'Name"}};
    QTest::newRow("picked, quotes")
        << "D'Souza" << true << "Command1"
        << Rows{payees[0], payees[2], {"D'Souza", "New'Name"}};
    QTest::newRow("typed, new") << "new'one" << false << "Command1"
                                << payees + Rows{{"new'one", "New'Name"}};
    QTest::newRow("typed, equal by case")
        << "ACME" << false << "Command1" << payees.mid(1) + Rows{{"ACME", "New'Name"}};
    QTest::newRow("Close saves nothing") << "acme" << true << "Command2" << payees;
}

void TestFrmPayee::pressButton()
{
    QFETCH(QString, nickName);
    QFETCH(bool, picked);
    QFETCH(QString, button);
    QFETCH(Rows, rows);
    TemporaryDatabase database;
    addPayees(database);
    RecordedMessages recorded;
    frmPayee form;
    form.show();

    if (picked) {
        chooseItem(nickNameBox(form), nickName);
        const qsizetype row = itemsOf(nickNameBox(form)).indexOf(nickName);
        QCOMPARE(nameBox(form)->text(), payees[row][1]);
    } else {
        nickNameBox(form)->setEditText(nickName);
    }
    nameBox(form)->setText(QStringLiteral("New'Name"));
    form.findChild<QPushButton *>(button)->click();

    const bool saves = button == "Command1";
    QCOMPARE(shownMessages(recorded),
             saves ? QStringList{"Information: Data Saved"} : QStringList());
    QCOMPARE(rowsOf(database.db(), allPayees), rows);
    QVERIFY(!form.isVisible());
}

void TestFrmPayee::typingDoesNotRunTheLookup()
{
    TemporaryDatabase database;
    addPayees(database);
    RecordedMessages recorded;
    frmPayee form;
    form.show();
    chooseItem(nickNameBox(form), QStringLiteral("acme"));

    nickNameBox(form)->clearEditText();
    QTest::keyClicks(nickNameBox(form), QStringLiteral("other"));
    QTest::keyClick(nickNameBox(form), Qt::Key_Return);

    QCOMPARE(nickNameBox(form)->currentText(), QStringLiteral("other"));
    QCOMPARE(nameBox(form)->text(), QStringLiteral("ACME Ltd"));
    QVERIFY(recorded.all().isEmpty());  // and Enter saved nothing
    QVERIFY(form.isVisible());
}

void TestFrmPayee::lookupWithoutAName_data()
{
    QTest::addColumn<QString>("change");  // made after the list was read
    QTest::addColumn<QString>("shownName");
    QTest::addColumn<QString>("shown");   // the start of the one message, if any
    QTest::newRow("name is NULL")
        << "update Payee set Payeename = NULL where PayeeNickName = 'acme'" << "" << "";
    QTest::newRow("payee gone") << "delete from Payee where PayeeNickName = 'acme'" << "" << "";
    QTest::newRow("lookup fails") << "drop table Payee" << "typed"
                                  << "Critical: Could not read the payee.";
}

void TestFrmPayee::lookupWithoutAName()
{
    QFETCH(QString, change);
    QFETCH(QString, shownName);
    QFETCH(QString, shown);
    TemporaryDatabase database;
    addPayees(database);
    RecordedMessages recorded;
    frmPayee form;
    nameBox(form)->setText(QStringLiteral("typed"));
    database.exec(change);

    chooseItem(nickNameBox(form), QStringLiteral("acme"));

    QCOMPARE(nameBox(form)->text(), shownName);
    const QStringList messages = shownMessages(recorded);
    QCOMPARE(messages.size(), shown.isEmpty() ? 0 : 1);
    QVERIFY(shown.isEmpty() || messages[0].startsWith(shown));
}

void TestFrmPayee::failedSaveKeepsThePayee_data()
{
    QTest::addColumn<bool>("fileGone");
    QTest::newRow("row refused") << false;
    QTest::newRow("data file gone") << true;
}

void TestFrmPayee::failedSaveKeepsThePayee()
{
    QFETCH(bool, fileGone);
    TemporaryDatabase database;
    addPayees(database);
    database.exec(QStringLiteral("create trigger refuse before insert on Payee "
                                 "begin select raise(abort, 'the disk is full'); end"));
    if (fileGone)
        QVERIFY(QFile::remove(database.path()));
    RecordedMessages recorded;
    frmPayee form;
    form.show();
    nickNameBox(form)->setEditText(QStringLiteral("D'Souza"));
    nameBox(form)->setText(QStringLiteral("changed"));

    form.Command1_Click();

    // One message for the save, and one before it when the list could not be read.
    const QStringList shown = shownMessages(recorded);
    QCOMPARE(shown.size(), fileGone ? 2 : 1);
    QVERIFY2(shown.last().startsWith("Critical: Could not save the payee."),
             qPrintable(shown.last()));
    QVERIFY(form.isVisible());
    if (fileGone)
        return;
    QVERIFY(shown.last().contains("the disk is full"));
    QCOMPARE(rowsOf(database.db(), allPayees), payees);  // the old row is not lost

    database.exec(QStringLiteral("drop trigger refuse"));
    form.Command1_Click();
    QCOMPARE(recorded.texts().last(), QStringLiteral("Data Saved"));
    QCOMPARE(rowsOf(database.db(), allPayees).last(), (QStringList{"D'Souza", "changed"}));
}

void TestFrmPayee::controlsStandWhereTheyBelong_data()
{
    addPlaceColumns();
    newPlaceRow("Frame1", "frmPayee", {120, 120, 4455, 1575});
    newPlaceRow("Label1", "Frame1", {240, 360, 1455, 255}, "Payee Nick Name");
    newPlaceRow("cmbPayee", "Frame1", {2040, 360, 2055, 315});
    newPlaceRow("Label2", "Frame1", {240, 840, 1455, 255}, "Name On Cheque");
    newPlaceRow("Text1", "Frame1", {2040, 840, 2175, 285});
    newPlaceRow("Command1", "frmPayee", {2520, 1800, 975, 495}, "Save");
    newPlaceRow("Command2", "frmPayee", {3480, 1800, 975, 495}, "Close");
}

void TestFrmPayee::controlsStandWhereTheyBelong()
{
    TemporaryDatabase database;
    frmPayee form;
    comparePlace(&form);
}

void TestFrmPayee::windowAndKeyboardOrder()
{
    TemporaryDatabase database;
    frmPayee form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Payee Maintenance"));
    QCOMPARE(form.size(), twipsSize(4680, 2445));
    QCOMPARE(focusOrder(&form, 5),
             QStringList({"Command1", "Command2", "cmbPayee", "Text1", "Command1"}));
}

QTEST_MAIN(TestFrmPayee)
#include "test_frmPayee.moc"
