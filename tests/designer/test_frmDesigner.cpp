#include "files.h"
#include "frmChequeStyle.h"
#include "frmChqLyt.h"
#include "frmDesigner.h"
#include "frmStandardLeaf.h"
#include "temporarydatabase.h"
#include "testserver.h"
#include "windowchecks.h"

#include <sys/stat.h>
#include <QPushButton>

namespace {

// The sample leaf's layout, in mms.
const QStringList leafLayout = {"6.5", "154", "40", "22", "20", "150", "32", "26", "36",
                                "41",  "12",  "120", "35.5", "158", "36"};
const QString bank = QStringLiteral("Leaf Bank");

// The layout window over a stored layout, with the editor open on it at one
// screen pixel to the millimetre.
struct Fixture {
    TemporaryDatabase database;
    RecordedMessages recorded;
    std::unique_ptr<frmChqLyt> form;
    frmDesigner *designer = nullptr;

    // In Pixels the layout is scaled to the dots of a 1200 dpi printer, near enough.
    explicit Fixture(const QString &unit, const QStringList &layout = leafLayout)
    {
        const double scale = unit == "Pixels" ? 47 : 1;
        QStringList values;
        for (const QString &value : layout)
            values << QString::number(value.toDouble() * scale);
        database.exec("insert into Bank values ('1', 'Leaf Bank', 'INR')");
        database.exec("insert into Positions values ('" + unit + "', 'Leaf Bank', "
                      + values.join(", ") + ")");
        frmDesigner::install();
        form = std::make_unique<frmChqLyt>();
        form->show();
        form->findChild<QComboBox *>("cmb")->setCurrentText(bank);
        form->cmb_Click();
        form->findChild<QPushButton *>("cmdDesign")->click();
        designer = form->findChild<frmDesigner *>();
        QVERIFY(designer);
        designer->view()->setPixelsPerPoint(25.4 / 72);
        designer->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(designer));
    }
    QPoint at(QPointF pagePoints) const
    {
        return (designer->view()->pageCorner() + pagePoints * (25.4 / 72)).toPoint();
    }
    QStringList saved()
    {
        form->findChild<QPushButton *>("cmdOK")->click();
        return rowsOf(database.db(), "select * from Positions").value(0).mid(2, 15);
    }
};

enum Action {
    DragDate, DragWidth, DragWidth2, ArrowRight, ShiftDown, RightThenUndo, UndoRedo, TypeThenUndo,
    Escape, EscapeNo, TabTab
};

} // namespace

class TestFrmDesigner : public QObject
{
    Q_OBJECT
private slots:
    void movesAreSavedByTheLayoutWindow_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("action");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<QStringList>("values");
        const auto row = [](const char *name, const char *unit, Action action, QList<int> columns,
                            QStringList values) {
            QTest::newRow(name) << unit << int(action) << columns << values;
        };
        row("drag the date", "mms", DragDate, {0, 1}, {"11.5", "166"});
        row("drag the width", "mms", DragWidth, {8}, {"48"});
        row("drag line 2's width", "mms", DragWidth2, {11}, {"132"});
        row("tenth of a mm", "mms", ArrowRight, {1}, {"154.1"});
        row("whole cm", "Cms", ShiftDown, {0}, {"7.5"});
        row("one dot", "Pixels", ArrowRight, {1}, {"7239"});
        row("undone", "mms", RightThenUndo, {1}, {"154"});
        row("redone", "mms", UndoRedo, {1}, {"154.1"});
        row("typing undone first", "mms", TypeThenUndo, {1}, {"154.1"});
        row("escape, Yes", "mms", Escape, {0, 1}, {"6.5", "154"});
        row("escape, No keeps the editor", "mms", EscapeNo, {1}, {"154.1"});
        row("Tab, Tab selects the name", "mms", TabTab, {4}, {"20.1"});
    }
    void movesAreSavedByTheLayoutWindow()
    {
        QFETCH(QString, unit);
        QFETCH(int, action);
        QFETCH(QList<int>, columns);
        QFETCH(QStringList, values);
        Fixture fixture(unit);
        DesignView *view = fixture.designer->view();
        const QPointF date = view->boxes()[0].points.center();
        const QList<QRectF> handles = view->handles();
        QCOMPARE(handles.size(), 2);

        // Every step by mouse and keys, as a user gives them.
        if (action == TabTab) {
            QTest::keyClick(view, Qt::Key_Tab);
            QTest::keyClick(view, Qt::Key_Tab);
            QTest::keyClick(view, Qt::Key_Tab);
            QTest::keyClick(view, Qt::Key_Backtab);
            QCOMPARE(view->selectedItem(), 1);
            QTest::keyClick(view, Qt::Key_Right);
        } else if (action == DragDate || action == DragWidth || action == DragWidth2) {
            const QPointF from = action == DragDate ? date
                : handles[action == DragWidth ? 0 : 1].center();
            QTest::mousePress(view, Qt::LeftButton, {}, fixture.at(from));
            QTest::mouseMove(view, fixture.at(from) + QPoint(6, 3));
            QTest::mouseRelease(view, Qt::LeftButton, {}, fixture.at(from) + QPoint(12, 5));
        } else {
            QTest::mouseClick(view, Qt::LeftButton, {}, fixture.at(date));
            if (action == ShiftDown)
                QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
            else
                QTest::keyClick(view, Qt::Key_Right);
            if (action == TypeThenUndo) {
                auto *box = fixture.form->findChild<QLineEdit *>("txtdtlft");
                box->selectAll();
                QTest::keyClicks(box, "160");
                QCoreApplication::processEvents();
            }
            if (action == RightThenUndo || action == UndoRedo || action == TypeThenUndo)
                QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
            if (action == UndoRedo)
                QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            fixture.recorded.answer(action == Escape);
            if (action == Escape || action == EscapeNo) {
                QTest::keyClick(view, Qt::Key_Escape);
                QCOMPARE(fixture.recorded.texts().value(0).left(29),
                         QStringLiteral("Throw away the changes made t"));
                QCOMPARE(fixture.designer->isVisible(), action == EscapeNo);
            }
        }

        const QStringList saved = fixture.saved();
        for (int i = 0; i < columns.size(); ++i)
            QCOMPARE(saved.value(columns[i]).toDouble(), values[i].toDouble());
        QCOMPARE(fixture.recorded.texts().last(), QStringLiteral("Data Saved"));
    }

    // An empty layout opens with its items where a typical leaf has them,
    // as a step that can be undone; OK says that the layout window saves.
    void emptyLayoutStartsAsOnATypicalLeaf()
    {
        Fixture fixture(QStringLiteral("Cms"), QStringList(leafLayout.size(), "0"));
        QCOMPARE(fixture.form->findChild<QLineEdit *>("txtdtlft")->text(), "15.4");
        QCOMPARE(fixture.form->findChild<QLineEdit *>("txtamtwrd2wdth")->text(), "13.3");
        fixture.designer->findChild<QPushButton *>("cmdOK")->click();
        QCOMPARE(fixture.recorded.texts(), QStringList{"The changes are in the layout window's "
                                                       "boxes. Press OK in the layout window to "
                                                       "save them."});
        const QStringList saved = fixture.saved();
        QCOMPARE(saved.value(0).toDouble(), 0.65);
        QCOMPARE(saved.value(12).toDouble(), 3.55);
    }

    void leafImagesAreCheckedAndKept()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("pdf.png"), "%PDF-1.4");
        writeFile(dir.filePath("large.png"), QByteArray(10 * 1024 * 1024 + 1, '\x89'));
        // A 68-byte PNG declaring 100000 x 100000 pixels.
        writeFile(dir.filePath("huge.png"),
                  QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000"
                                      "a8520bc80000000b49444154789c63604005000010000139bd8f6500"
                                      "00000049454e44ae426082"));
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.png")).constData(), 0600) == 0);
        QVERIFY(QFile::link("/dev/zero", dir.filePath("zero.png")));
        const QList<std::pair<QString, QString>> leaves{{QStringLiteral(LEAF_IMAGE), QString()},
                                                        {dir.filePath("pdf.png"), "is not a PNG or JPEG image"},
                                                        {dir.filePath("large.png"), "is larger than 10 MB"},
                                                        {dir.filePath("huge.png"), "is 100000 × 100000 pixels; a leaf image may have at most 45 million pixels"},
                                                        {dir.filePath("pipe.png"), "\"pipe.png\" is a named pipe (FIFO), not a file."},
                                                        {dir.filePath("zero.png"), "\"zero.png\" is a device or socket, not a file."}};
        for (const auto &[path, message] : leaves) {
            Fixture fixture(QStringLiteral("mms"));
            QCOMPARE(fixture.designer->attachLeafImage(path), message.isEmpty());
            // A file's table is made with the first leaf kept; a server has it from the start.
            if (!testserver::wanted())
                QCOMPARE(fixture.database.db().tables().contains("LeafImage"), message.isEmpty());
            if (!message.isEmpty()) {
                QVERIFY(fixture.recorded.only().text.contains(message));
                continue;
            }
            const QStringList stored =
                rowsOf(fixture.database.db(), "select Bankname, WidthMm, HeightMm, LeftMm, TopMm, "
                                              "length(Image) from LeafImage").value(0);
            QCOMPARE(stored.mid(0, 5), (QStringList{bank, "203.2", "93.1", "0", "0"}));
            QCOMPARE(stored[5].toLongLong(), QFileInfo(path).size());
        }
    }

    // Kept in the table and shown in the box; a refused text is said and undone.
    void leafSizeAndPlaceAreCheckedAndKept()
    {
        const QStringList boxes = {"txtLeafWidth", "txtLeafHeight", "txtLeafLeft", "txtLeafTop"};
        const QString refused = QStringLiteral("203.2 93.1 0 0");
        // measure (as boxes), typed, key, kept, message
        const QList<std::tuple<int, QString, Qt::Key, QString, QString>> cases{
            {0, "190.5", Qt::Key_Return, "190.5 93.1 0 0", ""},
            {2, "-3", Qt::Key_Return, "203.2 93.1 -3 0", ""},
            {2, "-3", Qt::Key_Escape, refused, ""},
            {1, "9", Qt::Key_Return, refused, "The leaf's height must be a number of millimetres from 25 to 150"},
            {3, "1cm", Qt::Key_Return, refused, "The leaf's distance from the printable area's top edge must"}};
        for (const auto &[measure, typed, key, kept, message] : cases) {
            Fixture fixture(QStringLiteral("mms"));
            QVERIFY(fixture.designer->attachLeafImage(QStringLiteral(LEAF_IMAGE)));
            auto *box = fixture.designer->findChild<QLineEdit *>(boxes[measure]);
            box->selectAll();
            QTest::keyClicks(box, typed);
            QTest::keyClick(box, key);
            QCOMPARE(rowsOf(fixture.database.db(), "select WidthMm, HeightMm, LeftMm, TopMm from LeafImage")
                         .value(0).join(' '), kept);
            QCOMPARE(box->text(), kept.split(' ')[measure]);
            const QStringList told = fixture.recorded.texts();
            QVERIFY(message.isEmpty() ? told.isEmpty() : told.size() == 1 && told[0].contains(message));
        }
    }

    // A standard leaf places every item, keeps its date and crossing, and
    // the date boxes' width follows their handle.
    void standardLeafPlacesTheItemsAndShowsTheDateBoxes()
    {
        Fixture fixture("Cms");
        QVERIFY(fixture.designer->startFromStandardLeaf(0));  // India CTS-2010
        QCOMPARE(fixture.designer->problem(), QString());
        DesignView *view = fixture.designer->view();
        const double pointsPerMm = 72 / 25.4;
        QCOMPARE(qRound(view->boxes()[0].points.width() / pointsPerMm), 40);  // eight 5 mm boxes
        QCOMPARE(view->handles().size(), 3);  // both words lines', the date boxes'

        const QPointF handle = view->handles()[2].center();
        QTest::mousePress(view, Qt::LeftButton, {}, fixture.at(handle));
        QTest::mouseRelease(view, Qt::LeftButton, {}, fixture.at(handle) + QPoint(1, 0));
        QCOMPARE(rowsOf(fixture.database.db(),
                        "select StandardLeaf, DateStyle, BoxWidth, CrossingStyle, MicrBandMm "
                        "from ChequeStyle"),
                 (QList<QStringList>{{"India CTS-2010", "1", "0.6", "1", "15.875"}}));
        QCOMPARE(fixture.saved(),
                 (QStringList{"0.5", "15.3", "4", "2.2", "2", "15.6", "3.2", "2.6", "11.8", "4.1",
                              "1.2", "13.2", "3.55", "15.8", "3.6"}));
        QCOMPARE(rowsOf(fixture.database.db(), "select * from WordsChoice").value(0).mid(1),
                 (QStringList{"1", "1"}));
    }

    // The windows of a bank's date and crossing style and of the standard
    // leaves, as a user drives them.
    void keysAndValues()
    {
        RecordedMessages recorded;
        frmChequeStyle window(store::ChequeStyle(), QStringLiteral("mms"), nullptr);
        QVERIFY(shownActive(&window));
        // (Its keys: test_windowinput.) A value out of its range is named, and OK keeps the window open.
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
        store::ChequeStyle expected;
        expected.dateStyle = store::ChequeStyle::DigitsInBoxes;
        expected.dateOrder = 2;
        expected.boxWidth = 5;
        expected.crossingAngle = 30;
        expected.crossingStyle = store::ChequeStyle::CrossingLines;
        expected.crossingWords = store::ChequeStyle::NotNegotiable;
        QCOMPARE(window.style(), expected);
    }

    void escapeKeepsTheStyle()
    {
        store::ChequeStyle style;
        style.dateStyle = store::ChequeStyle::LongDate;
        frmChequeStyle window(style, QStringLiteral("Inches"), nullptr);
        QVERIFY(shownActive(&window));
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
        QVERIFY(shownActive(&window));
        QCOMPARE(controlOf(QApplication::focusWidget()), QStringLiteral("lstLeaves"));
        for (const int key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(window.result(), result);
        QCOMPARE(window.chosen(), chosen);
    }
};

QTEST_MAIN(TestFrmDesigner)
#include "test_frmDesigner.moc"
