#include "frmReport.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "twips.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestFrmReportWindow : public QObject
{
    Q_OBJECT
private slots:
    void windowHasItsCaptionSizeAndControlForms();
    void controlsArePlacedInTwips_data();
    void controlsArePlacedInTwips();
    void tabVisitsTheControlsInOrder();
};

void TestFrmReportWindow::windowHasItsCaptionSizeAndControlForms()
{
    TemporaryDatabase database;
    frmReport window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Cheque Issue Register"));
    QCOMPARE(window.size(), twipsSize(8130, 5010));
    QVERIFY(window.findChild<QComboBox *>(QStringLiteral("cmbBnk"))->isEditable());
    QVERIFY(window.findChild<QDateEdit *>(QStringLiteral("DTPicker1"))->calendarPopup());
    QVERIFY(window.findChild<QDateEdit *>(QStringLiteral("DTPicker2"))->calendarPopup());
    QCOMPARE(window.findChild<QTableView *>(QStringLiteral("DataGrid1"))->font().family(),
             QStringLiteral("MS Sans Serif"));
}

void TestFrmReportWindow::controlsArePlacedInTwips_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");  // of frames, labels and buttons
    QTest::newRow("Frame2") << "frmReport" << QRect(105, 60, 7815, 525) << "";
    QTest::newRow("Label1") << "Frame2" << QRect(150, 180, 1140, 315) << "From";
    QTest::newRow("DTPicker1") << "Frame2" << QRect(555, 195, 1305, 255) << "";
    QTest::newRow("Label2") << "Frame2" << QRect(1980, 165, 555, 315) << "To";
    QTest::newRow("DTPicker2") << "Frame2" << QRect(2220, 210, 1305, 255) << "";
    QTest::newRow("Label3") << "Frame2" << QRect(3690, 210, 780, 225) << "Bank";
    QTest::newRow("cmbBnk") << "Frame2" << QRect(4395, 165, 1245, 315) << "";
    QTest::newRow("Command1") << "Frame2" << QRect(6195, 210, 1305, 240) << "Show Report";
    QTest::newRow("Frame1") << "frmReport" << QRect(75, 585, 7905, 4440) << "";
    QTest::newRow("DataGrid1") << "Frame1" << QRect(105, 195, 7680, 3855) << "";
}

void TestFrmReportWindow::controlsArePlacedInTwips()
{
    QFETCH(QString, container);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    TemporaryDatabase database;
    frmReport window;

    const auto *control = window.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), twips(place.x(), place.y(), place.width(), place.height()));
    if (const auto *label = qobject_cast<const QLabel *>(control))
        QCOMPARE(label->text(), caption);
    if (const auto *button = qobject_cast<const QPushButton *>(control))
        QCOMPARE(button->text(), caption);
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        QCOMPARE(frame->title(), caption);
}

void TestFrmReportWindow::tabVisitsTheControlsInOrder()
{
    TemporaryDatabase database;
    const store::RegisterRow cheque{QDate(2008, 9, 13), "A. Payee", "HDFC", "1.00", "100001"};
    QVERIFY(!store::addRegisterEntry(database.db(), cheque).isValid());
    frmReport window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // With rows in the grid, Tab must still leave it rather than walk its cells.
    window.findChild<QComboBox *>(QStringLiteral("cmbBnk"))->setEditText(QStringLiteral("HDFC"));
    window.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    auto *grid = window.findChild<QTableView *>(QStringLiteral("DataGrid1"));
    QCOMPARE(grid->model()->rowCount(), 1);
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));

    const QStringList controls{"DataGrid1", "DTPicker1", "DTPicker2", "Command1", "cmbBnk"};
    QStringList visited{"DataGrid1"};
    // Tab walks a picker's day, month and year before it leaves the picker.
    for (int press = 0; press < 20 && visited.size() <= controls.size(); ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // A picker or an editable box takes the focus in its text field.
        QWidget *focus = QApplication::focusWidget();
        while (focus && !controls.contains(focus->objectName()))
            focus = focus->parentWidget();
        const QString name = focus ? focus->objectName() : QStringLiteral("(none)");
        if (name != visited.last())
            visited << name;
    }
    QCOMPARE(visited, controls + QStringList{"DataGrid1"});
}

QTEST_MAIN(TestFrmReportWindow)
#include "test_frmReport_window.moc"
