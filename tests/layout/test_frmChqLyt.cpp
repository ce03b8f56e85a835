#include "formtesting.h"
#include "frmBNK.h"
#include "frmChqLyt.h"
#include "recordedmessages.h"
#include "temporarydatabase.h"
#include "twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>

using Rows = QList<QStringList>;

namespace {

const QString allLayouts = QStringLiteral("select * from Positions order by rowid");

// The position boxes in the order of the table's columns.
const QStringList boxNames = {
    "txtdttop",      "txtdtlft",       "txtdtwdth",     "txtnamtop",     "txtnamlft",
    "txtnamwdth",    "txtamtwrdtop",   "txtamtwrdlft",  "txtamtwrdwdth", "txtamtwrd2top",
    "txtamtwrd2lft", "txtamtwrd2wdth", "txtamttop",     "txtamtlft",     "txtamtwdth"};

// A layout as stored, or as the screen shows it: the unit, the bank, the
// fifteen numbers; those not given are filled with the last one.
QStringList layout(const QString &unit, const QString &bank, QStringList numbers,
                   const QString &rest = QStringLiteral("0"))
{
    while (numbers.size() < boxNames.size())
        numbers << rest;
    return QStringList{unit, bank} + numbers;
}

const QStringList noLayout = layout("Inches", "", {}, "");

// Stores a layout the way another program might; "NULL" is a missing value.
void storeLayout(TemporaryDatabase &database, const QStringList &row)
{
    QSqlQuery insert(database.db());
    insert.prepare("insert into Positions values (" + QStringList(row.size(), "?").join(',') + ")");
    for (const QString &value : row)
        insert.addBindValue(value == "NULL" ? QVariant() : QVariant(value));
    QVERIFY(insert.exec());
}

void addBanks(TemporaryDatabase &database)
{
    database.exec(QStringLiteral("insert into Bank values ('1', 'O''Brien''s', 'INR'), "
                                 "('2', 'St John''s', 'USD')"));
}

QComboBox *combo(frmChqLyt &form, const QString &name)
{
    return form.findChild<QComboBox *>(name);
}

QLineEdit *box(frmChqLyt &form, const QString &name)
{
    return form.findChild<QLineEdit *>(name);
}

// What the screen shows, in the shape of a stored layout.
QStringList screen(frmChqLyt &form)
{
    QStringList texts{combo(form, "Combo1")->currentText(), combo(form, "cmb")->currentText()};
    for (const QString &name : boxNames)
        texts << box(form, name)->text();
    return texts;
}

} // namespace

class TestFrmChqLyt : public QObject
{
    Q_OBJECT
private slots:
    void opensWithEveryBankListed();
    void chooseThenOK_data();
    void chooseThenOK();
    void boxesAreReadByTheirLeadingNumber_data();
    void boxesAreReadByTheirLeadingNumber();
    void storedNumberIsShownAndStoredAgain_data();
    void storedNumberIsShownAndStoredAgain();
    void typingDoesNotRunTheLookup();
    void closingSavesNothing();
    void refusedSaveKeepsTheLayout_data();
    void refusedSaveKeepsTheLayout();
    void failedLookupChangesNothing();
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void labelsOfThePositionsAreBlueOnTwoLines();
    void windowAndKeyboardOrder();
};

void TestFrmChqLyt::opensWithEveryBankListed()
{
    TemporaryDatabase database;
    RecordedMessages recorded;
    for (const char *bank : {"HDFC", "HDFC", "SBI"}) {
        frmBNK bankForm;
        bankForm.findChild<QLineEdit *>("Text1")->setText("1");
        bankForm.findChild<QLineEdit *>("Text2")->setText(bank);
        bankForm.findChild<QComboBox *>("Text3")->setCurrentIndex(0);
        bankForm.cmdSave_Click();
    }
    frmChqLyt form;

    QCOMPARE(itemsOf(combo(form, "cmb")), QStringList({"HDFC", "HDFC", "SBI"}));
    QCOMPARE(itemsOf(combo(form, "Combo1")), QStringList({"Inches", "Cms", "mms", "Pixels"}));
    QVERIFY(combo(form, "cmb")->isEditable() && combo(form, "Combo1")->isEditable());
    QCOMPARE(screen(form), noLayout);
    QCOMPARE(recorded.texts(), QStringList(3, "Data saved"));
}

void TestFrmChqLyt::chooseThenOK_data()
{
    QTest::addColumn<Rows>("stored");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<Rows>("saved");

    const QStringList a = layout("Cms", "O'Brien's", {"1.5", "2", "3", "4", "5", "6", "7.25"});
    const QStringList aAsB = layout("Cms", "St John's", a.mid(2));
    QTest::newRow("bank without a layout: inches and zeros")
        << Rows() << QStringList{"St John's"} << layout("Inches", "St John's", {}, "")
        << Rows{layout("Inches", "St John's", {})};
    QTest::newRow("A, then B without one: A's values become B's")
        << Rows{a} << QStringList{"O'Brien's", "St John's"} << aAsB << Rows{a, aAsB};

    const QStringList first = layout("Cms", "O'Brien's", {"1"});
    const QStringList other = layout("Pixels", "St John's", {"9"});
    const QStringList sameByCase = layout("mms", "o'brien's", {"2"});
    QTest::newRow("several rows of one bank: the first shown, one left")
        << Rows{first, other, sameByCase} << QStringList{"O'Brien's"} << first
        << Rows{other, first};

    QTest::newRow("missing values: empty boxes, saved as 0")
        << Rows{layout("NULL", "O'Brien's", {"1", "NULL", "3"}, "NULL")}
        << QStringList{"O'Brien's"} << layout("", "O'Brien's", {"1", "", "3"}, "")
        << Rows{layout("", "O'Brien's", {"1", "0", "3"})};
}

void TestFrmChqLyt::chooseThenOK()
{
    QFETCH(Rows, stored);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, shown);
    QFETCH(Rows, saved);
    TemporaryDatabase database;
    addBanks(database);
    for (const QStringList &row : stored)
        storeLayout(database, row);
    RecordedMessages recorded;
    frmChqLyt form;
    form.show();

    for (const QString &bank : chosen)
        chooseItem(combo(form, "cmb"), bank);
    QCOMPARE(screen(form), shown);
    form.cmdOK_Click();

    QCOMPARE(shownMessages(recorded), QStringList{"Information: Data Saved"});
    QCOMPARE(rowsOf(database.db(), allLayouts), saved);
    QVERIFY(!form.isVisible());
}

void TestFrmChqLyt::boxesAreReadByTheirLeadingNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("a unit after the number") << "2.5 cm" << "2.5";
    QTest::newRow("blanks around the period") << "1 . 25" << "1.25";
    QTest::newRow("letters only") << "abc" << "0";
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("a comma ends the number") << "2,5" << "2";
}

void TestFrmChqLyt::boxesAreReadByTheirLeadingNumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TemporaryDatabase database;
    RecordedMessages recorded;
    frmChqLyt form;
    combo(form, "cmb")->setEditText("Typed's Bank");  // not in Bank: stored all the same
    combo(form, "Combo1")->setEditText("In'ches");
    box(form, "txtamtwrd2lft")->setText(typed);

    form.cmdOK_Click();

    QStringList expected = layout("In'ches", "Typed's Bank", {});
    expected[2 + boxNames.indexOf("txtamtwrd2lft")] = stored;
    QCOMPARE(rowsOf(database.db(), allLayouts), Rows{expected});
}

void TestFrmChqLyt::storedNumberIsShownAndStoredAgain_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0.75") << "0.75" << "0.75";
    QTest::newRow("small") << "1e-05" << "0.00001";
    QTest::newRow("large") << "123456789" << "123456789";
    QTest::newRow("negative") << "-2.5" << "-2.5";
    QTest::newRow("no short binary form") << "0.30000000000000004" << "0.30000000000000004";
}

void TestFrmChqLyt::storedNumberIsShownAndStoredAgain()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    TemporaryDatabase database;
    addBanks(database);
    storeLayout(database, layout("Inches", "O'Brien's", {stored}));
    RecordedMessages recorded;
    frmChqLyt form;

    chooseItem(combo(form, "cmb"), "O'Brien's");
    QCOMPARE(box(form, "txtdttop")->text(), shown);
    form.cmdOK_Click();

    QCOMPARE(rowsOf(database.db(), allLayouts), Rows{layout("Inches", "O'Brien's", {stored})});
}

void TestFrmChqLyt::typingDoesNotRunTheLookup()
{
    TemporaryDatabase database;
    addBanks(database);
    storeLayout(database, layout("Cms", "O'Brien's", {"1"}));
    RecordedMessages recorded;
    frmChqLyt form;
    form.show();

    QTest::keyClicks(combo(form, "cmb"), "O'Brien's");
    QTest::keyClick(combo(form, "cmb"), Qt::Key_Return);

    QCOMPARE(screen(form), layout("Inches", "O'Brien's", {}, ""));
    QVERIFY(recorded.all().isEmpty());  // and Enter saved nothing
    QVERIFY(form.isVisible());
}

void TestFrmChqLyt::closingSavesNothing()
{
    TemporaryDatabase database;
    addBanks(database);
    RecordedMessages recorded;
    frmChqLyt form;
    form.show();
    chooseItem(combo(form, "cmb"), "O'Brien's");
    box(form, "txtdttop")->setText("1");

    form.close();  // by the title bar

    QVERIFY(recorded.all().isEmpty());
    QVERIFY(rowsOf(database.db(), allLayouts).isEmpty());
}

void TestFrmChqLyt::refusedSaveKeepsTheLayout_data()
{
    QTest::addColumn<QString>("typed");  // into the last box
    QTest::addColumn<QString>("fault");  // made before OK
    QTest::addColumn<QString>("shown");  // the start of the one message
    const QString tooLarge = "Critical: The number in \"Amt Column Width\" is too large to store.";
    QTest::newRow("beyond the largest double") << "1e400" << "" << tooLarge;
    QTest::newRow("beyond the most negative double") << "-1e400" << "" << tooLarge;
    QTest::newRow("row refused")
        << "4"
        << "create trigger refuse before insert on Positions "
           "begin select raise(abort, 'the disk is full'); end"
        << "Critical: Could not save the cheque layout.";
}

void TestFrmChqLyt::refusedSaveKeepsTheLayout()
{
    QFETCH(QString, typed);
    QFETCH(QString, fault);
    QFETCH(QString, shown);
    TemporaryDatabase database;
    addBanks(database);
    const QStringList stored = layout("Cms", "O'Brien's", {"1"});
    storeLayout(database, stored);
    RecordedMessages recorded;
    frmChqLyt form;
    form.show();
    chooseItem(combo(form, "cmb"), "O'Brien's");
    box(form, "txtamtwdth")->setText(typed);
    if (!fault.isEmpty())
        database.exec(fault);

    form.cmdOK_Click();

    const QStringList messages = shownMessages(recorded);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(shown), qPrintable(messages[0]));
    QCOMPARE(rowsOf(database.db(), allLayouts), Rows{stored});
    QVERIFY(form.isVisible());
    if (fault.isEmpty()) {
        QCOMPARE(form.focusWidget(), box(form, "txtamtwdth"));
        return;
    }

    // Once the fault is gone the same window saves.
    QVERIFY(messages[0].contains("the disk is full"));
    database.exec("drop trigger refuse");
    form.cmdOK_Click();
    QCOMPARE(recorded.texts().last(), QStringLiteral("Data Saved"));
    QStringList saved = stored;
    saved.last() = typed;
    QCOMPARE(rowsOf(database.db(), allLayouts), Rows{saved});
}

void TestFrmChqLyt::failedLookupChangesNothing()
{
    TemporaryDatabase database;
    addBanks(database);
    RecordedMessages recorded;
    frmChqLyt form;
    box(form, "txtdttop")->setText("typed");
    database.exec("drop table Positions");

    chooseItem(combo(form, "cmb"), "St John's");

    QCOMPARE(recorded.all().size(), 1);
    QVERIFY(shownMessages(recorded)[0].startsWith("Critical: Could not read the cheque layout."));
    QCOMPARE(box(form, "txtdttop")->text(), QStringLiteral("typed"));
}

void TestFrmChqLyt::controlsStandWhereTheyBelong_data()
{
    addPlaceColumns();
    newPlaceRow("Frame1", "frmChqLyt", {90, 45, 6300, 3210});
    newPlaceRow("Scale Mode", "Frame1", {135, 285, 1095, 255}, "Scale Mode");
    newPlaceRow("Combo1", "Frame1", {1320, 285, 1335, 315});
    newPlaceRow("BankName", "Frame1", {3000, 270, 1215, 255}, "BankName");
    newPlaceRow("cmb", "Frame1", {4320, 240, 1335, 315});
    newPlaceRow("cmdOK", "frmChqLyt", {5520, 3330, 810, 375}, "OK");

    // The grid: a row per printed item, a column per kind of number; each
    // two-line label is centred on its box.
    const QStringList items = {"Date Column", "Name Column", "Amt in Words1", "Amt in Words2",
                               "Amt Column"};
    const QList<int> tops = {765, 1305, 1800, 2250, 2715};
    const QStringList kinds = {" From the Top", " From the Left", " Width"};
    const QList<QRect> labels = {{105, 0, 1215, 0}, {2085, 0, 1275, 0}, {4125, 0, 1395, 0}};
    const QList<int> boxLefts = {1365, 3405, 5565};
    for (int row = 0; row < items.size(); ++row) {
        for (int column = 0; column < kinds.size(); ++column) {
            const QString caption = items[row] + kinds[column];
            const QRect label(labels[column].x(), tops[row] - 45, labels[column].width(), 375);
            newPlaceRow(caption, "Frame1", label, caption);
            const QRect place(boxLefts[column], tops[row], 495, 285);
            newPlaceRow(boxNames[row * 3 + column], "Frame1", place);
        }
    }
}

void TestFrmChqLyt::controlsStandWhereTheyBelong()
{
    TemporaryDatabase database;
    frmChqLyt form;
    comparePlace(&form);
}

void TestFrmChqLyt::labelsOfThePositionsAreBlueOnTwoLines()
{
    TemporaryDatabase database;
    frmChqLyt form;
    int positionLabels = 0;
    for (const QLabel *label : form.findChildren<QLabel *>()) {
        const bool ofAPosition = label->text() != "Scale Mode" && label->text() != "BankName";
        QCOMPARE(label->wordWrap(), ofAPosition);
        QCOMPARE(label->font().family() == "MS Serif", ofAPosition);
        QCOMPARE(label->palette().color(QPalette::WindowText) == QColor(Qt::blue), ofAPosition);
        if (ofAPosition) {
            QCOMPARE(label->font().pointSizeF(), 8.25);
            ++positionLabels;
        }
    }
    QCOMPARE(positionLabels, 15);
}

void TestFrmChqLyt::windowAndKeyboardOrder()
{
    TemporaryDatabase database;
    frmChqLyt form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Cheque Setup"));
    QCOMPARE(form.size(), twipsSize(6495, 3735));
    QCOMPARE(focusOrder(&form, 19),
             QStringList({"Combo1",        "txtdttop",      "txtdtlft",       "txtdtwdth",
                          "txtnamtop",     "txtnamlft",     "txtnamwdth",     "txtamtwrdtop",
                          "txtamtwrdlft",  "txtamtwrdwdth", "txtamttop",      "txtamtlft",
                          "txtamtwdth",    "cmdOK",         "txtamtwrd2wdth", "txtamtwrd2lft",
                          "txtamtwrd2top", "cmb",           "Combo1"}));
}

QTEST_MAIN(TestFrmChqLyt)
#include "test_frmChqLyt.moc"
