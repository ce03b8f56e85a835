// Indian numbering: the rupees in groups of crore, lakh, thousand, hundred
// and the last two digits, then the paise.
#include "Module1.h"
#include "wordbuffer.h"

#include <cmath>
#include <limits>

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
    //    to the even neighbour (1212.5 paise become 1212). Beyond 32 bits,
    //    or not a number at all: no words, and the previous ones stay.
    const double paiseTotal = std::nearbyint(amount * 100);
    if (!(paiseTotal >= std::numeric_limits<qint32>::min()
          && paiseTotal <= std::numeric_limits<qint32>::max()))
        return;
    const qint32 total = qint32(paiseTotal);

    // 2. Rupees and paise, truncated toward zero.
    const qint32 rupees = total / 100;
    const qint32 paise = total - 100 * rupees;

    // 3-4. The groups, highest first. 32 bits hold at most 21 crore, so the
    //      crore group always fits two digits. A negative amount has only
    //      negative groups and writes none of them.
    WordBuffer result;
    appendGroup(result, rupees / 10000000, u" crore ");
    appendGroup(result, rupees / 100000 % 100, u" lakh ");
    appendGroup(result, rupees / 1000 % 100, u" thousand ");
    appendGroup(result, rupees / 100 % 10, u" hundred ");
    const qint32 lastTwo = rupees % 100;
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
