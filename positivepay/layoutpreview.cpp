#include "layoutpreview.h"

#include "payfile.h"

namespace positivepay {

QString previewText(const Layout &layout)
{
    if (const QStringList problems = layoutProblems(layout); !problems.isEmpty())
        return problems.join(QLatin1Char('\n'));
    const Account sample{QStringLiteral("Sample Bank"), QStringLiteral("001234567890"),
                         QStringLiteral("400002003"), QStringLiteral("29"),
                         QStringLiteral("567890")};
    const QList<PayRecord> cheques{
        {0, RecordKind::Issue, QDate(2026, 3, 2), QStringLiteral("000101"),
         QStringLiteral("Acme Traders"), Money::fromCents(123450)},
        {0, RecordKind::Issue, QDate(2026, 3, 2), QStringLiteral("000102"),
         QStringLiteral("Smith, \"Bud\" & Co"), Money::fromCents(7500000)},
        {0, RecordKind::Void, QDate(2026, 3, 1), QStringLiteral("000099"),
         QStringLiteral("Ravi Kumar"), Money::fromCents(25000000)},
    };
    const PayFile file = writePayFile(layout, sample, cheques);
    if (!file.refused.isEmpty())
        return file.refused.join(QLatin1Char('\n'));
    QString text = QString::fromUtf8(file.bytes);
    text.remove(QLatin1Char('\r'));
    if (!file.leftOut.isEmpty())
        text += QStringLiteral("(no void code: voids are left out, to be told by hand)\n");
    return text;
}

} // namespace positivepay
