// Indian numbering: the rupees in groups of crore, lakh, thousand, hundred
// and the last two digits, then the paise. The crores are counted the same
// way, so large amounts read "... thousand crore", "... lakh crore".
#include "Module1.h"
#include "wordbuffer.h"

#include <cmath>

namespace {

QStringView numberWord(qint32 n)
{
    static constexpr QStringView belowTwenty[] = {
        u"", u"One", u"Two", u"Three", u"Four", u"Five", u"Six", u"Seven", u"Eight", u"Nine",
        u"Ten", u"Eleven", u"Twelve", u"Thirteen", u"Fourteen", u"Fifteen", u"Sixteen",
        u"Seventeen", u"Eighteen", u"Nineteen"};
    static constexpr QStringView tens[] = {
        u"", u"", u"Twenty", u"Thirty", u"Forty", u"Fifty", u"Sixty", u"Seventy", u"Eighty",
        u"Ninety"};
    if (n >= 1 && n <= 19)
        return belowTwenty[n];
    if (n >= 20 && n <= 90 && n % 10 == 0)
        return tens[n / 10];
    return {};
}

void appendTwoDigits(WordBuffer &out, qint32 n)
{
    const qint32 tens = n / 10;
    const qint32 units = n - 10 * tens;
    if (tens > 1) {
        // The blank stays even when units is 0: 40 gives "Forty ".
        out += numberWord(n - units);
        out += u' ';
        out += numberWord(units);
    } else {
        out += numberWord(n);
    }
}

// A group that is 0 (or negative) writes neither words nor label.
void appendGroup(WordBuffer &out, qint32 part, QStringView label)
{
    if (part > 0) {
        appendTwoDigits(out, part);
        out += label;
    }
}

// Up to 99 crore the crores are one group as in any other place ("Twenty
// crore "); beyond, they are themselves counted in lakh, thousand and
// hundred: "One thousand crore ", "Five lakh Twenty Five crore ".
void appendCrores(WordBuffer &out, qint64 crores)
{
    if (crores <= 0)
        return;
    appendGroup(out, qint32(crores / 100000 % 100), u" lakh ");
    appendGroup(out, qint32(crores / 1000 % 100), u" thousand ");
    appendGroup(out, qint32(crores / 100 % 10), u" hundred ");
    const qint32 lastTwo = qint32(crores % 100);
    if (lastTwo > 0) {
        appendTwoDigits(out, lastTwo);
        out += u" crore ";
    } else {
        out += u"crore ";
    }
}

} // namespace

QString udf_varNumberWord(const qint32 &n)
{
    return numberWord(n).toString();
}

QString udf_strTwoDigits(const qint32 &n)
{
    WordBuffer words;
    appendTwoDigits(words, n);
    return words.toString();
}

void udf_Num2WordsIndian(const double &amount)
{
    // 1. The amount in paise. The default rounding mode sends an exact half
    //    to the even neighbour (1212.5 paise become 1212). Beyond the
    //    largest amount, or not a number at all: no words, and the previous
    //    ones stay. Up to that amount (fifteen significant digits) the
    //    double holds the typed paise exactly enough to round to them.
    const double paiseTotal = std::nearbyint(amount * 100);
    if (!(std::abs(paiseTotal) <= double(largestIndianPaise)))
        return;
    const qint64 total = qint64(paiseTotal);

    // 2. Rupees and paise, truncated toward zero.
    const qint64 rupees = total / 100;
    const qint32 paise = qint32(total - 100 * rupees);

    // 3-4. The groups, highest first. A negative amount has only negative
    //      groups and writes none of them.
    WordBuffer result;
    appendCrores(result, rupees / 10000000);
    appendGroup(result, qint32(rupees / 100000 % 100), u" lakh ");
    appendGroup(result, qint32(rupees / 1000 % 100), u" thousand ");
    appendGroup(result, qint32(rupees / 100 % 10), u" hundred ");
    const qint32 lastTwo = qint32(rupees % 100);
    if (lastTwo > 0) {
        if (rupees > 99)
            result += u"and ";
        appendTwoDigits(result, lastTwo);
    }

    // 5. The two joining texts meet as "and  Paise", two blanks between.
    if (paise != 0) {
        result += u" and ";
        result += u" Paise ";
        appendTwoDigits(result, paise);
    }

    // 6-7.
    result += u" only";
    strAmtInWords = result.toString();
}
