// The layout editor and the leaf image: one drag step of an item, the
// editor's boxes and the setup window's boxes updated and the page painted
// again; and the preview window opened over a bank with a 2400 x 1100 px
// leaf. The preview needs a printer for its page: bench/run starts the CUPS
// spooler's PDF printer.
#include "database.h"
#include "frmChqLyt.h"
#include "frmDesigner.h"
#include "frmPreview.h"
#include "leafimage.h"
#include "messages.h"
#include "statements.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int dragSteps = 200;
constexpr int previewTrials = 15;
const QString bank = QStringLiteral("Leaf Bank");

void fail(const QString &what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(1);
}

double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void fillDatabase()
{
    store::Connection connection(QStringLiteral("fill"));
    store::LeafImageRow row;
    if (const QString problem = readLeafImageFile(QStringLiteral(LEAF_IMAGE), &row);
        !problem.isEmpty())
        fail(problem);
    if (store::replaceLayout(connection.database(),
                             {QStringLiteral("mms"), bank,
                              {6.5, 154, 40, 22, 20, 150, 32, 26, 118, 41, 12, 132, 35.5, 158, 36}})
            .isValid()
        // Broken by their width, the words stay clear of the figures.
        || store::replaceWordsChoice(connection.database(), bank, {true, true}).isValid()
        || store::replaceLeafImage(connection.database(), bank, row).isValid())
        fail(QStringLiteral("fill the data file"));
}

void send(QWidget *view, QEvent::Type type, QPointF at)
{
    QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view, &event);
}

// From the move's arrival to the page painted again.
double dragStepMilliseconds()
{
    frmChqLyt form;
    form.show();
    form.findChild<QComboBox *>(QStringLiteral("cmb"))->setCurrentText(bank);
    form.cmb_Click();
    form.findChild<QPushButton *>(QStringLiteral("cmdDesign"))->click();
    auto *designer = form.findChild<frmDesigner *>();
    DesignView *view = designer->view();
    const QPointF start = view->pageCorner()
        + view->boxes().first().points.center() * view->pixelsPerPoint();
    send(view, QEvent::MouseButtonPress, start);
    QList<double> times;
    QElapsedTimer timer;
    for (int step = 0; step < dragSteps; ++step) {
        timer.start();
        send(view, QEvent::MouseMove, start + QPointF(step % 40, step % 20));
        (void)view->grab();  // painted in full, as the screen would
        times << timer.nsecsElapsed() / 1e6;
    }
    send(view, QEvent::MouseButtonRelease, start);
    return median(times);
}

double previewOpenMilliseconds()
{
    const ChequeItems items{bank, QStringLiteral("Asha Menon"), QStringLiteral("123456.78"),
                            QStringLiteral("Rupees One Lakh Twenty Three Thousand Four Hundred "
                                           "Fifty Six and Paise Seventy Eight Only"),
                            QDate(2027, 1, 15), true};
    QList<double> times;
    for (int trial = 0; trial < previewTrials; ++trial) {
        QElapsedTimer timer;
        timer.start();
        frmPreview window(items);
        window.show();
        (void)window.grab();
        times << timer.nsecsElapsed() / 1e6;
        if (!window.problem().isEmpty())
            fail(window.problem());
    }
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Messages::setPresenter([](const Messages::Message &message) {
        if (message.text != QLatin1String("Data Saved"))
            fail(message.text);
    });
    QTemporaryDir dir;
    store::useDatabaseFile(dir.filePath(QStringLiteral("ql.mdb")));
    if (const QString problem = store::prepareDatabase(); !problem.isEmpty())
        fail(problem);
    fillDatabase();
    frmDesigner::install();

    std::printf("designer_drag_step_ms %.3f ms\n", dragStepMilliseconds());
    if (QPrinterInfo::defaultPrinterName().isEmpty()) {
        std::fprintf(stderr, "preview_open_leaf_ms needs a printer: run bench/run, which starts "
                             "the test printer (or source scripts/cups.sh first)\n");
        return 0;
    }
    std::printf("preview_open_leaf_ms %.3f ms\n", previewOpenMilliseconds());
    return 0;
}
