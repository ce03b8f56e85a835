// The windows of a bank's date and crossing style and of the standard
// leaves, as a user drives them.

#include "frmChequeStyle.h"
#include "frmStandardLeaf.h"
#include "windowchecks.h"

#include <QPushButton>

using store::ChequeStyle;

class TestFrmChequeStyle : public QObject
{
    Q_OBJECT
private slots:
    void keysAndValues()
    {
        RecordedMessages recorded;
        frmChequeStyle window(ChequeStyle(), QStringLiteral("mms"), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // Tab from the opening focus, past what the classic date does not
        // use; Enter in a box closes nothing.
        QCOMPARE(controlOf(QApplication::focusWidget()), QStringLiteral("cmbDateStyle"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(controlOf(QApplication::focusWidget()), QStringLiteral("cmbCrossingStyle"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(controlOf(QApplication::focusWidget()), QStringLiteral("txtCrossingAngle"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(window.isVisible());

        // A value out of its range is named, and OK keeps the window open.
        chooseItem(control<QComboBox>(&window, "cmbDateStyle"), "Digits in boxes");
        chooseItem(control<QComboBox>(&window, "cmbDateOrder"), "YYYYMMDD");
        control<QLineEdit>(&window, "txtBoxWidth")->setText("5");
        control<QLineEdit>(&window, "txtCrossingAngle")->setText("95");
        chooseItem(control<QComboBox>(&window, "cmbCrossingStyle"), "Two parallel lines");
        chooseItem(control<QComboBox>(&window, "cmbCrossingWords"), "Not Negotiable");
        control<QPushButton>(&window, "cmdOK")->click();
        QCOMPARE(recorded.texts(), QStringList{"\"Angle (°)\" must be from -90 to 90."});
        QVERIFY(window.isVisible());
        control<QLineEdit>(&window, "txtCrossingAngle")->setText("30");
        control<QPushButton>(&window, "cmdOK")->click();
        QCOMPARE(window.result(), int(QDialog::Accepted));
        ChequeStyle expected;
        expected.dateStyle = ChequeStyle::DigitsInBoxes;
        expected.dateOrder = 2;
        expected.boxWidth = 5;
        expected.crossingAngle = 30;
        expected.crossingStyle = ChequeStyle::CrossingLines;
        expected.crossingWords = ChequeStyle::NotNegotiable;
        QCOMPARE(window.style(), expected);
    }

    void escapeKeepsTheStyle()
    {
        ChequeStyle style;
        style.dateStyle = ChequeStyle::LongDate;
        frmChequeStyle window(style, QStringLiteral("Inches"), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        chooseItem(control<QComboBox>(&window, "cmbDateStyle"), "Numeric with separators");
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(window.style(), style);
    }

    void standardLeafByKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("chosen");
        QTest::newRow("Enter on the first") << QList<int>{Qt::Key_Return} << int(QDialog::Accepted) << 0;
        QTest::newRow("down, Enter")
            << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << int(QDialog::Accepted) << 2;
        QTest::newRow("Escape") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << int(QDialog::Rejected) << 1;
        QTest::newRow("Tab to Cancel")
            << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space} << int(QDialog::Rejected) << 0;
    }
    void standardLeafByKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, result);
        QFETCH(int, chosen);
        frmStandardLeaf window(nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(controlOf(QApplication::focusWidget()), QStringLiteral("lstLeaves"));
        for (const int key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(window.result(), result);
        QCOMPARE(window.chosen(), chosen);
    }
};

QTEST_MAIN(TestFrmChequeStyle)
#include "test_frmChequeStyle.moc"
