#include "styleditems.h"


#include <QLocale>
#include <QtMath>
#include <array>

namespace {

using store::ChequeStyle;

const float crossingPoints = 8;
// The leaf of the cheque clearing standard, where the bank's is not known.
const QSizeF standardLeafMm(203.2, 93.1);

const std::array<QString, 3> boxOrders = {QStringLiteral("ddMMyyyy"), QStringLiteral("MMddyyyy"),
                                          QStringLiteral("yyyyMMdd")};
const std::array<QString, 3> numericOrders = {
    QStringLiteral("dd/MM/yyyy"), QStringLiteral("MM/dd/yyyy"), QStringLiteral("yyyy-MM-dd")};
const std::array<QString, 2> longOrders = {QStringLiteral("MMMM d, yyyy"),
                                           QStringLiteral("d MMMM yyyy")};
const std::array<QString, 4> crossingWords = {QStringLiteral("A/c Payee only"),
                                              QStringLiteral("Not Negotiable"),
                                              QStringLiteral("& Co."), QString()};

template <typename Array>
const QString &pick(const Array &choices, int index)
{
    return choices[std::clamp<int>(index, 0, int(choices.size()) - 1)];
}

QPolygonF rectangle(const QRectF &box)
{
    return QPolygonF(box).mid(0, 4);
}

// Where each digit's box starts, from the first box: the gaps come after
// the first and second groups (two, two and four digits, or four, two, two).
double boxOffset(const ChequeStyle &style, int box)
{
    const bool yearFirst = style.dateOrder == 2;
    const int firstGroupEnd = yearFirst ? 4 : 2;
    const int secondGroupEnd = yearFirst ? 6 : 4;
    return box * style.boxWidth + (box >= firstGroupEnd ? style.gapAfterFirst : 0)
        + (box >= secondGroupEnd ? style.gapAfterSecond : 0);
}

QString placeDigits(const LayoutRecord &layout, const QDate &date, QPointF place,
                    Printer &printer, QList<ComposedText> *texts, ItemField *field)
{
    const ChequeStyle &style = layout.style;
    const QString digits = date.toString(pick(boxOrders, style.dateOrder));
    const QList<QRectF> cells = dateBoxes(layout, place, printer.TextHeight(digits));
    if (!(style.boxWidth > 0))
        return QStringLiteral("The date boxes of the cheque layout of the bank \"%1\" have no "
                              "width.\n\nSet the width of the date boxes in the cheque layout "
                              "editor.")
            .arg(layout.bankName);
    QRectF all;
    for (int box = 0; box < digits.size(); ++box) {
        const QString digit = digits.mid(box, 1);
        const QRectF &cell = cells[box];
        const double width = printer.TextWidth(digit), textHeight = printer.TextHeight(digit);
        if (width > cell.width() || textHeight > cell.height() + 1e-6)
            return QStringLiteral("The date's digits do not fit their boxes in the cheque layout "
                                  "of the bank \"%1\": a digit needs %2 by %3 and a box is %4 by "
                                  "%5 (%6).\n\nMake the date boxes larger in the cheque layout "
                                  "editor.")
                .arg(layout.bankName, QString::number(width, 'g', 3),
                     QString::number(textHeight, 'g', 3), QString::number(cell.width(), 'g', 3),
                     QString::number(cell.height(), 'g', 3), scaleModeName(layout.scaleMode()));
        const QString item = QStringLiteral("Date digit %1").arg(box + 1);
        texts->append({item, QString(), float(cell.left()), float(cell.top()), chequeFontSize,
                       0, cell.bottomRight(), true});
        texts->append({item, digit, float(cell.center().x() - width / 2),
                       float(cell.center().y() - textHeight / 2), chequeFontSize});
        all |= cell;
    }
    *field = {QStringLiteral("Date"), rectangle(all)};
    return {};
}

} // namespace

QList<QRectF> dateBoxes(const LayoutRecord &layout, QPointF place, double textHeight)
{
    const ChequeStyle &style = layout.style;
    const double height = style.boxHeight > 0 ? style.boxHeight : textHeight;
    QList<QRectF> cells;
    for (int box = 0; box < 8; ++box)
        cells.append(QRectF(place.x() + boxOffset(style, box), place.y(), style.boxWidth, height));
    return cells;
}

ItemField fieldOf(const ComposedText &text, double width, Printer &printer)
{
    printer.FontSize(text.points);
    const QRectF box(text.left, text.top, std::max(printer.TextWidth(text.text), width),
                     printer.TextHeight(text.text));
    printer.FontSize(chequeFontSize);
    return {text.item, rectangle(box)};
}

QString dateText(const ChequeStyle &style, const QDate &date, const Printer &printer)
{
    switch (style.dateStyle) {
    case ChequeStyle::NumericDate:
        return QLocale::c().toString(date, pick(numericOrders, style.dateOrder));
    case ChequeStyle::LongDate:
        // The words are English, and so are the month's names beside them.
        return QLocale(QLocale::English).toString(date, pick(longOrders, style.dateOrder));
    default:
        return chequeDateText(date, printer);
    }
}

QString placeDate(const LayoutRecord &layout, const QDate &date, QPointF place, Printer &printer,
                  QList<ComposedText> *texts, ItemField *field)
{
    if (layout.style.dateStyle == ChequeStyle::DigitsInBoxes)
        return placeDigits(layout, date, place, printer, texts, field);
    const ComposedText text{QStringLiteral("Date"), dateText(layout.style, date, printer),
                            float(place.x()), float(place.y()), chequeFontSize};
    texts->append(text);
    *field = fieldOf(text, layout.position(store::Datewidth).value_or(0), printer);
    return {};
}

QRectF leafInUnits(const LayoutRecord &layout, const Printer &printer)
{
    const QRectF mm = layout.leafMm.value_or(QRectF(QPointF(), standardLeafMm));
    const double perUnit = printer.MillimetresPerUnit();
    return {mm.topLeft() / perUnit, mm.size() / perUnit};
}

void placeCrossing(const LayoutRecord &layout, float dateTop, Printer &printer,
                   QList<ComposedText> *texts, ItemField *field)
{
    const ChequeStyle &style = layout.style;
    if (style.crossingStyle != ChequeStyle::CrossingLines) {
        const ComposedText text{QStringLiteral("A/c Payee crossing"),
                                QStringLiteral("A/c Payee only"), 1, dateTop, chequeFontSize};
        texts->append(text);
        *field = fieldOf(text, 0, printer);
        return;
    }
    // Along the lines (u) and across them (n), on a page whose y runs down.
    const double perUnit = printer.MillimetresPerUnit();
    const double angle = qDegreesToRadians(style.crossingAngle);
    const QPointF u(std::cos(angle), -std::sin(angle)), n(std::sin(angle), std::cos(angle));
    const QPointF middle =
        leafInUnits(layout, printer).topLeft() + QPointF(style.crossingLeft, style.crossingTop) / perUnit;
    const double length = style.crossingLength / perUnit, gap = style.crossingGap / perUnit;
    for (const int side : {-1, 1}) {
        const QPointF from = middle + side * n * gap / 2 - u * length / 2;
        texts->append({QStringLiteral("crossing line"), QString(), float(from.x()),
                       float(from.y()), chequeFontSize, 0, from + u * length});
    }

    // The words between the lines, centred on their middle.
    const QString &words = pick(crossingWords, style.crossingWords);
    printer.FontSize(crossingPoints);
    const double width = words.isEmpty() ? 0 : printer.TextWidth(words);
    const double height = words.isEmpty() ? 0 : printer.TextHeight(words);
    printer.FontSize(chequeFontSize);
    if (!words.isEmpty()) {
        const QPointF corner = middle - u * width / 2 - n * height / 2;
        texts->append({QStringLiteral("crossing"), words, float(corner.x()), float(corner.y()),
                       crossingPoints, float(style.crossingAngle)});
    }
    const QPointF along = u * std::max(length, width) / 2, across = n * std::max(gap, height) / 2;
    *field = {QStringLiteral("crossing"),
              QPolygonF({middle - along - across, middle + along - across,
                         middle + along + across, middle - along + across})};
}
