#include "alignmentpage.h"

#include "chequepage.h"
#include "database.h"
#include "failure.h"
#include "layoutrecord.h"
#include "styleditems.h"
#include "systemprinter.h"

#include <QRectF>
#include <array>
#include <cmath>

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

// The ticks of one ruler: a tick each millimetre, longer each 5, longest
// and numbered each 10, counted both ways from the outline's edge (`zero`)
// and kept between `from` and `to`, the printable area's edges once the
// printer's offset has moved the page. `tick` draws the tick at a place
// and length; `number` prints the count beside it.
template<typename Tick, typename Number>
void rulerTicks(double zero, double from, double to, Tick tick, Number number)
{
    for (int mm = int(std::ceil(from - zero)); mm <= int(std::floor(to - zero)); ++mm) {
        const float at = float(zero + mm);
        tick(at, mm % 10 == 0 ? 3.0f : mm % 5 == 0 ? 2.0f : 1.0f);
        if (mm % 10 == 0)
            number(at, QString::number(mm));
    }
}

// Millimetre rulers along the printable area's top and left edges, counted
// from the leaf's outline, so a leaf lying left of or above the outline
// reads as negative.
void printRulers(Printer &printer, const QRectF &outline, QString *problem)
{
    printer.ScaleMode(ScaleMillimetres);
    const float left = float(printer.ScaleLeft()), top = float(printer.ScaleTop());
    const float right = left + float(printer.ScaleWidth());
    const float bottom = top + float(printer.ScaleHeight());
    printer.Line(left, top, right, top);
    printer.Line(left, top, left, bottom);
    rulerTicks(
        outline.left(), left, right, [&](float x, float length) { printer.Line(x, top, x, top + length); },
        [&](float x, const QString &count) {
            if (x + 0.4 + printer.TextWidth(count) <= right)
                printAt(printer, x + 0.4f, top + 1.2f, count, problem);
        });
    rulerTicks(
        outline.top(), top, bottom, [&](float y, float length) { printer.Line(left, y, left + length, y); },
        [&](float y, const QString &count) {
            if (y + 0.4 + printer.TextHeight(count) <= bottom)
                printAt(printer, left + 1.2f, y + 0.4f, count, problem);
        });
}

// Which paper the page is printed on, said on the page itself.
void printPaperNote(Printer &printer, const QRectF &outline, QString *problem)
{
    const QString note = QStringLiteral("Alignment page, on a #10 envelope (105 x 241 mm) or a "
                                        "sheet fed as one. Lay a blank leaf where the printer "
                                        "takes it and read its edges on the rulers.");
    const float top = float(outline.bottom()) + 4;
    if (top + printer.TextHeight(note) <= printer.ScaleTop() + printer.ScaleHeight())
        printAt(printer, float(outline.left()) + 4, top, note, problem);
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
        if (item.top == DateTop && layout.style.dateStyle == ChequeStyle::DigitsInBoxes) {
            // Each digit's box, to lay over the leaf's own.
            for (const QRectF &cell : dateBoxes(layout, QPointF(*left, *top), line))
                printer.Box(cell.left(), cell.top(), cell.right(), cell.bottom());
        }
        printer.Line(*left - arm, *top, *left + arm, *top);
        printer.Line(*left, *top - arm, *left, *top + arm);
    }
    // The crossing's lines and words, where the cheque has them.
    if (layout.style.crossingStyle == ChequeStyle::CrossingLines && problem->isEmpty()) {
        QList<ComposedText> crossing;
        ItemField field;
        placeCrossing(layout, layout.position(DateTop).value_or(0), printer, &crossing, &field);
        *problem = printComposedTexts(printer, crossing);
    }
}

} // namespace

namespace {

// The bank's layout, read as the cheque reads it, and its own leaf where it
// has one. Returns what kept them from being read.
QString readBank(const QString &bankName, std::optional<LayoutRecord> *layout,
                 std::optional<store::LeafImageRow> *leaf)
{
    const store::Connection connection(QStringLiteral("printAlignmentPage"));
    if (!connection.isOpen())
        return store::failureText(QStringLiteral("open the data file"), connection.error());
    if (const QSqlError error = loadLayoutRecord(connection.database(), bankName, layout);
        error.isValid())
        return store::failureText(
            QStringLiteral("read the cheque layout of the bank \"%1\"").arg(bankName), error);
    if (!*layout)
        return QStringLiteral("There is no cheque layout for the bank \"%1\".").arg(bankName);
    if (const QSqlError error = store::findLeafImage(connection.database(), bankName, leaf);
        error.isValid())
        return store::failureText(
            QStringLiteral("read the leaf image of the bank \"%1\"").arg(bankName), error);
    return {};
}

} // namespace

QString printAlignmentPage(const QString &bankName, Printer &printer)
{
    // 1. The bank's layout and leaf; without a bank, the standard leaf and
    //    the rulers alone, which are enough to measure the printer.
    std::optional<LayoutRecord> layout;
    std::optional<store::LeafImageRow> leaf;
    if (!bankName.isEmpty()) {
        if (QString problem = readBank(bankName, &layout, &leaf); !problem.isEmpty())
            return problem;
    }

    // 2. The cheque's page, its leaf and the rulers, then the items.
    printer.Orientation(landscape);
    printer.PaperSize(envelope10);
    printer.FontName(SystemPrinter::substituteFace());
    printer.FontSize(rulerPoints);
    QString problem;
    const store::LeafImageRow place = leaf.value_or(store::LeafImageRow());
    const QRectF outline(place.leftMm, place.topMm, place.widthMm, place.heightMm);
    printRulers(printer, outline, &problem);
    printPaperNote(printer, outline, &problem);
    printer.Box(float(outline.left()), float(outline.top()), float(outline.right()),
                float(outline.bottom()));
    if (layout)
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
