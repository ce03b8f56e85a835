#include "alignmentpage.h"

#include "database.h"
#include "failure.h"
#include "layoutrecord.h"
#include "systemprinter.h"

#include <algorithm>
#include <array>

namespace {

// The cheque's own page: the #10 envelope in landscape.
const int landscape = 2;
const int envelope10 = 20;
const float itemPoints = 12;  // the size cheques are printed in
const float rulerPoints = 6;

struct AlignedItem {
    QString label;
    store::LayoutPosition top;
    store::LayoutPosition left;
    store::LayoutPosition width;
};

using namespace store;
const std::array<AlignedItem, 5> alignedItems = {{
    {QStringLiteral("Date"), DateTop, DateLeft, Datewidth},
    {QStringLiteral("Payee"), nameTop, nameleft, namewidth},
    {QStringLiteral("Words 1"), AmtinWords1Top, AmtinWords1Left, AmtinWords1Width},
    {QStringLiteral("Words 2"), AmtinWords2Top, AmtinWords2Left, AmtinWords2Width},
    {QStringLiteral("Amount"), AmtTop, AmtLeft, AmtWidth},
}};

// Prints a text at a place; a printer that cannot print leaves *problem set.
void printAt(Printer &printer, float x, float y, const QString &text, QString *problem)
{
    if (!problem->isEmpty())
        return;
    printer.CurrentX(x);
    printer.CurrentY(y);
    *problem = printer.Print(text);
}

// A tick each millimetre, longer each 5, longest and numbered each 10,
// along the printable area's top and left edges.
void printRulers(Printer &printer, QString *problem)
{
    printer.ScaleMode(ScaleMillimetres);
    const int across = int(printer.ScaleWidth()), down = int(printer.ScaleHeight());
    printer.Line(0, 0, across, 0);
    printer.Line(0, 0, 0, down);
    for (int mm = 1; mm <= std::max(across, down); ++mm) {
        const float tick = mm % 10 == 0 ? 3 : mm % 5 == 0 ? 2 : 1;
        if (mm <= across)
            printer.Line(mm, 0, mm, tick);
        if (mm <= down)
            printer.Line(0, mm, tick, mm);
        if (mm % 10 != 0)
            continue;
        if (mm <= across)
            printAt(printer, mm + 0.4f, 1.2f, QString::number(mm), problem);
        if (mm <= down)
            printAt(printer, 1.2f, mm + 0.4f, QString::number(mm), problem);
    }
}

// Each item the layout places, in the layout's own unit: its name printed
// where its text goes, in the cheque's size, which makes the box one line
// high; the cross-hair's arms are half a line.
void printItems(Printer &printer, const LayoutRecord &layout, QString *problem)
{
    printer.ScaleMode(layout.scaleMode());
    printer.FontSize(itemPoints);
    for (const AlignedItem &item : alignedItems) {
        const std::optional<float> top = layout.position(item.top);
        const std::optional<float> left = layout.position(item.left);
        if (!top || !left)
            continue;  // the cheque itself names what its layout lacks
        printAt(printer, *left, *top, item.label, problem);
        const float line = printer.CurrentY() - *top;
        const float arm = line / 2;
        if (const std::optional<float> width = layout.position(item.width); width && *width > 0)
            printer.Box(*left, *top, *left + *width, *top + line);
        printer.Line(*left - arm, *top, *left + arm, *top);
        printer.Line(*left, *top - arm, *left, *top + arm);
    }
}

} // namespace

QString printAlignmentPage(const QString &bankName, Printer &printer)
{
    // 1. The bank's layout, read as the cheque reads it.
    const store::Connection connection(QStringLiteral("printAlignmentPage"));
    if (!connection.isOpen())
        return store::failureText(QStringLiteral("open the data file"), connection.error());
    std::optional<LayoutRecord> layout;
    if (const QSqlError error = loadLayoutRecord(connection.database(), bankName, &layout);
        error.isValid())
        return store::failureText(
            QStringLiteral("read the cheque layout of the bank \"%1\"").arg(bankName), error);
    if (!layout)
        return QStringLiteral("There is no cheque layout for the bank \"%1\".").arg(bankName);
    // The bank's own leaf where it has one, else the standard leaf.
    std::optional<store::LeafImageRow> leaf;
    if (const QSqlError error = store::findLeafImage(connection.database(), bankName, &leaf);
        error.isValid())
        return store::failureText(
            QStringLiteral("read the leaf image of the bank \"%1\"").arg(bankName), error);
    const store::LeafImageRow outline = leaf.value_or(store::LeafImageRow());

    // 2. The cheque's page, its leaf and the rulers, then the items.
    printer.Orientation(landscape);
    printer.PaperSize(envelope10);
    printer.FontName(SystemPrinter::substituteFace());
    printer.FontSize(rulerPoints);
    QString problem;
    printRulers(printer, &problem);
    printer.Box(outline.leftMm, outline.topMm, outline.leftMm + outline.widthMm,
                outline.topMm + outline.heightMm);
    printItems(printer, *layout, &problem);

    // 3. A page that failed part-way never reaches the printer.
    if (problem.isEmpty())
        problem = printer.EndDoc();
    else
        printer.KillDoc();
    if (!problem.isEmpty())
        return QStringLiteral("The alignment page was not printed.\n\n%1").arg(problem);
    return {};
}
