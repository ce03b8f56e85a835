#include "chequepage.h"

#include "database.h"
#include "failure.h"
#include "layoutrecord.h"

#include <algorithm>

QString printComposedTexts(Printer &printer, const QList<ComposedText> &texts)
{
    float points = chequeFontSize;  // as the composition leaves the printer
    float angle = 0;
    for (const ComposedText &composed : texts) {
        if (composed.lineTo) {
            const QPointF &end = *composed.lineTo;
            if (composed.guide)
                printer.Guide(composed.left, composed.top, end.x(), end.y());
            else
                printer.Line(composed.left, composed.top, end.x(), end.y());
            continue;
        }
        if (composed.points != points)
            printer.FontSize(points = composed.points);
        if (composed.angle != angle)
            printer.TextAngle(angle = composed.angle);
        printer.CurrentX(composed.left);
        printer.CurrentY(composed.top);
        if (QString problem = printer.Print(composed.text); !problem.isEmpty()) {
            printer.KillDoc();
            return problem;
        }
    }
    if (angle != 0)
        printer.TextAngle(0);
    return {};
}

namespace {

QString printComposed(Printer &printer, const QList<ComposedText> &texts,
                      const std::function<QString()> &handingOver)
{
    if (QString problem = printComposedTexts(printer, texts); !problem.isEmpty())
        return problem;
    if (QString refusal = handingOver ? handingOver() : QString(); !refusal.isEmpty()) {
        printer.KillDoc();
        return refusal;
    }
    return printer.EndDoc();
}

} // namespace

QString printChequePage(const ChequeItems &items, Printer &printer,
                        const std::function<QString()> &handingOver)
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

    store::WordsChoice choice;
    if (const QSqlError error = store::findWordsChoice(connection.database(), items.bankName,
                                                       &choice);
        error.isValid())
        return store::failureText(
            QStringLiteral("read how the bank \"%1\" prints the words").arg(items.bankName), error);

    QList<ComposedText> texts;
    if (QString problem = composeCheque(*layout, choice, items, printer, &texts);
        !problem.isEmpty())
        return problem;
    if (const QString problem = printComposed(printer, texts, handingOver); !problem.isEmpty())
        return QStringLiteral("The cheque was not printed.\n\n%1").arg(problem);
    return {};
}
