// The preview window, opened from the print window's Preview button, and
// the calibration window with its alignment page. The page's geometry comes
// from the system's printer, so this runs beside the CUPS spooler that
// scripts/test starts; what Print prints is recorded.

#include "frmCalibrate.h"
#include "frmPreview.h"
#include "frmPrtChq.h"
#include "frmRuler.h"
#include "pageview.h"
#include "printeroffset.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "truesize.h"
#include "windowchecks.h"

#include <QBuffer>
#include <QDoubleSpinBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

const QString bank = u"City Bank"_s;
const QString printer = u"Office Laser"_s;

std::optional<QPointF> keptOffset(const QSqlDatabase &db)
{
    std::optional<QPointF> offset;
    if (store::findPrinterOffset(db, printer, &offset).isValid())
        qFatal("the offset could not be read");
    return offset;
}

} // namespace

class TestFrmPreview : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;
    std::unique_ptr<RecordedMessages> m_messages;
    std::unique_ptr<RecordedPrinting> m_printing;

    // The bank's layout, lacking the amount's left edge unless `complete`.
    void addLayout(bool complete = true)
    {
        store::LayoutRow layout{u"mms"_s, bank, {8, 165, 40, 25, 30, 120, 38, 25, 250, 48, 10, 120,
                                                 63, 152.5, 40}};
        if (!complete)
            layout.positions[store::AmtLeft].reset();
        QVERIFY(!store::replaceLayout(m_database->db(), layout).isValid());
    }

    // The print window filled in for the bank.
    std::unique_ptr<frmPrtChq> filledPrintWindow(bool complete = true)
    {
        addLayout(complete);
        auto window = std::make_unique<frmPrtChq>();
        window->show();
        fillPrintWindow(window.get(), bank, u"Asha Menon"_s, u"1500"_s);
        return window;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("QUILLMARK_PRINTER"),
                 "no test printer: run beside scripts/cups.sh");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        frmPreview::install();
    }
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        QVERIFY(!store::addBank(m_database->db(), {u"111"_s, bank, u"INR"_s}).isValid());
        m_messages = std::make_unique<RecordedMessages>();
        m_printing = std::make_unique<RecordedPrinting>();
        m_printing->setPrintableSize({230, 95});  // in mm, as the layout is
    }
    void cleanup()
    {
        m_printing.reset();
        m_messages.reset();
        m_database.reset();
    }

    // The printers are read from CUPS once per run, not at every preview; a
    // printer set up meanwhile is listed when the user opens the list.
    void aPrinterSetUpMeanwhileIsListedWhenTheListOpens()
    {
        addLayout();
        const ChequeItems items{bank, u"Asha Menon"_s, u"5.00"_s, u"Rupees Five Only"_s,
                                QDate(2027, 1, 15), false};
        const auto listed = [](QComboBox *list) {
            QStringList names;
            for (int i = 0; i < list->count(); ++i)
                names << list->itemText(i);
            return names;
        };
        frmPreview before(items);
        const QStringList printers = listed(control<QComboBox>(&before, u"cmbPrinter"_s));
        QVERIFY(printers.contains(qEnvironmentVariable("QUILLMARK_PRINTER")));
        const QString added = u"Quillmark_Added"_s;
        const auto lpadmin = [](const QStringList &arguments) {
            QProcess process;
            process.start(u"lpadmin"_s, arguments);
            return process.waitForFinished() && process.exitCode() == 0;
        };
        QVERIFY(lpadmin({u"-p"_s, added, u"-E"_s, u"-v"_s, u"quillmark-pdf:/"_s, u"-P"_s,
                         qEnvironmentVariable("QUILLMARK_PRINTER_PPD")}));

        frmPreview after(items);
        auto *list = control<QComboBox>(&after, u"cmbPrinter"_s);
        QCOMPARE(listed(list), printers);
        list->showPopup();
        list->hidePopup();
        lpadmin({u"-x"_s, added});
        QVERIFY(listed(list).contains(added));
        QCOMPARE(list->currentText(), qEnvironmentVariable("QUILLMARK_PRINTER"));
        QVERIFY(after.problem().isEmpty());
    }

    // Opened with Preview; then keys pressed in the preview: what is
    // printed, what the user is told, and whether the print window stays.
    void keysInThePreview_data()
    {
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("printed");
        QTest::newRow("Enter prints") << true << QList<int>{Qt::Key_Return} << true;
        QTest::newRow("Escape closes") << true << QList<int>{Qt::Key_Escape} << false;
        QTest::newRow("Tab, Tab, Shift+Tab, Enter presses Cancel")
            << true << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return} << false;
        QTest::newRow("refusal shown, nothing to print") << false << QList<int>{Qt::Key_Return} << false;
    }
    void keysInThePreview()
    {
        QFETCH(bool, complete);
        QFETCH(QList<int>, keys);
        QFETCH(bool, printed);
        auto window = filledPrintWindow(complete);
        QString problem, chosenPrinter;
        bool open = true;
        inNextModal([&](QWidget *preview) {
            problem = qobject_cast<frmPreview *>(preview)->problem();
            chosenPrinter = control<QComboBox>(preview, u"cmbPrinter"_s)->currentText();
            for (int key : keys)
                QTest::keyClick(preview->focusWidget(), Qt::Key(key));
            open = preview->isVisible();
            preview->close();
        });
        QTest::mouseClick(control(window.get(), u"Preview"_s), Qt::LeftButton);

        QCOMPARE(chosenPrinter, qEnvironmentVariable("QUILLMARK_PRINTER"));
        QCOMPARE(problem.startsWith(u"The cheque layout of the bank \"City Bank\" has no value for AmtLeft"_s),
                 !complete);
        QVERIFY(!open);
        QCOMPARE(m_messages->texts(), printed ? QStringList{"Cheque Printing Completed"} : QStringList());
        QCOMPARE(m_printing->operations().contains(u"EndDoc"_s), printed);
        QCOMPARE(rowsOf(m_database->db(), u"Select ChequeNo from ChqIssuereg"_s).size(), printed ? 1 : 0);
        QCOMPARE(window->isVisible(), !printed);
    }

    // The preview opened twice. First: true size at 100%, the zoom buttons
    // and Ctrl+wheel; made smaller than its own size (as on a screen at
    // 200%), Print and Cancel stay inside it. Then, after calibration: it
    // opens at that size again, the leaf moved with the texts as on paper.
    void previewZoomsKeepsItsSizeAndMovesTheLeaf()
    {
        auto window = filledPrintWindow();
        QList<double> zooms;
        QList<QPointF> leaf;
        double pixelsPerPoint = 0;
        QSize viewport, fitted, reopened;
        inNextModal([&](QWidget *preview) {
            auto *page = control<PageView>(preview, u"pgvCheque"_s);
            pixelsPerPoint = page->pixelsPerPoint();
            leaf << page->leafPlace().topLeft();
            for (const char *button : {"cmd200", "cmdFit", "cmd100"}) {
                control<QPushButton>(preview, QString::fromLatin1(button))->click();
                zooms << qobject_cast<frmPreview *>(preview)->zoom();
                if (zooms.size() == 2) {
                    viewport = control<QScrollArea>(preview, u"scrPage"_s)->viewport()->size();
                    fitted = page->size();
                }
            }
            QWheelEvent wheel(QPointF(5, 5), page->mapToGlobal(QPointF(5, 5)), {}, {0, 120},
                              Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(page, &wheel);
            zooms << qobject_cast<frmPreview *>(preview)->zoom();
            preview->resize(770, 450);  // the offscreen screen is 800 x 600
            for (const char *button : {"Print", "Cancel"})
                QVERIFY(preview->rect().contains(control(preview, QString::fromLatin1(button))->geometry()));
            preview->close();
        });
        QTest::mouseClick(control(window.get(), u"Preview"_s), Qt::LeftButton);
        QVERIFY(!store::replacePrinterOffset(m_database->db(), qEnvironmentVariable("QUILLMARK_PRINTER"),
                                             {2.5, -1.5}).isValid());
        inNextModal([&](QWidget *preview) {
            reopened = preview->size();
            leaf << control<PageView>(preview, u"pgvCheque"_s)->leafPlace().topLeft();
            preview->close();
        });
        QTest::mouseClick(control(window.get(), u"Preview"_s), Qt::LeftButton);

        QCOMPARE(pixelsPerPoint, window->screen()->physicalDotsPerInch() / 72);
        QCOMPARE(zooms[0], 2.0);
        QVERIFY(fitted.width() <= viewport.width() && fitted.height() <= viewport.height());
        QVERIFY(fitted.width() >= viewport.width() - 1 || fitted.height() >= viewport.height() - 1);
        QCOMPARE(zooms.mid(2), (QList<double>{1.0, 1.25}));
        QCOMPARE(reopened, QSize(770, 450));
        QCOMPARE(leaf.size(), 2);
        const QPointF moved = leaf[1] - leaf[0];
        QVERIFY2(qAbs(moved.x() - 2.5 * 72 / 25.4) < 1e-9 && qAbs(moved.y() + 1.5 * 72 / 25.4) < 1e-9,
                 qPrintable(u"%1, %2"_s.arg(moved.x()).arg(moved.y())));
    }

    // The bar made longer by 12 pixels with the keys and kept with Enter: from
    // then on the screen's millimetre is the card's width over the bar's.
    // Escape keeps nothing new.
    void screenMeasureIsKept()
    {
        frmRuler ruler;
        ruler.show();
        const double reported = ruler.screen()->physicalDotsPerInch() / 25.4;
        QCOMPARE(ruler.focusWidget()->objectName(), u"barCard"_s);
        for (const auto modifier : {Qt::ShiftModifier, Qt::NoModifier, Qt::NoModifier})
            QTest::keyClick(ruler.focusWidget(), Qt::Key_Right, modifier);
        QTest::keyClick(ruler.focusWidget(), Qt::Key_Return);
        QVERIFY(!ruler.isVisible());
        const double kept = (reported * frmRuler::cardWidthMillimetres + 12) / frmRuler::cardWidthMillimetres;
        QCOMPARE(screenPixelsPerMillimetre(ruler.screen()), kept);

        frmRuler again;
        again.show();
        QTest::keyClick(again.focusWidget(), Qt::Key_Right);
        QTest::keyClick(again.focusWidget(), Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QCOMPARE(screenPixelsPerMillimetre(again.screen()), kept);
    }

    // Measured at 200%, the measure is not used at 100%, and the other way round.
    void screenMeasureIsKeptPerScale()
    {
        QVERIFY(keepScreenMeasure(u"HDMI-1"_s, 2, 7.5));
        QCOMPARE(keptScreenMeasure(u"HDMI-1"_s, 1), std::nullopt);
        QVERIFY(keepScreenMeasure(u"HDMI-1"_s, 1, 3.75));
        QCOMPARE(keptScreenMeasure(u"HDMI-1"_s, 2), std::optional(7.5));
        QCOMPARE(keptScreenMeasure(u"HDMI-1"_s, 1), std::optional(3.75));
        QCOMPARE(keptScreenMeasure(u"HDMI-1"_s, 1.5), std::nullopt);
    }

    // The preview keeps the leaves it decoded, yet shows the leaf the data
    // file holds now: one replaced, one put back, one no longer an image.
    void keptLeavesFollowTheDataFile()
    {
        const auto png = [](QColor colour) {
            QImage image(4, 2, QImage::Format_RGB32);
            image.fill(colour);
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            return bytes;
        };
        const QList<std::pair<QByteArray, QColor>> leaves{
            {png(Qt::red), Qt::red}, {png(Qt::blue), Qt::blue}, {png(Qt::red), Qt::red},
            {"png", QColor()}};
        for (const auto &[bytes, colour] : leaves) {
            QVERIFY(!store::replaceLeafImage(m_database->db(), bank, {bytes, bytes, 180, 80, 5, 3})
                         .isValid());
            const std::optional<LeafImage> leaf = loadLeafImage(bank, LeafDecoding::KeptForTheRun);
            QCOMPARE(leaf ? leaf->image.pixelColor(0, 0) : QColor(), colour);
        }
        QCOMPARE(m_messages->texts().size(), 1);  // the image that cannot be read
    }

    // The kept offset, then the one entered; the leaf (the standard one, or
    // where the bank's image lies); the date one line high at its place (its
    // name printed there) with the cross-hair. Only Enter (OK) keeps the
    // offset entered; Escape drops it.
    void calibrationAndItsAlignmentPage_data()
    {
        QTest::addColumn<bool>("hasLayout");
        QTest::addColumn<bool>("hasLeaf");
        QTest::addColumn<int>("closingKey");
        QTest::addColumn<QStringList>("printed");  // what was printed, among other things
        QTest::addColumn<QPointF>("keptAfter");
        QTest::newRow("layout, Enter keeps")
            << true << false << int(Qt::Key_Return)
            << QStringList{"Offset 1 1", "Offset 1.5 -2", "Box 0 0 203.2 93.1", "Print Date",
                           "Box 165 8 205 9", "Line 164.5 8 165.5 8", "Print Amount", "EndDoc"}
            << QPointF(1.5, -2);
        QTest::newRow("bank's leaf") << true << true << int(Qt::Key_Return)
                                     << QStringList{"Box 5 3 185 83", "EndDoc"} << QPointF(1.5, -2);
        QTest::newRow("no layout, Escape drops") << false << false << int(Qt::Key_Escape)
                                                 << QStringList{"Offset 1 1", "Offset 1.5 -2"} << QPointF(1, 1);
    }
    void calibrationAndItsAlignmentPage()
    {
        QFETCH(bool, hasLayout);
        QFETCH(bool, hasLeaf);
        QFETCH(int, closingKey);
        QFETCH(QStringList, printed);
        QFETCH(QPointF, keptAfter);
        QVERIFY(!store::replacePrinterOffset(m_database->db(), printer, {1, 1}).isValid());
        if (hasLayout)
            addLayout();
        if (hasLeaf)
            QVERIFY(!store::replaceLeafImage(m_database->db(), bank, {"png", "png", 180, 80, 5, 3})
                         .isValid());
        frmCalibrate window(printer, bank);
        QVERIFY(shownActive(&window));
        control<QDoubleSpinBox>(&window, u"txtRight"_s)->setValue(1.5);
        control<QDoubleSpinBox>(&window, u"txtDown"_s)->setValue(-2);
        QTest::mouseClick(control<QPushButton>(&window, u"cmdAlign"_s), Qt::LeftButton);

        for (const QString &operation : printed)
            QVERIFY2(m_printing->operations().contains(operation), qPrintable(operation));
        QCOMPARE(m_printing->operations().contains(u"EndDoc"_s), hasLayout);
        QCOMPARE(m_messages->texts(), hasLayout ? QStringList{
            u"The alignment page was sent to the printer \"Office Laser\", to be printed on a "
            "#10 envelope."_s} : QStringList{
            u"There is no cheque layout for the bank \"City Bank\"."_s});
        QCOMPARE(keptOffset(m_database->db()), std::optional(QPointF(1, 1)));
        QTest::keyClick(window.focusWidget(), Qt::Key(closingKey));
        QVERIFY(!window.isVisible());
        QCOMPARE(keptOffset(m_database->db()), std::optional(keptAfter));
        QCOMPARE(m_printing->operations().count(u"EndDoc"_s), hasLayout ? 1 : 0);
    }

    // The rulers count from the outline both ways and stay on the printable
    // area, wherever the offset moves the page.
    void alignmentRulersCountFromTheOutline()
    {
        addLayout();
        QVERIFY(!store::replaceLeafImage(m_database->db(), bank, {"png", "png", 180, 80, 15, 3})
                     .isValid());
        frmCalibrate window(printer, bank);
        control<QDoubleSpinBox>(&window, u"txtRight"_s)->setValue(-1.5);
        control<QPushButton>(&window, u"cmdAlign"_s)->click();
        const QStringList operations = m_printing->operations();
        // The page moved 1.5 mm left: the area's left edge is at 1.5, the outline's at 15.
        for (const QString &printed : {u"Print -10"_s, u"Print 0"_s, u"Print 10"_s})
            QVERIFY2(operations.contains(printed), qPrintable(printed));
        QVERIFY(operations.contains(u"Line 2 0 2 1"_s));  // -13 from the outline
        QVERIFY(operations.contains(u"Line 1.5 0 2.5 0"_s));  // -3 down the left edge
        QVERIFY(!operations.contains(u"Line 1 0 1 1"_s));  // off the printable area
        QVERIFY(!operations.contains(u"Line 0 0 0 1"_s));
    }

    // From the main menu: no bank, so the standard leaf and the rulers
    // alone; and no printer, nothing to keep an offset for.
    void calibrationWithoutABankOrAPrinter()
    {
        frmCalibrate window(printer, QString());
        control<QPushButton>(&window, u"cmdAlign"_s)->click();
        const QStringList operations = m_printing->operations();
        QVERIFY(operations.contains(u"Box 0 0 203.2 93.1"_s));
        QVERIFY(operations.contains(u"EndDoc"_s));
        QVERIFY(!operations.contains(u"Print Date"_s));

        frmCalibrate none{QString(), QString()};
        m_messages->clear();
        control<QPushButton>(&none, u"OK"_s)->click();
        QCOMPARE(m_messages->texts(),
                 QStringList{u"There is no printer to calibrate. Set up a printer first."_s});
        QCOMPARE(keptOffset(m_database->db()), std::nullopt);
    }

    // An offset beyond 20 mm is refused, naming the limit, not cut.
    void offsetBeyondTheLimitIsRefused()
    {
        frmCalibrate window(printer, bank);
        QVERIFY(shownActive(&window));
        auto *right = control<QDoubleSpinBox>(&window, u"txtRight"_s);
        right->selectAll();
        QTest::keyClicks(right, u"25"_s);
        QTest::keyClick(right, Qt::Key_Return);
        QVERIFY(window.isVisible());
        QCOMPARE(m_messages->texts(), QStringList{
            u"The offset 25 mm is beyond the largest a printer is moved, 20 mm either way. "
            "Enter a value from -20 to 20."_s});
        QCOMPARE(keptOffset(m_database->db()), std::nullopt);
    }
};

QTEST_MAIN(TestFrmPreview)
#include "test_frmPreview.moc"
