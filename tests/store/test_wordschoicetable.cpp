// A data file written before the words choices gains their table when it is
// opened, and a bank's choice is one row whatever the case of its name.

#include "database.h"
#include "statements.h"
#include "temporarydatabase.h"

#include <QTest>

class TestWordsChoiceTable : public QObject
{
    Q_OBJECT
private slots:
    void olderFileGainsTheTable();
};

void TestWordsChoiceTable::olderFileGainsTheTable()
{
    TemporaryDatabase database;
    database.exec(QStringLiteral("drop table WordsChoice"));
    store::WordsChoice choice{true, true};
    QVERIFY(!store::findWordsChoice(database.db(), QStringLiteral("City Bank"), &choice).isValid());
    QCOMPARE(std::pair(choice.breakByWidth, choice.fillAfterWords), std::pair(false, false));

    QCOMPARE(store::prepareDatabase(database.path()), QString());
    QVERIFY(!store::replaceWordsChoice(database.db(), QStringLiteral("City Bank"), {true, false})
                 .isValid());
    QVERIFY(!store::replaceWordsChoice(database.db(), QStringLiteral("CITY BANK"), {false, true})
                 .isValid());
    QVERIFY(!store::findWordsChoice(database.db(), QStringLiteral("city bank"), &choice).isValid());
    QCOMPARE(std::pair(choice.breakByWidth, choice.fillAfterWords), std::pair(false, true));
}

QTEST_MAIN(TestWordsChoiceTable)
#include "test_wordschoicetable.moc"
