#include "chequecomposition.h"

#include "itemfields.h"
#include "styleditems.h"
#include "wordslines.h"

#include <QLocale>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

const int landscape = 2;
const int envelope10 = 20;
const float fullSize = chequeFontSize;
const float smallestSize = 9;
const float sizeStep = 0.5;

const QString wordsLine1 = QStringLiteral("Amount in Words line 1");
const QString wordsLine2 = QStringLiteral("Amount in Words line 2");

// A measure as the user reads it: two decimals at most.
QString figure(double value)
{
    return std::isfinite(value) ? QString::number(std::round(value * 100) / 100)
                                : QString::number(value);
}

// The layout's values, each column the layout lacks a value for named once.
class Positions
{
public:
    explicit Positions(const LayoutRecord &layout) : m_layout(layout) {}

    float at(store::LayoutPosition column)
    {
        const std::optional<float> value = m_layout.position(column);
        const QString &name = store::layoutPositionColumns[column];
        if (!value && !m_missing.contains(name))
            m_missing.append(name);
        return value.value_or(0);
    }
    void needSecondLine()
    {
        at(store::AmtinWords2Left);
        at(store::AmtinWords2Top);
    }
    QString problem() const
    {
        if (m_missing.isEmpty())
            return {};
        return QStringLiteral("The cheque layout of the bank \"%1\" has no value for %2.\n\n"
                              "Enter the missing positions in the cheque layout setup.")
            .arg(m_layout.bankName, m_missing.join(QStringLiteral(", ")));
    }

private:
    const LayoutRecord &m_layout;
    QStringList m_missing;
};

void setUpPage(Printer &printer, int scaleMode)
{
    printer.Orientation(landscape);
    printer.PaperSize(envelope10);
    printer.ScaleMode(scaleMode);
    printer.PaperSize(envelope10);
    printer.FontName(QStringLiteral("1"));
    printer.FontSize(fullSize);
}

struct WordsLines {
    QStringList lines;
    float points = fullSize;
};

// The printable area's right edge, where the printer's offset puts it.
double printableRight(const Printer &printer)
{
    return printer.ScaleLeft() + printer.ScaleWidth();
}

// The width the second words line may take: its own, or up to the
// printable area's right edge when that is 0 or not set (or the leaf's,
// when the bank's leaf is known and ends first).
double secondLineWidth(const LayoutRecord &layout, const Printer &printer)
{
    const float width = layout.position(store::AmtinWords2Width).value_or(0);
    if (width > 0)
        return width;
    double edge = printableRight(printer);
    if (layout.leafMm)
        edge = std::min(edge, leafInUnits(layout, printer).right());
    return edge - layout.position(store::AmtinWords2Left).value_or(0);
}

// Whole words, as many as fit on line 1, the rest on line 2, at the largest
// size from 12 points down in half points at which they fit.
QString fitWordsByWidth(const LayoutRecord &layout, const QString &words, Printer &printer,
                        WordsLines *fitted)
{
    const float firstWidth = layout.position(store::AmtinWords1Width).value_or(0);
    const auto measure = [&](const QString &text) { return printer.TextWidth(text); };
    QStringList lines;
    for (float points = fullSize; points >= smallestSize; points -= sizeStep) {
        printer.FontSize(points);
        lines = wordsLinesByWidth(words, firstWidth, measure);
        const bool fits = !lines[0].isEmpty() || words.trimmed().isEmpty();
        if (fits && (lines.size() < 2 || measure(lines[1]) <= secondLineWidth(layout, printer))) {
            printer.FontSize(fullSize);
            *fitted = {lines, points};
            return {};
        }
    }
    // At the smallest size: what each line would need, the first holding
    // at least the first word.
    if (lines[0].isEmpty())
        lines = wordsLinesByWidth(words, measure(words.trimmed().section(u' ', 0, 0)), measure);
    const double firstNeeds = measure(lines[0]);
    const double secondNeeds = lines.size() > 1 ? measure(lines[1]) : 0;
    printer.FontSize(fullSize);
    return QStringLiteral("The amount in words does not fit its two lines in the cheque layout "
                          "of the bank \"%1\", even at %2 points: the words need a first line "
                          "%3 wide and a second line %4 wide (%5), and the layout gives them %6 "
                          "and %7.\n\nWiden the lines in the cheque layout setup.")
        .arg(layout.bankName, figure(smallestSize), figure(firstNeeds), figure(secondNeeds),
             scaleModeName(layout.scaleMode()), figure(firstWidth),
             figure(secondLineWidth(layout, printer)));
}

// The rule of hyphens after the last words line, ending at that line's
// width, so nothing can be written after the words. The user never placed
// it, so it is never refused: it ends at the printable area's right edge
// where the width reaches beyond. Empty when no hyphen fits after a blank.
QString fillerAfter(const ComposedText &line, double width, Printer &printer, float *left)
{
    printer.FontSize(line.points);
    const double end = std::min(line.left + width, printableRight(printer));
    const double room = end - line.left - printer.TextWidth(line.text + QLatin1Char(' '));
    const double hyphen = printer.TextWidth(QStringLiteral("-"));
    QString rule(room > 0 && hyphen > 0 ? qsizetype(room / hyphen) : 0, u'-');
    while (!rule.isEmpty() && printer.TextWidth(rule) > room)
        rule.chop(1);
    const double ruleWidth = printer.TextWidth(rule);
    // In single precision the rule's end must not pass the edge by a hair.
    *left = float(end - ruleWidth);
    while (*left + ruleWidth > end)
        *left = std::nextafter(*left, -HUGE_VALF);
    printer.FontSize(fullSize);
    return rule;
}

// The first character of a text the printer's font cannot draw, named.
QString missingGlyph(const ComposedText &composed, Printer &printer)
{
    printer.FontSize(composed.points);
    const QList<uint> characters = composed.text.toUcs4();
    const auto missing = std::find_if(characters.begin(), characters.end(),
                                      [&](uint character) { return !printer.HasGlyph(character); });
    printer.FontSize(fullSize);
    if (missing == characters.end())
        return {};
    const char32_t character = *missing;
    return QStringLiteral("The %1 \"%2\" holds the character U+%3 \"%4\", which the cheque font "
                          "cannot print: it would be left out.\n\nRemove the character, or "
                          "write it another way.")
        .arg(composed.item, composed.text,
             QString::number(uint(character), 16).toUpper().rightJustified(4, u'0'),
             QString::fromUcs4(&character, 1));
}

// Where a text reaches (left, top, right, bottom), turned with it; or a
// line's two ends. Kept as four numbers: a position that is no number or
// infinite stays so.
std::array<double, 4> reach(const ComposedText &composed, Printer &printer)
{
    const QPointF corner(composed.left, composed.top);
    if (composed.lineTo) {
        const QRectF line = QRectF(corner, *composed.lineTo).normalized();
        return {line.left(), line.top(), line.right(), line.bottom()};
    }
    printer.FontSize(composed.points);
    const double width = printer.TextWidth(composed.text);
    const double height = printer.TextHeight(composed.text);
    printer.FontSize(fullSize);
    if (composed.angle == 0)
        return {corner.x(), corner.y(), corner.x() + width, corner.y() + height};
    QTransform turn;
    turn.translate(corner.x(), corner.y()).rotate(-composed.angle);
    const QRectF turned = turn.mapRect(QRectF(0, 0, width, height));
    return {turned.left(), turned.top(), turned.right(), turned.bottom()};
}

// Whether any part of the text falls outside the printable area, named with
// its position and the area's size in the layout's unit.
QString offThePage(const ComposedText &composed, const LayoutRecord &layout, Printer &printer)
{
    const auto [left, top, right, bottom] = reach(composed, printer);
    const double width = printer.ScaleWidth();
    const double height = printer.ScaleHeight();
    // A printer's calibration offset moves the page, and the area with it.
    const double areaLeft = printer.ScaleLeft();
    const double areaTop = printer.ScaleTop();
    // Asked this way round, a position that is no number is outside too.
    if (left >= areaLeft && top >= areaTop && right <= areaLeft + width
        && bottom <= areaTop + height)
        return {};
    const QString moved = areaLeft == 0 && areaTop == 0
        ? QString()
        : QStringLiteral(", from left %1 and top %2 after the printer's calibration offset")
              .arg(figure(areaLeft), figure(areaTop));
    return QStringLiteral("The %1 \"%2\" falls outside the printable area of the page: it is "
                          "placed at left %3, top %4 and reaches right to %5, down to %6, and "
                          "the printable area is %7 wide and %8 high (%9)%10.\n\nCorrect its "
                          "position in the cheque layout of the bank \"%11\".")
        .arg(composed.item, composed.text, figure(left), figure(top),
             figure(right), figure(bottom), figure(width), figure(height),
             scaleModeName(layout.scaleMode()))
        .arg(moved, layout.bankName);
}

} // namespace

QString composeCheque(const LayoutRecord &layout, const store::WordsChoice &choice,
                      const ChequeItems &items, Printer &printer, QList<ComposedText> *texts)
{
    using namespace store;
    texts->clear();

    // 1. Every item's place in the layout.
    Positions position(layout);
    const QPointF datePlace(position.at(DateLeft), position.at(DateTop));
    const ComposedText name{QStringLiteral("Name"), items.payeeName, position.at(nameleft),
                            position.at(nameTop), fullSize};
    const float words1Width = position.at(AmtinWords1Width);
    const float words1Left = position.at(AmtinWords1Left);
    const float words1Top = position.at(AmtinWords1Top);

    // 2. The classic break needs no printer, so a missing value is reported
    // before the printer is touched.
    WordsLines words{amountInWordsLines(items.amountInWords, words1Width)};
    if (!choice.breakByWidth && words.lines.size() > 1)
        position.needSecondLine();
    const ComposedText amount{QStringLiteral("Amount"), QStringLiteral("**%1**").arg(items.amount),
                              position.at(AmtLeft), position.at(AmtTop), fullSize};
    if (QString problem = position.problem(); !problem.isEmpty())
        return problem;
    setUpPage(printer, layout.scaleMode());
    if (choice.breakByWidth) {
        if (QString problem = fitWordsByWidth(layout, items.amountInWords, printer, &words);
            !problem.isEmpty())
            return problem;
        if (words.lines.size() > 1)
            position.needSecondLine();
        if (QString problem = position.problem(); !problem.isEmpty())
            return problem;
    }

    // 3. The crossing and the date as the bank's style asks, the name.
    QList<ComposedText> placed;
    QList<ItemField> fields(2);
    if (items.crossed)
        placeCrossing(layout, float(datePlace.y()), printer, &placed, &fields[0]);
    else
        fields.removeFirst();
    if (QString problem = placeDate(layout, items.date, datePlace, printer, &placed,
                                    &fields.last());
        !problem.isEmpty())
        return problem;
    placed.append(name);
    fields.append(fieldOf(name, position.at(namewidth), printer));

    // 4. The words lines, and the rule after the last one when chosen.
    placed.append({wordsLine1, words.lines[0], words1Left, words1Top, words.points});
    fields.append(fieldOf(placed.last(), 0, printer));
    if (words.lines.size() > 1) {
        placed.append({wordsLine2, words.lines[1], position.at(AmtinWords2Left),
                       position.at(AmtinWords2Top), words.points});
        fields.append(fieldOf(placed.last(), 0, printer));
    }
    if (choice.fillAfterWords) {
        const double width =
            words.lines.size() > 1 ? secondLineWidth(layout, printer) : words1Width;
        float left = 0;
        if (const QString rule = fillerAfter(placed.last(), width, printer, &left); !rule.isEmpty()) {
            placed.append({QStringLiteral("fill of hyphens after the words"), rule, left, placed.last().top,
                           words.points});
            fields.append(fieldOf(placed.last(), 0, printer));
        }
    }
    placed.append(amount);
    fields.append(fieldOf(amount, position.at(AmtWidth), printer));

    // 5. Every text must print whole, and on the page; every item on the
    // leaf, clear of the MICR band and of every other item.
    for (const ComposedText &composed : std::as_const(placed)) {
        QString problem = composed.lineTo ? QString() : missingGlyph(composed, printer);
        if (problem.isEmpty() && !composed.guide)
            problem = offThePage(composed, layout, printer);
        if (!problem.isEmpty())
            return problem;
    }
    if (QString problem = fieldsProblem(layout, fields, printer); !problem.isEmpty())
        return problem;
    *texts = placed;
    return {};
}

QString chequeDateText(const QDate &date)
{
    // A batch writes one date on thousands of cheques, and formatting it is
    // slow; the last one is kept, per thread and for the locale it was in.
    thread_local QLocale lastLocale;
    thread_local QDate lastDate;
    thread_local QString lastText;
    const QLocale locale;
    if (date != lastDate || locale != lastLocale || lastText.isNull()) {
        lastText = locale.toString(date, QStringLiteral("dd/MMM/yyyy"));
        lastDate = date;
        lastLocale = locale;
    }
    return lastText;
}

QString chequeDateText(const QDate &date, const Printer &printer)
{
    const QString local = chequeDateText(date);
    const QList<uint> characters = local.toUcs4();
    if (std::all_of(characters.begin(), characters.end(),
                    [&](uint c) { return printer.HasGlyph(c); }))
        return local;
    return QLocale(QLocale::English).toString(date, QStringLiteral("dd/MMM/yyyy"));
}
