#include "formtesting.h"
#include "frmPayee.h"
#include "recordedmessages.h"
#include "temporarydatabase.h"
#include "twips.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>

using Rows = QList<QStringList>;

namespace {

const QString allPayees =
    QStringLiteral("select PayeeNickName, Payeename from Payee order by rowid");

// Three payees, one of them with quotes in both its texts.
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
    void pickEditAndSaveLeavesOneRow_data();
    void pickEditAndSaveLeavesOneRow();
    void typedNickNameIsAdded();
    void typingDoesNotRunTheLookup();
    void closeSavesNothing();
    void lookupWithoutAName_data();
    void lookupWithoutAName();
    void failedSaveKeepsThePayee();
    void failedLookupChangesNothing();
    void dataFileGoneIsReportedNotSaved();
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void keyboardOrder();
};

void TestFrmPayee::opensWithTheNickNamesListedAndBothBoxesEmpty()
{
    TemporaryDatabase database;
    addPayees(database);
    RecordedMessages recorded;
    frmPayee form;

    QStringList items;
    for (int i = 0; i < nickNameBox(form)->count(); ++i)
        items << nickNameBox(form)->itemText(i);
    QCOMPARE(items, QStringList({"acme", "D'Souza", "other"}));
    QVERIFY(nickNameBox(form)->currentText().isEmpty());
    QVERIFY(nameBox(form)->text().isEmpty());
    QVERIFY(recorded.all().isEmpty());
}

void TestFrmPayee::pickEditAndSaveLeavesOneRow_data()
{
    QTest::addColumn<QString>("nickName");
    QTest::addColumn<QString>("shownName");
    QTest::addColumn<Rows>("rows");
    QTest::newRow("plain")
        << "acme" << "ACME Ltd"
        << Rows{{"D'Souza", "Mr D'Souza"}, {"other", "Other Ltd"}, {"acme", "New'Name"}};
    QTest::newRow("quotes")
        << "D'Souza" << "Mr D'Souza"
        << Rows{{"acme", "ACME Ltd"}, {"other", "Other Ltd"}, {"D'Souza", "New'Name"}};
}

void TestFrmPayee::pickEditAndSaveLeavesOneRow()
{
    QFETCH(QString, nickName);
    QFETCH(QString, shownName);
    QFETCH(Rows, rows);
    TemporaryDatabase database;
    addPayees(database);
    RecordedMessages recorded;
    frmPayee form;
    form.show();

    chooseItem(nickNameBox(form), nickName);
    QCOMPARE(nameBox(form)->text(), shownName);
    nameBox(form)->setText(QStringLiteral("New'Name"));
    form.Command1_Click();

    QCOMPARE(recorded.texts(), QStringList{QStringLiteral("Data Saved")});
    QVERIFY(recorded.all().first().icon == Messages::Icon::Information);
    QCOMPARE(rowsOf(database.db(), allPayees), rows);
    QVERIFY(!form.isVisible());
}

void TestFrmPayee::typedNickNameIsAdded()
{
    TemporaryDatabase database;
    addPayees(database);
    // A nick name the database counts as equal replaces that payee too.
    database.exec(QStringLiteral("insert into Payee values ('NEW''ONE', 'old')"));
    RecordedMessages recorded;
    frmPayee form;

    nickNameBox(form)->setEditText(QStringLiteral("new'one"));
    nameBox(form)->setText(QStringLiteral("New One's Name"));
    form.Command1_Click();

    QCOMPARE(recorded.texts(), QStringList{QStringLiteral("Data Saved")});
    QCOMPARE(rowsOf(database.db(), allPayees),
             (Rows{{"acme", "ACME Ltd"}, {"D'Souza", "Mr D'Souza"}, {"other", "Other Ltd"},
                   {"new'one", "New One's Name"}}));
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

void TestFrmPayee::closeSavesNothing()
{
    TemporaryDatabase database;
    addPayees(database);
    const Rows before = rowsOf(database.db(), allPayees);
    RecordedMessages recorded;
    frmPayee form;
    form.show();
    chooseItem(nickNameBox(form), QStringLiteral("acme"));
    nameBox(form)->setText(QStringLiteral("changed"));

    form.Command2_Click();

    QVERIFY(!form.isVisible());
    QVERIFY(recorded.all().isEmpty());
    QCOMPARE(rowsOf(database.db(), allPayees), before);
}

void TestFrmPayee::lookupWithoutAName_data()
{
    QTest::addColumn<QString>("change");  // made after the list was read
    QTest::newRow("name is NULL")
        << "update Payee set Payeename = NULL where PayeeNickName = 'acme'";
    QTest::newRow("payee gone") << "delete from Payee where PayeeNickName = 'acme'";
}

void TestFrmPayee::lookupWithoutAName()
{
    QFETCH(QString, change);
    TemporaryDatabase database;
    addPayees(database);
    RecordedMessages recorded;
    frmPayee form;
    nameBox(form)->setText(QStringLiteral("previous payee's name"));
    database.exec(change);

    chooseItem(nickNameBox(form), QStringLiteral("acme"));

    QVERIFY(nameBox(form)->text().isEmpty());
    QVERIFY(recorded.all().isEmpty());
}

void TestFrmPayee::failedSaveKeepsThePayee()
{
    TemporaryDatabase database;
    addPayees(database);
    const Rows before = rowsOf(database.db(), allPayees);
    database.exec(QStringLiteral("create trigger refuse before insert on Payee "
                                 "begin select raise(abort, 'the disk is full'); end"));
    RecordedMessages recorded;
    frmPayee form;
    form.show();
    chooseItem(nickNameBox(form), QStringLiteral("D'Souza"));
    nameBox(form)->setText(QStringLiteral("changed"));

    form.Command1_Click();

    QCOMPARE(recorded.all().size(), 1);
    QVERIFY(recorded.all().first().icon == Messages::Icon::Critical);
    QVERIFY(recorded.all().first().text.contains(QStringLiteral("the disk is full")));
    QCOMPARE(rowsOf(database.db(), allPayees), before);  // the old row is not lost
    QVERIFY(form.isVisible());

    database.exec(QStringLiteral("drop trigger refuse"));
    form.Command1_Click();
    QCOMPARE(recorded.texts().last(), QStringLiteral("Data Saved"));
    QCOMPARE(rowsOf(database.db(), allPayees).last(), (QStringList{"D'Souza", "changed"}));
}

void TestFrmPayee::failedLookupChangesNothing()
{
    TemporaryDatabase database;
    addPayees(database);
    RecordedMessages recorded;
    frmPayee form;
    nameBox(form)->setText(QStringLiteral("typed"));
    database.exec(QStringLiteral("drop table Payee"));

    chooseItem(nickNameBox(form), QStringLiteral("acme"));

    QCOMPARE(recorded.all().size(), 1);
    QVERIFY(recorded.all().first().icon == Messages::Icon::Critical);
    QCOMPARE(nameBox(form)->text(), QStringLiteral("typed"));
}

void TestFrmPayee::dataFileGoneIsReportedNotSaved()
{
    TemporaryDatabase database;
    QVERIFY(QFile::remove(database.path()));
    RecordedMessages recorded;
    frmPayee form;
    form.show();
    QCOMPARE(recorded.all().size(), 1);  // on opening
    QCOMPARE(nickNameBox(form)->count(), 0);

    nickNameBox(form)->setEditText(QStringLiteral("acme"));
    form.Command1_Click();

    QCOMPARE(recorded.all().size(), 2);
    QVERIFY(recorded.all().last().icon == Messages::Icon::Critical);
    QVERIFY(form.isVisible());
}

void TestFrmPayee::controlsStandWhereTheyBelong_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");  // in twips
    QTest::addColumn<QString>("caption");

    QTest::newRow("Frame1") << "Frame1" << "frmPayee" << QRect(120, 120, 4455, 1575) << "";
    QTest::newRow("Label1") << "Label1" << "Frame1" << QRect(240, 360, 1455, 255)
                            << "Payee Nick Name";
    QTest::newRow("cmbPayee") << "cmbPayee" << "Frame1" << QRect(2040, 360, 2055, 315) << "";
    QTest::newRow("Label2") << "Label2" << "Frame1" << QRect(240, 840, 1455, 255)
                            << "Name On Cheque";
    QTest::newRow("Text1") << "Text1" << "Frame1" << QRect(2040, 840, 2175, 285) << "";
    QTest::newRow("Command1") << "Command1" << "frmPayee" << QRect(2520, 1800, 975, 495)
                              << "Save";
    QTest::newRow("Command2") << "Command2" << "frmPayee" << QRect(3480, 1800, 975, 495)
                              << "Close";
}

void TestFrmPayee::controlsStandWhereTheyBelong()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    TemporaryDatabase database;
    frmPayee form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Payee Maintenance"));
    QCOMPARE(form.size(), twipsSize(4680, 2445));

    const QWidget *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), twips(place.x(), place.y(), place.width(), place.height()));
    QCOMPARE(control->property("text").toString() + control->property("title").toString(),
             caption);
}

void TestFrmPayee::keyboardOrder()
{
    TemporaryDatabase database;
    frmPayee form;
    QVERIFY(nickNameBox(form)->isEditable());
    QCOMPARE(focusOrder(&form, 5),
             QStringList({"Command1", "Command2", "cmbPayee", "Text1", "Command1"}));
}

QTEST_MAIN(TestFrmPayee)
#include "test_frmPayee.moc"
