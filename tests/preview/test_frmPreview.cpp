// The preview window, opened from the print window's Preview button. The
// page's geometry comes from the system's printer, so this runs beside the
// CUPS spooler that scripts/test starts; what Print prints is recorded.

#include "frmPreview.h"
#include "frmPrtChq.h"
#include "frmRuler.h"
#include "pageview.h"
#include "recordedmessages.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "truesize.h"
#include "windowchecks.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QWheelEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString bank = u"City Bank"_s;

template <typename Control = QWidget>
Control *control(QWidget *window, const QString &name)
{
    auto *found = window->findChild<Control *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Runs `step` on the modal window once it is open.
void whenOpen(std::function<void(QWidget *)> step)
{
    QTimer::singleShot(0, [step] {
        QVERIFY(QTest::qWaitFor([] { return QApplication::activeModalWidget(); }));
        step(QApplication::activeModalWidget());
    });
}

} // namespace

class TestFrmPreview : public QObject
{
    Q_OBJECT

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
        m_printing->setPrintableSize({230, 95});  // in mm, as the layout below is
    }
    void cleanup()
    {
        m_printing.reset();
        m_messages.reset();
        m_database.reset();
    }

    void printWindowOffersThePreviewLast();
    void keysInThePreview_data();
    void keysInThePreview();
    void zoomKeepsTrueSizeAt100();
    void screenMeasureIsKept();

private:
    // The print window filled in for the bank, whose layout lacks the
    // amount's left edge when `complete` is false.
    std::unique_ptr<frmPrtChq> filledPrintWindow(bool complete = true);

    std::unique_ptr<TemporaryDatabase> m_database;
    std::unique_ptr<RecordedMessages> m_messages;
    std::unique_ptr<RecordedPrinting> m_printing;
};

std::unique_ptr<frmPrtChq> TestFrmPreview::filledPrintWindow(bool complete)
{
    store::LayoutRow layout{u"mms"_s, bank, {8, 165, 40, 25, 30, 120, 38, 25, 250, 48, 10, 120, 63, 152.5, 40}};
    if (!complete)
        layout.positions[store::AmtLeft].reset();
    if (store::replaceLayout(m_database->db(), layout).isValid())
        return {};
    auto window = std::make_unique<frmPrtChq>();
    window->show();
    auto *banks = control<QComboBox>(window.get(), u"cmbBnk"_s);
    banks->setCurrentIndex(banks->findText(bank));
    emit banks->activated(banks->currentIndex());
    control<QLineEdit>(window.get(), u"Text1"_s)->setText(u"Asha Menon"_s);
    control<QLineEdit>(window.get(), u"txtChqNo"_s)->setText(u"000123"_s);
    control<QLineEdit>(window.get(), u"Text2"_s)->setText(u"1500"_s);
    return window;
}

void TestFrmPreview::printWindowOffersThePreviewLast()
{
    frmPrtChq window;
    QCOMPARE(tabOrder(&window, 4), (QStringList{"Print", "Cancel", "Preview", "Text3"}));
}

// Opened with Preview; then keys pressed in the preview: what it shows, what
// is printed, what the user is told, and whether the print window stays.
void TestFrmPreview::keysInThePreview_data()
{
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("focusAfter");  // the control with the focus after the keys
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("printed");

    const QStringList done{"Cheque Printing Completed"};
    QTest::newRow("Enter prints") << true << QList<int>{Qt::Key_Return} << "" << done << true;
    QTest::newRow("Escape closes") << true << QList<int>{Qt::Key_Escape} << "" << QStringList{} << false;
    QTest::newRow("Tab, Tab, Shift+Tab, Enter presses Cancel")
        << true << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return} << ""
        << QStringList{} << false;
    QTest::newRow("Tab walks") << true << QList<int>{Qt::Key_Tab, Qt::Key_Tab} << "cmbPrinter"
                               << QStringList{} << false;
    QTest::newRow("refusal shown, nothing to print")
        << false << QList<int>{Qt::Key_Return} << "" << QStringList{} << false;
}

void TestFrmPreview::keysInThePreview()
{
    QFETCH(bool, complete);
    QFETCH(QList<int>, keys);
    QFETCH(QString, focusAfter);
    QFETCH(QStringList, messages);
    QFETCH(bool, printed);

    auto window = filledPrintWindow(complete);
    QVERIFY(window);
    QString focus, problem, printer;
    whenOpen([&](QWidget *preview) {
        problem = qobject_cast<frmPreview *>(preview)->problem();
        printer = control<QComboBox>(preview, u"cmbPrinter"_s)->currentText();
        for (int key : keys)
            QTest::keyClick(preview->focusWidget(), Qt::Key(key));
        if (preview->isVisible())
            focus = preview->focusWidget()->objectName();
        preview->close();
    });
    QTest::mouseClick(control(window.get(), u"Preview"_s), Qt::LeftButton);

    QCOMPARE(printer, qEnvironmentVariable("QUILLMARK_PRINTER"));
    QCOMPARE(problem.startsWith(u"The cheque layout of the bank \"City Bank\" has no value for AmtLeft"_s),
             !complete);
    QCOMPARE(focus, focusAfter);
    QCOMPARE(m_messages->texts(), messages);
    QCOMPARE(m_printing->operations().contains(u"EndDoc"_s), printed);
    QCOMPARE(rowsOf(m_database->db(), u"Select ChequeNo from ChqIssuereg"_s).size(), printed ? 1 : 0);
    QCOMPARE(window->isVisible(), !printed);
}

void TestFrmPreview::zoomKeepsTrueSizeAt100()
{
    auto window = filledPrintWindow();
    QVERIFY(window);
    QList<double> zooms;
    double pixelsPerPoint = 0;
    QSize viewport, fitted;
    whenOpen([&](QWidget *preview) {
        auto *page = control<PageView>(preview, u"pgvCheque"_s);
        pixelsPerPoint = page->pixelsPerPoint();
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
        preview->close();
    });
    QTest::mouseClick(control(window.get(), u"Preview"_s), Qt::LeftButton);

    QCOMPARE(pixelsPerPoint, window->screen()->physicalDotsPerInch() / 72);
    QCOMPARE(zooms[0], 2.0);
    QVERIFY(fitted.width() <= viewport.width() && fitted.height() <= viewport.height());
    QVERIFY(fitted.width() >= viewport.width() - 1 || fitted.height() >= viewport.height() - 1);
    QCOMPARE(zooms.mid(2), (QList<double>{1.0, 1.25}));
}

// The bar made longer by 12 pixels with the keys and kept with Enter: from
// then on the screen's millimetre is the card's width over the bar's.
void TestFrmPreview::screenMeasureIsKept()
{
    frmRuler ruler;
    ruler.show();
    const double reported = ruler.screen()->physicalDotsPerInch() / 25.4;
    auto *bar = ruler.focusWidget();
    QCOMPARE(bar->objectName(), u"barCard"_s);
    QTest::keyClick(bar, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(bar, Qt::Key_Right);
    QTest::keyClick(bar, Qt::Key_Right);
    QTest::keyClick(bar, Qt::Key_Return);
    QVERIFY(!ruler.isVisible());
    const double kept = (reported * frmRuler::cardWidthMillimetres + 12) / frmRuler::cardWidthMillimetres;
    QCOMPARE(screenPixelsPerMillimetre(ruler.screen()), kept);

    // Tab leaves the bar for OK; Escape then closes, keeping nothing new.
    frmRuler again;
    again.show();
    QTest::keyClick(again.focusWidget(), Qt::Key_Right);
    QTest::keyClick(again.focusWidget(), Qt::Key_Tab);
    QCOMPARE(again.focusWidget()->objectName(), u"OK"_s);
    QTest::keyClick(again.focusWidget(), Qt::Key_Escape);
    QVERIFY(!again.isVisible());
    QCOMPARE(screenPixelsPerMillimetre(again.screen()), kept);
}

QTEST_MAIN(TestFrmPreview)
#include "test_frmPreview.moc"
