// The cheque preview: how long its window takes to open, the page composed
// for the system's printer and drawn once over the bank's leaf, against its
// floor, a plain widget showing the same leaf read from the data file,
// alternating. Needs a printer for the page's geometry: bench/run starts
// the CUPS spooler's PDF printer.
#include "database.h"
#include "frmPreview.h"
#include "leafimage.h"
#include "measure.h"
#include "messages.h"
#include "statements.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int trials = 15;

void fail(const QString &what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(1);
}

// Created, shown and painted: what the user waits for after Preview.
double openMilliseconds(const ChequeItems &items)
{
    QElapsedTimer timer;
    timer.start();
    frmPreview window(items);
    window.show();
    (void)window.grab();
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    if (!window.problem().isEmpty())
        fail(window.problem());
    return milliseconds;
}

// The floor: the leaf read, decoded and shown by a plain label.
double plainLeafMilliseconds(const QString &bank)
{
    QElapsedTimer timer;
    timer.start();
    QLabel label;
    const std::optional<LeafImage> leaf = loadLeafImage(bank);
    if (!leaf)
        fail(QStringLiteral("the leaf could not be read"));
    label.setPixmap(QPixmap::fromImage(leaf->image));
    label.show();
    (void)label.grab();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (QPrinterInfo::defaultPrinterName().isEmpty()) {
        std::fprintf(stderr, "preview_open_ms needs a printer: run bench/run, which starts "
                             "the test printer (or source scripts/cups.sh first)\n");
        return 0;
    }
    Messages::setPresenter([](const Messages::Message &message) { fail(message.text); });
    QTemporaryDir dir;
    store::useDatabaseFile(dir.filePath(QStringLiteral("ql.mdb")));
    if (const QString problem = store::prepareDatabase(); !problem.isEmpty())
        fail(problem);
    const QString bank = QStringLiteral("City Bank");
    {
        store::Connection connection(QStringLiteral("fill"));
        store::LeafImageRow leaf;
        if (const QString problem = readLeafImageFile(QStringLiteral(LEAF_IMAGE), &leaf);
            !problem.isEmpty())
            fail(problem);
        if (store::replaceLayout(connection.database(),
                                 {QStringLiteral("mms"), bank,
                                  {8, 165, 35, 25, 30, 120, 38, 25, 20, 48, 10, 120, 63, 152, 40}})
                .isValid()
            || store::replaceLeafImage(connection.database(), bank, leaf).isValid())
            fail(QStringLiteral("add a layout and its leaf"));
    }
    const ChequeItems items{bank, QStringLiteral("Asha Menon"), QStringLiteral("123456.78"),
                            QStringLiteral("Rupees One Lakh Twenty Three Thousand Four Hundred "
                                           "Fifty Six and Paise Seventy Eight Only"),
                            QDate(2027, 1, 15), true};

    QList<double> times, ratios;
    for (int trial = 0; trial < trials; ++trial) {
        const double floor = plainLeafMilliseconds(bank);
        times << openMilliseconds(items);
        ratios << times.last() / floor;
    }
    std::printf("preview_open_ms %.3f ms\n", median(times));
    std::printf("preview_vs_plain_widget_ratio %.2f x\n", median(ratios));
    return 0;
}
