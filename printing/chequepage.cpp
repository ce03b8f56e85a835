#include "chequepage.h"

#include "database.h"
#include "failure.h"
#include "layoutrecord.h"
#include "wordslines.h"

#include <QList>
#include <QLocale>

namespace {

const int landscape = 2;
const int envelope10 = 20;

struct PlacedText {
    QString text;
    float left;
    float top;
};

// The cheque's texts in printing order, each at its layout position. Every
// column the layout lacks a value for is named in *missing.
QList<PlacedText> placeItems(const LayoutRecord &layout, const ChequeItems &items,
                             QStringList *missing)
{
    const auto at = [&](store::LayoutPosition column) {
        const std::optional<float> value = layout.position(column);
        if (!value && !missing->contains(store::layoutPositionColumns[column]))
            missing->append(store::layoutPositionColumns[column]);
        return value.value_or(0);
    };
    using namespace store;
    QList<PlacedText> placed;
    // The crossing has no columns of its own: one unit from the left
    // edge, level with the date.
    if (items.crossed)
        placed.append({QStringLiteral("A/c Payee only"), 1, at(DateTop)});
    placed.append({chequeDateText(items.date), at(DateLeft), at(DateTop)});
    placed.append({items.payeeName, at(nameleft), at(nameTop)});
    const QStringList lines = amountInWordsLines(items.amountInWords, at(AmtinWords1Width));
    placed.append({lines[0], at(AmtinWords1Left), at(AmtinWords1Top)});
    if (lines.size() > 1)
        placed.append({lines[1], at(AmtinWords2Left), at(AmtinWords2Top)});
    placed.append({QStringLiteral("**%1**").arg(items.amount), at(AmtLeft), at(AmtTop)});
    return placed;
}

QString printPage(Printer &printer, int scaleMode, const QList<PlacedText> &placed)
{
    printer.Orientation(landscape);
    printer.PaperSize(envelope10);
    printer.ScaleMode(scaleMode);
    printer.PaperSize(envelope10);
    printer.FontName(QStringLiteral("1"));
    printer.FontSize(12);
    for (const PlacedText &item : placed) {
        printer.CurrentX(item.left);
        printer.CurrentY(item.top);
        if (QString problem = printer.Print(item.text); !problem.isEmpty()) {
            printer.KillDoc();
            return problem;
        }
    }
    return printer.EndDoc();
}

} // namespace

QString printChequePage(const ChequeItems &items, Printer &printer)
{
    const store::Connection connection(QStringLiteral("printChequePage"));
    if (!connection.isOpen())
        return store::failureText(QStringLiteral("open the data file"), connection.error());
    std::optional<LayoutRecord> layout;
    if (const QSqlError error = loadLayoutRecord(connection.database(), items.bankName, &layout);
        error.isValid())
        return store::failureText(
            QStringLiteral("read the cheque layout of the bank \"%1\"").arg(items.bankName), error);
    if (!layout)
        return QStringLiteral("There is no cheque layout for the bank \"%1\".\n\nChoose the bank "
                              "from the list, or set up its cheque layout first.")
            .arg(items.bankName);

    return printChequeLayout(*layout, items, printer);
}

QString printChequeLayout(const LayoutRecord &layout, const ChequeItems &items, Printer &printer)
{
    QStringList missing;
    const QList<PlacedText> placed = placeItems(layout, items, &missing);
    if (!missing.isEmpty())
        return QStringLiteral("The cheque layout of the bank \"%1\" has no value for %2.\n\n"
                              "Enter the missing positions in the cheque layout setup.")
            .arg(items.bankName, missing.join(QStringLiteral(", ")));

    if (const QString problem = printPage(printer, layout.scaleMode(), placed); !problem.isEmpty())
        return QStringLiteral("The cheque was not printed.\n\n%1").arg(problem);
    return {};
}

QString chequeDateText(const QDate &date)
{
    return QLocale().toString(date, QStringLiteral("dd/MMM/yyyy"));
}
