#include "chequenumberkey.h"

#include <QRegularExpression>

namespace store {
namespace {

// Spaces, tabs and line ends of every kind, and the invisible marks a
// paste brings along (zero-width space and joiners, word joiner, BOM).
bool isBlank(QChar c)
{
    return c.isSpace() || c.category() == QChar::Separator_Space
        || (c.unicode() >= 0x200B && c.unicode() <= 0x200D) || c.unicode() == 0x2060
        || c.unicode() == 0xFEFF;
}

QString withoutBlanks(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            kept.append(c);
    return kept;
}

// Only the letters, digits and hyphens a cheque book prints: none of the
// rules below changes it, so it is taken as it is, as most numbers are.
bool isAlreadyMeant(const QString &typed)
{
    if (typed.isEmpty())
        return false;
    for (QChar c : typed) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')
              || u == u'-'))
            return false;
    }
    return true;
}

} // namespace

QString meantChequeNumber(const QString &typed)
{
    if (isAlreadyMeant(typed))
        return typed;
    QString number = withoutBlanks(typed.normalized(QString::NormalizationForm_KC));
    if (number.size() >= 3 && number.startsWith(u"=\"") && number.endsWith(u'"'))
        number = number.mid(2, number.size() - 3);
    if (number.startsWith(u'\'') || number.startsWith(u'#'))
        number.remove(0, 1);
    static const QRegularExpression spreadsheetFloat(QStringLiteral("^([0-9]+)\\.0+$"));
    if (const QRegularExpressionMatch match = spreadsheetFloat.match(number); match.hasMatch())
        number = match.captured(1);
    return number;
}

QString chequeNumberKey(const QString &typed)
{
    QString key = meantChequeNumber(typed);
    qsizetype zeros = 0;
    while (zeros < key.size() && key[zeros] == u'0')
        ++zeros;
    // "000" is the number zero, not no number.
    if (zeros == key.size() && zeros > 0)
        --zeros;
    return key.mid(zeros).toCaseFolded();
}

bool isDigitNumber(const QString &number)
{
    if (number.isEmpty())
        return false;
    for (QChar c : number)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QString bankKey(const QString &bankName)
{
    return bankName.toCaseFolded();
}

} // namespace store
