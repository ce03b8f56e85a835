#include "formtesting.h"
#include "frmBNK.h"
#include "recordedmessages.h"
#include "temporarydatabase.h"
#include "twips.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using Rows = QList<QStringList>;

namespace {

const QString allBanks = QStringLiteral("select MICRCODE, Bankname, Currency from Bank");

// Fills the window as a user would; an empty currency leaves the list unchosen.
void fill(frmBNK &form, const QString &micr, const QString &name, const QString &currency)
{
    form.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(micr);
    form.findChild<QLineEdit *>(QStringLiteral("Text2"))->setText(name);
    auto *list = form.findChild<QComboBox *>(QStringLiteral("Text3"));
    list->setCurrentIndex(list->findText(currency));
}

} // namespace

class TestFrmBNK : public QObject
{
    Q_OBJECT
private slots:
    void save_data();
    void save();
    void currencyAskedForThenSaved();
    void closeSavesNothing();
    void failedSaveKeepsTheWindowForAnotherTry_data();
    void failedSaveKeepsTheWindowForAnotherTry();
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void listAndKeyboardOrder();
};

void TestFrmBNK::save_data()
{
    QTest::addColumn<QString>("micr");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<Rows>("rows");

    const QStringList saved{QStringLiteral("Data saved")};
    QTest::newRow("MICR of three spaces: nothing, silently")
        << "   " << "HDFC" << "INR" << QStringList() << Rows();
    QTest::newRow("nothing typed: the MICR check comes first")
        << "" << "" << "" << QStringList() << Rows();
    QTest::newRow("MICR stored with its spaces")
        << " 400240002 " << "HDFC" << "USD" << saved
        << Rows{{" 400240002 ", "HDFC", "USD"}};
    QTest::newRow("empty bank name saved")
        << "400240002" << "" << "EUR" << saved << Rows{{"400240002", "", "EUR"}};
    QTest::newRow("quotes in every text")
        << "4002'40" << "O'Brien's Bank" << "GBP" << saved
        << Rows{{"4002'40", "O'Brien's Bank", "GBP"}};
    QTest::newRow("no currency")
        << "400240002" << "HDFC" << "" << QStringList{"Enter Currency"} << Rows();
}

void TestFrmBNK::save()
{
    QFETCH(QString, micr);
    QFETCH(QString, name);
    QFETCH(QString, currency);
    QFETCH(QStringList, messages);
    QFETCH(Rows, rows);
    TemporaryDatabase database;
    RecordedMessages recorded;
    frmBNK form;
    form.show();
    fill(form, micr, name, currency);

    form.cmdSave_Click();

    QCOMPARE(recorded.texts(), messages);
    if (!messages.isEmpty()) {
        const auto icon = rows.isEmpty() ? Messages::Icon::None : Messages::Icon::Information;
        QVERIFY(recorded.all().first().icon == icon);
    }
    QCOMPARE(rowsOf(database.db(), allBanks), rows);
    QCOMPARE(form.isVisible(), rows.isEmpty());  // closed only after a save
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), micr);
}

void TestFrmBNK::currencyAskedForThenSaved()
{
    TemporaryDatabase database;
    RecordedMessages recorded;
    frmBNK form;
    form.show();
    fill(form, QStringLiteral("400240002"), QStringLiteral("HDFC"), QString());
    form.cmdSave_Click();
    QCOMPARE(recorded.texts(), QStringList{QStringLiteral("Enter Currency")});

    fill(form, QStringLiteral("400240002"), QStringLiteral("HDFC"), QStringLiteral("DINAR"));
    form.cmdSave_Click();

    QCOMPARE(recorded.texts().last(), QStringLiteral("Data saved"));
    QCOMPARE(rowsOf(database.db(), allBanks), (Rows{{"400240002", "HDFC", "DINAR"}}));
    QVERIFY(!form.isVisible());
}

void TestFrmBNK::closeSavesNothing()
{
    TemporaryDatabase database;
    RecordedMessages recorded;
    frmBNK form;
    form.show();
    fill(form, QStringLiteral("400240002"), QStringLiteral("HDFC"), QStringLiteral("INR"));

    form.cmdClose_Click();

    QVERIFY(!form.isVisible());
    QVERIFY(recorded.all().isEmpty());
    QVERIFY(rowsOf(database.db(), allBanks).isEmpty());
}

void TestFrmBNK::failedSaveKeepsTheWindowForAnotherTry_data()
{
    QTest::addColumn<bool>("fileMissing");
    QTest::addColumn<QString>("problem");  // what the message must carry
    QTest::newRow("row refused") << false << "the disk is full";
    QTest::newRow("data file gone") << true << "unable to open";
}

void TestFrmBNK::failedSaveKeepsTheWindowForAnotherTry()
{
    QFETCH(bool, fileMissing);
    QFETCH(QString, problem);
    TemporaryDatabase database;
    database.exec(QStringLiteral("create trigger refuse before insert on Bank "
                                 "begin select raise(abort, 'the disk is full'); end"));
    if (fileMissing)
        QVERIFY(QFile::remove(database.path()));
    RecordedMessages recorded;
    frmBNK form;
    form.show();
    fill(form, QStringLiteral("400240002"), QStringLiteral("HDFC"), QStringLiteral("INR"));

    form.cmdSave_Click();

    QCOMPARE(recorded.all().size(), 1);
    QVERIFY(recorded.all().first().icon == Messages::Icon::Critical);
    QVERIFY2(recorded.all().first().text.contains(problem), qPrintable(recorded.texts()[0]));
    QVERIFY(form.isVisible());
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("Text2"))->text(), QStringLiteral("HDFC"));
    if (fileMissing)
        return;
    QVERIFY(rowsOf(database.db(), allBanks).isEmpty());

    // Once the fault is gone the same window saves.
    database.exec(QStringLiteral("drop trigger refuse"));
    form.cmdSave_Click();
    QCOMPARE(recorded.texts().last(), QStringLiteral("Data saved"));
    QCOMPARE(rowsOf(database.db(), allBanks).size(), 1);
}

void TestFrmBNK::controlsStandWhereTheyBelong_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");  // in twips
    QTest::addColumn<QString>("caption");

    QTest::newRow("Frame1") << "Frame1" << "frmBNK" << QRect(240, 120, 4095, 1815) << "";
    QTest::newRow("Label1") << "Label1" << "Frame1" << QRect(240, 360, 1215, 255) << "MICR";
    QTest::newRow("Text1") << "Text1" << "Frame1" << QRect(1680, 360, 1815, 285) << "";
    QTest::newRow("Label2") << "Label2" << "Frame1" << QRect(240, 855, 1095, 255) << "Bank Name";
    QTest::newRow("Text2") << "Text2" << "Frame1" << QRect(1680, 840, 1815, 285) << "";
    QTest::newRow("Label3") << "Label3" << "Frame1" << QRect(240, 1320, 1095, 255) << "Currency";
    QTest::newRow("Text3") << "Text3" << "Frame1" << QRect(1695, 1305, 915, 315) << "";
    QTest::newRow("cmdSave") << "cmdSave" << "frmBNK" << QRect(2400, 2040, 975, 495) << "Save";
    QTest::newRow("cmdClose") << "cmdClose" << "frmBNK" << QRect(3360, 2040, 975, 495) << "Close";
}

void TestFrmBNK::controlsStandWhereTheyBelong()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    TemporaryDatabase database;
    frmBNK form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Bank Maintenance"));
    QCOMPARE(form.size(), twipsSize(4380, 2595));

    const QWidget *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), twips(place.x(), place.y(), place.width(), place.height()));
    QCOMPARE(control->property("text").toString() + control->property("title").toString(),
             caption);
}

void TestFrmBNK::listAndKeyboardOrder()
{
    TemporaryDatabase database;
    frmBNK form;
    const auto *currency = form.findChild<QComboBox *>(QStringLiteral("Text3"));
    QVERIFY(!currency->isEditable());
    QCOMPARE(currency->currentIndex(), -1);
    QStringList items;
    for (int i = 0; i < currency->count(); ++i)
        items << currency->itemText(i);
    QCOMPARE(items, QStringList({"INR", "USD", "GBP", "EUR", "YEN", "SGD", "DINAR"}));

    QCOMPARE(focusOrder(&form, 6),
             QStringList({"Text1", "Text2", "cmdSave", "cmdClose", "Text3", "Text1"}));
}

QTEST_MAIN(TestFrmBNK)
#include "test_frmBNK.moc"
