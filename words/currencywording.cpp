#include "currencywording.h"
#include "Module1.h"
#include "leadingnumber.h"
#include "messages.h"
#include "money.h"
#include "standardformat.h"

#include <cmath>

namespace {

struct InternationalCurrency {
    QStringView code;
    QStringView unit;
    QStringView subUnit;
    // Yen have no smaller unit in use, so a yen amount must be whole.
    bool wholeOnly = false;
};

constexpr InternationalCurrency internationalCurrencies[] = {
    {u"USD", u"Dollars ", u"Cents only"},
    {u"SGD", u"Dollars ", u"Cents only"},
    {u"AUD", u"Dollars ", u"Cents only"},
    {u"EUR", u"Euros ", u"Cents only"},
    {u"GBP", u"Pounds ", u"Pence only"},
    {u"DINAR", u"Dinar ", u"Fils only"},
    {u"YEN", u"Yen", u"  only", true},
};

// The largest amounts each numbering can word, written as that
// currency's users group their figures.
QString largestIndian()
{
    return Money::fromCents(largestIndianPaise).toIndianGrouped();
}
constexpr QStringView largestInternational = u"999,999,999,999.99";

const InternationalCurrency *findInternational(const QString &code)
{
    for (const InternationalCurrency &currency : internationalCurrencies) {
        if (currency.code == code)
            return &currency;
    }
    return nullptr;
}

// Keeps why there are no words, and gives the empty words.
QString refuse(const QString &why, QString *refusal)
{
    *refusal = why;
    return {};
}

QString refuseTooLarge(const QString &amountText, QStringView largest, QString *refusal)
{
    return refuse(QStringLiteral("The amount %1 is too large to write in words. "
                                 "The largest amount that can be written is %2.")
                      .arg(amountText, largest),
                  refusal);
}

QString indianWords(double amount, const QString &amountText, QString *refusal)
{
    // The converter leaves strAmtInWords as it was when the amount is beyond it.
    strAmtInWords.clear();
    udf_Num2WordsIndian(amount);
    if (strAmtInWords.isEmpty())
        return refuseTooLarge(amountText, largestIndian(), refusal);
    return strAmtInWords;
}

QString internationalWords(double amount, const QString &amountText,
                           const InternationalCurrency &currency, QString *refusal)
{
    if (!std::isfinite(amount))
        return refuseTooLarge(amountText, largestInternational, refusal);
    // From a trillion up, as rounded to cents, the converter would write
    // the unit alone.
    const StandardFormat rounded(amount);
    if (rounded.text().size() > largestInternational.size())
        return refuseTooLarge(amountText, largestInternational, refusal);
    if (currency.wholeOnly && !rounded.text().endsWith(u".00")) {
        return refuse(QStringLiteral("Yen have no smaller unit, so the amount %1 cannot be "
                                     "written in words. Enter a whole number of yen.")
                          .arg(amountText),
                      refusal);
    }
    return udf_strNum2Words(amount, currency.unit, currency.subUnit);
}

// Figures a cheque can carry: digits with at most one decimal point and two
// decimals, and an optional sign. Anything else ("1,500.00", "12.345", "1E3",
// a control character) would be read as another amount than the one
// printed, so the words would disagree with the figures.
bool isPlainAmount(QStringView text)
{
    qsizetype decimals = -1;  // -1 until the decimal point
    bool signAllowed = true;
    for (const QChar c : text) {
        if (signAllowed && (c == u'-' || c == u'+')) {
            signAllowed = false;
            continue;
        }
        signAllowed = false;
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return false;
        if (decimals >= 0 && ++decimals > 2)
            return false;
    }
    return true;
}

QString wordsFor(double amount, const QString &amountText, const QString &currency,
                 QString *refusal)
{
    if (currency.isEmpty()) {
        return refuse(QStringLiteral("Choose the bank first: the amount is written in words "
                                     "in the currency of the bank."),
                      refusal);
    }
    const bool indian = currency == u"INR";
    const InternationalCurrency *international = indian ? nullptr : findInternational(currency);
    if (!indian && !international) {
        return refuse(QStringLiteral("There are no words for the currency \"%1\", so the "
                                     "amount cannot be written in words.")
                          .arg(currency),
                      refusal);
    }
    if (!isPlainAmount(amountText)) {
        return refuse(QStringLiteral("The amount \"%1\" is not in plain figures, so it cannot "
                                     "be written in words. Type digits with at most two "
                                     "decimals and no commas or letters, for example 1500.00.")
                          .arg(amountText),
                      refusal);
    }
    if (amount < 0)
        return refuse(QStringLiteral("A cheque cannot be written for a negative amount."),
                      refusal);
    return indian ? indianWords(amount, amountText, refusal)
                  : internationalWords(amount, amountText, *international, refusal);
}

} // namespace

QString tidyAmountText(const QString &amountBoxText)
{
    QString tidied = amountBoxText;
    tidied.removeIf([](QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; });
    if (!tidied.contains(u'.'))
        tidied += u".00";
    return tidied;
}

CurrencyWording wordCurrency(const QString &amountBoxText, const QString &currency)
{
    // 1. The text tidied: no blanks, and a decimal point with two zeros
    // when it has none.
    CurrencyWording wording{tidyAmountText(amountBoxText), {}, {}};

    // 2. The amount is the number the text starts with.
    const double amount = readLeadingNumber(wording.amountText);

    // 3. The words, or why there are none. The Indian converter works
    // through strAmtInWords; what the run keeps there is left as it was.
    const QString kept = strAmtInWords;
    wording.words = wordsFor(amount, wording.amountText, currency, &wording.refusal);
    strAmtInWords = kept;
    return wording;
}

CurrencyWording udf_wordCurrency(const QString &amountBoxText, const QString &currency)
{
    const CurrencyWording wording = wordCurrency(amountBoxText, currency);
    if (!wording.refusal.isEmpty())
        Messages::show(wording.refusal, Messages::Icon::Critical);
    // 4. The words kept for the run as well.
    strAmtInWords = wording.words;
    return wording;
}
