#include "fieldgrid.h"
#include "frmAccountDetails.h"
#include "frmPayExport.h"
#include "frmPayLayout.h"
#include "frmReport.h"
#include "payexport.h"
#include "positivepaystatements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

namespace {

// Answers the next file dialog with the path, or cancels it when empty.
void answerFileDialog(const QString &path)
{
    QTimer::singleShot(0, [path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

} // namespace

class tst_paywindows : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        m_database->exec("INSERT INTO Bank VALUES ('400002003', 'State Bank', 'INR')");
        m_database->exec("INSERT INTO Positions (Bankname) VALUES ('State Bank')");
    }

    void cleanup() { m_database.reset(); }

    void accountDetailsStartFromTheBankMicrAndAreKept()
    {
        RecordedMessages messages;
        {
            frmAccountDetails window;
            QCOMPARE(control<QComboBox>(&window, "cmbBank")->currentText(), QString("State Bank"));
            QCOMPARE(control<QLineEdit>(&window, "txtMicr")->text(), QString("400002003"));
            control<QPushButton>(&window, "cmdSave")->click();
            QCOMPARE(messages.only().text, QString("Enter the account number"));
            control<QLineEdit>(&window, "txtAccount")->setText(" 012345678901 ");
            control<QLineEdit>(&window, "txtMicr")->setText("400002999");
            control<QLineEdit>(&window, "txtTranCode")->setText("29");
            control<QComboBox>(&window, "cmbLayout")->setCurrentText("US issue file (CSV)");
            messages.clear();
            control<QPushButton>(&window, "cmdSave")->click();
            QCOMPARE(messages.only().text, QString("Data saved"));
        }
        frmAccountDetails again;
        QCOMPARE(control<QLineEdit>(&again, "txtAccount")->text(), QString("012345678901"));
        QCOMPARE(control<QLineEdit>(&again, "txtMicr")->text(), QString("400002999"));
        QCOMPARE(control<QComboBox>(&again, "cmbLayout")->currentText(), QString("US issue file (CSV)"));
    }

    void layoutMadeInTheEditorIsSavedReloadedAndChosen()
    {
        RecordedMessages messages;
        const QString made("001234567890|000101|20260302|123450|I\n001234567890|000102|20260302|"
                           "7500000|I\n001234567890|000099|20260301|25000000|V\nT|3|32623450\n");
        {
            frmPayLayout editor;
            auto *name = control<QComboBox>(&editor, "cmbName");
            QCOMPARE(name->currentText(), QString("Indian Positive Pay (CSV)"));
            QVERIFY(control<QPlainTextEdit>(&editor, "txtPreview")->toPlainText().startsWith(
                "Account Number,Cheque Number,Cheque Date"));
            // A built-in layout is kept as it is.
            control<QPushButton>(&editor, "cmdSave")->click();
            QVERIFY(messages.only().text.contains("is built in"));

            // Started from the US fixed layout, the payee taken out, a semicolon trailer.
            name->setCurrentIndex(name->findText("US issue file (80 columns)"));
            editor.cmbName_Activated(name->currentIndex());
            name->setEditText("My Bank");
            control<QRadioButton>(&editor, "optDelimited")->setChecked(true);
            control<QLineEdit>(&editor, "txtDelimiter")->setText("|");
            auto *grid = control<FieldGrid>(&editor, "grdFields");
            grid->selectRow(5);
            control<QPushButton>(&editor, "cmdRemove")->click();
            control<QCheckBox>(&editor, "chkTrailer")->setChecked(true);
            QCOMPARE(control<QPlainTextEdit>(&editor, "txtPreview")->toPlainText(), made);
            messages.clear();
            control<QPushButton>(&editor, "cmdSave")->click();
            QCOMPARE(messages.only().text, QString("Layout saved"));
            QCOMPARE(editor.chosenName(), QString("My Bank"));
        }
        // Reloaded, it writes the same file.
        frmPayLayout reopened;
        auto *name = control<QComboBox>(&reopened, "cmbName");
        name->setCurrentIndex(name->findText("My Bank"));
        reopened.cmbName_Activated(name->currentIndex());
        QCOMPARE(control<QPlainTextEdit>(&reopened, "txtPreview")->toPlainText(), made);
    }

    void exportFromTheReportWindowMarksOnlyWhatWasSaved()
    {
        RecordedMessages messages;
        QVERIFY(!store::savePayAccount(m_database->db(), {"State Bank", "12345", "400002003", "29",
                                                          "", "US issue file (CSV)"})
                     .isValid());
        m_database->exec("INSERT INTO ChqIssuereg VALUES ('2026-03-02', 'Acme', 'State Bank', "
                         "'1,200.00', '101')");
        frmReport report;
        addPositivePayExport(&report);
        auto *grid = control<QTableView>(&report, "DataGrid1");
        QAction *exportFile = grid->actions().constLast();
        exportFile->trigger();
        QVERIFY(messages.only().text.startsWith("Show the report first"));
        control<QComboBox>(&report, "cmbBnk")->setEditText("State Bank");
        control<QPushButton>(&report, "Command1")->click();

        frmPayExport window("State Bank", {2026, 3, 1}, {2026, 3, 31});
        QVERIFY(control<QRadioButton>(&window, "optWaiting")->isChecked());
        QCOMPARE(control<QRadioButton>(&window, "optWaiting")->text(),
                 QString("Cheques not yet sent: 1 issued, 0 void"));
        // Cancelled at the file dialog: nothing written, nothing marked.
        messages.clear();
        answerFileDialog(QString());
        window.cmdExport_Click();
        QVERIFY(messages.all().isEmpty());
        const QString path = m_dir.filePath("issues.csv");
        answerFileDialog(path);
        window.cmdExport_Click();
        QCOMPARE(messages.only().text, QString("1 records written to %1.").arg(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("I,12345,101,030226,1200.00,Acme\r\n"));

        frmPayExport next("State Bank", {2026, 3, 1}, {2026, 3, 31});
        messages.clear();
        next.cmdExport_Click();
        QCOMPARE(messages.only().text, QString("No cheques of State Bank are waiting to be sent."));
        // Sent again on purpose, byte for byte.
        QCOMPARE(control<QListWidget>(&next, "lstSent")->count(), 1);
        control<QListWidget>(&next, "lstSent")->setCurrentRow(0);
        const QString again = m_dir.filePath("again.csv");
        answerFileDialog(again);
        messages.clear();
        next.cmdSendAgain_Click();
        QFile resent(again);
        QVERIFY(resent.open(QIODevice::ReadOnly));
        QCOMPARE(resent.readAll(), QByteArray("I,12345,101,030226,1200.00,Acme\r\n"));
    }

private:
    std::unique_ptr<TemporaryDatabase> m_database;
    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_paywindows)
#include "tst_paywindows.moc"
