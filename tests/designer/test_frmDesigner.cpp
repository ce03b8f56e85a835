#include "files.h"
#include "frmChqLyt.h"
#include "frmDesigner.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QComboBox>
#include <sys/stat.h>
#include <QLineEdit>
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
    explicit Fixture(const QString &unit)
    {
        const double scale = unit == "Pixels" ? 47 : 1;
        QStringList values;
        for (const QString &value : leafLayout)
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
        return rowsOf(database.db(), "select * from Positions").value(0).mid(2);
    }
};

enum Action { DragDate, DragWidth, ArrowRight, ShiftDown, RightThenUndo, UndoRedo, TypeThenUndo, Escape };

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
        row("tenth of a mm", "mms", ArrowRight, {1}, {"154.1"});
        row("whole cm", "Cms", ShiftDown, {0}, {"7.5"});
        row("one dot", "Pixels", ArrowRight, {1}, {"7239"});
        row("undone", "mms", RightThenUndo, {1}, {"154"});
        row("redone", "mms", UndoRedo, {1}, {"154.1"});
        row("typing undone first", "mms", TypeThenUndo, {1}, {"154.1"});
        row("escape", "mms", Escape, {0, 1}, {"6.5", "154"});
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
        const QPointF handle = view->widthHandle().center();

        // Every step by mouse and keys, as a user gives them.
        if (action == DragDate || action == DragWidth) {
            const QPointF from = action == DragDate ? date : handle;
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
            if (action == Escape)
                QTest::keyClick(view, Qt::Key_Escape);
        }

        const QStringList saved = fixture.saved();
        for (int i = 0; i < columns.size(); ++i)
            QCOMPARE(saved.value(columns[i]).toDouble(), values[i].toDouble());
        QCOMPARE(fixture.recorded.texts(), QStringList{"Data Saved"});
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
            // The table is made with the first leaf kept.
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
};

QTEST_MAIN(TestFrmDesigner)
#include "test_frmDesigner.moc"
