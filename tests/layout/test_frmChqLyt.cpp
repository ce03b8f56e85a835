#include "formtesting.h"
#include "frmBNK.h"
#include "frmChqLyt.h"
#include "recordedmessages.h"
#include "temporarydatabase.h"
#include "twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using Rows = QList<QStringList>;

namespace {

const QString allLayouts = QStringLiteral("select * from Positions order by rowid");

// The position boxes in the order of the table's columns.
const QStringList boxNames = {
    "txtdttop",      "txtdtlft",      "txtdtwdth",      "txtnamtop",    "txtnamlft",
    "txtnamwdth",    "txtamtwrdtop",  "txtamtwrdlft",   "txtamtwrdwdth", "txtamtwrd2top",
    "txtamtwrd2lft", "txtamtwrd2wdth", "txtamttop",     "txtamtlft",    "txtamtwdth"};

// A stored layout: the unit, the bank, then the fifteen numbers.
QStringList layoutRow(const QString &unit, const QString &bank, const QStringList &numbers)
{
    return QStringList{unit, bank} + numbers;
}

// Fifteen numbers: the first ones given, the rest zero.
QStringList numbers(const QStringList &first = {})
{
    QStringList all = first;
    while (all.size() < boxNames.size())
        all << QStringLiteral("0");
    return all;
}

// Stores a layout the way another program might; "NULL" stays a missing value.
void storeLayout(TemporaryDatabase &database, const QStringList &row)
{
    QStringList values;
    for (const QString &value : row) {
        QString quoted = value;
        values << (value == QLatin1String("NULL")
                       ? value
                       : QLatin1Char('\'') + quoted.replace(QLatin1Char('\''), QStringLiteral("''"))
                             + QLatin1Char('\''));
    }
    database.exec(QStringLiteral("insert into Positions values (%1)").arg(values.join(',')));
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

QStringList boxTexts(frmChqLyt &form)
{
    QStringList texts;
    for (const QString &name : boxNames)
        texts << box(form, name)->text();
    return texts;
}

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace

class TestFrmChqLyt : public QObject
{
    Q_OBJECT
private slots:
    void opensWithEveryBankListedAndEmptyBoxes();
    void bankWithoutLayoutStoresInchesAndZeros();
    void previousLayoutStaysForBankWithout();
    void boxesAreReadByTheirLeadingNumber_data();
    void boxesAreReadByTheirLeadingNumber();
    void storedNumberIsShownAndStoredAgain_data();
    void storedNumberIsShownAndStoredAgain();
    void severalRowsOfOneBankBecomeOne();
    void missingValuesShowEmptyBoxes();
    void typingDoesNotRunTheLookup();
    void closingSavesNothing();
    void numberTooLargeIsRefused_data();
    void numberTooLargeIsRefused();
    void failedSaveKeepsTheLayout();
    void failedLookupChangesNothing();
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void labelsOfThePositionsAreBlueOnTwoLines();
    void keyboardOrder();
};

void TestFrmChqLyt::opensWithEveryBankListedAndEmptyBoxes()
{
    TemporaryDatabase database;
    RecordedMessages recorded;
    for (const char *bank : {"HDFC", "HDFC", "SBI"}) {
        frmBNK bankForm;
        bankForm.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("1"));
        bankForm.findChild<QLineEdit *>(QStringLiteral("Text2"))->setText(bank);
        bankForm.findChild<QComboBox *>(QStringLiteral("Text3"))->setCurrentIndex(0);
        bankForm.cmdSave_Click();
    }
    frmChqLyt form;

    QCOMPARE(itemsOf(combo(form, "cmb")), QStringList({"HDFC", "HDFC", "SBI"}));
    QVERIFY(combo(form, "cmb")->currentText().isEmpty());
    QVERIFY(combo(form, "cmb")->isEditable());
    QCOMPARE(itemsOf(combo(form, "Combo1")), QStringList({"Inches", "Cms", "mms", "Pixels"}));
    QCOMPARE(combo(form, "Combo1")->currentText(), QStringLiteral("Inches"));
    QVERIFY(combo(form, "Combo1")->isEditable());
    QCOMPARE(boxTexts(form), QStringList(boxNames.size(), QString()));
    QCOMPARE(recorded.texts(), QStringList(3, QStringLiteral("Data saved")));
}

void TestFrmChqLyt::bankWithoutLayoutStoresInchesAndZeros()
{
    TemporaryDatabase database;
    addBanks(database);
    RecordedMessages recorded;
    frmChqLyt form;
    form.show();

    chooseItem(combo(form, "cmb"), QStringLiteral("St John's"));
    form.cmdOK_Click();

    QCOMPARE(recorded.texts(), QStringList{QStringLiteral("Data Saved")});
    QVERIFY(recorded.all().first().icon == Messages::Icon::Information);
    QCOMPARE(rowsOf(database.db(), allLayouts),
             Rows{layoutRow("Inches", "St John's", numbers())});
    QVERIFY(!form.isVisible());
}

void TestFrmChqLyt::previousLayoutStaysForBankWithout()
{
    TemporaryDatabase database;
    addBanks(database);
    const QStringList obriens =
        layoutRow("Cms", "O'Brien's", numbers({"1.5", "2", "3", "4", "5", "6", "7.25"}));
    storeLayout(database, obriens);
    RecordedMessages recorded;
    frmChqLyt form;

    chooseItem(combo(form, "cmb"), QStringLiteral("O'Brien's"));
    QCOMPARE(boxTexts(form), obriens.mid(2));
    chooseItem(combo(form, "cmb"), QStringLiteral("St John's"));
    QCOMPARE(boxTexts(form), obriens.mid(2));
    QCOMPARE(combo(form, "Combo1")->currentText(), QStringLiteral("Cms"));
    form.cmdOK_Click();

    QCOMPARE(rowsOf(database.db(), allLayouts),
             (Rows{obriens, layoutRow("Cms", "St John's", obriens.mid(2))}));
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
    combo(form, "cmb")->setEditText(QStringLiteral("Typed's Bank"));
    combo(form, "Combo1")->setEditText(QStringLiteral("mms"));
    box(form, "txtamtwrd2lft")->setText(typed);

    form.cmdOK_Click();

    QStringList expected = numbers();
    expected[boxNames.indexOf("txtamtwrd2lft")] = stored;
    QCOMPARE(rowsOf(database.db(), allLayouts), Rows{layoutRow("mms", "Typed's Bank", expected)});
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
    database.exec(QStringLiteral("insert into Positions (Scalemode, Bankname, DateTop) "
                                 "values ('Inches', 'O''Brien''s', %1)").arg(stored));
    const Rows before = rowsOf(database.db(), allLayouts);
    RecordedMessages recorded;
    frmChqLyt form;

    chooseItem(combo(form, "cmb"), QStringLiteral("O'Brien's"));
    QCOMPARE(box(form, "txtdttop")->text(), shown);
    form.cmdOK_Click();

    QCOMPARE(rowsOf(database.db(), allLayouts).first().mid(0, 3), before.first().mid(0, 3));
}

void TestFrmChqLyt::severalRowsOfOneBankBecomeOne()
{
    TemporaryDatabase database;
    addBanks(database);
    const QStringList stJohns = layoutRow("Pixels", "St John's", numbers({"9"}));
    storeLayout(database, layoutRow("Cms", "O'Brien's", numbers({"1"})));
    storeLayout(database, stJohns);
    storeLayout(database, layoutRow("mms", "o'brien's", numbers({"2"})));  // same bank by case
    RecordedMessages recorded;
    frmChqLyt form;

    chooseItem(combo(form, "cmb"), QStringLiteral("O'Brien's"));
    QCOMPARE(box(form, "txtdttop")->text(), QStringLiteral("1"));  // the first row
    form.cmdOK_Click();

    QCOMPARE(rowsOf(database.db(), allLayouts),
             (Rows{stJohns, layoutRow("Cms", "O'Brien's", numbers({"1"}))}));
}

void TestFrmChqLyt::missingValuesShowEmptyBoxes()
{
    TemporaryDatabase database;
    addBanks(database);
    QStringList withGaps = numbers({"1", "NULL", "3"});
    withGaps.last() = QStringLiteral("NULL");
    storeLayout(database, layoutRow("NULL", "O'Brien's", withGaps));
    RecordedMessages recorded;
    frmChqLyt form;

    chooseItem(combo(form, "cmb"), QStringLiteral("O'Brien's"));

    QVERIFY(recorded.all().isEmpty());
    QCOMPARE(combo(form, "Combo1")->currentText(), QString());
    withGaps.replaceInStrings(QStringLiteral("NULL"), QString());
    QCOMPARE(boxTexts(form), withGaps);
}

void TestFrmChqLyt::typingDoesNotRunTheLookup()
{
    TemporaryDatabase database;
    addBanks(database);
    storeLayout(database, layoutRow("Cms", "O'Brien's", numbers({"1"})));
    RecordedMessages recorded;
    frmChqLyt form;
    form.show();

    QTest::keyClicks(combo(form, "cmb"), QStringLiteral("O'Brien's"));
    QTest::keyClick(combo(form, "cmb"), Qt::Key_Return);

    QCOMPARE(boxTexts(form), QStringList(boxNames.size(), QString()));
    QCOMPARE(combo(form, "Combo1")->currentText(), QStringLiteral("Inches"));
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
    chooseItem(combo(form, "cmb"), QStringLiteral("O'Brien's"));
    box(form, "txtdttop")->setText(QStringLiteral("1"));

    form.close();

    QVERIFY(recorded.all().isEmpty());
    QVERIFY(rowsOf(database.db(), allLayouts).isEmpty());
}

void TestFrmChqLyt::numberTooLargeIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("beyond the largest double") << "1e400";
    QTest::newRow("beyond the smallest double") << "-1e400";
}

void TestFrmChqLyt::numberTooLargeIsRefused()
{
    QFETCH(QString, typed);
    TemporaryDatabase database;
    addBanks(database);
    const QStringList stored = layoutRow("Cms", "O'Brien's", numbers({"1"}));
    storeLayout(database, stored);
    RecordedMessages recorded;
    frmChqLyt form;
    form.show();
    chooseItem(combo(form, "cmb"), QStringLiteral("O'Brien's"));
    box(form, "txtamtwdth")->setText(typed);

    form.cmdOK_Click();

    QCOMPARE(recorded.all().size(), 1);
    QVERIFY(recorded.all().first().icon == Messages::Icon::Critical);
    QVERIFY(recorded.all().first().text.contains(QStringLiteral("\"Amt Column Width\"")));
    QCOMPARE(form.focusWidget(), box(form, "txtamtwdth"));
    QCOMPARE(rowsOf(database.db(), allLayouts), Rows{stored});
    QVERIFY(form.isVisible());
}

void TestFrmChqLyt::failedSaveKeepsTheLayout()
{
    TemporaryDatabase database;
    addBanks(database);
    const QStringList stored = layoutRow("Cms", "O'Brien's", numbers({"1"}));
    storeLayout(database, stored);
    database.exec(QStringLiteral("create trigger refuse before insert on Positions "
                                 "begin select raise(abort, 'the disk is full'); end"));
    RecordedMessages recorded;
    frmChqLyt form;
    form.show();
    chooseItem(combo(form, "cmb"), QStringLiteral("O'Brien's"));
    box(form, "txtdttop")->setText(QStringLiteral("4"));

    form.cmdOK_Click();

    QCOMPARE(recorded.all().size(), 1);
    QVERIFY(recorded.all().first().icon == Messages::Icon::Critical);
    QVERIFY(recorded.all().first().text.contains(QStringLiteral("the disk is full")));
    QCOMPARE(rowsOf(database.db(), allLayouts), Rows{stored});
    QVERIFY(form.isVisible());

    database.exec(QStringLiteral("drop trigger refuse"));
    form.cmdOK_Click();
    QCOMPARE(recorded.texts().last(), QStringLiteral("Data Saved"));
    QCOMPARE(rowsOf(database.db(), allLayouts),
             Rows{layoutRow("Cms", "O'Brien's", numbers({"4"}))});
}

void TestFrmChqLyt::failedLookupChangesNothing()
{
    TemporaryDatabase database;
    addBanks(database);
    RecordedMessages recorded;
    frmChqLyt form;
    box(form, "txtdttop")->setText(QStringLiteral("typed"));
    database.exec(QStringLiteral("drop table Positions"));

    chooseItem(combo(form, "cmb"), QStringLiteral("St John's"));

    QCOMPARE(recorded.all().size(), 1);
    QVERIFY(recorded.all().first().icon == Messages::Icon::Critical);
    QCOMPARE(box(form, "txtdttop")->text(), QStringLiteral("typed"));
}

void TestFrmChqLyt::controlsStandWhereTheyBelong_data()
{
    QTest::addColumn<QString>("name");  // or, for a label, its caption
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");   // in twips

    QTest::newRow("Frame1") << "Frame1" << "frmChqLyt" << QRect(90, 45, 6300, 3210);
    QTest::newRow("Scale Mode") << "Scale Mode" << "Frame1" << QRect(135, 285, 1095, 255);
    QTest::newRow("Combo1") << "Combo1" << "Frame1" << QRect(1320, 285, 1335, 315);
    QTest::newRow("BankName") << "BankName" << "Frame1" << QRect(3000, 270, 1215, 255);
    QTest::newRow("cmb") << "cmb" << "Frame1" << QRect(4320, 240, 1335, 315);
    QTest::newRow("cmdOK") << "cmdOK" << "frmChqLyt" << QRect(5520, 3330, 810, 375);

    // Rows of the grid and, per column, where its labels and boxes stand.
    const QList<QPair<QString, int>> rows = {
        {"Date Column", 765}, {"Name Column", 1305}, {"Amt in Words1", 1800},
        {"Amt in Words2", 2250}, {"Amt Column", 2715}};
    const QStringList columns = {" From the Top", " From the Left", " Width"};
    const QList<QRect> labelColumns = {{105, 0, 1215, 0}, {2085, 0, 1275, 0}, {4125, 0, 1395, 0}};
    const QList<int> boxLefts = {1365, 3405, 5565};
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < columns.size(); ++column) {
            const QString caption = rows[row].first + columns[column];
            const QString name = boxNames[row * 3 + column];
            const int top = rows[row].second;
            const QRect label = labelColumns[column];
            QTest::newRow(qPrintable(caption))
                << caption << "Frame1" << QRect(label.x(), top - 45, label.width(), 375);
            QTest::newRow(qPrintable(name))
                << name << "Frame1" << QRect(boxLefts[column], top, 495, 285);
        }
    }
}

void TestFrmChqLyt::controlsStandWhereTheyBelong()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    TemporaryDatabase database;
    frmChqLyt form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Cheque Setup"));
    QCOMPARE(form.size(), twipsSize(6495, 3735));
    QCOMPARE(form.findChild<QPushButton *>("cmdOK")->text(), QStringLiteral("OK"));

    const QWidget *control = form.findChild<QWidget *>(name);
    for (const QLabel *label : form.findChildren<QLabel *>())
        if (label->text() == name)
            control = label;
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), twips(place.x(), place.y(), place.width(), place.height()));
}

void TestFrmChqLyt::labelsOfThePositionsAreBlueOnTwoLines()
{
    TemporaryDatabase database;
    frmChqLyt form;
    int positionLabels = 0;
    for (const QLabel *label : form.findChildren<QLabel *>()) {
        const bool stripLabel = label->text() == "Scale Mode" || label->text() == "BankName";
        QCOMPARE(label->wordWrap(), !stripLabel);
        QCOMPARE(label->font().family() == "MS Serif", !stripLabel);
        QCOMPARE(label->palette().color(QPalette::WindowText) == QColor(Qt::blue), !stripLabel);
        if (!stripLabel) {
            QCOMPARE(label->font().pointSizeF(), 8.25);
            ++positionLabels;
        }
    }
    QCOMPARE(positionLabels, 15);
}

void TestFrmChqLyt::keyboardOrder()
{
    TemporaryDatabase database;
    frmChqLyt form;
    QCOMPARE(focusOrder(&form, 19),
             QStringList({"Combo1",       "txtdttop",      "txtdtlft",       "txtdtwdth",
                          "txtnamtop",    "txtnamlft",     "txtnamwdth",     "txtamtwrdtop",
                          "txtamtwrdlft", "txtamtwrdwdth", "txtamttop",      "txtamtlft",
                          "txtamtwdth",   "cmdOK",         "txtamtwrd2wdth", "txtamtwrd2lft",
                          "txtamtwrd2top", "cmb",          "Combo1"}));
}

QTEST_MAIN(TestFrmChqLyt)
#include "test_frmChqLyt.moc"
