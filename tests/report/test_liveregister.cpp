#include "frmPrtChq.h"
#include "frmReport.h"
#include "registerstatements.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "testserver.h"
#include "windowchecks.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

const QDate day(2026, 12, 7);

} // namespace

// On a shared register, another desk's cheque shows in open windows within
// a second: the report's rows and totals, and the next number suggested.
class TestLiveRegister : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;

private slots:
    void initTestCase()
    {
        qputenv("QUILLMARK_TEST_ENGINE", "postgresql");
        testserver::requireStarted();
    }
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        m_database->addBankWithLayout("HDFC");
        QVERIFY(!store::addRegisterEntry(m_database->db(), {day, "A", "HDFC", "5.00", "000101"})
                     .isValid());
    }
    void cleanup() { m_database.reset(); }

    void openWindowsFollowAnotherDesk()
    {
        frmReport report;
        control<QComboBox>(&report, "cmbBnk")->setCurrentText("HDFC");
        control<QDateEdit>(&report, "DTPicker1")->setDate(day);
        control<QDateEdit>(&report, "DTPicker2")->setDate(day);
        control<QPushButton>(&report, "Command1")->click();
        const QAbstractItemModel *grid = control<QTableView>(&report, "DataGrid1")->model();
        QCOMPARE(grid->rowCount(), 1);

        frmPrtChq print;
        auto *bank = control<QComboBox>(&print, "cmbBnk");
        bank->setCurrentIndex(bank->findText("HDFC"));
        emit bank->activated(bank->currentIndex());
        auto *number = control<QLineEdit>(&print, "txtChqNo");
        QCOMPARE(number->text(), "000102");

        // Another desk: the test's own session, not the windows'.
        QVERIFY(!store::addRegisterEntry(m_database->db(), {day, "B", "HDFC", "7.00", "000102"})
                     .isValid());
        QTRY_COMPARE_WITH_TIMEOUT(grid->rowCount(), 2, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(number->text(), "000103", 1000);
        QCOMPARE(control<QLabel>(&report, "lblTotals")->text(),
                 "2 cheques, INR 12.00; void 0, INR 0.00");
    }
};

QTEST_MAIN(TestLiveRegister)
#include "test_liveregister.moc"
