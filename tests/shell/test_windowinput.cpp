// What every working window does with the keyboard and with what it saves.
#include "frmAccountDetails.h"
#include "frmBNK.h"
#include "frmBatch.h"
#include "frmChequeStyle.h"
#include "frmChqLyt.h"
#include "frmCopyToServer.h"
#include "frmMain.h"
#include "frmPayExport.h"
#include "frmPayLayout.h"
#include "frmPayee.h"
#include "frmPrtChq.h"
#include "frmReport.h"
#include "frmServer.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QPushButton>
#include <QStandardPaths>
#include <memory>

using namespace Qt::StringLiterals;
using Factory = std::function<QDialog *()>;
using Texts = QList<std::pair<QString, QString>>;  // control, text

namespace {

Factory factoryFor(const QString &window)
{
    const QMap<QString, Factory> factories{
        {u"frmMain"_s, [] { return new frmMain; }},     {u"frmBNK"_s, [] { return new frmBNK; }},
        {u"frmPayee"_s, [] { return new frmPayee; }},   {u"frmChqLyt"_s, [] { return new frmChqLyt; }},
        {u"frmPrtChq"_s, [] { return new frmPrtChq; }}, {u"frmReport"_s, [] { return new frmReport; }},
        {u"frmBatch"_s, [] { return new frmBatch; }},   {u"frmServer"_s, [] { return new frmServer; }},
        {u"frmCopyToServer"_s, [] { return new frmCopyToServer(u"ql.mdb"_s); }},
        {u"frmAccountDetails"_s, [] { return new frmAccountDetails; }},
        {u"frmPayLayout"_s, [] { return new frmPayLayout; }},
        {u"frmChequeStyle"_s, [] { return new frmChequeStyle({}, u"mms"_s, nullptr); }},
        {u"frmPayExport"_s, [] { return new frmPayExport(u"City Bank"_s, {2026, 3, 1}, {2026, 3, 31}); }}};
    return factories.value(window);
}

void setText(QWidget *window, const QString &name, const QString &text)
{
    QWidget *control = window->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    if (auto *box = qobject_cast<QLineEdit *>(control))
        box->setText(text);
    else if (auto *list = qobject_cast<QComboBox *>(control); list && list->isEditable())
        list->setEditText(text);
    else
        qobject_cast<QComboBox *>(control)->setCurrentIndex(
            qobject_cast<QComboBox *>(control)->findText(text));
}

int rowCount(QSqlDatabase db, const QString &table)
{
    return rowsOf(db, u"select count(*) from "_s + table).value(0).value(0).toInt();
}

} // namespace

class TestWindowInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        const QSqlDatabase db = m_database->db();
        QVERIFY(!store::addBank(db, {u"111"_s, u"City Bank"_s, u"USD"_s}).isValid());
        QVERIFY(!store::replaceLayout(db, {u"Inches"_s, u"City Bank"_s, {1, 1, 1, 1, 1, 1, 1, 1,
                                           1, 1, 1, 1, 1, 1, 1}}).isValid());
        QVERIFY(!store::replacePayee(db, u"zed"_s, u"Zed Traders"_s).isValid());
    }
    void cleanup() { m_database.reset(); }

    // The window opens on the first stop of its order, and Tab goes round
    // the stops a user reaches (of a pair of options, the chosen one) back
    // to it; given the first stops only, the rest is not compared. Enter in
    // any box, list, picker or option presses no button and says nothing;
    // Escape closes a working window, and so does Enter on its close button.
    void keysInEveryWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("stops");
        QTest::addColumn<QString>("closeButton");
        for (const auto &[window, first, close] :
             {std::tuple{"frmMain", "cmdExit", ""}, {"frmBNK", "Text1", "cmdClose"},
              {"frmPayee", "Command1", "Command2"}, {"frmChqLyt", "Combo1", ""},
              {"frmPrtChq", "Print", "Cancel"}, {"frmReport", "DataGrid1", ""},
              {"frmBatch", "cmdOpen", "cmdClose"}})
            QTest::newRow(window) << window << QStringList{first} << close;
        const auto row = [](const char *window, const QStringList &stops) {
            QTest::newRow(window) << window << stops << QString();
        };
        row("frmServer", {"txtHost", "txtPort", "txtDatabase", "txtUser", "optTlsNone",
                          "cmdConnect", "cmdCancel", "txtHost"});  // Use Local Data File waits for a server
        row("frmCopyToServer", {"txtHost", "txtPort", "txtDatabase", "txtUser", "txtPassword",
                                "cmdCopy", "cmdCancel", "txtHost"});
        row("frmAccountDetails", {"cmbBank", "txtAccount", "txtMicr", "txtTranCode", "txtShortAccount",
                                  "cmbLayout", "cmdLayouts", "cmdSave", "cmdClose", "cmbBank"});
        row("frmPayLayout", {"cmbName", "optDelimited", "txtDelimiter", "chkHeader", "chkAscii"});
        // Past what the classic date does not use.
        row("frmChequeStyle", {"cmbDateStyle", "cmbCrossingStyle", "cmbCrossingWords", "txtCrossingAngle"});
        row("frmPayExport", {"optWaiting", "cmdExport", "cmdCancel", "lstSent", "cmdSendAgain", "optWaiting"});
    }
    void keysInEveryWindow()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, stops);
        QFETCH(QString, closeButton);
        RecordedMessages messages;
        std::unique_ptr<QDialog> form(factoryFor(window)());
        QVERIFY(shownActive(form.get()));
        QStringList visited{controlOf(QApplication::focusWidget())};
        while (visited.size() < 40 && (visited.size() == 1 || visited.last() != visited.first())) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (controlOf(QApplication::focusWidget()) != visited.last())  // not a date's next part
                visited << controlOf(QApplication::focusWidget());
        }
        QCOMPARE(visited.mid(0, stops.size()), stops);
        for (QWidget *control : form->findChildren<QWidget *>()) {  // clicked, or reached by Tab
            const QString name = control->objectName();
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(form.get())
                || name.isEmpty() || name.startsWith(u"qt_") || qobject_cast<QPushButton *>(control))
                continue;
            control->setFocus();
            messages.clear();  // leaving the amount box words it
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
                QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY2(form->isVisible(), qPrintable(name));
            QVERIFY2(messages.all().isEmpty(), qPrintable(name + messages.texts().join(u'|')));
        }
        if (window == u"frmMain")
            return;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        if (closeButton.isEmpty())
            return;
        QVERIFY(shownActive(form.get()));
        form->findChild<QWidget *>(closeButton)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!form->isVisible());
    }

    // Tab into the Bearer / A/c Payee pair lands on the option chosen.
    void tabLandsOnTheChosenOption()
    {
        frmPrtChq form;
        QVERIFY(shownActive(&form));
        QTest::mouseClick(control(&form, u"Option1"_s), Qt::LeftButton);
        control(&form, u"txtChqNo"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(controlOf(QApplication::focusWidget()), u"Option1"_s);
    }

    void saveRefusesWhatWouldNotShowAsStored_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<QString>("message");  // its start; "Data" when saved
        QTest::addColumn<QString>("table");

        const Texts bank{{"Text1", "400240002"}, {"Text2", "HDFC"}, {"Text3", "INR"}};
        const Texts payee{{"cmbPayee", "asha"}, {"Text1", "Asha Menon"}};
        const Texts layout{{"cmb", "HDFC"}, {"txtdttop", "1"}};
        const auto with = [](Texts texts, const QString &control, const QString &text) {
            texts << std::pair{control, text};
            return texts;
        };
        const QString inText = u"The text in \"%1\" holds the character U+%2, "_s;
        const QString lone = QString(QChar(0xD83D)) + u"x"_s;
        const QString pair = u"Caf\u00e9 \U0001F600"_s;

        QTest::newRow("bank name with NUL") << "frmBNK" << with(bank, "Text2", u"HD\0FC"_s)
                                            << inText.arg("Bank Name", "0000") << "Bank";
        QTest::newRow("payee name reversed") << "frmPayee"
                                             << with(payee, "Text1", u"\u202Eevil"_s)
                                             << inText.arg("Name On Cheque", "202E") << "Payee";
        QTest::newRow("payee name, half a pair") << "frmPayee" << with(payee, "Text1", lone)
                                                 << inText.arg("Name On Cheque", "D83D")
                                                 << "Payee";
        QTest::newRow("payee name, letters beyond 16 bits")
            << "frmPayee" << with(payee, "Text1", pair) << "Data" << "Payee";
        QTest::newRow("layout bank name embedded")
            << "frmChqLyt" << with(layout, "cmb", u"HDFC\u202A"_s)
            << inText.arg("BankName", "202A") << "Positions";
        QTest::newRow("layout for no bank") << "frmChqLyt" << with(layout, "cmb", u"  "_s)
                                            << "Enter the bank name" << "Positions";
        QTest::newRow("layout value beyond single precision")
            << "frmChqLyt" << with(layout, "txtamtlft", u"1e39"_s)
            << "The number in \"Amt Column From the Left\" is too large to store." << "Positions";
        QTest::newRow("layout value at the single-precision limit")
            << "frmChqLyt" << with(layout, "txtamtlft", u"3.4028234e38"_s) << "Data"
            << "Positions";
    }
    void saveRefusesWhatWouldNotShowAsStored()
    {
        QFETCH(QString, window);
        QFETCH(Texts, texts);
        QFETCH(QString, message);
        QFETCH(QString, table);
        const int rowsBefore = rowCount(m_database->db(), table);
        RecordedMessages messages;
        std::unique_ptr<QDialog> form(factoryFor(window)());
        form->show();
        for (const auto &[control, text] : texts)
            setText(form.get(), control, text);
        const QString save = window == u"frmBNK" ? u"cmdSave"_s
                             : window == u"frmPayee" ? u"Command1"_s : u"cmdOK"_s;
        QTest::mouseClick(form->findChild<QWidget *>(save), Qt::LeftButton);

        QCOMPARE(messages.all().size(), 1);
        QVERIFY2(messages.only().text.startsWith(message), qPrintable(messages.only().text));
        const bool saved = message == u"Data";
        QCOMPARE(form->isVisible(), !saved);
        QCOMPARE(rowCount(m_database->db(), table), rowsBefore + (saved ? 1 : 0));
    }

private:
    std::unique_ptr<TemporaryDatabase> m_database;
};

QTEST_MAIN(TestWindowInput)
#include "test_windowinput.moc"
