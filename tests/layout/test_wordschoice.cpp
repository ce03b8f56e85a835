// The words choice of the layout window: loaded with the bank's layout,
// saved by OK, one row per bank whatever the letter case of its name.

#include "frmChqLyt.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QCheckBox>

using Rows = QList<QStringList>;

class TestWordsChoice : public QObject
{
    Q_OBJECT
private slots:
    void loadedWithTheLayoutAndSavedByOK_data();
    void loadedWithTheLayoutAndSavedByOK();
};

void TestWordsChoice::loadedWithTheLayoutAndSavedByOK_data()
{
    QTest::addColumn<Rows>("stored");      // Bankname, BreakByWidth, FillAfterWords
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QList<bool>>("shown");  // break, fill
    QTest::addColumn<QStringList>("clicked");
    QTest::addColumn<Rows>("saved");

    QTest::newRow("no choice: the classic rule, then break chosen")
        << Rows{} << "O'Brien's" << QList<bool>{false, false} << QStringList{"chkBreakByWidth"}
        << Rows{{"O'Brien's", "1", "0"}};
    QTest::newRow("stored in other letter case: shown and replaced, the other bank's kept")
        << Rows{{"St John's", "0", "1"}, {"o'brien's", "1", "1"}} << "O'Brien's"
        << QList<bool>{true, true} << QStringList{"chkFillAfterWords"}
        << Rows{{"St John's", "0", "1"}, {"O'Brien's", "1", "0"}};
}

void TestWordsChoice::loadedWithTheLayoutAndSavedByOK()
{
    QFETCH(Rows, stored);
    QFETCH(QString, bank);
    QFETCH(QList<bool>, shown);
    QFETCH(QStringList, clicked);
    QFETCH(Rows, saved);

    TemporaryDatabase database;
    RecordedMessages recorded;
    database.exec("insert into Bank values ('1', 'O''Brien''s', 'INR'), "
                  "('2', 'St John''s', 'USD')");
    database.exec("insert into Positions (Scalemode, Bankname, AmtinWords1Width) values "
                  "('mms', 'O''Brien''s', 100), ('Cms', 'St John''s', 10)");
    for (const QStringList &row : stored)
        database.exec(QStringLiteral("insert into WordsChoice values ('%1', %2, %3)")
                          .arg(QString(row[0]).replace("'", "''"), row[1], row[2]));
    frmChqLyt form;
    form.show();
    const auto box = [&](const QString &name) { return form.findChild<QCheckBox *>(name); };

    chooseItem(form.findChild<QComboBox *>("cmb"), bank);
    QCOMPARE((QList<bool>{box("chkBreakByWidth")->isChecked(),
                          box("chkFillAfterWords")->isChecked()}),
             shown);
    for (const QString &name : clicked)
        QTest::mouseClick(box(name), Qt::LeftButton);
    form.cmdOK_Click();

    QCOMPARE(shownMessages(recorded), QStringList{"Information: Data Saved"});
    QCOMPARE(rowsOf(database.db(), "select * from WordsChoice order by rowid"), saved);
}

QTEST_MAIN(TestWordsChoice)
#include "test_wordschoice.moc"
