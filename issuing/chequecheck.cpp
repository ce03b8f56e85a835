#include "chequecheck.h"

#include "leadingnumber.h"
#include "storedtext.h"

QString chequeRefusal(const ChequeItems &items, const QString &chequeNo)
{
    if (items.amountInWords.trimmed().isEmpty())
        return QStringLiteral("The amount in words is empty, so the cheque has not been "
                              "printed.\n\nCorrect the amount, or type the words.");
    if (readLeadingNumber(items.amount) == 0)
        return QStringLiteral("The amount is zero, so the cheque has not been printed.");
    for (const auto &[text, caption] :
         {std::pair{items.payeeName, QStringLiteral("Name")},
          std::pair{items.amountInWords, QStringLiteral("Amount in Words")},
          std::pair{chequeNo, QStringLiteral("Cheque No")}})
        if (QString problem = storedTextProblem(text, caption); !problem.isEmpty())
            return problem;
    return {};
}
