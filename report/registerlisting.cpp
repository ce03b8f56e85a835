#include "registerlisting.h"

#include "database.h"
#include "failure.h"
#include "registermoney.h"
#include "registerstatements.h"
#include "shortdate.h"
#include "systemprinter.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <array>
#include <cups/cups.h>

namespace {

// Shares of the printable width: the register's five columns, then the
// void reason.
const std::array<double, store::registerColumnCount + 1> columnShares{0.13, 0.27, 0.16,
                                                                        0.14, 0.12, 0.18};
const int amountColumn = 3;
const int numberColumn = 4;
// A blank line and the two totals follow the rows.
const int totalsLines = 3;

QString shownDate(const QDate &date)
{
    return QLocale().toString(date, shortDateFormat());
}

// A register cell as one printed line: dates in the short form, as the
// grid shows them, and line breaks as blanks.
QString cellText(const QVariant &value, bool isDate)
{
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    return isDate && date.isValid() ? shownDate(date) : value.toString().simplified();
}

// Lays the listing out on the printer's pages, one line at a time.
class ListingPages
{
public:
    ListingPages(QPrinter &printer, QPainter &painter, const QString &range,
                 const QStringList &headings, qint64 lines);

    // False when the printer could not start a new page.
    bool addRow(const QStringList &cells, bool isVoid);
    bool addLine(const QString &text);
    void finish() { drawPageNumber(); }

private:
    bool nextLine();
    void drawHeading();
    void drawPageNumber();
    double lineTop(int index) const;
    void drawCell(int column, const QString &text, double top);

    QPrinter &printer;
    QPainter &painter;
    QString range;
    QStringList headings;
    QFont body;
    QFont title;
    QRectF area;
    double lineHeight;
    int linesPerPage;
    int pageCount;
    int page = 0;
    int line = 0;
};

ListingPages::ListingPages(QPrinter &printer, QPainter &painter, const QString &range,
                           const QStringList &headings, qint64 lines)
    : printer(printer)
    , painter(painter)
    , range(range)
    , headings(headings)
    , body(SystemPrinter::substituteFace(), 9)
    , title(SystemPrinter::substituteFace(), 14, QFont::Bold)
    , area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size())
    , lineHeight(QFontMetricsF(body, &printer).lineSpacing() * 1.2)
{
    // Above the rows: the title, bank and dates, a gap and the headings;
    // below them a gap and the page number.
    linesPerPage = std::max(1, int((area.height() - lineTop(3) - 2 * lineHeight) / lineHeight));
    pageCount = int(std::max<qint64>(1, (lines + linesPerPage - 1) / linesPerPage));
}

bool ListingPages::nextLine()
{
    if (page > 0 && line < linesPerPage) {
        ++line;
        return true;
    }
    if (page > 0) {
        drawPageNumber();
        if (!printer.newPage())
            return false;
    }
    ++page;
    line = 1;
    drawHeading();
    return true;
}

void ListingPages::drawHeading()
{
    painter.setPen(Qt::black);
    painter.setFont(title);
    painter.drawText(QRectF(area.left(), area.top(), area.width(),
                            QFontMetricsF(title, &printer).lineSpacing()),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Cheque Issue Register"));
    painter.setFont(body);
    painter.drawText(QRectF(area.left(), lineTop(0), area.width(), lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, range);
    QFont bold = body;
    bold.setBold(true);
    painter.setFont(bold);
    for (int column = 0; column < headings.size(); ++column)
        drawCell(column, headings[column], lineTop(2));
    painter.drawLine(QPointF(area.left(), lineTop(3)), QPointF(area.right(), lineTop(3)));
}

void ListingPages::drawPageNumber()
{
    painter.setPen(Qt::black);
    painter.setFont(body);
    painter.drawText(QRectF(area.left(), area.bottom() - lineHeight, area.width(), lineHeight),
                     Qt::AlignCenter, QStringLiteral("Page %1 of %2").arg(page).arg(pageCount));
}

// The top of a line of the page's head: 0 is the bank and dates, 2 the
// headings, 3 the first row.
double ListingPages::lineTop(int index) const
{
    return area.top() + QFontMetricsF(title, &printer).lineSpacing() + index * lineHeight;
}

// Draws the text in the column on the line that starts at top. A long
// text is cut short to fit, but an amount or a number never is: it is drawn
// smaller instead, since "150…" reads as another amount.
void ListingPages::drawCell(int column, const QString &text, double top)
{
    double left = area.left();
    for (int before = 0; before < column; ++before)
        left += columnShares[before] * area.width();
    const double gap = lineHeight / 2;
    const QRectF cell(left, top, columnShares[column] * area.width() - gap, lineHeight);
    const Qt::Alignment across = column == amountColumn ? Qt::AlignRight : Qt::AlignLeft;
    const bool whole = column == amountColumn || column == numberColumn;
    const QFont font = painter.font();
    const double width = QFontMetricsF(font, &printer).horizontalAdvance(text);
    if (whole && width > cell.width()) {
        QFont smaller = font;
        smaller.setPointSizeF(font.pointSizeF() * cell.width() / width * 0.98);
        painter.setFont(smaller);
        painter.drawText(cell, across | Qt::AlignVCenter, text);
        painter.setFont(font);
        return;
    }
    painter.drawText(cell, across | Qt::AlignVCenter,
                     QFontMetricsF(font, &printer).elidedText(text, Qt::ElideRight, cell.width()));
}

// A listing needs a sheet of paper: on a printer set to an envelope or a
// leaf, the printer's A4 or Letter, the one of the system's measures first.
void useSheetOfPaper(QPrinter &printer)
{
    const QSizeF size = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    if (std::min(size.width(), size.height()) >= 148)  // A5 and larger
        return;
    const bool letterFirst = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    const QList<QPageSize> sheets = letterFirst
        ? QList<QPageSize>{QPageSize(QPageSize::Letter), QPageSize(QPageSize::A4)}
        : QList<QPageSize>{QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter)};
    const QList<QPageSize> supported = QPrinterInfo(printer).supportedPageSizes();
    for (const QPageSize &sheet : sheets)
        if (supported.isEmpty() || std::any_of(supported.begin(), supported.end(),
                                                [&](const QPageSize &size) {
                                                    return size.isEquivalentTo(sheet);
                                                })) {
            printer.setPageSize(sheet);
            printer.setPageOrientation(QPageLayout::Portrait);
            return;
        }
}

bool ListingPages::addRow(const QStringList &cells, bool isVoid)
{
    if (!nextLine())
        return false;
    // A void cheque is struck through and greyed, as in the grid; its
    // reason is not.
    QFont struck = body;
    struck.setStrikeOut(isVoid);
    painter.setFont(struck);
    painter.setPen(isVoid ? Qt::gray : Qt::black);
    for (int column = 0; column < store::registerColumnCount; ++column)
        drawCell(column, cells[column], lineTop(2 + line));
    painter.setFont(body);
    painter.setPen(Qt::black);
    drawCell(store::registerColumnCount, cells.value(store::registerColumnCount),
             lineTop(2 + line));
    return true;
}

bool ListingPages::addLine(const QString &text)
{
    if (!nextLine())
        return false;
    painter.setFont(body);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), lineTop(2 + line), area.width(), lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    return true;
}

QString databaseProblem(const QSqlError &error)
{
    return store::failureText(QStringLiteral("print the cheque issue register"), error);
}

// Draws the rows and the totals; returns why it stopped short.
QString drawListing(ListingPages &pages, QSqlQuery &rows, const store::RegisterTotals &totals,
                    const QString &currency)
{
    const int dateColumn = rows.record().indexOf(QStringLiteral("DateofChq"));
    const int reasonColumn = rows.record().indexOf(QStringLiteral("VoidReason"));
    while (rows.next()) {
        QStringList cells;
        for (int column = 0; column < store::registerColumnCount; ++column)
            cells.append(cellText(rows.value(column), column == dateColumn));
        const bool isVoid = !rows.isNull(reasonColumn);
        if (isVoid)
            cells.append(rows.value(reasonColumn).toString());
        if (!pages.addRow(cells, isVoid))
            return QStringLiteral("The printer could not start a new page.");
    }
    if (rows.lastError().isValid())
        return databaseProblem(rows.lastError());
    const QStringList lines{
        QString(),
        QStringLiteral("Cheques: %1, total %2")
            .arg(totals.count)
            .arg(registerTotal(totals.total, totals.notAdded, currency)),
        QStringLiteral("Void cheques: %1, total %2")
            .arg(totals.voidCount)
            .arg(registerTotal(totals.voidTotal, totals.voidNotAdded, currency)),
    };
    for (const QString &text : lines)
        if (!pages.addLine(text))
            return QStringLiteral("The printer could not start a new page.");
    pages.finish();
    return {};
}

} // namespace

QString printRegisterListing(QPrinter &printer, const QString &bank, const QDate &from,
                             const QDate &to)
{
    // 1. The totals (which also tell how many pages there will be) and the
    //    rows, read before the printer starts so a failure prints nothing.
    const store::Connection connection(QStringLiteral("registerlisting"));
    store::RegisterTotals totals;
    QSqlQuery rows(connection.database());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::sumRegister(connection.database(), bank, from, to, &totals);
    if (!error.isValid())
        error = store::selectRegisterWithVoids(connection.database(), bank, from, to, &rows, true);
    if (error.isValid())
        return databaseProblem(error);

    // 2. The pages, on a sheet of paper.
    useSheetOfPaper(printer);
    printer.setDocName(QStringLiteral("Cheque Issue Register"));
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("The printer %1 could not be started.").arg(printer.printerName());
    QStringList headings;
    for (int column = 0; column < store::registerColumnCount; ++column)
        headings.append(rows.record().fieldName(column));
    headings.append(QStringLiteral("Void"));
    ListingPages pages(printer, painter,
                       QStringLiteral("%1, %2 to %3").arg(bank, shownDate(from), shownDate(to)),
                       headings, totals.count + totals.voidCount + totalsLines);
    if (QString problem = drawListing(pages, rows, totals, bankCurrency(bank));
        !problem.isEmpty()) {
        // Aborted while still painting: ending first would hand the pages
        // done to the spooler.
        printer.abort();
        painter.end();
        return problem;
    }

    // 3. Handed over: Qt drops the spooler's answer, which CUPS still has.
    if (!painter.end())
        return QStringLiteral("The printer %1 could not finish the listing.")
            .arg(printer.printerName());
    if (printer.outputFormat() == QPrinter::NativeFormat
        && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return QStringLiteral("The printer %1 did not accept the listing: %2")
            .arg(printer.printerName(), QString::fromLocal8Bit(cupsLastErrorString()));
    return {};
}
