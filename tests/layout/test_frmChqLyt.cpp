#include "frmChqLyt.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QCheckBox>

using Rows = QList<QStringList>;

namespace {

const QString throwAway =
    QStringLiteral("Throw away the changes to the cheque layout that have not been saved?");

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

// Two banks, the layouts given (stored the way another program might;
// "NULL" is a missing value) and the window over them.
struct Fixture
{
    TemporaryDatabase database;
    RecordedMessages recorded;
    std::unique_ptr<frmChqLyt> form;

    explicit Fixture(const Rows &stored = {})
    {
        database.exec("insert into Bank values ('1', 'O''Brien''s', 'INR'), "
                      "('2', 'St John''s', 'USD')");
        for (const QStringList &row : stored) {
            QSqlQuery insert(database.db());
            insert.prepare("insert into Positions values (" + QStringList(row.size(), "?").join(',')
                           + ")");
            for (const QString &value : row)
                insert.addBindValue(value == "NULL" ? QVariant() : QVariant(value));
            QVERIFY(insert.exec());
        }
        form = std::make_unique<frmChqLyt>();
    }
    QComboBox *combo(const QString &name) { return form->findChild<QComboBox *>(name); }
    QLineEdit *box(const QString &name) { return form->findChild<QLineEdit *>(name); }
    // The table's own columns: a server adds its row ids.
    Rows rows()
    {
        Rows stored = rowsOf(database.db(), "select * from Positions order by rowid");
        for (QStringList &row : stored)
            row = row.mid(0, 17);
        return stored;
    }
    // What the screen shows, in the shape of a stored layout.
    QStringList screen()
    {
        QStringList texts{combo("Combo1")->currentText(), combo("cmb")->currentText()};
        for (const QString &name : boxNames)
            texts << box(name)->text();
        return texts;
    }
};

} // namespace

class TestFrmChqLyt : public QObject
{
    Q_OBJECT
private slots:
    void chooseThenOK_data()
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
        // A stored number is shown in its shortest exact form and stored again as it was.
        const QList<QStringList> numbers = {{"1e-05", "0.00001"},
                                            {"0.30000000000000004", "0.30000000000000004"}};
        for (const QStringList &number : numbers) {
            const QStringList stored = layout("Inches", "O'Brien's", {number[0]});
            QTest::addRow("stored %s", qPrintable(number[0]))
                << Rows{stored} << QStringList{"O'Brien's"}
                << layout("Inches", "O'Brien's", {number[1]}) << Rows{stored};
        }
    }
    void chooseThenOK()
    {
        QFETCH(Rows, stored);
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, shown);
        QFETCH(Rows, saved);
        Fixture f(stored);
        f.form->show();

        for (const QString &bank : chosen)
            chooseItem(f.combo("cmb"), bank);
        QCOMPARE(f.screen(), shown);
        f.form->cmdOK_Click();

        QCOMPARE(shownMessages(f.recorded), QStringList{"Information: Data Saved"});
        QCOMPARE(f.rows(), saved);
        QVERIFY(!f.form->isVisible());
    }

    // 154.02 never shows as "54.02": the box shows its beginning, the tip the whole.
    void longValueShowsItsBeginning()
    {
        Fixture f({layout("Mms", "O'Brien's", {"154.02"})});
        QVERIFY(shownActive(f.form.get()));
        chooseItem(f.combo("cmb"), "O'Brien's");
        QLineEdit *box = f.box("txtdttop");
        QCOMPARE(box->text(), "154.02");
        QCOMPARE(box->cursorPosition(), 0);
        QCOMPARE(box->toolTip(), "154.02");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, "1234.5");
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->cursorPosition(), 0);
        QCOMPARE(box->toolTip(), "1234.5");
    }

    void boxesAreReadByTheirLeadingNumber()
    {
        Fixture f;
        f.combo("cmb")->setEditText("Typed's Bank");  // not in Bank: stored all the same
        f.combo("Combo1")->setEditText("In'ches");
        f.box("txtamtwrd2lft")->setText("2.5 cm");

        f.form->cmdOK_Click();

        QStringList expected = layout("In'ches", "Typed's Bank", {});
        expected[2 + boxNames.indexOf("txtamtwrd2lft")] = "2.5";
        QCOMPARE(f.rows(), Rows{expected});
    }

    // Typing a bank's name looks nothing up. Escape closes at once when
    // nothing changed; with changes it asks, as the title bar's close does,
    // and No (the default) keeps the window and what was typed. Nothing is saved.
    void closingAsksBeforeThrowingChangesAway()
    {
        Fixture f({layout("Cms", "O'Brien's", {"1"})});
        QVERIFY(shownActive(f.form.get()));
        QTest::keyClicks(f.combo("cmb"), "O'Brien's");
        QTest::keyClick(f.combo("cmb"), Qt::Key_Return);
        QCOMPARE(f.screen(), layout("Inches", "O'Brien's", {}, ""));
        chooseItem(f.combo("cmb"), "O'Brien's");
        f.form->cmb_Click();
        QTest::keyClick(f.box("txtdttop"), Qt::Key_Escape);
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.recorded.all().isEmpty());

        f.form->show();
        f.box("txtdttop")->setText("2");
        QTest::keyClick(f.box("txtdttop"), Qt::Key_Escape);
        QCOMPARE(f.recorded.texts(), QStringList{throwAway});
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.box("txtdttop")->text(), "2");
        f.recorded.answer(true);
        QTest::keyClick(f.box("txtdttop"), Qt::Key_Escape);
        QVERIFY(!f.form->isVisible());

        f.form->show();
        chooseItem(f.combo("cmb"), "St John's");
        f.box("txtdttop")->setText("1");
        f.form->close();
        QCOMPARE(f.recorded.texts(), QStringList(3, throwAway));
        QVERIFY(!f.form->isVisible());
        QCOMPARE(f.rows(), Rows{layout("Cms", "O'Brien's", {"1"})});
    }

    // The words choice: loaded with the bank's layout whatever the letter
    // case of its stored name, and saved by OK as the bank's one row; the
    // other bank's is kept.
    void wordsChoiceLoadedWithTheLayoutAndSavedByOK()
    {
        Fixture f({layout("mms", "O'Brien's", {"1"}), layout("Cms", "St John's", {"1"})});
        f.database.exec("insert into WordsChoice values ('St John''s', 0, 1), ('o''brien''s', 1, 1)");
        f.form->show();
        const auto box = [&](const QString &name) { return f.form->findChild<QCheckBox *>(name); };
        chooseItem(f.combo("cmb"), "O'Brien's");
        QVERIFY(box("chkBreakByWidth")->isChecked() && box("chkFillAfterWords")->isChecked());
        QTest::mouseClick(box("chkFillAfterWords"), Qt::LeftButton);
        f.form->cmdOK_Click();
        QCOMPARE(shownMessages(f.recorded), QStringList{"Information: Data Saved"});
        QCOMPARE(rowsOf(f.database.db(), "select * from WordsChoice order by Bankname desc"),
                 (Rows{{"St John's", "0", "1"}, {"O'Brien's", "1", "0"}}));
    }
};

QTEST_MAIN(TestFrmChqLyt)
#include "test_frmChqLyt.moc"
